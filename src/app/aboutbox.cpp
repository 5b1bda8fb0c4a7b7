#include "aboutbox.h"

namespace vintrel {

using namespace Qt::StringLiterals;

AboutBox::AboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"AboutBox"_s);
    setWindowTitle(u"О программе"_s);
}

} // namespace vintrel
