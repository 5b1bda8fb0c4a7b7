#pragma once

#include "data/workspace.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;
class QSpinBox;

namespace vintrel {

class CurrentContext;
class DataGrid;
class DBNavigator;
class Prompter;
class TDM;

// "Определение групп и количества участников в каждой группе": the number of pools of the
// current pool tour and the size of each.
class TFormKolGroup : public QDialog {
    Q_OBJECT
public:
    TFormKolGroup(TDM &dm, CurrentContext &context, const Workspace &workspace, Prompter &prompter,
                  QWidget *parent = nullptr);
    ~TFormKolGroup() override;

    void setPrompter(Prompter &prompter);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void refreshSummary();
    void recount();

    TDM &m_dm;
    CurrentContext &m_context;
    Workspace m_workspace;
    std::unique_ptr<Prompter> m_prompter;

    QLabel *Label10, *DBText1, *lbl_ALL, *lbl_GROUP;
    QSpinBox *kol;
    QPushButton *btnKol, *btnHELP, *BitBtn1;
    DataGrid *DBGrid1;
    DBNavigator *DBNavigator1;
};

} // namespace vintrel
