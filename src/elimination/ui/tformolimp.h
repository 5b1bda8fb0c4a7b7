#pragma once

#include "data/workspace.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace vintrel {

class CurrentContext;
class DataGrid;
class Prompter;
class TDM;

// "Проведение тура прямого выбывания": one circle of the current tour's table at a time, the
// circle selector, and the buttons that build, total, carry and place the circles. Every
// button runs a command of the elimination folder on the circle shown.
class TFormOlimp : public QDialog {
    Q_OBJECT
public:
    TFormOlimp(TDM &dm, CurrentContext &context, const Workspace &workspace, Prompter &prompter,
               QWidget *parent = nullptr);

    void setPrompter(Prompter &prompter) { m_prompter = &prompter; }
    int shownCircle() const;

protected:
    void showEvent(QShowEvent *event) override; // the form's activation

private:
    using CircleCommand = bool (*)(TDM &, CurrentContext &, int, Prompter &);
    QWidget *buildTopPanel();
    QWidget *buildRightPanel();
    QWidget *buildBottomPanel();
    QPushButton *addButton(QWidget *panel, const QString &name, const QString &text);
    void activate();
    void circleChanged(int circle);
    void commitTypedCell();
    void runOnShownCircle(CircleCommand command);
    void nextCircleClicked();

    TDM &m_dm;
    CurrentContext &m_context;
    Workspace m_workspace;
    Prompter *m_prompter;

    QLabel *DBText1, *DBText2, *Label1, *Label9;
    QSpinBox *RxSpinEdit1;
    DataGrid *DBGrid1;
    QPushButton *BitBtn7, *BitBtn8, *BitBtn3, *BitBtn4, *BitBtn5, *BitBtn6, *BitBtn2;
    QPushButton *BitBtn1, *btnHELP;
};

} // namespace vintrel
