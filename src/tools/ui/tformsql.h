#pragma once

#include "data/workspace.h"

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vintrel {

class DataGrid;
class DataSource;
class Prompter;
class SqlConsole;
class SqlResult;

// "SQL-запрос. Получение любого отчета.": any query over the competition database on a
// read-only connection of its own, its result in a grid, exported as text or HTML. Shown
// modelessly; the result stays for the next showing.
class TFormSQL : public QDialog {
    Q_OBJECT
public:
    // The files the console asks for.
    enum class FileUse { OpenQuery, SaveQuery, TextExport, HtmlExport };
    using FileChooser = std::function<QString(FileUse)>;

    TFormSQL(const Workspace &workspace, const QString &databaseFile, Prompter &prompter,
             QWidget *parent = nullptr);
    ~TFormSQL() override;

    void setPrompter(Prompter &prompter) { m_prompter = &prompter; }
    // Replaces the file dialogs (an empty answer is a cancel), e.g. in a test.
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    SqlResult *qr_SQL() const { return m_result.get(); }
    bool isRunning() const { return m_running; }
    // "Прервать" and Esc while a query runs.
    void interrupt();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;

private:
    QString chooseFile(FileUse use);
    void openQuery();
    void saveQuery();
    void execute();
    void exportResult(FileUse use);
    void bindGrid();
    void showRunning(bool running);

    Workspace m_workspace;
    QString m_databaseFile;
    Prompter *m_prompter;
    FileChooser m_chooser;
    std::unique_ptr<SqlConsole> m_console;
    std::unique_ptr<SqlResult> m_result;
    DataSource *DS_SQL;
    bool m_running = false;

    QLabel *lbl_Heading;
    QPlainTextEdit *Memo1;
    QPushButton *btn_Open, *btn_Save, *btn_Run, *btn_Interrupt;
    DataGrid *DBGrid1;
    QPushButton *btn_SaveTxt, *btn_SaveHtml, *btn_Close;
};

} // namespace vintrel
