#pragma once

#include "data/workspace.h"

#include <QObject>

#include <functional>

namespace vintrel {

class Prompter;

// F1 opens the help page of the window in front (the modal dialog, else the active window),
// as in any Qt program.
class HelpKey : public QObject {
    Q_OBJECT
public:
    HelpKey(const Workspace &workspace, std::function<Prompter &()> prompter,
            QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Workspace m_workspace;
    std::function<Prompter &()> m_prompter;
};

} // namespace vintrel
