#pragma once

#include "data/workspace.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace vintrel {

class CurrentContext;
class DataGrid;
class DataSource;
class DBNavigator;
class Prompter;
class TDM;

// The table browser: any table or query result in a grid with a navigator, printed as an
// HTML page. Other commands show their results in it (showData) and go on once it closes.
class TFormSprav : public QDialog {
    Q_OBJECT
public:
    TFormSprav(const Workspace &workspace, Prompter &prompter, QWidget *parent = nullptr);
    ~TFormSprav() override;

    void setPrompter(Prompter &prompter);
    // In edit mode the cells of a table can be edited; otherwise the grid is read-only.
    void setEditMode(bool on);
    bool editMode() const { return m_editMode; }

    // Shows `source` under `title` modally and returns when the operator has closed the
    // browser. `readOnly` keeps the grid read-only even in edit mode.
    void showData(DataSource *source, const QString &title, bool readOnly = false);
    // An entry of the menu "Таблицы": every row of the table, its filtering put back after.
    void browseTable(TDM &dm, const QString &table, const QString &title);
    // "Просмотреть список участников (распечатать)": the current aspect's participants in the
    // main window's order, read-only.
    void browseParticipantList(TDM &dm, const CurrentContext &context);

    DataSource *source() const { return m_source; }
    QString title() const;

signals:
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void bindSource();
    void refreshStatus();
    void print();

    Workspace m_workspace;
    Prompter *m_prompter;
    QPointer<DataSource> m_source;
    bool m_editMode = false;
    bool m_readOnly = true;
    QList<QMetaObject::Connection> m_statusConnections;

    QLabel *lbl_Name;
    DataGrid *DBGrid1;
    QLabel *lbl_Status;
    DBNavigator *DBNavigator1;
    QPushButton *btn_Print, *btn_Close;
};

} // namespace vintrel
