#pragma once

#include "data/workspace.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace vintrel {

class DataGrid;
class LookupCellChooser;
class Prompter;
class TDM;
enum class EntryPage;

// "Ввод/редактирование заявки от организации": the entry of the current organization of T_ORG:
// its people on the left; its participants (each given an aspect), trainers and judges on
// three pages on the right.
class TFormInOrg : public QDialog {
    Q_OBJECT
public:
    TFormInOrg(TDM &dm, const Workspace &workspace, Prompter &prompter, QWidget *parent = nullptr);

    void setPrompter(Prompter &prompter) { m_prompter = &prompter; }

    // Closing stores the pending rows and gives the people list back every person; a row the
    // store refuses keeps the window open.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override; // Ctrl+Del in the grids

private:
    QWidget *buildPeople();
    QWidget *buildPages();
    DataGrid *pageGrid(const QString &name, QWidget *parent);
    EntryPage currentPage() const;
    void add();
    void remove();
    void commitTyping();

    TDM &m_dm;
    Workspace m_workspace;
    Prompter *m_prompter;

    QLabel *lbl_ORG_FULL;
    QLineEdit *edt_Search;
    DataGrid *DBGrid1, *DBGrid2, *DBGrid3, *DBGrid4;
    LookupCellChooser *m_aspectChooser;
    QTabWidget *PageControl1;
    QPushButton *btn_Add, *btn_Del, *btn_Close, *btn_Help;
};

} // namespace vintrel
