#include "tempworkspace.h"

#include "cli/cliprompter.h"
#include "clirun.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vintrel;
using namespace Qt::StringLiterals;

using test::cli;
using test::CliRun;

TEST(Cli, UsageErrorsExitWithTwo)
{
    QTemporaryDir dir;
    EXPECT_EQ(cli({}).status, 2);
    EXPECT_EQ(cli({u"--root"_s, dir.path(), u"frobnicate"_s}).status, 2);
    EXPECT_EQ(cli({u"--bogus"_s, u"list"_s, u"tbl_PART"_s}).status, 2);
    EXPECT_EQ(cli({u"--aspect"_s, u"x"_s, u"list"_s, u"tbl_PART"_s}).status, 2);
    EXPECT_EQ(cli({u"--root"_s}).status, 2);
    EXPECT_EQ(cli({u"--root"_s, dir.path(), u"init"_s, u"--bogus"_s}).status, 2);
    // A refused init argument leaves no workspace behind.
    EXPECT_FALSE(QFile::exists(dir.path() + u"/bd/Nusk.sqlite"_s));
}

TEST(Cli, InitCreatesTheWorkspaceOnceOnly)
{
    QTemporaryDir dir;
    const QString root = dir.path() + u"/ws"_s;
    const CliRun first = cli({u"--root"_s, root, u"init"_s});
    EXPECT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_TRUE(QFile::exists(root + u"/bd/Nusk.sqlite"_s));
    for (const QString &folder :
         {u"Template"_s, u"Report"_s, u"HTML"_s, u"HELP"_s, u"bd_old"_s, u"sql"_s})
        EXPECT_TRUE(QFileInfo(root + u'/' + folder).isDir()) << folder.toStdString();

    const CliRun second = cli({u"--root"_s, root, u"init"_s, u"--demo"_s});
    EXPECT_EQ(second.status, 1);
    EXPECT_TRUE(second.err.startsWith(u"error: "_s));
    // The existing database was not touched: still no people in it.
    EXPECT_EQ(cli({u"--root"_s, root, u"list"_s, u"tbl_PERSON"_s}).lines().size(), 1);
}

TEST(Cli, ListWithoutDatabaseIsAnError)
{
    QTemporaryDir dir;
    const CliRun run = cli({u"--root"_s, dir.path(), u"list"_s, u"tbl_PART"_s});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.startsWith(u"error: "_s));
    EXPECT_FALSE(QFile::exists(dir.path() + u"/bd/Nusk.sqlite"_s));
}

TEST(Cli, ListPrintsCaptionsThenRows)
{
    test::TempWorkspace ws;
    const CliRun run = cli({u"--root"_s, ws.root(), u"list"_s, u"tbl_NAME_TOUR"_s});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.lines();
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], u"NUM\tNAME"_s);
    EXPECT_EQ(lines[1], u"1\t1 предварительный тур"_s);
    EXPECT_EQ(lines[8], u"8\tТур прямого выбывания с утешением"_s);

    const CliRun unknown = cli({u"--root"_s, ws.root(), u"list"_s, u"tbl_NOPE"_s});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(cli({u"--root"_s, ws.root(), u"list"_s}).status, 2);
}

TEST(Cli, DemoPeopleCarryOrganizationAndName)
{
    QTemporaryDir dir;
    const QString root = dir.path() + u"/demo"_s;
    ASSERT_EQ(cli({u"--root"_s, root, u"init"_s, u"--demo"_s}).status, 0);
    const CliRun run = cli({u"--root"_s, root, u"list"_s, u"tbl_PERSON"_s});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.lines();
    ASSERT_GE(lines.size(), 31);
    const QStringList header = lines[0].split(u'\t');
    const int surname = header.indexOf(u"Фамилия"_s), name = header.indexOf(u"Имя"_s),
              org = header.indexOf(u"Организация"_s), famname = header.indexOf(u"famname"_s);
    ASSERT_GE(surname, 0);
    ASSERT_GE(org, 0);
    ASSERT_GE(famname, 0);
    QString previous;
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList cells = lines[i].split(u'\t');
        ASSERT_EQ(cells.size(), header.size()) << lines[i].toStdString();
        EXPECT_FALSE(cells[org].isEmpty()) << lines[i].toStdString();
        EXPECT_EQ(cells[famname], cells[surname] + u' ' + cells[name]);
        EXPECT_LE(previous, cells[surname]); // ordered by surname
        previous = cells[surname];
    }
}

TEST(Cli, ContextOptionsAreChecked)
{
    QTemporaryDir dir;
    const QString root = dir.path() + u"/demo"_s;
    ASSERT_EQ(cli({u"--root"_s, root, u"init"_s, u"--demo"_s}).status, 0);
    // Only two aspects; the first one's variant has no tour 8.
    EXPECT_EQ(cli({u"--root"_s, root, u"--aspect"_s, u"2"_s, u"list"_s, u"tbl_PART"_s}).status, 2);
    EXPECT_EQ(cli({u"--root"_s, root, u"--tour"_s, u"8"_s, u"list"_s, u"tbl_VT"_s}).status, 2);

    const CliRun first = cli({u"--root"_s, root, u"list"_s, u"tbl_PART"_s});
    const CliRun second = cli({u"--root"_s, root, u"--aspect"_s, u"1"_s, u"list"_s, u"tbl_PART"_s});
    ASSERT_EQ(first.status, 0);
    ASSERT_EQ(second.status, 0);
    EXPECT_GT(first.lines().size(), 1);
    EXPECT_GT(second.lines().size(), 1);
    // Each aspect shows only its own participants.
    const int aspectColumn = first.lines()[0].split(u'\t').indexOf(u"№ ASPECT"_s);
    ASSERT_GE(aspectColumn, 0);
    for (const QString &line : first.lines().mid(1))
        EXPECT_EQ(line.split(u'\t')[aspectColumn], u"0"_s);
    for (const QString &line : second.lines().mid(1))
        EXPECT_EQ(line.split(u'\t')[aspectColumn], u"1"_s);
}

TEST(Cli, MessagesAreOneLineEach)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    CliPrompter no(o, e, false);
    EXPECT_FALSE(no.confirm(u"Первая строка\nвторая\n\rтретья"_s));
    no.error(u"Ошибка\r\nдальше"_s);
    no.info(u"Готово"_s);
    o.flush();
    e.flush();
    EXPECT_EQ(out, u"confirm: Первая строка\\nвторая\\nтретья -> no\ninfo: Готово\n"_s);
    EXPECT_EQ(err, u"error: Ошибка\\nдальше\n"_s);
    EXPECT_TRUE(no.declined());
    EXPECT_TRUE(no.errorShown());

    CliPrompter yes(o, e, true);
    EXPECT_TRUE(yes.confirm(u"Да?"_s));
    EXPECT_FALSE(yes.declined());
}
