#include "toursummary.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "app/prompter.h"
#include "app/tourstrip.h"
#include "pools/grouptotals.h"
#include "data/datasource.h"
#include "data/dm.h"
#include "data/refusal.h"

#include <QSqlQuery>

#include <array>
#include <vector>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

// The four numbers that decide whether two participants share a place; empty counts as 0.
using Record = std::array<int, 4>; // FIGHT, VICTORY, PRICK, PRICK_PASS

Record recordOf(const QSqlQuery &q, int firstColumn)
{
    return {q.value(firstColumn).toInt(), q.value(firstColumn + 1).toInt(),
            q.value(firstColumn + 2).toInt(), q.value(firstColumn + 3).toInt()};
}

// Later tours take the participants whose start number is within the tour's size.
QString tourCondition(TDM &dm, int tour)
{
    if (tour <= 1) return {};
    return u" AND  P.START<=%1"_s.arg(dm.tbl_VT->intValue(u"KOL"_s));
}

// Every score row of the tour gives its participant the pool totals. A row whose participant
// is not in the aspect is reported, and the others go on.
void copyPoolResults(TDM &dm, Prompter &prompter, int aspect, int tour)
{
    QSqlQuery rows =
        dm.store().exec(u"SELECT P.NUM, T.FIGHT, T.VICTORY, T.PRICK, T.PRICK_PASS FROM REZ_TOUR T "
                        u"LEFT JOIN T_PART P ON P.NUM_PERS = T.PART AND P.NUM_ASPECT = ? "
                        u"WHERE T.NUM_ASPECT = ? AND T.NUM_TOUR = ? ORDER BY T.NUM"_s,
                        {aspect, aspect, tour});
    while (rows.next()) {
        if (rows.value(0).isNull()) {
            prompter.error(u"Возможна ошибка! Необходима дополнительная проверка. В результатах "
                           u"имеется участник, которого нет в таблице участников [T_PART]."_s);
            continue;
        }
        dm.store().execPrepared(
            u"UPDATE T_PART SET FIGHT = ?, VICTORY = ?, PRICK = ?, PRICK_PASS = ? WHERE NUM = ?"_s,
            {rows.value(1), rows.value(2), rows.value(3), rows.value(4), rows.value(0)});
    }
}

// Places in the order of the ranking: ratio, index, touches scored, all descending; those
// without bouts after everyone who fenced (their ratio would divide by zero).
void rankTour(TDM &dm, int aspect, int tour)
{
    QSqlQuery ranked = dm.store().exec(
        u"SELECT P.NUM, P.FIGHT, P.VICTORY, P.PRICK, P.PRICK_PASS FROM T_PART P "
        u"WHERE P.NUM_ASPECT = %1%2 "
        u"ORDER BY CASE WHEN IFNULL(P.FIGHT, 0) = 0 THEN 1 ELSE 0 END, "
        u"P.VICTORY * (1.0 / P.FIGHT) DESC, P.PRICK - P.PRICK_PASS DESC, P.PRICK DESC, P.NUM"_s
            .arg(aspect)
            .arg(tourCondition(dm, tour)));
    std::vector<std::pair<QVariant, int>> places;
    Record previous{};
    int place = 0, run = 0;
    while (ranked.next()) {
        const Record record = recordOf(ranked, 1);
        if (place > 0 && record == previous) {
            ++run;
        } else {
            place += run == 0 ? 1 : run;
            run = 1;
        }
        previous = record;
        places.emplace_back(ranked.value(0), place);
    }
    for (const auto &[key, p] : places)
        dm.store().execPrepared(u"UPDATE T_PART SET PLACE = ? WHERE NUM = ?"_s, {p, key});
}

void openPreview(TDM &dm, int aspect, int tour)
{
    Query &preview = *dm.qr_Temp;
    preview.clear();
    for (const QString &line :
         {u"SELECT place AS Место,"_s, u"SURNAME AS Фамилия,"_s, u"NAME AS Имя,"_s,
          u"ORG AS Организация,"_s, u"FIGHT AS Боев,"_s, u"VICTORY AS Побед,"_s, u"PRICK AS НУ,"_s,
          u"PRICK_PASS AS ПУ,"_s,
          u"VICTORY*(1.0/FIGHT) AS K, PRICK-PRICK_PASS AS НУ_ПУ, PRICK AS НУ_ "_s,
          u"FROM T_PART P"_s, u"WHERE NUM_ASPECT=%1%2"_s.arg(aspect).arg(tourCondition(dm, tour)),
          u"ORDER BY place"_s})
        preview.add(line);
    preview.open();
}

} // namespace

QString summaryPreviewHeading()
{
    return u"Просмотр результатов текущих результатов"_s;
}

bool summarizeTour(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    if (!prompter.confirm(u"Вы уверены, что имеются все результаты боев?"_s)) return false;
    if (!context.hasAspect() || dm.tbl_VT->isEmpty())
        throw RuleError(u"Нет текущего тура: выберите вид соревнований и тур в списке туров."_s);
    const int aspect = context.currentAspect();
    const int tour = dm.currentTourKind();
    if (!TDM::isPoolTour(tour)) {
        prompter.info(u"Результаты подводятся в форме проведения тура прямого выбывания!"_s);
        return false;
    }
    const bool recalculate =
        prompter.confirm(u"Перед подведением итогов пересчитать еще раз результаты в группах?"_s);

    dm.tbl_PART->post(); // what is being typed into the grid is stored first
    {
        DetachedSource detached(*dm.DS_PART);
        atomically(dm.store(), [&] {
            if (recalculate) recalculateAllGroups(dm, context, prompter);
            copyPoolResults(dm, prompter, aspect, tour);
            rankTour(dm, aspect, tour);
        });
        dm.tbl_PART->refresh();
    }
    openPreview(dm, aspect, tour);
    return true;
}

bool finishTourSummary(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    return setTourHeld(dm, context, true, prompter);
}

} // namespace vintrel
