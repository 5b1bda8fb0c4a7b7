#include "tourstrip.h"

#include "command.h"
#include "currentcontext.h"
#include "prompter.h"

#include "data/dm.h"
#include "data/refusal.h"

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaxParticipants = 32767; // T_VT.KOL is a smallint

bool requireCurrentTour(const TDM &dm, const CurrentContext &context, Prompter &prompter)
{
    if (!context.hasAspect() || dm.tbl_VARIANT->isEmpty()) {
        prompter.error(u"Нет текущего тура: выберите вид соревнований и тур в списке туров."_s);
        return false;
    }
    if (dm.tbl_VT->isEmpty()) {
        // The tours of an aspect get their rows when the competition window is closed.
        prompter.error(u"Для текущего тура нет записи в таблице туров видов (T_VT). Откройте и "
                       u"закройте окно «Информацию о соревновании», чтобы создать туры видов."_s);
        return false;
    }
    return true;
}

bool writeTourField(TDM &dm, const QString &field, const QVariant &value)
{
    Table &tour = *dm.tbl_VT;
    try {
        atomically(dm.store(), [&] {
            tour.edit();
            tour.setValue(field, value);
            tour.post();
        });
        return true;
    } catch (const Refusal &) {
        // The store refused the value: the row shows what the file holds again.
        tour.cancel();
        throw;
    }
}

} // namespace

bool setTourParticipants(TDM &dm, CurrentContext &context, int kol, Prompter &prompter)
{
    if (!requireCurrentTour(dm, context, prompter)) return false;
    if (kol < 0 || kol > kMaxParticipants) {
        prompter.error(
            u"Число участников тура должно быть от 0 до %1, а введено %2."_s.arg(kMaxParticipants)
                .arg(kol));
        return false;
    }
    return writeTourField(dm, u"KOL"_s, kol);
}

bool setTourDate(TDM &dm, CurrentContext &context, const QDate &date, Prompter &prompter)
{
    if (!requireCurrentTour(dm, context, prompter)) return false;
    return writeTourField(dm, u"TOUR_DATE"_s, date.isValid() ? QVariant(date) : QVariant());
}

bool setTourHeld(TDM &dm, CurrentContext &context, bool held, Prompter &prompter)
{
    if (!requireCurrentTour(dm, context, prompter)) return false;
    return writeTourField(dm, u"STATE"_s, held);
}

} // namespace vintrel
