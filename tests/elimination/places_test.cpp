#include "eliminationfixture.h"
#include "filevalue.h"

#include <set>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

const QString kPlacesDone =
    u"Итоговое место успешно перенесено в итоговую таблицу для выбывших участников!"_s;
const QString kTotalsDone = u"Результаты круга успешно занесены в итоговую таблицу!"_s;

class Places : public EliminationFixture {
protected:
    // Plays every circle of the started table: the favourites win unless `upset` says the
    // first entrant of a bout loses; after each circle its totals, its places, the next one.
    void playTable(const std::function<bool(int, int)> &firstWins = [](int a, int b) {
        return a < b;
    })
    {
        const int circles = eliminationCircleCount(*dm);
        for (int c = 1; c <= circles; ++c) {
            playCircle(c, firstWins);
            ASSERT_TRUE(onCircle(c, addCircleToTotals));
            ASSERT_TRUE(onCircle(c, giveCirclePlaces)) << prompter.errors.join(u'\n').toStdString();
            if (c < circles) {
                ASSERT_TRUE(next(c));
            }
        }
    }
    QString allPlaces(int count)
    {
        QStringList out;
        for (int s = 1; s <= count; ++s)
            out << QString::number(placeOf(s));
        return out.join(u' ');
    }
};

} // namespace

TEST_F(Places, PlainTableOfSixteenGivesACompleteRanking)
{
    startTable(7, 16);
    // Circle by circle: 9 to 16, then 5 to 8, then 3 for both semi-final losers.
    playCircle(1);
    ASSERT_TRUE(onCircle(1, giveCirclePlaces));
    EXPECT_EQ(allPlaces(16), u"0 0 0 0 0 0 0 0 9 10 11 12 13 14 15 16"_s);
    ASSERT_TRUE(next(1));
    playCircle(2);
    ASSERT_TRUE(onCircle(2, giveCirclePlaces));
    ASSERT_TRUE(next(2));
    playCircle(3);
    ASSERT_TRUE(onCircle(3, giveCirclePlaces));
    EXPECT_EQ(allPlaces(8), u"0 0 3 3 5 6 7 8"_s);
    ASSERT_TRUE(next(3));
    playCircle(4);
    ASSERT_TRUE(onCircle(4, giveCirclePlaces));
    EXPECT_EQ(allPlaces(16), u"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"_s);
    EXPECT_EQ(prompter.infos.count(kPlacesDone), 4);
}

TEST_F(Places, RepechageTableOfSixteenGivesACompleteRanking)
{
    startTable(8, 16);
    playCircle(1);
    prompter.infos.clear();
    ASSERT_TRUE(onCircle(1, giveCirclePlaces)); // R = 5: the losers go on into the repechage
    EXPECT_EQ(prompter.infos, QStringList{kPlacesDone});
    EXPECT_EQ(allPlaces(4), u"101 102 103 104"_s);
    ASSERT_TRUE(next(1));
    playCircle(2);
    ASSERT_TRUE(onCircle(2, giveCirclePlaces)); // only the repechage pairs 5 to 8
    EXPECT_EQ(allPlaces(16), u"101 102 103 104 105 106 107 108 109 110 111 112 13 14 15 16"_s);
    ASSERT_TRUE(next(2));
    for (int c = 3; c <= 6; ++c) {
        playCircle(c);
        ASSERT_TRUE(onCircle(c, giveCirclePlaces));
        if (c < 6) {
            ASSERT_TRUE(next(c));
        }
        if (c == 3) {
            EXPECT_EQ(allPlaces(12).section(u' ', 8), u"9 10 11 12"_s);
        }
    }
    EXPECT_EQ(allPlaces(16), u"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"_s);
}

TEST_F(Places, TwelveInATableOfSixteenInStartNumberOrder)
{
    startTable(7, 12);
    playCircle(1, [](int a, int b) { return a == 9 || a == 5 ? false : a < b; }); // 8 and 12 win
    ASSERT_TRUE(onCircle(1, giveCirclePlaces));
    // Eight winners, four of them by bye; the losers 5, 9, 10, 11 get 9 to 12.
    EXPECT_EQ(allPlaces(12), u"0 0 0 0 9 0 0 0 10 11 12 0"_s);
}

TEST_F(Places, LastCircleLeavesAnUndecidedThirdPlaceAtThree)
{
    startTable(7, 4);
    playCircle(1);
    ASSERT_TRUE(onCircle(1, giveCirclePlaces));
    ASSERT_TRUE(next(1));
    EXPECT_EQ(pairs(2), u"1:1-2; 2:4-3"_s);
    ASSERT_TRUE(touches(2, 1, 2)); // 2 wins the final
    ASSERT_TRUE(touches(2, 2, 5));
    ASSERT_TRUE(touches(2, 3, 5)); // 4 has no touches entered: the loser keeps 3
    ASSERT_TRUE(onCircle(2, totalCircle));
    ASSERT_TRUE(onCircle(2, giveCirclePlaces));
    EXPECT_EQ(allPlaces(4), u"2 1 3 3"_s);
}

TEST_F(Places, AByeForThirdPlaceKeepsThree)
{
    startTable(7, 3);
    EXPECT_EQ(pairs(1), u"1:1; 2:3-2"_s);
    playCircle(1);
    ASSERT_TRUE(onCircle(1, giveCirclePlaces));
    ASSERT_TRUE(next(1));
    EXPECT_EQ(pairs(2), u"1:1-2; 2:3"_s);
    playCircle(2, [](int, int) { return false; });
    ASSERT_TRUE(onCircle(2, giveCirclePlaces));
    EXPECT_EQ(allPlaces(3), u"2 1 3"_s);
}

TEST_F(Places, LastCircleWithoutTotalsIsRefused)
{
    startTable(7, 2);
    ASSERT_TRUE(touches(1, 1, 5));
    EXPECT_FALSE(onCircle(1, giveCirclePlaces));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].startsWith(u"Итоги круга 1 не подведены"_s));
    EXPECT_EQ(allPlaces(2), u"101 102"_s);
}

TEST_F(Places, TotalsAddBoutsOnlyAndEveryPressAddsAgain)
{
    open([](Store &s) {
        addEliminationAspect(s, 0, 7, 3);
        s.exec(u"UPDATE T_PART SET FIGHT=4, VICTORY=2, PRICK=10, PRICK_PASS=8 WHERE START=2"_s);
    });
    ASSERT_TRUE(run(prepareEliminationTour));
    ASSERT_TRUE(onCircle(1, buildFirstCircle));
    ASSERT_TRUE(touches(1, 3, 5));
    ASSERT_TRUE(touches(1, 2, 3));

    // Touches without the circle totals are no result yet.
    EXPECT_FALSE(onCircle(1, addCircleToTotals));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].contains(u"стартовым номером 2"_s));
    EXPECT_EQ(participantValue(2, u"FIGHT"_s).toInt(), 4);

    ASSERT_TRUE(onCircle(1, totalCircle));
    prompter.infos.clear();
    ASSERT_TRUE(onCircle(1, addCircleToTotals));
    EXPECT_EQ(prompter.infos, QStringList{kTotalsDone});
    const auto totals = [&](int start) {
        QStringList v;
        for (const QString &f : {u"FIGHT"_s, u"VICTORY"_s, u"PRICK"_s, u"PRICK_PASS"_s}) {
            const QVariant x = participantValue(start, f);
            v << (x.isNull() ? u"-"_s : x.toString());
        }
        return v.join(u' ');
    };
    EXPECT_EQ(totals(1), u"- - - -"_s); // the bye is no bout
    EXPECT_EQ(totals(3), u"1 1 5 3"_s);
    EXPECT_EQ(totals(2), u"5 2 13 13"_s);
    ASSERT_TRUE(onCircle(1, addCircleToTotals));
    EXPECT_EQ(totals(3), u"2 2 10 6"_s);

    // A lost bout gives an empty total 0 victories.
    ASSERT_TRUE(next(1));
    playCircle(2, [](int, int) { return true; }); // 1 beats 3; 2 alone for third place
    ASSERT_TRUE(onCircle(2, addCircleToTotals));
    EXPECT_EQ(totals(1), u"1 1 5 2"_s);
    EXPECT_EQ(totals(3), u"3 2 12 11"_s);
}

TEST_F(Places, ClearingACircleRemovesItInEveryTourOfTheAspectOnly)
{
    open([](Store &s) {
        addEliminationAspect(s, 0, 7, 8);
        addEliminationAspect(s, 1, 7, 4);
        // Circle 2 of a tour with repechage of aspect 0, and circle 2 of aspect 1.
        for (const auto &[aspect, kind] : {std::pair{0, 8}, std::pair{1, 7}})
            s.exec(u"INSERT INTO REZ_OLIMP (NUM_ASPECT, NUM_TOUR, NUM_CIRCLE, NUM_PAIR, "
                   u"NUM_START) VALUES (?, ?, 2, 1, 1)"_s,
                   {aspect, kind});
    });
    ASSERT_TRUE(run(prepareEliminationTour));
    ASSERT_TRUE(onCircle(1, buildFirstCircle));
    playCircle(1);
    ASSERT_TRUE(onCircle(1, addCircleToTotals));
    ASSERT_TRUE(next(1));
    playCircle(2);
    ASSERT_TRUE(next(2));
    const auto count = [&](const QString &where) {
        return fileValue(ws.databaseFile(), u"SELECT COUNT(*) FROM REZ_OLIMP WHERE "_s + where)
            .toInt();
    };
    ASSERT_EQ(count(u"NUM_ASPECT=0 AND NUM_CIRCLE=2"_s), 5);

    prompter.answers = {false};
    EXPECT_FALSE(onCircle(2, clearCircle));
    EXPECT_EQ(prompter.confirms, QStringList{u"Вы уверены, что хотите очистить таблицу с "
                                             u"результатами тура прямого выбывания?"_s});
    EXPECT_EQ(count(u"NUM_ASPECT=0 AND NUM_CIRCLE=2"_s), 5);

    EXPECT_TRUE(onCircle(2, clearCircle));
    EXPECT_EQ(count(u"NUM_ASPECT=0 AND NUM_CIRCLE=2"_s), 0);
    EXPECT_EQ(count(u"NUM_ASPECT=0 AND NUM_CIRCLE=1"_s), 8);
    EXPECT_EQ(count(u"NUM_ASPECT=0 AND NUM_CIRCLE=3"_s), 4);
    EXPECT_EQ(count(u"NUM_ASPECT=1"_s), 1);
    EXPECT_EQ(dm->tbl_REZ_OLIMP->recordCount(), 0);        // the shown circle is now empty
    EXPECT_EQ(participantValue(1, u"FIGHT"_s).toInt(), 1); // totals stay
}
