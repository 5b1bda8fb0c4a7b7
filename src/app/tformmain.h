#pragma once

#include <QMainWindow>

namespace vintrel {

class TDM;
class CurrentContext;
class Workspace;
class AboutBox;

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormMain(QWidget *parent = nullptr);

    // Binds the window to the data module once it exists (it is made after the window).
    void attach(TDM &dm, CurrentContext &context, const Workspace &workspace, AboutBox &about);

private:
    TDM *m_dm = nullptr;
    CurrentContext *m_context = nullptr;
};

} // namespace vintrel
