#include "dialogframe.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>

namespace vintrel {

using namespace Qt::StringLiterals;

void setUpModalWindow(QDialog *dialog, const QString &objectName, const QString &caption)
{
    dialog->setObjectName(objectName);
    dialog->setWindowTitle(caption);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    dialog->setModal(true);
}

QLabel *addHeading(QBoxLayout *layout, QWidget *parent, const QString &text)
{
    auto *heading = new QLabel(text, parent);
    heading->setObjectName(u"lbl_Heading"_s);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignHCenter);
    layout->addWidget(heading);
    return heading;
}

} // namespace vintrel
