#include "helpkey.h"

#include "documentviewer.h"

#include "app/helppage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vintrel {

HelpKey::HelpKey(const Workspace &workspace, std::function<Prompter &()> prompter, QObject *parent)
    : QObject(parent), m_workspace(workspace), m_prompter(std::move(prompter))
{
}

bool HelpKey::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            QWidget *front = QApplication::activeModalWidget();
            if (!front) front = QApplication::activeWindow();
            if (!front && watched->isWidgetType())
                front = static_cast<QWidget *>(watched)->window();
            showHelpPage(m_workspace, helpPageOfWindow(front ? front->objectName() : QString()),
                         m_prompter());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vintrel
