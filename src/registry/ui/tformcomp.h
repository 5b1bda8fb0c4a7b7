#pragma once

#include "data/workspace.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vintrel {

class CurrentContext;
class DataGrid;
class DateFieldEdit;
class DBNavigator;
class FieldBinder;
class LookupComboBinder;
class Prompter;
class TDM;

// "Соревнования": the competition row, its four officials and the aspects with their
// variants. Closing it gives every aspect the tour rows of its variant.
class TFormComp : public QDialog {
    Q_OBJECT
public:
    ~TFormComp() override;
    TFormComp(TDM &dm, CurrentContext &context, const Workspace &workspace, Prompter &prompter,
              QWidget *parent = nullptr);

    void setPrompter(Prompter &prompter);

    // Closing runs the store-and-generate steps; a row the store refuses keeps the window
    // open so that nothing typed is lost.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildCompetitionFields();
    QWidget *buildAspects();
    void refreshName();

    TDM &m_dm;
    CurrentContext &m_context;
    Workspace m_workspace;
    // Binders and the navigator talk through this, so a replaced prompter reaches them too.
    std::unique_ptr<Prompter> m_prompter;

    QLabel *lbl_NAME;
    QList<FieldBinder *> m_binders;
    QList<LookupComboBinder *> m_officials;
    DataGrid *DBGrid1;
    DBNavigator *DBNavigator1;
    QPushButton *btn_Help, *btn_Close;
};

} // namespace vintrel
