#pragma once

#include <QList>

#include <optional>

namespace vintrel {

// The shape of a direct-elimination table: its size, its circles, the seeding of the first
// circle, the pairs of each circle and where each bout's winner and loser go next. Pure
// arithmetic, so that every rule can be checked without a database.

inline constexpr int kPlainEliminationTour = 7;
inline constexpr int kRepechageTour = 8;

// The smallest power of two not below `kol` (2 … 128); 0 when kol lies outside 2 … 128.
int tableSize(int kol);

// Circles of a tour of that kind for `kol` participants: log2 N for a plain table, log2 N + 2
// with repechage; 0 when the kind does not take that many participants.
int circleCount(int tourKind, int kol);

// The table seeding order of a table of `size` (a power of two, 2 … 128): `size` start
// numbers, pair k of the first circle being entries 2k-2 and 2k-1. Built up from size 2:
// each number s of the order of half the size becomes s and size+1-s, the odd one first.
QList<int> seedingOrder(int size);

// Pairs of circle `circle` (1 = the first) in a plain table for `kol` participants: B from the
// table size halved once for every circle before it (2 pairs for a table of 2 or less).
int pairsInCircle(int kol, int circle);

// Pairs the circle totals visit: pairsInCircle, replaced in a table with repechage by the
// pairs its circle with `circlesAfter` circles after it holds, and 2 in the last circle (the
// final and the bout for third place).
int pairsToTotal(int tourKind, int kol, int circle, int circlesAfter);

// Where an entrant of pair `pair` goes when the circle with `circlesAfter` circles after it
// is carried forward: `circleStep` 1 is the next circle, 2 the one after it.
struct CarryTarget {
    int circleStep = 1;
    int pair = 0;
    bool operator==(const CarryTarget &) const = default;
};
std::optional<CarryTarget> carryTarget(int tourKind, int circlesAfter, int pair, bool won);

} // namespace vintrel
