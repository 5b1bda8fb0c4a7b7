#include "clirun.h"
#include "eliminationaspects.h"
#include "filevalue.h"
#include "tempworkspace.h"

#include <gtest/gtest.h>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class EliminationVerbs : public ::testing::Test {
protected:
    void SetUp() override
    {
        Store store(ws.databaseFile());
        addEliminationAspect(store, 0, 7, 4);
        addEliminationAspect(store, 1, 8, 16);
    }
    CliRun cli(QStringList args, bool yes = false)
    {
        if (yes) args.prepend(u"--yes"_s);
        return test::cli(QStringList{u"--root"_s, ws.root()} + args);
    }
    QVariant value(const QString &sql) { return fileValue(ws.databaseFile(), sql); }

    TempWorkspace ws;
};

} // namespace

TEST_F(EliminationVerbs, APlainTablePlayedFromTheCommandLine)
{
    CliRun r = cli({u"prepare"_s});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.lines(), QStringList{u"info: Все готово для проведения тура прямого выбывания!"_s});
    EXPECT_EQ(cli({u"prepare"_s, u"--groups"_s, u"2"_s}).status, 2);
    EXPECT_EQ(cli({u"de-open"_s}).status, 0);
    EXPECT_EQ(cli({u"de-first"_s}).status, 0);
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_OLIMP"_s), 4);

    for (const auto &[start, touches] : {std::pair{1, 5}, {4, 3}, {3, 1}, {2, 5}})
        ASSERT_EQ(
            cli({u"de-touches"_s, u"1"_s, QString::number(start), QString::number(touches)}).status,
            0);
    r = cli({u"de-touches"_s, u"1"_s, u"1"_s, u"100"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"от 0 до 99"_s)) << r.err.toStdString();
    EXPECT_EQ(value(u"SELECT PRICK FROM REZ_OLIMP WHERE NUM_START=1"_s).toInt(), 5);
    EXPECT_EQ(cli({u"de-touches"_s, u"1"_s, u"x"_s, u"1"_s}).status, 2);

    EXPECT_EQ(cli({u"de-next"_s, u"1"_s}).status, 1); // totals not yet run
    r = cli({u"de-totals"_s, u"1"_s});
    EXPECT_EQ(r.lines(), QStringList{u"info: Итоги круга успешно подведены!"_s});
    EXPECT_EQ(cli({u"de-add"_s, u"1"_s}).status, 0);
    EXPECT_EQ(cli({u"de-places"_s, u"1"_s}).status, 0);
    r = cli({u"de-next"_s, u"1"_s});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(value(u"SELECT COUNT(*) FROM REZ_OLIMP WHERE NUM_CIRCLE=2"_s).toInt(), 4);
    EXPECT_EQ(value(u"SELECT PLACE FROM T_PART WHERE NUM_ASPECT=0 AND START=4"_s).toInt(), 3);

    ASSERT_EQ(cli({u"de-touches"_s, u"2"_s, u"1"_s, u"5"_s}).status, 0);
    ASSERT_EQ(cli({u"de-touches"_s, u"2"_s, u"2"_s, u"2"_s}).status, 0);
    ASSERT_EQ(cli({u"de-touches"_s, u"2"_s, u"4"_s, u"5"_s}).status, 0);
    ASSERT_EQ(cli({u"de-touches"_s, u"2"_s, u"3"_s, u""_s}).status, 0);
    ASSERT_EQ(cli({u"de-totals"_s, u"2"_s}).status, 0);
    ASSERT_EQ(cli({u"de-places"_s, u"2"_s}).status, 0);
    QStringList places;
    for (int s = 1; s <= 4; ++s)
        places << value(u"SELECT PLACE FROM T_PART WHERE NUM_ASPECT=0 AND START=%1"_s.arg(s))
                      .toString();
    EXPECT_EQ(places.join(u' '), u"1 2 3 3"_s); // 3 had no touches in the bout for third place
    EXPECT_EQ(cli({u"de-next"_s, u"2"_s}).status, 0); // the last circle: nothing to build
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_OLIMP"_s), 8);

    EXPECT_EQ(cli({u"de-totals"_s, u"3"_s}).status, 1); // the tour has two circles
    r = cli({u"de-clear"_s, u"2"_s});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_OLIMP"_s), 8);
    r = cli({u"de-clear"_s, u"2"_s}, true);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_OLIMP"_s), 4);
}

TEST_F(EliminationVerbs, RefusalsOfTheCommandLine)
{
    // The repechage tour of aspect 1 with 15 admitted is refused.
    Store(ws.databaseFile()).exec(u"UPDATE T_VT SET KOL=15 WHERE NUM_ASPECT=1"_s);
    CliRun r = cli({u"--aspect"_s, u"1"_s, u"prepare"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"от 16 до 128"_s));
    EXPECT_EQ(fileCount(ws.databaseFile(), u"TOUR_OLIMP"_s), 0);
    // Start numbers 1, 2, 4, 5 for 4 admitted.
    Store(ws.databaseFile()).exec(u"UPDATE T_PART SET START=5 WHERE NUM_ASPECT=0 AND START=3"_s);
    r = cli({u"de-open"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.trimmed(), u"error: Проверьте порядок стартовых номеров !!! Номер: 4."_s);
    EXPECT_EQ(cli({u"de-totals"_s}).status, 2);
    EXPECT_EQ(cli({u"de-first"_s, u"1"_s}).status, 2);
}
