#include "poolcontext.h"

#include "app/currentcontext.h"
#include "app/prompter.h"
#include "data/dm.h"
#include "data/refusal.h"

namespace vintrel {

using namespace Qt::StringLiterals;

bool isFirstTour(const TDM &dm)
{
    return dm.tbl_VT->intValue(u"NUM_TOUR"_s) <= 1;
}

int tourParticipantCount(const TDM &dm)
{
    return isFirstTour(dm) ? dm.tbl_PART->recordCount() : dm.tbl_VT->intValue(u"KOL"_s);
}

void requirePoolTour(const CurrentContext &context)
{
    if (!context.hasAspect())
        throw RuleError(u"Нет текущего вида: выберите вид соревнований в списке видов."_s);
    if (!context.hasTour()) throw RuleError(u"У текущего вида нет туров."_s);
    if (!TDM::isPoolTour(context.currentTourKind()))
        throw RuleError(u"Текущий тур — тур прямого выбывания, а не предварительный."_s);
}

QString currentGroupFilter(const TDM &dm)
{
    const Table &groups = *dm.tbl_TOUR_PR;
    if (groups.value(u"NUM_ASPECT"_s).isNull()) return {};
    return u"NUM_ASPECT=%1 AND NUM_TOUR=%2 AND NUM_GROUP=%3"_s.arg(groups.intValue(u"NUM_ASPECT"_s))
        .arg(groups.intValue(u"NUM_TOUR"_s))
        .arg(groups.intValue(u"NUM_GROUP"_s));
}

void filterCurrentGroup(TDM &dm, Prompter *prompter)
{
    const QString filter = currentGroupFilter(dm);
    if (filter.isEmpty() && prompter) prompter->error(u"Вид неопределен! Задайте вид!"_s);
    dm.tbl_REZ_TOUR->applyFilter(filter);
}

bool selectPoolGroup(TDM &dm, int group, Prompter *prompter)
{
    if (!dm.tbl_TOUR_PR->locate(u"NUM_GROUP"_s, group)) return false;
    filterCurrentGroup(dm, prompter);
    return true;
}

} // namespace vintrel
