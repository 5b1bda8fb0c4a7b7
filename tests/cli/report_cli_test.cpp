#include "clirun.h"
#include "tempworkspace.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace vintrel;
using namespace Qt::StringLiterals;

TEST(ReportCli, WritesTheProtocolAndPrintsItsPath)
{
    const test::TempWorkspace ws(true); // the demo competition has officials and participants
    const auto run = [&ws](const QStringList &args) {
        return test::cli(QStringList{u"--root"_s, ws.root()} + args);
    };
    const test::CliRun list = run({u"report"_s, u"list-surname"_s});
    ASSERT_EQ(list.status, 0) << list.err.toStdString();
    ASSERT_EQ(list.lines().size(), 1);
    EXPECT_TRUE(list.lines()[0].endsWith(u"/Report/ЛС_Шпага, мужчины_СПИСОКУЧАСТНИКОВ_ФАМ.rtf"_s))
        << list.out.toStdString();
    EXPECT_TRUE(QFile::exists(list.lines()[0]));

    // The wrong tour kind is the program's message, exit 1, nothing printed on stdout.
    const test::CliRun wrong = run({u"report"_s, u"de-table"_s});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err.trimmed(), u"error: Выбран не тур прямого выбывания!"_s);
    EXPECT_TRUE(wrong.out.isEmpty());

    for (const QStringList &bad : {QStringList{u"report"_s},
                                   {u"report"_s, u"nonsense"_s},
                                   {u"report"_s, u"pool-sheet"_s},
                                   {u"report"_s, u"rating"_s, u"--group"_s, u"1"_s},
                                   {u"report"_s, u"pool-sheet"_s, u"--group"_s, u"x"_s}})
        EXPECT_EQ(run(bad).status, 2) << bad.join(u' ').toStdString();
}

TEST(ReportCli, MissingOfficialsStopBeforeAnythingIsWritten)
{
    const test::TempWorkspace ws; // a new competition: no chief judge, no aspect
    const test::CliRun r = test::cli({u"--root"_s, ws.root(), u"report"_s, u"rating"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(
        u"error: Invalid variant type conversion\\nНе задано название текущего вида"_s))
        << r.err.toStdString();
}
