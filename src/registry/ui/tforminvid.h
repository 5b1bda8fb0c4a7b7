#pragma once

#include "data/workspace.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vintrel {

class CurrentContext;
class DataGrid;
class Prompter;
class TDM;

// "Ввод и редактирование участников текущего вида": everyone on the left, the current aspect's
// participants on the right; a person is entered into the aspect or taken out of it.
class TFormInVid : public QDialog {
    Q_OBJECT
public:
    TFormInVid(TDM &dm, CurrentContext &context, const Workspace &workspace, Prompter &prompter,
               QWidget *parent = nullptr);

    void setPrompter(Prompter &prompter) { m_prompter = &prompter; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void add();
    void remove();

    TDM &m_dm;
    CurrentContext &m_context;
    Workspace m_workspace;
    Prompter *m_prompter;

    QLabel *lbl_NAME;
    QLineEdit *edt_Search;
    DataGrid *DBGrid1, *DBGrid2;
    QPushButton *btn_Add, *btn_Del, *btn_Close, *btn_Help;
};

} // namespace vintrel
