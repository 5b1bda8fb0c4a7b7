#pragma once

#include "data/workspace.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace vintrel {

class CurrentContext;
class DataGrid;
class DBNavigator;
class LookupComboBinder;
class Prompter;
class TDM;

// "Группы": the pool sheet of one group of the current pool tour at a time, with the
// distribution into pools, bout entry, manual addition, the senior judge and the totals.
class TFormGroup : public QDialog {
    Q_OBJECT
public:
    TFormGroup(TDM &dm, CurrentContext &context, const Workspace &workspace, Prompter &prompter,
               QWidget *parent = nullptr);
    ~TFormGroup() override;

    void setPrompter(Prompter &prompter);

    // Every way of closing puts the participants back in the main window's order.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildTop();
    QWidget *buildParticipants();
    void showView(int kol);
    void groupChanged(int group);
    void distribute();
    void addSelectedParticipant();
    void storeCell(int row, int cell, const QString &text);
    void totals();
    void printGroup();
    void commitGridEditor();

    TDM &m_dm;
    CurrentContext &m_context;
    Workspace m_workspace;
    std::unique_ptr<Prompter> m_prompter;
    bool m_showing = false;

    QLabel *Label1, *lbl_KOL, *Label2;
    QSpinBox *RxSpinEdit1;
    QCheckBox *chkorg;
    QPushButton *Button1, *btn_Itog, *BitBtn1, *btnHELP, *btnCLOSE;
    QProgressBar *progress;
    DataGrid *DBGrid1, *DBGrid2;
    DBNavigator *DBNavigator1;
    QLineEdit *edt_search;
    QComboBox *DBLookupComboBox2;
    LookupComboBinder *m_judge = nullptr;
};

} // namespace vintrel
