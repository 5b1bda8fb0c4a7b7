#include "pools/boutcell.h"
#include "pools/pooldealing.h"
#include "pools/poolsizes.h"
#include "pools/pooltotals.h"

#include "data/refusal.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

// The sizes as the serpentine walk gives them, place by place.
QList<int> walkedSizes(int participants, int groups)
{
    QList<int> size(groups, 0);
    for (int i = 0; i < participants;) {
        for (int g = 0; g < groups; ++g, ++i)
            if (i < participants) ++size[g];
        for (int g = groups - 1; g >= 0; --g, ++i)
            if (i < participants) ++size[g];
    }
    return size;
}

} // namespace

struct SizesCase {
    int participants, groups;
    QList<int> sizes;
    bool allowed;
};

class SerpentineSizes : public ::testing::TestWithParam<SizesCase> {};

TEST_P(SerpentineSizes, GivesTheSizesOfTheLastIncompletePass)
{
    const SizesCase &c = GetParam();
    EXPECT_EQ(serpentineSizes(c.participants, c.groups), c.sizes);
    EXPECT_EQ(poolSizesAllowed(c.sizes), c.allowed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SerpentineSizes,
    ::testing::Values(SizesCase{8, 2, {4, 4}, true}, SizesCase{9, 2, {5, 4}, true},
                      SizesCase{13, 3, {5, 4, 4}, true}, SizesCase{14, 3, {5, 5, 4}, true},
                      SizesCase{16, 3, {5, 5, 6}, true}, SizesCase{20, 2, {10, 10}, false},
                      SizesCase{0, 2, {0, 0}, false}, SizesCase{11, 3, {3, 4, 4}, false},
                      SizesCase{36, 4, {9, 9, 9, 9}, true}));

TEST(SerpentineSizes, AgreeWithTheWalkAndWithTheDealing)
{
    for (int groups = 1; groups <= 37; ++groups)
        for (int n = 0; n <= 9 * groups; ++n) {
            const QList<int> sizes = serpentineSizes(n, groups);
            ASSERT_EQ(sizes, walkedSizes(n, groups)) << n << " in " << groups;
            QList<int> dealt(groups, 0);
            for (const PoolPlace &p : dealSerpentine(n, groups))
                ++dealt[p.group - 1];
            ASSERT_EQ(dealt, sizes) << n << " in " << groups;
        }
}

TEST(PlainDealing, TenInThreeGoesInSerpentinePasses)
{
    const QList<PoolPlace> places = dealSerpentine(10, 3);
    const QList<PoolPlace> expected{{1, 1}, {2, 1}, {3, 1}, {3, 2}, {2, 2},
                                    {1, 2}, {1, 3}, {2, 3}, {3, 3}, {3, 4}};
    EXPECT_EQ(places, expected);
}

TEST(PlainDealing, RefusesMoreThanNinePerPool)
{
    EXPECT_THROW(dealSerpentine(19, 2), RuleError);
    EXPECT_NO_THROW(dealSerpentine(18, 2));
    EXPECT_THROW(dealKeepingOrganizationsApart(QList<int>(28, 1), 3), RuleError);
    EXPECT_THROW(dealSerpentine(5, 0), RuleError);
}

namespace {

// Seeds (from 1) of each pool in position order.
std::map<int, QList<int>> poolsOf(const QList<PoolPlace> &places)
{
    std::map<int, std::map<int, int>> byPosition;
    for (int s = 0; s < places.size(); ++s)
        byPosition[places[s].group][places[s].position] = s + 1;
    std::map<int, QList<int>> pools;
    for (const auto &[group, seeds] : byPosition)
        for (const auto &[position, seed] : seeds)
            pools[group] << seed;
    return pools;
}

QList<int> organizationsWithShared(int count, int a, int b)
{
    QList<int> orgs;
    for (int s = 1; s <= count; ++s)
        orgs << s;
    orgs[b - 1] = orgs[a - 1];
    return orgs;
}

} // namespace

TEST(OrganizationDealing, SeedsThreeAndFourOfOneOrganizationAreKeptApart)
{
    const auto pools = poolsOf(dealKeepingOrganizationsApart(organizationsWithShared(12, 3, 4), 3));
    // Pass 2 scans downwards: seed 4 skips group 3 (seed 3), seed 5 takes group 3, seed 6 group 1.
    EXPECT_EQ(pools.at(1).mid(0, 2), (QList<int>{1, 6}));
    EXPECT_EQ(pools.at(2).mid(0, 2), (QList<int>{2, 4}));
    EXPECT_EQ(pools.at(3).mid(0, 2), (QList<int>{3, 5}));
    EXPECT_EQ(pools.at(1).size() + pools.at(2).size() + pools.at(3).size(), 12);
}

TEST(OrganizationDealing, ExchangeSeparatesSeedsOneAndSix)
{
    const QList<PoolPlace> places =
        dealKeepingOrganizationsApart(organizationsWithShared(12, 1, 6), 3);
    const auto pools = poolsOf(places);
    // Seed 6 can only go to group 1; the exchange then swaps it with seed 5.
    EXPECT_EQ(pools.at(1).mid(0, 2), (QList<int>{1, 5}));
    EXPECT_EQ(pools.at(2).mid(0, 2), (QList<int>{2, 6}));
    EXPECT_EQ(pools.at(3).mid(0, 2), (QList<int>{3, 4}));
    EXPECT_EQ(places[4], (PoolPlace{1, 2}));
    EXPECT_EQ(places[5], (PoolPlace{2, 2}));
}

TEST(OrganizationDealing, ThirteenInThreeKeepsTheFifthPlaceInGroupOne)
{
    // Everybody of one organization: the exchange would like to move everyone.
    const QList<PoolPlace> places = dealKeepingOrganizationsApart(QList<int>(13, 7), 3);
    const auto pools = poolsOf(places);
    EXPECT_EQ(pools.at(1).size(), 5);
    EXPECT_EQ(pools.at(2).size(), 4);
    EXPECT_EQ(pools.at(3).size(), 4);
    EXPECT_EQ(places[12], (PoolPlace{1, 5}));
}

namespace {

// The dealing with the organization option written out as the rules read, on a list of who
// sits where, independent of the program's grid: used to check the program on random fields.
struct Seat {
    int seed, group, position, org;
};

QList<PoolPlace> referenceOrganizationDealing(const QList<int> &orgs, int g)
{
    const int n = int(orgs.size());
    QList<Seat> seats;
    // A slot is open while its serpentine index is below N and nobody sits there.
    const auto serpentineIndex = [g](int group, int position) {
        return (position - 1) * g + (position % 2 == 1 ? group - 1 : g - group);
    };
    const auto taken = [&seats](int group, int position) {
        for (const Seat &s : seats)
            if (s.group == group && s.position == position) return true;
        return false;
    };
    const auto open = [&](int group, int position) {
        return serpentineIndex(group, position) < n && !taken(group, position);
    };
    const auto earlierOf = [&seats](int group, int position, int org) {
        int count = 0;
        for (const Seat &s : seats)
            if (s.group == group && s.position < position && s.org == org) ++count;
        return count;
    };
    const auto at = [&seats](int group, int position) -> Seat * {
        for (Seat &s : seats)
            if (s.group == group && s.position == position) return &s;
        return nullptr;
    };

    int c = 0, seed = 0;
    for (int group = 1; group <= g; ++group, ++c)
        if (c < n) seats.append({seed, group, 1, orgs[seed]}), ++seed;
    for (int p = 2; p <= 9; ++p) {
        QList<int> scan;
        for (int k = 1; k <= g; ++k)
            scan << (p % 2 == 0 ? g + 1 - k : k);
        for (int step = 0; step < g; ++step, ++c) {
            if (c >= n) continue;
            const int org = orgs[seed];
            int best = -1, bestMates = 1 << 30;
            for (int group : scan) {
                if (!open(group, p)) continue;
                const int mates = earlierOf(group, p, org);
                if (mates < bestMates) best = group, bestMates = mates;
                if (mates == 0) break;
            }
            seats.append({seed, best, p, org});
            ++seed;
        }
        for (int j = 1; j <= g; ++j) {
            Seat *mine = at(j, p);
            if (!mine || earlierOf(j, p, mine->org) == 0) continue;
            for (int i = 1; i <= g; ++i) {
                Seat *theirs = i == j ? nullptr : at(i, p);
                if (!theirs) continue;
                if (earlierOf(i, p, mine->org) == 0 && earlierOf(j, p, theirs->org) == 0) {
                    std::swap(mine->group, theirs->group);
                    break;
                }
            }
        }
    }
    QList<PoolPlace> places(n);
    for (const Seat &s : seats)
        places[s.seed] = {s.group, s.position};
    return places;
}

} // namespace

TEST(OrganizationDealing, AgreesWithAStraightforwardDealingOnRandomFields)
{
    QRandomGenerator random(20260412);
    for (int round = 0; round < 3000; ++round) {
        const int groups = int(random.bounded(1, 38));
        const int n = int(random.bounded(0, 9 * groups + 1));
        const int organizations = int(random.bounded(1, 12));
        const int withoutOrg = int(random.bounded(0, 100)); // per cent with no organization
        QList<int> orgs;
        for (int i = 0; i < n; ++i)
            orgs << (int(random.bounded(100)) < withoutOrg
                         ? 0
                         : int(random.bounded(1, organizations + 1)));
        const QList<PoolPlace> places = dealKeepingOrganizationsApart(orgs, groups);
        ASSERT_EQ(places, referenceOrganizationDealing(orgs, groups))
            << "round " << round << ": " << n << " in " << groups;
        // Whatever the organizations, the pools have the serpentine sizes and no slot twice.
        QList<int> sizes(groups, 0);
        std::set<std::pair<int, int>> used;
        for (const PoolPlace &p : places) {
            ++sizes[p.group - 1];
            ASSERT_TRUE(used.insert({p.group, p.position}).second);
        }
        ASSERT_EQ(sizes, serpentineSizes(n, groups));
    }
}

struct TypedCell {
    QString typed;
    QString stored; // empty with refused = false: the cell is emptied
    bool refused;
    QString messageStart;
};

class BoutCellInput : public ::testing::TestWithParam<TypedCell> {};

TEST_P(BoutCellInput, StoresOnlyALetterAndADigit)
{
    const TypedCell &c = GetParam();
    if (!c.refused) {
        EXPECT_EQ(checkedBoutCellInput(c.typed), c.stored);
        return;
    }
    try {
        checkedBoutCellInput(c.typed);
        FAIL() << "accepted " << c.typed.toStdString();
    } catch (const RuleError &e) {
        EXPECT_TRUE(e.message().startsWith(c.messageStart)) << e.message().toStdString();
    }
}

const QString kLayout = u"Введите V или D латинскими буквами"_s;
const QString kNotABout = u"«"_s;

INSTANTIATE_TEST_SUITE_P(
    Cases, BoutCellInput,
    ::testing::Values(
        TypedCell{u"V5"_s, u"V5"_s, false, {}}, TypedCell{u"v5"_s, u"V5"_s, false, {}},
        TypedCell{u"d0"_s, u"D0"_s, false, {}}, TypedCell{u"D9"_s, u"D9"_s, false, {}},
        TypedCell{u""_s, u""_s, false, {}}, TypedCell{u" V3 "_s, u"V3"_s, false, {}},
        TypedCell{u"в5"_s, {}, true, kLayout}, TypedCell{u"В5"_s, {}, true, kLayout},
        TypedCell{u"Д3"_s, {}, true, kLayout}, TypedCell{u"V"_s, {}, true, kNotABout},
        TypedCell{u"Vx"_s, {}, true, kNotABout}, TypedCell{u"5V"_s, {}, true, kNotABout},
        TypedCell{u"--"_s, {}, true, kNotABout}, TypedCell{u"X3"_s, {}, true, kNotABout},
        TypedCell{u"V12"_s, {}, true, kNotABout}));

namespace {

PoolSheetRow sheetRow(int position, const QStringList &cells)
{
    PoolSheetRow row;
    row.key = 1000 + position;
    row.position = position;
    for (int n = 0; n < cells.size(); ++n)
        row.cells[size_t(n)] = cells[n];
    return row;
}

} // namespace

TEST(PoolTotals, GroupOfFourExample)
{
    const QList<PoolSheetRow> rows{
        sheetRow(1, {u"--"_s, u"V5"_s, u"D2"_s, u"V5"_s}), sheetRow(2, {u""_s, u"--"_s}),
        sheetRow(3, {u""_s, u""_s, u"--"_s}), sheetRow(4, {u""_s, u""_s, u""_s, u"--"_s})};
    const QList<PoolRowTotals> t = computePoolTotals(rows, 4);
    ASSERT_EQ(t.size(), 4);
    EXPECT_EQ(t[0].key, 1001);
    EXPECT_EQ(t[0].scored, 12);
    EXPECT_EQ(t[0].victories, 2);
    EXPECT_EQ(t[0].fights, 3);
    EXPECT_DOUBLE_EQ(t[0].ratio, 2.0 / 3.0);
    EXPECT_EQ(t[0].received, 0);
    EXPECT_EQ(t[1].received, 5);
    EXPECT_EQ(t[2].received, 2);
    EXPECT_EQ(t[3].received, 5);
    EXPECT_EQ(t[3].scored, 0);
}

TEST(PoolTotals, EmptyGroupPoolOfOneAndCellsBeyondKol)
{
    const QList<PoolSheetRow> empty{sheetRow(1, {u"--"_s}), sheetRow(2, {u""_s, u"--"_s}),
                                    sheetRow(3, {u""_s, u""_s, u"--"_s}),
                                    sheetRow(4, {u""_s, u""_s, u""_s, u"--"_s})};
    for (const PoolRowTotals &t : computePoolTotals(empty, 4)) {
        EXPECT_EQ(t.scored, 0);
        EXPECT_EQ(t.received, 0);
        EXPECT_EQ(t.victories, 0);
        EXPECT_EQ(t.fights, 3);
        EXPECT_EQ(t.ratio, 0.0);
    }
    const QList<PoolRowTotals> one = computePoolTotals({sheetRow(1, {u"--"_s})}, 1);
    EXPECT_EQ(one[0].fights, 0);
    EXPECT_EQ(one[0].ratio, 0.0);

    // F6 of a group of 5, a lower-case v and a "V" cell beyond KOL count for nothing.
    const QList<PoolSheetRow> five{
        sheetRow(1, {u"--"_s, u"v5"_s, u""_s, u""_s, u"V3"_s, u"V5"_s, u"Vx"_s}),
        sheetRow(5, {u"D1"_s, u""_s, u""_s, u""_s, u"--"_s})};
    const QList<PoolRowTotals> t = computePoolTotals(five, 5);
    EXPECT_EQ(t[0].scored, 3);
    EXPECT_EQ(t[0].victories, 1);
    EXPECT_EQ(t[0].received, 1);
    EXPECT_EQ(t[1].received, 3);
    EXPECT_FALSE(findMalformedCell(five, 5).has_value()); // F7 is beyond KOL
    EXPECT_TRUE(findMalformedCell(five, 7).has_value());
}

TEST(PoolTotals, MalformedCellNamesPositionAndCell)
{
    const QList<PoolSheetRow> rows{sheetRow(1, {u"--"_s, u"V4"_s}), sheetRow(2, {u"D"_s, u"--"_s}),
                                   sheetRow(3, {u"Vx"_s, u""_s, u"--"_s})};
    const auto bad = findMalformedCell(rows, 3);
    ASSERT_TRUE(bad.has_value());
    EXPECT_EQ(bad->position, 2);
    EXPECT_EQ(bad->cell, 1);
    EXPECT_EQ(bad->text, u"D"_s);
}

TEST(PoolTotals, DisagreeingBoutsAreFound)
{
    const QList<PoolSheetRow> rows{//           1         2         3         4         5
                                   sheetRow(1, {u"--"_s, u"V5"_s, u"V5"_s, u"V5"_s, u"V3"_s}),
                                   sheetRow(2, {u"D3"_s, u"--"_s, u"D2"_s, u""_s, u"V5"_s}),
                                   sheetRow(3, {u"V4"_s, u"V5"_s, u"--"_s, u""_s, u""_s}),
                                   sheetRow(4, {u""_s, u""_s, u""_s, u"--"_s, u"D4"_s}),
                                   sheetRow(5, {u"D4"_s, u"D1"_s, u""_s, u"V4"_s, u"--"_s})};
    // 1-2 agrees; 1-3 both V; 1-4 one side only; 1-5 the winner has fewer touches;
    // 2-3 agrees; 2-5 agrees; 4-5 agrees with equal touches (priority).
    const QList<std::pair<int, int>> expected{{1, 3}, {1, 4}, {1, 5}};
    EXPECT_EQ(disagreeingBouts(rows, 5), expected);
}
