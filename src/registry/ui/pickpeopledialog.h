#pragma once

#include "data/workspace.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vintrel {

class DataGrid;
class DataSource;
class ForwardingPrompter;
class Prompter;
class TDM;

// The pattern the judges and staff windows share: the people register on the left, with its
// quick search, and on the right the list they pick people into.
class PickPeopleDialog : public QDialog {
    Q_OBJECT
public:
    ~PickPeopleDialog() override;
    void setPrompter(Prompter &prompter);

protected:
    struct Look {
        QString objectName, caption, heading; // the help page follows from the object name
        DataSource *list;
        QStringList columns;
        QString addButton, removeButton; // object names, as the command tables name them
    };
    PickPeopleDialog(TDM &dm, const Workspace &workspace, Prompter &prompter, const Look &look,
                     std::function<bool(TDM &, int)> add, std::function<void(TDM &)> remove,
                     QWidget *parent);

    void showEvent(QShowEvent *event) override;

private:
    void addCurrentPerson();

    TDM &m_dm;
    Workspace m_workspace;
    std::unique_ptr<ForwardingPrompter> m_prompter;
    std::function<bool(TDM &, int)> m_add;
    std::function<void(TDM &)> m_remove;

    QLineEdit *edt_Search;
    DataGrid *DBGrid1, *DBGrid2;
    QPushButton *btn_Add, *btn_Delete, *btn_Close, *btn_Help;
};

} // namespace vintrel
