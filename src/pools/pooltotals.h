#pragma once

#include "poolsheetrow.h"

#include <QList>

#include <optional>
#include <utility>

namespace vintrel {

// The totals of one fencer in a pool of k.
struct PoolRowTotals {
    qint64 key = 0;
    int scored = 0;   // PRICK: the digits of the row's own V and D cells
    int received = 0; // PRICK_PASS: the digits in the column of the row's position
    int victories = 0;
    int fights = 0;     // k − 1, whatever has been entered
    double ratio = 0.0; // VICTORY / (k − 1); 0 in a pool of one
};

// A stored cell that starts with V or D but has no digit after it.
struct MalformedBoutCell {
    int position = 0;
    int cell = 0;
    QString text;
};

// The first malformed cell among F1 … Fk of the rows (in the order given), if any.
std::optional<MalformedBoutCell> findMalformedCell(const QList<PoolSheetRow> &rows, int k);

// The totals of every row, in the order given; only F1 … Fk are read. A cell that is no bout
// counts for nothing; the caller has refused malformed cells first. Touches received are
// summed per position, so the row at position a gets the digits of column a.
QList<PoolRowTotals> computePoolTotals(const QList<PoolSheetRow> &rows, int k);

// The bouts (a, b), a < b ≤ k, whose two cells do not agree: both V, both D, one side entered
// and the other not, or the winner with fewer touches than the loser.
QList<std::pair<int, int>> disagreeingBouts(const QList<PoolSheetRow> &rows, int k);

} // namespace vintrel
