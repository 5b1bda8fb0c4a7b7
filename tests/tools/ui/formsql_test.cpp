#include "datatestutil.h"
#include "gridtest.h"
#include "mainwindowfixture.h"

#include "tools/sqlresult.h"
#include "tools/ui/tformsql.h"
#include "widgets/datagrid.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class FormSqlTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        startMainWindow([](Store &store) { fillDemoCompetition(store); });
        console = form->formSql();
        ASSERT_NE(console, nullptr);
        console->setFileChooser([this](TFormSQL::FileUse use) {
            chosen << int(use);
            return nextFile;
        });
        form->findChild<QAction *>(u"actSql"_s)->trigger();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(console));
    }
    void TearDown() override
    {
        console->close();
        MainWindowFixture::TearDown();
    }

    QPushButton *button(const QString &name) const
    {
        auto *b = console->findChild<QPushButton *>(name);
        EXPECT_NE(b, nullptr) << name.toStdString();
        return b;
    }
    void click(const QString &name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    QPlainTextEdit *memo() const { return console->findChild<QPlainTextEdit *>(u"Memo1"_s); }
    QAbstractItemModel *grid() const
    {
        return console->findChild<DataGrid *>(u"DBGrid1"_s)->model();
    }

    TFormSQL *console = nullptr;
    QString nextFile;
    QList<int> chosen;
};

} // namespace

TEST_F(FormSqlTest, ShownModelesslyWithTheInitialQueryThatListsThePeople)
{
    EXPECT_FALSE(console->isModal());
    EXPECT_EQ(console->windowTitle(), u"SQL-запрос. Получение любого отчета."_s);
    EXPECT_EQ(memo()->toPlainText(), u"SELECT *\nFROM T_PERSON"_s);
    click(u"btn_Run"_s);
    EXPECT_TRUE(prompter.errors.isEmpty());
    EXPECT_EQ(grid()->rowCount(), fileCount(ws.databaseFile(), u"T_PERSON"_s));
    EXPECT_EQ(grid()->headerData(1, Qt::Horizontal).toString(), u"SURNAME"_s);

    // The result stays for the next showing.
    click(u"btn_Close"_s);
    EXPECT_FALSE(console->isVisible());
    form->findChild<QAction *>(u"actSql"_s)->trigger();
    EXPECT_EQ(grid()->rowCount(), fileCount(ws.databaseFile(), u"T_PERSON"_s));
}

TEST_F(FormSqlTest, AMisspeltTableShowsTheMessageAndAnEmptyGrid)
{
    click(u"btn_Run"_s);
    ASSERT_GT(grid()->rowCount(), 0);
    memo()->setPlainText(u"SELECT * FROM T_PERSN"_s);
    click(u"btn_Run"_s);
    EXPECT_EQ(prompter.errors, QStringList{u"Проверьте правильность ввода SQL-запроса."_s});
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_EQ(grid()->columnCount(), 0);
    // Nothing to export: the export buttons do nothing, not even ask for a file.
    click(u"btn_SaveTxt"_s);
    click(u"btn_SaveHtml"_s);
    EXPECT_TRUE(chosen.isEmpty());
}

TEST_F(FormSqlTest, ExportsAndQueryTextsGoToTheChosenFiles)
{
    memo()->setPlainText(u"SELECT NUM, SURNAME FROM T_PERSON ORDER BY NUM LIMIT 3"_s);
    click(u"btn_Run"_s);
    ASSERT_EQ(grid()->rowCount(), 3);
    nextFile = ws.root() + u"/Report/r.txt"_s;
    click(u"btn_SaveTxt"_s);
    QFile text(nextFile);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(text.readAll().count("\r\n"), 8);
    nextFile = ws.root() + u"/Report/r.htm"_s;
    click(u"btn_SaveHtml"_s);
    QFile page(nextFile);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().startsWith("<HTML>\r\n"));

    nextFile = ws.root() + u"/sql/q.sql"_s;
    click(u"btn_Save"_s);
    memo()->setPlainText(u"something else"_s);
    click(u"btn_Open"_s);
    EXPECT_EQ(memo()->toPlainText(), u"SELECT NUM, SURNAME FROM T_PERSON ORDER BY NUM LIMIT 3"_s);
    EXPECT_EQ(chosen,
              (QList<int>{int(TFormSQL::FileUse::TextExport), int(TFormSQL::FileUse::HtmlExport),
                          int(TFormSQL::FileUse::SaveQuery), int(TFormSQL::FileUse::OpenQuery)}));
    // A cancelled dialog changes nothing.
    nextFile.clear();
    click(u"btn_Open"_s);
    EXPECT_EQ(memo()->toPlainText(), u"SELECT NUM, SURNAME FROM T_PERSON ORDER BY NUM LIMIT 3"_s);
    EXPECT_TRUE(prompter.errors.isEmpty());
}

TEST_F(FormSqlTest, ALongQueryIsInterruptedAndTheConsoleGoesOn)
{
    memo()->setPlainText(u"WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c) "
                         u"SELECT COUNT(*) FROM c"_s);
    bool wasRunning = false;
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, console, [&] {
        if (!console->isRunning()) return;
        wasRunning = true;
        EXPECT_TRUE(button(u"btn_Interrupt"_s)->isEnabled());
        EXPECT_FALSE(button(u"btn_Run"_s)->isEnabled());
        click(u"btn_Interrupt"_s);
    });
    press.start(20);
    click(u"btn_Run"_s); // returns once the query has stopped
    press.stop();
    EXPECT_TRUE(wasRunning);
    EXPECT_FALSE(console->isRunning());
    EXPECT_TRUE(prompter.errors.isEmpty());
    EXPECT_EQ(grid()->rowCount(), 0);

    memo()->setPlainText(u"SELECT COUNT(*) AS N FROM T_PERSON"_s);
    click(u"btn_Run"_s);
    ASSERT_EQ(grid()->rowCount(), 1);
    EXPECT_EQ(grid()->index(0, 0).data().toInt(), fileCount(ws.databaseFile(), u"T_PERSON"_s));
}
