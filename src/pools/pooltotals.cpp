#include "pooltotals.h"

#include "boutcell.h"

#include <QHash>

namespace vintrel {

namespace {

int cellsRead(int k)
{
    return qBound(0, k, 9);
}

} // namespace

std::optional<MalformedBoutCell> findMalformedCell(const QList<PoolSheetRow> &rows, int k)
{
    for (const PoolSheetRow &row : rows)
        for (int n = 1; n <= cellsRead(k); ++n)
            if (BoutCell::read(row.cells[n - 1]).kind == BoutCell::Malformed)
                return MalformedBoutCell{row.position, n, row.cells[n - 1]};
    return std::nullopt;
}

QList<PoolRowTotals> computePoolTotals(const QList<PoolSheetRow> &rows, int k)
{
    std::array<int, 10> received{};
    QList<PoolRowTotals> totals;
    totals.reserve(rows.size());
    for (const PoolSheetRow &row : rows) {
        PoolRowTotals t;
        t.key = row.key;
        for (int n = 1; n <= cellsRead(k); ++n) {
            const BoutCell cell = BoutCell::read(row.cells[n - 1]);
            if (!cell.isBout()) continue;
            t.scored += cell.touches;
            received[n] += cell.touches;
            if (cell.kind == BoutCell::Victory) ++t.victories;
        }
        t.fights = qMax(k - 1, 0);
        t.ratio = k > 1 ? double(t.victories) / double(k - 1) : 0.0;
        totals << t;
    }
    for (int i = 0; i < rows.size(); ++i) {
        const int position = rows[i].position;
        totals[i].received = position >= 1 && position <= cellsRead(k) ? received[position] : 0;
    }
    return totals;
}

QList<std::pair<int, int>> disagreeingBouts(const QList<PoolSheetRow> &rows, int k)
{
    QHash<int, const PoolSheetRow *> byPosition;
    for (const PoolSheetRow &row : rows)
        if (!byPosition.contains(row.position)) byPosition.insert(row.position, &row);
    QList<std::pair<int, int>> found;
    const int last = cellsRead(k);
    for (int a = 1; a <= last; ++a)
        for (int b = a + 1; b <= last; ++b) {
            const PoolSheetRow *rowA = byPosition.value(a), *rowB = byPosition.value(b);
            if (!rowA || !rowB) continue;
            const BoutCell x = BoutCell::read(rowA->cells[b - 1]);
            const BoutCell y = BoutCell::read(rowB->cells[a - 1]);
            if (!x.isBout() && !y.isBout()) continue;
            bool agree = x.isBout() && y.isBout() && x.kind != y.kind;
            if (agree) {
                const BoutCell &winner = x.kind == BoutCell::Victory ? x : y;
                const BoutCell &loser = x.kind == BoutCell::Victory ? y : x;
                agree = winner.touches >= loser.touches;
            }
            if (!agree) found.append({a, b});
        }
    return found;
}

} // namespace vintrel
