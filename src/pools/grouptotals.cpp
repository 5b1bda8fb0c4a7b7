#include "grouptotals.h"

#include "poolcontext.h"
#include "pooltotals.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "app/prompter.h"
#include "data/datasource.h"
#include "data/dm.h"
#include "data/refusal.h"

#include <algorithm>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

// The score rows tbl_REZ_TOUR shows, by position (rows of one position by key).
QList<PoolSheetRow> shownSheetRows(const Table &scores)
{
    const int key = scores.fieldIndex(u"NUM"_s);
    const int position = scores.fieldIndex(u"NUM_START"_s);
    const int firstCell = scores.fieldIndex(u"F1"_s);
    QList<PoolSheetRow> rows;
    rows.reserve(scores.recordCount());
    for (int r = 0; r < scores.recordCount(); ++r) {
        PoolSheetRow row;
        row.key = scores.cell(r, key).toLongLong();
        row.position = scores.cell(r, position).toInt();
        for (int n = 0; n < 9; ++n)
            row.cells[size_t(n)] = scores.cell(r, firstCell + n).toString();
        rows << row;
    }
    std::stable_sort(rows.begin(), rows.end(), [](const PoolSheetRow &a, const PoolSheetRow &b) {
        return a.position < b.position;
    });
    return rows;
}

QString boutList(const QList<std::pair<int, int>> &bouts)
{
    QStringList pairs;
    for (const auto &[a, b] : bouts)
        pairs << u"%1-%2"_s.arg(a).arg(b);
    return pairs.join(u", "_s);
}

// Totals of the current group written into its rows; the disagreeing bouts are returned.
QList<std::pair<int, int>> totalShownGroup(TDM &dm)
{
    Table &scores = *dm.tbl_REZ_TOUR;
    const int group = dm.tbl_TOUR_PR->intValue(u"NUM_GROUP"_s);
    const int k = dm.tbl_TOUR_PR->intValue(u"KOL"_s);
    const QList<PoolSheetRow> rows = shownSheetRows(scores);
    if (const auto bad = findMalformedCell(rows, k))
        throw RuleError(u"Итоги группы %1 не подведены: у участника под номером %2 в клетке F%3 "
                        u"записано «%4», а нужно V или D и одна цифра (например, V5 или D3). "
                        u"Исправьте клетку и подведите итоги снова."_s.arg(group)
                            .arg(bad->position)
                            .arg(bad->cell)
                            .arg(bad->text));
    for (const PoolRowTotals &t : computePoolTotals(rows, k))
        dm.store().execPrepared(u"UPDATE REZ_TOUR SET PRICK = ?, FIGHT = ?, VICTORY = ?, "
                                u"VIC_FIGHT_A = ?, PRICK_PASS = ? WHERE NUM = ?"_s,
                                {t.scored, t.fights, t.victories, t.ratio, t.received, t.key});
    scores.refresh();
    scores.first();
    return disagreeingBouts(rows, k);
}

void postPendingEdits(TDM &dm)
{
    dm.tbl_REZ_TOUR->post();
    dm.tbl_TOUR_PR->post();
}

} // namespace

bool totalCurrentGroup(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    requirePoolTour(context);
    if (dm.tbl_TOUR_PR->isEmpty())
        throw RuleError(u"Группы не заданы! Задайте кол-во групп в виде!"_s);
    postPendingEdits(dm);
    QList<std::pair<int, int>> disagreeing;
    {
        DetachedSource detached(*dm.DS_REZ_TOUR);
        atomically(dm.store(), [&] { disagreeing = totalShownGroup(dm); });
    }
    if (!disagreeing.isEmpty())
        prompter.info(u"Несогласованные результаты боёв: %1."_s.arg(boutList(disagreeing)));
    return true;
}

bool recalculateAllGroups(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    requirePoolTour(context);
    postPendingEdits(dm);
    QStringList disagreeing;
    {
        DetachedSource detached(*dm.DS_REZ_TOUR);
        atomically(dm.store(), [&] {
            const int groups = dm.tbl_TOUR_PR->recordCount();
            for (int g = 1; g <= groups; ++g) {
                // A tour whose groups are not numbered 1 … g has no group g to total.
                if (!selectPoolGroup(dm, g, nullptr)) continue;
                const auto bouts = totalShownGroup(dm);
                if (!bouts.isEmpty()) disagreeing << u"группа %1: %2"_s.arg(g).arg(boutList(bouts));
            }
        });
    }
    if (!disagreeing.isEmpty())
        prompter.info(u"Несогласованные результаты боёв: %1."_s.arg(disagreeing.join(u"; "_s)));
    return true;
}

} // namespace vintrel
