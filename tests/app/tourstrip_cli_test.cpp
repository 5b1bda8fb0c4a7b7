#include "tempworkspace.h"
#include "twoaspects.h"

#include "clirun.h"

#include <gtest/gtest.h>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

using test::cli;
using test::CliRun;

class TourStripCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto dm = ws.openDm();
        test::addTwoAspects(dm->store());
    }
    CliRun run(const QStringList &args) const
    {
        return cli(QStringList{u"--root"_s, ws.root()} + args);
    }
    QVariant tourValue(const QString &field, int aspect, int tour) const
    {
        return test::fileValue(
            ws.databaseFile(),
            u"SELECT %1 FROM T_VT WHERE NUM_ASPECT = ? AND NUM_TOUR = ?"_s.arg(field),
            {aspect, tour});
    }

    test::TempWorkspace ws;
};

} // namespace

TEST_F(TourStripCliTest, ListShowsTheOneRowOfTheChosenTour)
{
    const CliRun r = run({u"--aspect"_s, u"1"_s, u"--tour"_s, u"7"_s, u"list"_s, u"tbl_VT"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines(), (QStringList{u"№ вида\t№ тура\tНазвание тура\tДата проведения тура\t"
                                      u"Кол-во участников\tСтатус"_s,
                                      u"1\t7\tТур прямого выбывания\t\t4\t0"_s}));
}

TEST_F(TourStripCliTest, SetKolWritesTheCurrentTour)
{
    const CliRun r = run({u"--aspect"_s, u"1"_s, u"--tour"_s, u"2"_s, u"set-kol"_s, u"16"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(tourValue(u"KOL"_s, 1, 2).toInt(), 16);
    EXPECT_EQ(tourValue(u"KOL"_s, 1, 1).toInt(), 10);
    // Without options: aspect 0, its first tour.
    EXPECT_EQ(run({u"set-kol"_s, u"0"_s}).status, 0);
    EXPECT_EQ(tourValue(u"KOL"_s, 0, 1).toInt(), 0);
}

TEST_F(TourStripCliTest, SetKolRefusesOutOfRangeAndMalformedNumbers)
{
    const CliRun big = run({u"set-kol"_s, u"40000"_s});
    EXPECT_EQ(big.status, 1);
    EXPECT_TRUE(big.err.startsWith(u"error: Число участников тура должно быть от 0 до 32767"_s))
        << big.err.toStdString();
    const CliRun negative = run({u"set-kol"_s, u"-3"_s});
    EXPECT_EQ(negative.status, 1);
    EXPECT_EQ(tourValue(u"KOL"_s, 0, 1).toInt(), 12);

    EXPECT_EQ(run({u"set-kol"_s, u"двенадцать"_s}).status, 2);
    EXPECT_EQ(run({u"set-kol"_s, u"12.5"_s}).status, 2);
    EXPECT_EQ(run({u"set-kol"_s}).status, 2);
    EXPECT_EQ(run({u"set-kol"_s, u"1"_s, u"2"_s}).status, 2);
    EXPECT_EQ(tourValue(u"KOL"_s, 0, 1).toInt(), 12);
}

TEST_F(TourStripCliTest, SetDateWritesTheCurrentTour)
{
    const CliRun r =
        run({u"--aspect"_s, u"1"_s, u"--tour"_s, u"7"_s, u"set-date"_s, u"2024-03-17"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(tourValue(u"TOUR_DATE"_s, 1, 7).toString(), u"2024-03-17"_s);
    const CliRun list = run({u"--aspect"_s, u"1"_s, u"--tour"_s, u"7"_s, u"list"_s, u"tbl_VT"_s});
    EXPECT_EQ(list.lines().value(1), u"1\t7\tТур прямого выбывания\t2024-03-17\t4\t0"_s);
}

TEST_F(TourStripCliTest, SetDateRefusesMalformedDates)
{
    for (const QString &bad : {u"17.03.2024"_s, u"2024-3-17"_s, u"2024-02-30"_s, u"завтра"_s,
                               u"2024-03-17T10:00"_s, QString()}) {
        const CliRun r = run({u"set-date"_s, bad});
        EXPECT_EQ(r.status, 2) << bad.toStdString();
        EXPECT_TRUE(r.err.startsWith(u"usage: "_s)) << r.err.toStdString();
    }
    EXPECT_EQ(run({u"set-date"_s}).status, 2);
    EXPECT_EQ(tourValue(u"TOUR_DATE"_s, 0, 1).toString(), u"2024-03-15"_s);
}

TEST(TourStripCliEmpty, WithoutAspectsThereIsNoTourToWrite)
{
    test::TempWorkspace ws;
    const CliRun r = cli({u"--root"_s, ws.root(), u"set-kol"_s, u"8"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.trimmed(),
              u"error: Нет текущего тура: выберите вид соревнований и тур в списке туров."_s);
}

TEST_F(TourStripCliTest, SetHeldTicksAndUnticksTheCurrentTourOnly)
{
    ASSERT_EQ(tourValue(u"STATE"_s, 1, 1).toInt(), 1);
    const CliRun untick = run({u"--aspect"_s, u"1"_s, u"set-held"_s, u"0"_s});
    EXPECT_EQ(untick.status, 0) << untick.err.toStdString();
    EXPECT_EQ(tourValue(u"STATE"_s, 1, 1).toInt(), 0);

    EXPECT_EQ(run({u"--aspect"_s, u"1"_s, u"--tour"_s, u"7"_s, u"set-held"_s, u"1"_s}).status, 0);
    EXPECT_EQ(tourValue(u"STATE"_s, 1, 7).toInt(), 1);
    EXPECT_EQ(tourValue(u"STATE"_s, 1, 2).toInt(), 0);
    EXPECT_EQ(tourValue(u"STATE"_s, 0, 1).toInt(), 0);

    // Anything but 0 or 1 is a usage error and changes nothing.
    for (const QString &bad : {u"2"_s, u"yes"_s, u""_s}) {
        EXPECT_EQ(run({u"--aspect"_s, u"1"_s, u"--tour"_s, u"7"_s, u"set-held"_s, bad}).status, 2);
        EXPECT_EQ(tourValue(u"STATE"_s, 1, 7).toInt(), 1);
    }
    EXPECT_EQ(run({u"set-held"_s}).status, 2);
}
