#include "clirun.h"
#include "filevalue.h"
#include "poolfield.h"
#include "tempworkspace.h"

#include <gtest/gtest.h>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

// The demo competition: aspect 0 has 18 fencers classified 1 … 18 in a pool tour and an
// elimination tour; aspect 1 runs elimination only.
class PoolVerbs : public ::testing::Test {
protected:
    CliRun run(QStringList args) { return cli(QStringList{u"--root"_s, ws.root()} + args); }
    QVariant file(const QString &sql) const { return fileValue(ws.databaseFile(), sql); }
    TempWorkspace ws{true};
};

} // namespace

TEST_F(PoolVerbs, PrepareStoresTheSizesOrSaysWhyNot)
{
    EXPECT_EQ(run({u"prepare"_s}).status, 2);
    EXPECT_EQ(run({u"prepare"_s, u"--groups"_s, u"три"_s}).status, 2);
    const CliRun three = run({u"prepare"_s, u"--groups"_s, u"3"_s});
    EXPECT_EQ(three.status, 0) << three.err.toStdString();
    EXPECT_EQ(file(u"SELECT group_concat(KOL) FROM TOUR_PR WHERE NUM_ASPECT = 0"_s).toString(),
              u"6,6,6"_s);
    const CliRun five = run({u"prepare"_s, u"--groups"_s, u"5"_s}); // 4, 4, 4, 3, 3
    EXPECT_EQ(five.status, 0);
    EXPECT_EQ(five.lines(), QStringList{u"info: Введите другое кол-во групп, т.к. кол-во "
                                        u"участников д.б. в диапазоне от 4 до 9 !"_s});
    EXPECT_EQ(file(u"SELECT COUNT(*) FROM TOUR_PR"_s).toInt(), 3);
    EXPECT_EQ(run({u"--tour"_s, u"7"_s, u"prepare"_s, u"--groups"_s, u"3"_s}).status, 2);
}

TEST_F(PoolVerbs, DistributeTypeAndTotalAGroup)
{
    ASSERT_EQ(run({u"prepare"_s, u"--groups"_s, u"3"_s}).status, 0);
    const CliRun declined = run({u"distribute"_s});
    EXPECT_EQ(declined.status, 3);
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_TOUR"_s), 0);
    const CliRun dealt = run({u"--yes"_s, u"distribute"_s});
    EXPECT_EQ(dealt.status, 0) << dealt.err.toStdString();
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_TOUR"_s), 18);
    EXPECT_EQ(file(u"SELECT COUNT(*) FROM REZ_TOUR WHERE F1 = '--' AND NUM_START = 1"_s).toInt(),
              3);
    EXPECT_EQ(run({u"--yes"_s, u"distribute"_s, u"--no-org"_s}).status, 0);
    // Plain dealing: seed 1 heads group 1, seed 6 is its second.
    EXPECT_EQ(file(u"SELECT P.CLASSIFICATION FROM REZ_TOUR R JOIN T_PART P ON P.NUM_PERS = R.PART "
                   u"WHERE R.NUM_GROUP = 1 AND R.NUM_START = 2"_s)
                  .toInt(),
              6);
    EXPECT_EQ(run({u"distribute"_s, u"--org"_s}).status, 2);

    EXPECT_EQ(run({u"cell"_s, u"1"_s, u"1"_s, u"2"_s, u"v5"_s}).status, 0);
    EXPECT_EQ(run({u"cell"_s, u"1"_s, u"2"_s, u"1"_s, u"V3"_s}).status, 0); // both won: a slip
    const CliRun cyrillic = run({u"cell"_s, u"1"_s, u"1"_s, u"3"_s, u"в5"_s});
    EXPECT_EQ(cyrillic.status, 1);
    EXPECT_TRUE(cyrillic.err.startsWith(u"error: Введите V или D латинскими буквами"_s))
        << cyrillic.err.toStdString();
    EXPECT_EQ(run({u"cell"_s, u"1"_s, u"1"_s, u"1"_s, u"V5"_s}).status, 1);  // the diagonal
    EXPECT_EQ(run({u"cell"_s, u"9"_s, u"1"_s, u"2"_s, u"V5"_s}).status, 1);  // no group 9
    EXPECT_EQ(run({u"cell"_s, u"1"_s, u"8"_s, u"2"_s, u"V5"_s}).status, 1);  // no position 8
    EXPECT_EQ(run({u"cell"_s, u"1"_s, u"1"_s, u"12"_s, u"V5"_s}).status, 2); // no cell F12
    EXPECT_EQ(run({u"cell"_s, u"1"_s, u"1"_s}).status, 2);

    const CliRun totals = run({u"group-totals"_s, u"1"_s});
    EXPECT_EQ(totals.status, 0) << totals.err.toStdString();
    EXPECT_EQ(totals.lines(), QStringList{u"info: Несогласованные результаты боёв: 1-2."_s});
    EXPECT_EQ(file(u"SELECT PRICK || ' ' || PRICK_PASS || ' ' || VICTORY || ' ' || FIGHT "
                   u"FROM REZ_TOUR WHERE NUM_GROUP = 1 AND NUM_START = 1"_s)
                  .toString(),
              u"5 3 1 5"_s);
    EXPECT_TRUE(
        file(u"SELECT PRICK FROM REZ_TOUR WHERE NUM_GROUP = 2 AND NUM_START = 1"_s).isNull());
}

TEST_F(PoolVerbs, AnEliminationTourHasNoPools)
{
    const CliRun r = run({u"--aspect"_s, u"1"_s, u"--yes"_s, u"distribute"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_TOUR"_s), 0);
    EXPECT_EQ(run({u"--aspect"_s, u"1"_s, u"group-totals"_s, u"1"_s}).status, 1);
}
