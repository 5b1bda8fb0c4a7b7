#pragma once

#include "data/workspace.h"

#include <QDialog>

class QPushButton;

namespace vintrel {

class DataGrid;
class DBNavigator;
class Prompter;
class TDM;
class TFormInOrg;

// "Ввод/редактирование справочника организаций": the organizations, edited in a grid (none is
// deleted here), and the entry of the current one ("Заявка"). The main window opens it from
// "Организации и их заявки", the people window from "Список организаций": both call exec().
class TFormORG : public QDialog {
    Q_OBJECT
public:
    TFormORG(TDM &dm, const Workspace &workspace, Prompter &prompter, QWidget *parent = nullptr);

    void setPrompter(Prompter &prompter);
    TFormInOrg *formInOrg() const { return m_formInOrg; }

    // "Заявка": the entry window of the current organization, shown modally; T_ORG is back on
    // the same record number afterwards.
    void openEntry();

    // Closing posts the organization being typed; a refused one keeps the window open.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool postTyped();

    TDM &m_dm;
    Workspace m_workspace;
    Prompter *m_prompter;
    TFormInOrg *m_formInOrg;

    DataGrid *DBGrid1;
    DBNavigator *DBNavigator1;
    QPushButton *btn_InOrg, *btn_Close, *btn_Help;
};

} // namespace vintrel
