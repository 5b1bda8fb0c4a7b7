#include "elimination/tablelayout.h"

#include <QStringList>

#include <map>
#include <string>

#include <gtest/gtest.h>

using namespace vintrel;

namespace {

// The first circle of every table size as the competition rules print it, pair by pair.
const std::map<int, std::vector<int>> kPrintedTables{
    {2, {1, 2}},
    {4, {1, 4, 3, 2}},
    {8, {1, 8, 5, 4, 3, 6, 7, 2}},
    {16, {1, 16, 9, 8, 5, 12, 13, 4, 3, 14, 11, 6, 7, 10, 15, 2}},
    {32, {1, 32, 17, 16, 9,  24, 25, 8, 5, 28, 21, 12, 13, 20, 29, 4,
          3, 30, 19, 14, 11, 22, 27, 6, 7, 26, 23, 10, 15, 18, 31, 2}},
    {64, {1,  64, 33, 32, 17, 48, 49, 16, 9,  56, 41, 24, 25, 40, 57, 8,  5,  60, 37, 28, 21, 44,
          53, 12, 13, 52, 45, 20, 29, 36, 61, 4,  3,  62, 35, 30, 19, 46, 51, 14, 11, 54, 43, 22,
          27, 38, 59, 6,  7,  58, 39, 26, 23, 42, 55, 10, 15, 50, 47, 18, 31, 34, 63, 2}},
    {128, {1,  128, 65,  64, 33, 96,  97,  32, 17, 112, 81,  48, 49, 80,  113, 16, 9,  120, 73,  56,
           41, 88,  105, 24, 25, 104, 89,  40, 57, 72,  121, 8,  5,  124, 69,  60, 37, 92,  101, 28,
           21, 108, 85,  44, 53, 76,  117, 12, 13, 116, 77,  52, 45, 84,  109, 20, 29, 100, 93,  36,
           61, 68,  125, 4,  3,  126, 67,  62, 35, 94,  99,  30, 19, 110, 83,  46, 51, 78,  115, 14,
           11, 118, 75,  54, 43, 86,  107, 22, 27, 102, 91,  38, 59, 70,  123, 6,  7,  122, 71,  58,
           39, 90,  103, 26, 23, 106, 87,  42, 55, 74,  119, 10, 15, 114, 79,  50, 47, 82,  111, 18,
           31, 98,  95,  34, 63, 66,  127, 2}},
};

} // namespace

TEST(SeedingOrder, EverySizeMatchesThePrintedTable)
{
    for (const auto &[size, printed] : kPrintedTables) {
        const QList<int> order = seedingOrder(size);
        ASSERT_EQ(order.size(), qsizetype(printed.size())) << size;
        for (size_t i = 0; i < printed.size(); ++i)
            EXPECT_EQ(order[qsizetype(i)], printed[i]) << "size " << size << " entry " << i;
    }
}

TEST(SeedingOrder, PairsAddUpAndTheOddNumberComesFirst)
{
    for (int size = 2; size <= 128; size *= 2) {
        const QList<int> order = seedingOrder(size);
        QList<int> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        for (int i = 0; i < size; ++i)
            EXPECT_EQ(sorted[i], i + 1) << "size " << size << ": every start number once";
        for (int k = 0; k < size / 2; ++k) {
            EXPECT_EQ(order[2 * k] + order[2 * k + 1], size + 1) << size;
            EXPECT_EQ(order[2 * k] % 2, 1) << size << " pair " << k + 1;
        }
        if (size >= 4) { // 1 and 2 can meet only in the final
            EXPECT_LT(order.indexOf(1), size / 2);
            EXPECT_GE(order.indexOf(2), size / 2);
        }
    }
}

TEST(TableSize, EveryNumberOfParticipantsAtTheRangeLimits)
{
    struct Case {
        int kol, size, plain, repechage;
    };
    for (const Case c : {Case{0, 0, 0, 0},
                         {1, 0, 0, 0},
                         {2, 2, 1, 0},
                         {3, 4, 2, 0},
                         {4, 4, 2, 0},
                         {5, 8, 3, 0},
                         {8, 8, 3, 0},
                         {9, 16, 4, 0},
                         {15, 16, 4, 0},
                         {16, 16, 4, 6},
                         {17, 32, 5, 7},
                         {32, 32, 5, 7},
                         {33, 64, 6, 8},
                         {64, 64, 6, 8},
                         {65, 128, 7, 9},
                         {128, 128, 7, 9},
                         {129, 0, 0, 0}}) {
        EXPECT_EQ(tableSize(c.kol), c.size) << c.kol;
        EXPECT_EQ(circleCount(kPlainEliminationTour, c.kol), c.plain) << c.kol;
        EXPECT_EQ(circleCount(kRepechageTour, c.kol), c.repechage) << c.kol;
    }
}

TEST(PairsToTotal, PairsOfEveryCircleOfEveryTable)
{
    const std::map<int, std::pair<std::string, std::string>> expected{
        {2, {"2", ""}},
        {4, {"2 2", ""}},
        {8, {"4 2 2", ""}},
        {16, {"8 4 2 2", "8 8 4 4 2 2"}},
        {32, {"16 8 4 2 2", "16 8 8 4 4 2 2"}},
        {64, {"32 16 8 4 2 2", "32 16 8 8 4 4 2 2"}},
        {128, {"64 32 16 8 4 2 2", "64 32 16 8 8 4 4 2 2"}},
    };
    for (const auto &[size, pairs] : expected)
        for (int kind : {kPlainEliminationTour, kRepechageTour}) {
            const int circles = circleCount(kind, size);
            QStringList got;
            for (int c = 1; c <= circles; ++c)
                got << QString::number(pairsToTotal(kind, size, c, circles - c));
            EXPECT_EQ(got.join(u' ').toStdString(),
                      kind == kPlainEliminationTour ? pairs.first : pairs.second)
                << size << " kind " << kind;
        }
}

TEST(CarryTarget, WhereWinnersAndLosersGo)
{
    struct Case {
        int kind, after, pair;
        bool won;
        std::optional<CarryTarget> target;
    };
    const std::vector<Case> cases{
        {7, 3, 5, true, CarryTarget{1, 3}},  {7, 3, 6, true, CarryTarget{1, 3}},
        {7, 3, 5, false, std::nullopt},      {7, 1, 1, false, CarryTarget{1, 2}},
        {7, 1, 2, true, CarryTarget{1, 1}},  {8, 6, 3, true, CarryTarget{1, 2}},
        {8, 6, 3, false, std::nullopt},      {8, 5, 3, false, CarryTarget{1, 6}},
        {8, 5, 8, false, CarryTarget{1, 8}}, {8, 4, 3, true, CarryTarget{2, 3}},
        {8, 4, 3, false, CarryTarget{1, 3}}, {8, 4, 7, true, CarryTarget{1, 3}},
        {8, 4, 7, false, std::nullopt},      {8, 3, 2, true, CarryTarget{1, 2}},
        {8, 3, 2, false, std::nullopt},      {8, 2, 4, true, CarryTarget{1, 2}},
        {8, 2, 4, false, std::nullopt},      {8, 1, 2, false, CarryTarget{1, 2}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(carryTarget(c.kind, c.after, c.pair, c.won), c.target)
            << c.kind << " R=" << c.after << " pair " << c.pair << (c.won ? " won" : " lost");
}
