#pragma once

#include "data/workspace.h"

#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vintrel {

class CurrentContext;
class DataGrid;
class DBNavigator;
class FieldBinder;
class ForwardingPrompter;
class LookupComboBinder;
class Prompter;
class TDM;

// "Человек": the register of people, one person's fields beside the list. People are never
// deleted here. Closing it runs the main window's aspect change.
class TFormPerson : public QDialog {
    Q_OBJECT
public:
    TFormPerson(TDM &dm, CurrentContext &context, const Workspace &workspace, Prompter &prompter,
                QWidget *parent = nullptr);
    ~TFormPerson() override;

    void setPrompter(Prompter &prompter);

    // What "Список организаций" opens; the button stays disabled until one is given.
    void setOrganizationsOpener(std::function<void()> open);

    // A pending edit is posted first; a refusal keeps the window open with what was typed.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildFields();
    void refreshChoices();
    void refreshTrainerChoices();
    void refreshRecordNumber();
    void searchChanged(const QString &text);

    TDM &m_dm;
    CurrentContext &m_context;
    Workspace m_workspace;
    std::unique_ptr<ForwardingPrompter> m_prompter;
    std::function<void()> m_openOrganizations;

    QLineEdit *edt_search;
    DataGrid *DBGrid1;
    QLineEdit *ed_SURNAME = nullptr;
    QList<FieldBinder *> m_binders;
    LookupComboBinder *m_org = nullptr;
    QList<LookupComboBinder *> m_trainers;
    QLabel *lbl_RecNo;
    DBNavigator *DBNavigator1;
    QPushButton *btn_Org, *btn_Help, *btn_Close;
};

} // namespace vintrel
