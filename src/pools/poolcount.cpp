#include "poolcount.h"

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

// Deletes the rows of groups above `groups` (the last rows in key order) and writes each
// kept or new group's size.
void storeSizes(TDM &dm, const QList<int> &sizes)
{
    Table &pools = *dm.tbl_TOUR_PR;
    const int groups = int(sizes.size());
    for (int extra = pools.recordCount() - groups; extra > 0; --extra) {
        pools.last();
        pools.remove();
    }
    const int aspect = dm.tbl_ASPECT->intValue(u"NUM"_s);
    const int tour = dm.tbl_VARIANT->intValue(u"NUM_TOUR"_s);
    for (int d = 1; d <= groups; ++d) {
        if (pools.locate(u"NUM_GROUP"_s, d)) {
            pools.edit();
        } else {
            pools.append();
            pools.setValue(u"NUM_ASPECT"_s, aspect);
            pools.setValue(u"NUM_TOUR"_s, tour);
            pools.setValue(u"NUM_GROUP"_s, d);
        }
        pools.setValue(u"KOL"_s, sizes[d - 1]);
        pools.post();
    }
}

} // namespace

bool recountPools(TDM &dm, CurrentContext &context, int groups, Prompter &prompter)
{
    requirePoolTour(context);
    if (groups < 1) {
        prompter.info(
            u"Количество групп не может равняться нулю. Проверьте правильность ввода.!"_s);
        return false;
    }
    if (groups > kMaxPools)
        throw RuleError(u"Групп в туре может быть не больше %1."_s.arg(kMaxPools));
    dm.tbl_VT->post(); // a participant count typed in the main window counts
    const QList<int> sizes = serpentineSizes(tourParticipantCount(dm), groups);
    const bool allowed = poolSizesAllowed(sizes);
    if (!allowed)
        prompter.info(u"Введите другое кол-во групп, т.к. кол-во участников д.б. в диапазоне "
                      u"от 4 до 9 !"_s);
    atomically(dm.store(), [&] {
        if (allowed) storeSizes(dm, sizes);
        dm.tbl_TOUR_PR->first();
        // The first tour admits every participant of the aspect, sizes stored or not.
        if (isFirstTour(dm)) {
            Table &tour = *dm.tbl_VT;
            tour.edit();
            tour.setValue(u"KOL"_s, dm.tbl_PART->recordCount());
            tour.post();
        }
    });
    return allowed;
}

void closePoolCount(TDM &dm)
{
    dm.tbl_TOUR_PR->first();
}

} // namespace vintrel
