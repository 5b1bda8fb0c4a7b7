#include "tformmain.h"

#include <QGuiApplication>
#include <QScreen>

namespace vintrel {

using namespace Qt::StringLiterals;

TFormMain::TFormMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(u"FormMain"_s);
    setWindowTitle(u"Программа для обслуживания соревнований по фехтованию"_s);
    resize(780, 580);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormMain::attach(TDM &dm, CurrentContext &context, const Workspace &, AboutBox &)
{
    m_dm = &dm;
    m_context = &context;
}

} // namespace vintrel
