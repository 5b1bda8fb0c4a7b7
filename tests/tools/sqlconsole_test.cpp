#include "clirun.h"
#include "datatestutil.h"

#include "data/refusal.h"
#include "tools/sqlconsole.h"
#include "tools/pageencoding.h"
#include "tools/sqlexports.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class SqlConsoleTest : public ::testing::Test {
protected:
    TempWorkspace ws{true};
    SqlConsole console{ws.databaseFile()};

    std::unique_ptr<SqlResult> run(const QString &text)
    {
        auto result = std::make_unique<SqlResult>();
        result->setRows(console.run(text));
        return result;
    }
    QByteArray exported(const QString &text, bool html)
    {
        const auto result = run(text);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        html ? writeHtmlExport(buffer, *result) : writeTextExport(buffer, *result);
        return buffer.data();
    }
};

} // namespace

TEST_F(SqlConsoleTest, TheInitialQueryListsThePeopleRegister)
{
    const auto result = run(u"SELECT *\nFROM T_PERSON"_s);
    EXPECT_EQ(result->recordCount(), fileCount(ws.databaseFile(), u"T_PERSON"_s));
    EXPECT_GT(result->recordCount(), 0);
    EXPECT_EQ(result->fieldTitle(0), u"NUM"_s);
    EXPECT_EQ(result->fieldTitle(1), u"SURNAME"_s);
}

TEST_F(SqlConsoleTest, TwoColumnsAndThreeRowsExportAsEightTextLines)
{
    const QByteArray text = exported(
        u"SELECT 'Ёлкин' AS Фамилия, 1 AS N UNION ALL SELECT NULL, 2 UNION ALL SELECT '中', NULL"_s,
        false);
    EXPECT_EQ(text, PageEncoding::plain(u"Фамилия\r\nN\r\nЁлкин\r\n1\r\n-\r\n2\r\n?\r\n-\r\n"_s));
    EXPECT_EQ(text.count("\r\n"), 8);
}

TEST_F(SqlConsoleTest, HtmlExportHasTheConsoleLinesWithEscapedValues)
{
    const QByteArray html = exported(u"SELECT 'a<b & c' AS \"X>Y\", '' AS E, '中' AS Z"_s, true);
    EXPECT_EQ(html, QByteArray("<HTML>\r\n"
                               "<meta http-equiv=\"Content-Type\" content=\"text/html; "
                               "charset=windows-1251\">\r\n"
                               "<HEAD>\r\n<TITLE> </TITLE>\r\n</HEAD>\r\n"
                               "<table width=\"100%\" border=\"1\" cellspacing=\"0\" "
                               "cellpadding=\"0\">\r\n"
                               "<TR>\r\n<th>X&gt;Y</th>\r\n<th>E</th>\r\n<th>Z</th>\r\n</TR>\r\n"
                               "<tr>\r\n<td>a&lt;b &amp; c</td>\r\n<td>-</td>\r\n"
                               "<td>&#20013;</td>\r\n</tr>\r\n"
                               "</tr>\r\n</TABLE>\r\n</BODY>\r\n</HTML>\r\n"));
}

// Nothing typed into the console can change the competition.
TEST_F(SqlConsoleTest, WrongAndChangingStatementsShowTheMessageAndChangeNothing)
{
    const int people = fileCount(ws.databaseFile(), u"T_PERSON"_s);
    const QString other = ws.root() + u"/other.sqlite"_s;
    for (const QString &sql :
         {u"SELECT * FROM T_PERSN"_s, u"SELEKT 1"_s, u"UPDATE T_PERSON SET SURNAME = 'x'"_s,
          u"DELETE FROM T_PERSON"_s, u"INSERT INTO T_PERSON (SURNAME) VALUES ('x')"_s,
          u"DROP TABLE T_PERSON"_s, u"ATTACH DATABASE '%1' AS o"_s.arg(other),
          u"DELETE FROM T_PERSON RETURNING NUM"_s, u"SELECT 1; DELETE FROM T_PERSON"_s,
          u"PRAGMA query_only=0"_s, u""_s}) {
        try {
            console.run(sql);
            ADD_FAILURE() << "ran: " << sql.toStdString();
        } catch (const RuleError &e) {
            EXPECT_EQ(e.message(), u"Проверьте правильность ввода SQL-запроса."_s);
        }
    }
    EXPECT_EQ(fileCount(ws.databaseFile(), u"T_PERSON"_s), people);
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT COUNT(*) FROM T_PERSON WHERE SURNAME = 'x'"_s)
                  .toInt(),
              0);
    EXPECT_FALSE(QFile::exists(other));
    EXPECT_EQ(run(u"SELECT COUNT(*) AS N FROM T_PERSON"_s)->cell(0, 0).toInt(), people);
}

TEST_F(SqlConsoleTest, AnInterruptedQueryLeavesTheConsoleUsable)
{
    std::atomic<bool> finished = false;
    bool interrupted = false;
    std::thread worker([&] {
        try {
            console.run(u"WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c) "
                        u"SELECT COUNT(*) FROM c"_s);
        } catch (const SqlConsole::Interrupted &) {
            interrupted = true;
        } catch (...) {
        }
        finished = true;
    });
    while (!finished) {
        console.interrupt();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    worker.join();
    EXPECT_TRUE(interrupted);
    EXPECT_EQ(run(u"SELECT 40 + 2"_s)->cell(0, 0).toInt(), 42);
}

TEST(QueryText, RoundTripsInWindows1251OrUtf8)
{
    const QString cyrillic = u"SELECT *\nFROM T_PERSON\nWHERE SURNAME = 'Ёлкин'"_s;
    const QByteArray bytes = encodeQueryText(cyrillic);
    EXPECT_EQ(bytes,
              PageEncoding::plain(u"SELECT *\r\nFROM T_PERSON\r\nWHERE SURNAME = 'Ёлкин'\r\n"_s));
    EXPECT_EQ(decodeQueryText(bytes), cyrillic);
    const QString wide = u"SELECT '中文'\nFROM T_ORG"_s;
    const QByteArray utf8 = encodeQueryText(wide);
    EXPECT_TRUE(utf8.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(utf8.mid(3), QByteArray("SELECT '\xE4\xB8\xAD\xE6\x96\x87'\r\nFROM T_ORG\r\n"));
    EXPECT_EQ(decodeQueryText(utf8), wide);
}

TEST(SqlVerb, PrintsTheResultAndWritesTheExports)
{
    TempWorkspace ws(true);
    const QString txt = ws.root() + u"/Report/r.txt"_s, html = ws.root() + u"/Report/r.htm"_s;
    const CliRun run = cli({u"--root"_s, ws.root(), u"sql"_s,
                            u"SELECT NUM, SURNAME FROM T_PERSON ORDER BY NUM LIMIT 3"_s, u"--txt"_s,
                            txt, u"--html"_s, html});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    ASSERT_EQ(run.lines().size(), 4);
    EXPECT_EQ(run.lines()[0], u"NUM\tSURNAME"_s);
    EXPECT_TRUE(run.lines()[1].startsWith(u"1\t"_s));
    QFile text(txt);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(text.readAll().count("\r\n"), 8);
    QFile page(html);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray pageBytes = page.readAll();
    EXPECT_EQ(pageBytes.count("<tr>\r\n"), 3);
    EXPECT_EQ(pageBytes.count("</tr>\r\n"), 4);

    const CliRun wrong = cli({u"--root"_s, ws.root(), u"sql"_s, u"DELETE FROM T_PERSON"_s});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err.trimmed(), u"error: Проверьте правильность ввода SQL-запроса."_s);
    EXPECT_EQ(cli({u"--root"_s, ws.root(), u"sql"_s}).status, 2);
}
