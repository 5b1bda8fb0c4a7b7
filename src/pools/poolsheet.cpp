#include "poolsheet.h"

#include "boutcell.h"
#include "poolcontext.h"
#include "poolsizes.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "app/prompter.h"
#include "data/dm.h"
#include "data/refusal.h"

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

PoolSheetView currentView(TDM &dm)
{
    Table &pools = *dm.tbl_TOUR_PR;
    PoolSheetView view;
    view.group = pools.intValue(u"NUM_GROUP"_s);
    view.kol = pools.intValue(u"KOL"_s);
    view.firstTour = isFirstTour(dm);
    if (!pools.isEmpty())
        view.lastGroup =
            pools.cell(pools.recordCount() - 1, pools.fieldIndex(u"NUM_GROUP"_s)).toInt();
    return view;
}

} // namespace

bool poolGroupsDefined(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    requirePoolTour(context);
    if (!dm.tbl_TOUR_PR->value(u"NUM_GROUP"_s).isNull()) return true;
    prompter.error(u"Группы не заданы! Задайте кол-во групп в виде!"_s);
    return false;
}

PoolSheetView activatePoolSheet(TDM &dm, Prompter &prompter)
{
    filterCurrentGroup(dm, &prompter);
    dm.tbl_PART->setIndexName(u"ind_surname"_s);
    return currentView(dm);
}

PoolSheetView showPoolGroup(TDM &dm, int group, Prompter &prompter)
{
    dm.tbl_REZ_TOUR->post();
    selectPoolGroup(dm, group, &prompter);
    return currentView(dm);
}

bool addParticipantToGroup(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    Q_UNUSED(prompter);
    requirePoolTour(context);
    Table &pools = *dm.tbl_TOUR_PR;
    Table &scores = *dm.tbl_REZ_TOUR;
    Table &parts = *dm.tbl_PART;
    if (pools.isEmpty() || parts.isEmpty()) return false;
    scores.post();
    const int position = scores.recordCount() + 1;
    if (position > pools.intValue(u"KOL"_s) || position > kMaxPoolSize) return false;
    atomically(dm.store(), [&] {
        scores.append();
        scores.setValue(u"PART"_s, parts.value(u"NUM_PERS"_s));
        scores.setValue(u"NUM_GROUP"_s, pools.value(u"NUM_GROUP"_s));
        scores.setValue(u"NUM_ASPECT"_s, pools.value(u"NUM_ASPECT"_s));
        scores.setValue(u"NUM_TOUR"_s, pools.value(u"NUM_TOUR"_s));
        scores.setValue(u"NUM_START"_s, position);
        scores.setValue(u"F%1"_s.arg(position), diagonalCell());
        scores.post();
    });
    return true;
}

bool locateSurnamePrefix(TDM &dm, const QString &text)
{
    Table &parts = *dm.tbl_PART;
    const int surname = parts.fieldIndex(u"SURNAME"_s);
    for (int r = 0; r < parts.recordCount(); ++r)
        if (parts.cell(r, surname).toString().startsWith(text, Qt::CaseInsensitive))
            return parts.moveTo(r);
    return false;
}

int poolRowOfPosition(const TDM &dm, int position)
{
    const Table &scores = *dm.tbl_REZ_TOUR;
    const int field = scores.fieldIndex(u"NUM_START"_s);
    for (int r = 0; r < scores.recordCount(); ++r)
        if (!scores.cell(r, field).isNull() && scores.cell(r, field).toInt() == position) return r;
    return -1;
}

bool enterBoutCell(TDM &dm, CurrentContext &context, int row, int cell, const QString &typed,
                   Prompter &prompter)
{
    Q_UNUSED(prompter);
    requirePoolTour(context);
    Table &scores = *dm.tbl_REZ_TOUR;
    if (row < 0 || row >= scores.recordCount()) throw RuleError(u"В группе нет такой строки."_s);
    if (cell < 1 || cell > kMaxPoolSize)
        throw RuleError(u"Клетки F%1 нет в протоколе группы."_s.arg(cell));
    const QString stored = checkedBoutCellInput(typed);
    const QVariant position = scores.cell(row, scores.fieldIndex(u"NUM_START"_s));
    if (!position.isNull() && position.toInt() == cell)
        throw RuleError(u"Клетка F%1 участника под номером %1 — диагональ («--»): в ней боя нет, "
                        u"изменить её нельзя."_s.arg(cell));
    const int kol = dm.tbl_TOUR_PR->intValue(u"KOL"_s);
    if (!stored.isEmpty() && cell > kol)
        throw RuleError(u"В группе %1 участников: участника под номером %2 в ней нет, клетка F%2 "
                        u"не заполняется."_s.arg(kol)
                            .arg(cell));
    atomically(dm.store(), [&] {
        scores.moveTo(row);
        scores.edit();
        scores.setValue(u"F%1"_s.arg(cell), stored.isEmpty() ? QVariant() : QVariant(stored));
        scores.post();
    });
    return true;
}

void closePoolSheet(TDM &dm, CurrentContext &context)
{
    dm.tbl_REZ_TOUR->post();
    context.setSortOrder(context.sortOrder());
}

} // namespace vintrel
