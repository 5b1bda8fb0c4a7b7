#include "eliminationfixture.h"
#include "filevalue.h"

#include "elimination/tablelayout.h"

#include <array>
#include <set>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

using Circles = EliminationFixture;

const QString kTouchesRule = u"Количество уколов должно быть целым числом от 0 до 99 (пустое поле "
                             u"— бой не проводился)."_s;

} // namespace

TEST_F(Circles, FirstCircleOfFiveTwoAndSixtyFive)
{
    startTable(7, 5);
    EXPECT_EQ(pairs(1), u"1:1; 2:5-4; 3:3; 4:2"_s);
    for (const CircleEntry &e : circleRows(1)) { // place and person from the participant
        EXPECT_EQ(e.place.toInt(), e.start + 100);
        EXPECT_EQ(e.part.toInt(), personOf(0, e.start));
        EXPECT_TRUE(e.prick.isNull() && e.prickPass.isNull() && e.victory.isNull());
    }
    // The window shows circle 1 in pair order.
    EXPECT_EQ(dm->tbl_REZ_OLIMP->recordCount(), 5);
    EXPECT_EQ(dm->tbl_REZ_OLIMP->intValue(u"NUM_START"_s), 1);
}

TEST_F(Circles, FirstCircleOfTwo)
{
    startTable(7, 2);
    EXPECT_EQ(pairs(1), u"1:1-2"_s);
}

TEST_F(Circles, FirstCircleOfSixtyFiveHasOneBout)
{
    startTable(7, 65);
    const std::vector<CircleEntry> rows = circleRows(1);
    ASSERT_EQ(rows.size(), 65u);
    std::map<int, int> perPair;
    for (const CircleEntry &e : rows)
        ++perPair[e.pair];
    EXPECT_EQ(perPair.size(), 64u);
    for (const auto &[pair, count] : perPair)
        EXPECT_EQ(count, pair == 2 ? 2 : 1) << pair;
    EXPECT_EQ(rows[0].start, 1);
    EXPECT_EQ(rows[1].start, 65);
    EXPECT_EQ(rows[2].start, 64);
}

TEST_F(Circles, FirstCircleOfOneHundredTwentyEightFollowsTheSeedingOrder)
{
    startTable(7, 128);
    const std::vector<CircleEntry> rows = circleRows(1);
    ASSERT_EQ(rows.size(), 128u);
    const QList<int> order = seedingOrder(128);
    for (int i = 0; i < 128; ++i) {
        EXPECT_EQ(rows[size_t(i)].pair, i / 2 + 1);
        EXPECT_EQ(rows[size_t(i)].start, order[i]);
    }
}

TEST_F(Circles, FirstCircleRefusedOnAnotherCircleOrWhenAlreadyBuilt)
{
    startTable(7, 8);
    EXPECT_FALSE(onCircle(2, buildFirstCircle));
    EXPECT_EQ(prompter.errors, QStringList{u"Выбран не 1-ый круг."_s});
    prompter.errors.clear();
    EXPECT_FALSE(onCircle(1, buildFirstCircle));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].startsWith(u"Первый круг уже сформирован."_s));
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_OLIMP"_s), 8);
}

TEST_F(Circles, TotalsOfBoutsTiesEmptyTouchesAndByes)
{
    startTable(7, 7);              // pair 1 holds start number 1 alone (8 is absent)
    ASSERT_TRUE(touches(1, 5, 5)); // pair 2: 5 against 4
    ASSERT_TRUE(touches(1, 4, 3));
    ASSERT_TRUE(touches(1, 3, 4)); // pair 3: 3 against 6, a tie
    ASSERT_TRUE(touches(1, 6, 4));
    ASSERT_TRUE(touches(1, 2, 2)); // pair 4: 7 without touches against 2
    ASSERT_TRUE(onCircle(1, totalCircle));
    EXPECT_EQ(prompter.infos, QStringList{u"Итоги круга успешно подведены!"_s});
    struct Expect {
        int start;
        QVariant prickPass, victory;
    };
    const std::map<int, Expect> expected{
        {1, {1, QVariant(), 1}}, {5, {5, 3, 1}}, {4, {4, 5, 0}}, {3, {3, 4, 0}},
        {6, {6, 4, 0}},          {7, {7, 2, 0}}, {2, {2, 0, 1}},
    };
    for (const CircleEntry &e : circleRows(1)) {
        const Expect &x = expected.at(e.start);
        EXPECT_EQ(e.prickPass.isNull(), x.prickPass.isNull()) << e.start;
        EXPECT_EQ(e.prickPass.toInt(), x.prickPass.toInt()) << e.start;
        EXPECT_EQ(e.victory.toInt(), x.victory.toInt()) << e.start;
    }
    EXPECT_TRUE(circleRows(1)[0].prick.isNull()); // the bye's touches stay as they are

    // Again after a correction: the same values from the touches as they now stand.
    ASSERT_TRUE(touches(1, 6, 2));
    ASSERT_TRUE(onCircle(1, totalCircle));
    for (const CircleEntry &e : circleRows(1))
        if (e.start == 3 || e.start == 6) {
            EXPECT_EQ(e.victory.toInt(), e.start == 3 ? 1 : 0);
        }
}

TEST_F(Circles, PlainTableOfEightCarriedCircleByCircle)
{
    startTable(7, 8);
    EXPECT_EQ(pairs(1), u"1:1-8; 2:5-4; 3:3-6; 4:7-2"_s);
    playCircle(1);
    ASSERT_TRUE(next(1));
    EXPECT_EQ(pairs(2), u"1:1-4; 2:3-2"_s);
    EXPECT_EQ(dm->tbl_TOUR_OLIMP->intValue(u"NUM_CIRCLE"_s), 2); // the window moves on
    EXPECT_EQ(dm->tbl_REZ_OLIMP->recordCount(), 4);
    playCircle(2, [](int a, int b) { return a > b; }); // 4 and 3 win the semi-finals
    ASSERT_TRUE(next(2));
    EXPECT_EQ(pairs(3), u"1:4-3; 2:1-2"_s);
    EXPECT_TRUE(prompter.infos.size() == 2 && prompter.errors.isEmpty()); // next tells nothing

    // The last circle has no next one: nothing written, the window stays there.
    playCircle(3);
    const int rows = fileCount(ws.databaseFile(), u"REZ_OLIMP"_s);
    EXPECT_FALSE(next(3));
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_OLIMP"_s), rows);
    EXPECT_EQ(dm->tbl_TOUR_OLIMP->intValue(u"NUM_CIRCLE"_s), 3);
    EXPECT_TRUE(prompter.errors.isEmpty());
}

TEST_F(Circles, PlaceIsCarriedWithEmptyAsZero)
{
    open([](Store &s) {
        addEliminationAspect(s, 0, 7, 4);
        s.exec(u"UPDATE T_PART SET PLACE=NULL WHERE START=4"_s);
    });
    ASSERT_TRUE(run(prepareEliminationTour));
    ASSERT_TRUE(onCircle(1, buildFirstCircle));
    EXPECT_TRUE(circleRows(1)[1].place.isNull());  // start 4 in the first circle
    playCircle(1, [](int, int) { return false; }); // 4 and 2 win
    ASSERT_TRUE(next(1));
    EXPECT_EQ(pairs(2), u"1:4-2; 2:1-3"_s);
    std::map<int, QVariant> places;
    for (const CircleEntry &e : circleRows(2))
        places[e.start] = e.place;
    EXPECT_EQ(places[4], QVariant(0));
    EXPECT_EQ(places[2].toInt(), 102);
    EXPECT_EQ(places[1].toInt(), 101);
}

TEST_F(Circles, ATieWhereTheLoserLeavesCarriesNobody)
{
    startTable(7, 8);
    playCircle(1);
    ASSERT_TRUE(touches(1, 5, 3));
    ASSERT_TRUE(touches(1, 4, 3));
    ASSERT_TRUE(onCircle(1, totalCircle));
    ASSERT_TRUE(next(1));
    EXPECT_EQ(pairs(2), u"1:1; 2:3-2"_s);
}

// A tie in a bout whose loser goes on would put three entrants into one pair.
class TiedBout : public EliminationFixture,
                 public testing::WithParamInterface<std::array<int, 4>> {};

TEST_P(TiedBout, IsRefusedNamingThePair)
{
    const auto [kind, kol, circle, tiedPair] = GetParam();
    startTable(kind, kol);
    for (int c = 1; c < circle; ++c) {
        playCircle(c);
        ASSERT_TRUE(next(c));
    }
    playCircle(circle);
    for (const CircleEntry &e : circleRows(circle))
        if (e.pair == tiedPair) {
            ASSERT_TRUE(touches(circle, e.start, 4));
        }
    ASSERT_TRUE(onCircle(circle, totalCircle));
    const int before = fileCount(ws.databaseFile(), u"REZ_OLIMP"_s);
    EXPECT_FALSE(next(circle));
    EXPECT_EQ(prompter.errors,
              QStringList{u"В паре %1 круга %2 равный счет, а проигравший в ней бой продолжает "
                          u"турнир: победитель должен быть определен. Исправьте уколы этой "
                          u"пары и снова подведите итоги круга."_s.arg(tiedPair)
                              .arg(circle)});
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_OLIMP"_s), before);
    EXPECT_EQ(dm->tbl_TOUR_OLIMP->intValue(u"NUM_CIRCLE"_s), circle);
}

// The semi-finals of a plain table; with repechage the last sixteen (R = 5), a main pair of
// the circle after it (R = 4) and the semi-finals.
INSTANTIATE_TEST_SUITE_P(Circles, TiedBout,
                         testing::Values(std::array{7, 4, 1, 1}, std::array{7, 8, 2, 2},
                                         std::array{8, 16, 1, 3}, std::array{8, 16, 2, 2},
                                         std::array{8, 16, 5, 1}));

TEST_F(Circles, AnUndecidedOrRepeatedNextCircleIsRefused)
{
    startTable(7, 8);
    ASSERT_TRUE(touches(1, 1, 5));
    EXPECT_FALSE(next(1));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].startsWith(u"Итоги круга 1 не подведены: в паре 1"_s))
        << prompter.errors[0].toStdString();
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_OLIMP"_s), 8);

    playCircle(1);
    ASSERT_TRUE(next(1));
    prompter.errors.clear();
    EXPECT_FALSE(next(1));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].startsWith(u"Круг 2 уже сформирован"_s));
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_OLIMP"_s), 12);
}

TEST_F(Circles, TouchesAreEmptyOrAWholeNumberUpToNinetyNine)
{
    startTable(7, 4);
    ASSERT_TRUE(touches(1, 1, 7));
    for (const QString &bad : {u"100"_s, u"-1"_s, u"abc"_s, u"2.5"_s, u"5 5"_s}) {
        prompter.errors.clear();
        EXPECT_FALSE(touches(1, 1, bad)) << bad.toStdString();
        EXPECT_EQ(prompter.errors, QStringList{kTouchesRule}) << bad.toStdString();
        EXPECT_EQ(circleRows(1)[0].prick.toInt(), 7);
    }
    EXPECT_TRUE(touches(1, 1, 99));
    EXPECT_EQ(circleRows(1)[0].prick.toInt(), 99);
    EXPECT_TRUE(touches(1, 1, u""_s));
    EXPECT_TRUE(circleRows(1)[0].prick.isNull());
    prompter.errors.clear();
    EXPECT_FALSE(touches(1, 9, 1));
    EXPECT_EQ(prompter.errors, QStringList{u"В круге 1 нет участника со стартовым номером 9."_s});
}

namespace {

// The entrants of `winners` win their bouts.
std::function<bool(int, int)> won(std::set<int> winners)
{
    return [winners](int a, int) { return winners.count(a) > 0; };
}

class Repechage : public EliminationFixture {
protected:
    // A table of 16 with repechage played by the favourites up to the circle with R = 3.
    void playToThirdCircle()
    {
        startTable(8, 16);
        EXPECT_EQ(pairs(1), u"1:1-16; 2:9-8; 3:5-12; 4:13-4; 5:3-14; 6:11-6; 7:7-10; 8:15-2"_s);
        playCircle(1);
        ASSERT_TRUE(next(1));
        // Winners to pairs 1 to 4, losers of pairs 1 and 2 into pair 5, … of 7 and 8 into 8.
        EXPECT_EQ(pairs(2), u"1:1-8; 2:5-4; 3:3-6; 4:7-2; 5:16-9; 6:12-13; 7:14-11; 8:10-15"_s);
        playCircle(2);
        ASSERT_TRUE(next(2));
        // The main winners wait in circle 4; main losers meet the repechage winners.
        EXPECT_EQ(dm->tbl_TOUR_OLIMP->intValue(u"NUM_CIRCLE"_s), 3);
        EXPECT_EQ(pairs(3), u"1:8-9; 2:5-12; 3:6-11; 4:7-10"_s);
        EXPECT_EQ(pairs(4), u"1:1; 2:4; 3:3; 4:2"_s);
    }
};

} // namespace

TEST_F(Repechage, TableOfSixteenCarriedCircleByCircle)
{
    playToThirdCircle();
    playCircle(3); // the main losers win: every pair of circle 4 would repeat circle 2
    ASSERT_TRUE(next(3));
    EXPECT_EQ(dm->tbl_TOUR_OLIMP->intValue(u"NUM_CIRCLE"_s), 4);
    EXPECT_EQ(pairs(4), u"1:1-7; 2:4-6; 3:3-5; 4:2-8"_s);
    playCircle(4);
    ASSERT_TRUE(next(4));
    EXPECT_EQ(pairs(5), u"1:1-4; 2:3-2"_s);
    playCircle(5, won({4, 2}));
    ASSERT_TRUE(next(5));
    EXPECT_EQ(pairs(6), u"1:4-2; 2:1-3"_s);
    EXPECT_FALSE(next(6));
}

TEST_F(Repechage, LoserOfPairOneWinningAgainSwapsPairsOneAndFour)
{
    playToThirdCircle();
    playCircle(3, won({8, 12, 11, 10})); // 1 and 8 met in circle 2
    ASSERT_TRUE(next(3));
    EXPECT_EQ(pairs(4), u"1:1-10; 2:4-12; 3:3-11; 4:2-8"_s);
}

TEST_F(Repechage, ARepeatInPairFourSwapsPairsOneAndFour)
{
    playToThirdCircle();
    playCircle(3, won({9, 12, 11, 7})); // 2 and 7 met in circle 2
    ASSERT_TRUE(next(3));
    EXPECT_EQ(pairs(4), u"1:1-7; 2:4-12; 3:3-11; 4:2-9"_s);
}

TEST_F(Repechage, ARepeatInPairTwoOrThreeSwapsPairsTwoAndThree)
{
    playToThirdCircle();
    playCircle(3, won({9, 5, 11, 10})); // 4 and 5 met in circles 1 and 2
    ASSERT_TRUE(next(3));
    EXPECT_EQ(pairs(4), u"1:1-9; 2:4-11; 3:3-5; 4:2-10"_s);
}

TEST_F(Repechage, NoRepeatNoSwap)
{
    playToThirdCircle();
    playCircle(3, won({9, 12, 11, 10}));
    ASSERT_TRUE(next(3));
    EXPECT_EQ(pairs(4), u"1:1-9; 2:4-12; 3:3-11; 4:2-10"_s);
}
