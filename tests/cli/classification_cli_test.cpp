#include "twoaspects.h"
#include "tempworkspace.h"

#include "clirun.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

using test::cli;
using test::CliRun;

// The command's name as cli.md fixes it; its subcommands follow.
const QString kCommand = u"seed"_s;

class ClassificationCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto dm = ws.openDm();
        test::addTwoAspects(dm->store());
        dm->store().exec(u"UPDATE T_PART SET FIGHT = 4, PRICK = 9"_s);
        dm->store().exec(u"UPDATE T_VT SET STATE = 1"_s);
    }
    CliRun run(const QStringList &options, const QString &subcommand) const
    {
        return cli(QStringList{u"--root"_s, ws.root()} + options +
                   QStringList{kCommand, subcommand});
    }
    // A column of an aspect's participants in row order, empty values as "-".
    QString column(const QString &field, int aspect) const
    {
        return test::fileValue(
                   ws.databaseFile(),
                   u"SELECT group_concat(IFNULL(%1, '-'), ',') FROM "
                   u"(SELECT %1 FROM T_PART WHERE NUM_ASPECT = ? ORDER BY NUM)"_s.arg(field),
                   {aspect})
            .toString();
    }
    QString states() const
    {
        return test::fileValue(ws.databaseFile(),
                               u"SELECT group_concat(STATE, ',') FROM "
                               u"(SELECT STATE FROM T_VT ORDER BY NUM_ASPECT, NUM_TOUR)"_s)
            .toString();
    }

    test::TempWorkspace ws;
};

} // namespace

TEST_F(ClassificationCliTest, RandomClassifiesTheChosenAspect)
{
    const CliRun r = run({u"--aspect"_s, u"1"_s}, u"random"_s);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString(); // no question, no message
    QStringList numbers = column(u"CLASSIFICATION"_s, 1).split(u',');
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));
    EXPECT_EQ(column(u"CLASSIFICATION"_s, 0), u"2,1,4,3"_s);
}

TEST_F(ClassificationCliTest, RandomRestNumbersTheUnclassifiedAfterTheOthers)
{
    {
        auto dm = ws.openDm();
        dm->store().exec(
            u"UPDATE T_PART SET CLASSIFICATION = NULL WHERE NUM_ASPECT = 1 AND CLASSIFICATION > 2"_s);
    }
    const CliRun r = run({u"--aspect"_s, u"1"_s}, u"random-rest"_s);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList numbers = column(u"CLASSIFICATION"_s, 1).split(u',');
    // Rows 2 and 4 kept 1 and 2; rows 1, 3 and 5 got 3, 4 and 5.
    EXPECT_EQ(numbers[1], u"1"_s);
    EXPECT_EQ(numbers[3], u"2"_s);
    QStringList drawn{numbers[0], numbers[2], numbers[4]};
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, (QStringList{u"3"_s, u"4"_s, u"5"_s}));
}

TEST_F(ClassificationCliTest, CopiesAskAndRunWithYes)
{
    const CliRun classToStart = run({u"--yes"_s, u"--aspect"_s, u"1"_s}, u"class-to-start"_s);
    EXPECT_EQ(classToStart.status, 0) << classToStart.err.toStdString();
    EXPECT_EQ(classToStart.lines(),
              QStringList{u"confirm: Скопировать классификацию в поле стартового номера на "
                          u"следующий тур? -> yes"_s});
    EXPECT_EQ(column(u"START"_s, 1), u"3,1,5,2,4"_s);

    const CliRun placeToStart = run({u"--yes"_s}, u"place-to-start"_s);
    EXPECT_EQ(placeToStart.status, 0) << placeToStart.err.toStdString();
    EXPECT_EQ(
        placeToStart.lines(),
        QStringList{
            u"confirm: Скопировать место в поле стартового номера на следующий тур? -> yes"_s});
    EXPECT_EQ(column(u"START"_s, 0), u"1,3,2,4"_s);
    EXPECT_EQ(column(u"START"_s, 1), u"3,1,5,2,4"_s);
}

TEST_F(ClassificationCliTest, WithoutYesTheAnswerIsNoAndNothingChanges)
{
    for (const QString &sub : {u"class-to-start"_s, u"place-to-start"_s, u"zero"_s}) {
        const CliRun r = run({u"--aspect"_s, u"1"_s}, sub);
        EXPECT_EQ(r.status, 3) << sub.toStdString();
        ASSERT_EQ(r.lines().size(), 1) << sub.toStdString();
        EXPECT_TRUE(r.lines().front().startsWith(u"confirm: "_s));
        EXPECT_TRUE(r.lines().front().endsWith(u" -> no"_s));
    }
    EXPECT_EQ(column(u"START"_s, 1), u"2,5,3,1,4"_s);
    EXPECT_EQ(column(u"FIGHT"_s, 1), u"4,4,4,4,4"_s);
    EXPECT_EQ(states(), u"1,1,1,1,1"_s);
}

TEST_F(ClassificationCliTest, ZeroClearsTheChosenTour)
{
    const CliRun r = run({u"--yes"_s, u"--aspect"_s, u"1"_s, u"--tour"_s, u"2"_s}, u"zero"_s);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines(), QStringList{u"confirm: Вы действительно хотите обнулить результаты "
                                     u"соревнований текущего вида? -> yes"_s});
    EXPECT_EQ(column(u"FIGHT"_s, 1), u"0,0,0,0,0"_s);
    EXPECT_EQ(column(u"PRICK"_s, 1), u"0,0,0,0,0"_s);
    EXPECT_EQ(column(u"PLACE"_s, 1), u"0,0,0,0,0"_s);
    EXPECT_EQ(column(u"CLASSIFICATION"_s, 1), u"3,1,5,2,4"_s);
    EXPECT_EQ(column(u"FIGHT"_s, 0), u"4,4,4,4"_s);
    // Tours in order (0,1) (0,7) (1,1) (1,2) (1,7): only (1,2) is no longer held.
    EXPECT_EQ(states(), u"1,1,1,0,1"_s);
}

TEST_F(ClassificationCliTest, AStoreRefusalExitsWithOne)
{
    {
        auto dm = ws.openDm();
        dm->store().exec(u"CREATE TRIGGER refuse_class BEFORE UPDATE OF CLASSIFICATION ON "
                         u"T_PART BEGIN SELECT RAISE(ABORT, 'запрещено'); END"_s);
    }
    const CliRun r = run({}, u"random"_s);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(u"error: "_s)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"запрещено"_s)) << r.err.toStdString();
    EXPECT_EQ(column(u"CLASSIFICATION"_s, 0), u"2,1,4,3"_s);
}

TEST_F(ClassificationCliTest, UnknownOrMissingSubcommandIsAUsageError)
{
    EXPECT_EQ(run({}, u"shuffle"_s).status, 2);
    EXPECT_EQ(cli({u"--root"_s, ws.root(), kCommand}).status, 2);
    EXPECT_EQ(cli({u"--root"_s, ws.root(), kCommand, u"random"_s, u"random"_s}).status, 2);
    const CliRun r = run({u"--yes"_s}, u"Zero"_s);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.startsWith(u"usage: "_s));
    EXPECT_EQ(column(u"FIGHT"_s, 0), u"4,4,4,4"_s);
}
