#include "eliminationcommands.h"

#include "tablelayout.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "app/prompter.h"
#include "data/datasource.h"
#include "data/dm.h"
#include "data/refusal.h"
#include "data/storeerror.h"

#include <QHash>
#include <QSqlQuery>

#include <map>
#include <optional>
#include <vector>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaxCarried = 128; // no circle holds more entrants than the table of 128

// The tour the command works on, read from the main window's context.
struct Tour {
    int aspect = 0;
    int kind = 0;
    int kol = 0;
    int circles = 0; // visible TOUR_OLIMP rows
};

// One entrant of one pair of a circle.
struct Entrant {
    qint64 num = 0;
    int pair = 0;
    int start = 0;
    QVariant place, part, prick, prickPass, victory;
    bool decided() const { return !victory.isNull(); }
    bool won() const { return victory.toBool(); }
};

void postPendingEdits(TDM &dm)
{
    // Touches being typed into the grid, or the tour strip's KOL, are stored first.
    dm.tbl_REZ_OLIMP->post();
    dm.tbl_VT->post();
    dm.tbl_PART->post();
}

Tour currentTour(TDM &dm, CurrentContext &context)
{
    if (!context.hasAspect())
        throw RuleError(u"Нет текущего вида: выберите вид соревнований в списке видов."_s);
    Tour t;
    t.aspect = dm.tbl_ASPECT->intValue(u"NUM"_s);
    t.kind = dm.currentTourKind();
    if (t.kind < kPlainEliminationTour)
        throw RuleError(u"Текущий тур не является туром прямого выбывания."_s);
    t.kol = dm.tbl_VT->isEmpty() ? 0 : dm.tbl_VT->intValue(u"KOL"_s);
    t.circles = dm.tbl_TOUR_OLIMP->recordCount();
    return t;
}

int circlesAfter(const Tour &tour, int circle)
{
    return tour.circles - circle;
}

// Circle `circle` must be one of the tour's circles (its row written by the preparation).
void requireCircle(TDM &dm, const Tour &tour, int circle)
{
    Table &circles = *dm.tbl_TOUR_OLIMP;
    const int field = circles.fieldIndex(u"NUM_CIRCLE"_s);
    for (int r = 0; r < circles.recordCount(); ++r)
        if (circles.cell(r, field).toInt() == circle) return;
    if (tour.circles == 0)
        throw RuleError(
            u"Круги тура не подготовлены: нажмите «Подготовка к туру» в главном окне."_s);
    throw RuleError(
        u"В туре нет круга %1: его круги — от 1 до %2."_s.arg(circle).arg(tour.circles));
}

QString circleWhere()
{
    return u"NUM_ASPECT=? AND NUM_TOUR=? AND NUM_CIRCLE=?"_s;
}

// The rows of one circle, in pair order (pair, then order of adding) or start-number order.
std::vector<Entrant> readCircle(TDM &dm, const Tour &tour, int circle, bool byStart = false)
{
    QSqlQuery q = dm.store().exec(
        u"SELECT NUM, NUM_PAIR, NUM_START, PLACE, PART, PRICK, PRICK_PASS, VICTORY FROM REZ_OLIMP "
        u"WHERE "_s +
            circleWhere() +
            (byStart ? u" ORDER BY NUM_START, NUM"_s : u" ORDER BY NUM_PAIR, NUM"_s),
        {tour.aspect, tour.kind, circle});
    std::vector<Entrant> rows;
    while (q.next()) {
        Entrant e;
        e.num = q.value(0).toLongLong();
        e.pair = q.value(1).toInt();
        e.start = q.value(2).toInt();
        e.place = q.value(3);
        e.part = q.value(4);
        e.prick = q.value(5);
        e.prickPass = q.value(6);
        e.victory = q.value(7);
        rows.push_back(e);
    }
    return rows;
}

void appendRow(TDM &dm, const Tour &tour, int circle, int pair, int start, const QVariant &place,
               const QVariant &part)
{
    dm.store().execPrepared(
        u"INSERT INTO REZ_OLIMP (NUM_ASPECT, NUM_TOUR, NUM_CIRCLE, NUM_PAIR, NUM_START, PLACE, "
        u"PART) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
        {tour.aspect, tour.kind, circle, pair, start, place, part});
}

// The participant of the aspect that a table row names, by person number; the first row of
// the aspect when a person is listed twice.
std::optional<qint64> participantOf(TDM &dm, const Tour &tour, const QVariant &part)
{
    if (part.isNull()) return std::nullopt;
    std::optional<qint64> found;
    dm.store().execPrepared(u"SELECT MIN(NUM) FROM T_PART WHERE NUM_ASPECT=? AND NUM_PERS=?"_s,
                            {tour.aspect, part}, [&](QSqlQuery &q) {
                                if (q.next() && !q.value(0).isNull())
                                    found = q.value(0).toLongLong();
                            });
    return found;
}

void setPlace(TDM &dm, qint64 participant, int place)
{
    dm.store().execPrepared(u"UPDATE T_PART SET PLACE=? WHERE NUM=?"_s, {place, participant});
}

// The grids show what the command wrote once it ends.
void rereadTables(TDM &dm)
{
    dm.tbl_REZ_OLIMP->refresh();
    dm.tbl_PART->refresh();
}

QString startMismatch(TDM &dm, const Tour &tour)
{
    // The participants in start-number order, from the one with start number 1 on; moving
    // past the last one stays on it, so a missing number shows as a mismatch too.
    QSqlQuery q = dm.store().exec(
        u"SELECT START FROM T_PART WHERE NUM_ASPECT=? ORDER BY START, NUM"_s, {tour.aspect});
    QList<QVariant> starts;
    while (q.next())
        starts << q.value(0);
    int position = 0;
    for (int i = 0; i < starts.size(); ++i)
        if (!starts[i].isNull() && starts[i].toInt() == 1) {
            position = i;
            break;
        }
    int mismatch = 0;
    for (int number = 1; number <= tour.kol; ++number) {
        const QVariant start =
            starts.isEmpty() ? QVariant() : starts[qMin(position, int(starts.size()) - 1)];
        if (start.isNull() || start.toInt() != number) mismatch = number;
        ++position;
    }
    if (mismatch == 0) return {};
    return u"Проверьте порядок стартовых номеров !!! Номер: "_s + QString::number(mismatch);
}

QString undecidedPairMessage(int circle, int pair)
{
    return u"Итоги круга %1 не подведены: в паре %2 не определен результат боя. Сначала нажмите "
           u"«Подвести итоги круга»."_s.arg(circle)
               .arg(pair);
}

void refuseUndecided(const std::vector<Entrant> &rows, int circle)
{
    for (const Entrant &e : rows)
        if (!e.decided()) throw RuleError(undecidedPairMessage(circle, e.pair));
}

// Second entrants are swapped between pairs 1 and 4, or 2 and 3, of the circle before the
// semi-finals of a table with repechage when a pair would repeat a bout of the three circles
// before it.
void exchangeRepeatedPairs(TDM &dm, const Tour &tour, int circle)
{
    std::vector<Entrant> rows = readCircle(dm, tour, circle);
    if (rows.empty()) return;
    QVariant p[8];
    for (int i = 0; i < 8; ++i)
        p[i] = rows[std::min<size_t>(i, rows.size() - 1)].part;
    bool swap14 = false, swap23 = false;
    for (int earlier = circle - 1; earlier >= circle - 3 && earlier >= 1; --earlier) {
        const std::vector<Entrant> before = readCircle(dm, tour, earlier);
        const auto pairOf = [&before](const QVariant &part) -> std::optional<int> {
            if (part.isNull()) return std::nullopt;
            for (const Entrant &e : before)
                if (DataSet::sameValue(e.part, part)) return e.pair;
            return std::nullopt;
        };
        for (int couple = 0; couple < 4; ++couple) {
            const std::optional<int> a = pairOf(p[2 * couple]);
            const std::optional<int> b = pairOf(p[2 * couple + 1]);
            if (!a || !b || *a != *b) continue;
            if (couple == 0 || couple == 3)
                swap14 = true;
            else
                swap23 = true;
        }
    }
    // Only rows that are found are moved.
    const auto movePerson = [&](const QVariant &part, int pair) {
        for (const Entrant &e : readCircle(dm, tour, circle))
            if (!part.isNull() && DataSet::sameValue(e.part, part)) {
                dm.store().exec(u"UPDATE REZ_OLIMP SET NUM_PAIR=? WHERE NUM=?"_s, {pair, e.num});
                return;
            }
    };
    if (swap14) {
        movePerson(p[1], 4);
        movePerson(p[7], 1);
    }
    if (swap23) {
        movePerson(p[3], 3);
        movePerson(p[5], 2);
    }
}

} // namespace

QVariant checkedTouches(const QVariant &typed)
{
    if (!typed.isValid() || typed.isNull()) return {};
    const QString text = typed.toString().trimmed();
    if (text.isEmpty()) return {};
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > 99)
        throw StoreError(u"Количество уколов должно быть целым числом от 0 до 99 "
                         u"(пустое поле — бой не проводился)."_s);
    return value;
}

void guardTypedTouches(TDM &dm)
{
    dm.tbl_REZ_OLIMP->beforePost = [](Table &rows) {
        rows.setValue(u"PRICK"_s, checkedTouches(rows.value(u"PRICK"_s)));
    };
}

int eliminationCircleCount(TDM &dm)
{
    return dm.tbl_TOUR_OLIMP->recordCount();
}

bool showCircle(TDM &dm, CurrentContext &context, int circle)
{
    if (!context.hasAspect() || dm.currentTourKind() < kPlainEliminationTour) return false;
    if (!dm.tbl_TOUR_OLIMP->locate(u"NUM_CIRCLE"_s, circle)) return false;
    dm.tbl_REZ_OLIMP->post();
    const int aspect = dm.tbl_ASPECT->intValue(u"NUM"_s);
    dm.tbl_REZ_OLIMP->applyFilter(u"NUM_ASPECT=%1 AND NUM_TOUR=%2 AND NUM_CIRCLE=%3"_s.arg(aspect)
                                      .arg(dm.currentTourKind())
                                      .arg(circle));
    if (dm.tbl_REZ_OLIMP->indexName() != u"ind_pair"_s)
        dm.tbl_REZ_OLIMP->setIndexName(u"ind_pair"_s);
    return true;
}

bool prepareEliminationTour(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    postPendingEdits(dm);
    const Tour tour = currentTour(dm, context);
    if (tour.kind > kRepechageTour) return false; // no such tour kind: nothing to prepare
    const bool repechage = tour.kind == kRepechageTour;
    const int from = repechage ? 16 : 2;
    if (tour.kol < from || tour.kol > 128) {
        prompter.error(u"Количество участников должно лежать в диапазоне от %1 до 128! Проверьте "
                       u"поле участников в туре!"_s.arg(from));
        return false;
    }
    const int circles = circleCount(tour.kind, tour.kol);
    atomically(dm.store(), [&] {
        // Only the current tour's circles go: other tours and aspects keep theirs.
        dm.store().exec(u"DELETE FROM TOUR_OLIMP WHERE NUM_ASPECT=? AND NUM_TOUR=?"_s,
                        {tour.aspect, tour.kind});
        for (int c = 1; c <= circles; ++c)
            dm.store().execPrepared(
                u"INSERT INTO TOUR_OLIMP (NUM_ASPECT, NUM_TOUR, NUM_CIRCLE) VALUES (?, ?, ?)"_s,
                {tour.aspect, tour.kind, c});
        dm.tbl_TOUR_OLIMP->refresh();
    });
    dm.tbl_TOUR_OLIMP->first();
    prompter.info(repechage ? u"Все готово для проведения тура прямого выбывания с утешением!"_s
                            : u"Все готово для проведения тура прямого выбывания!"_s);
    return true;
}

bool openEliminationTour(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    postPendingEdits(dm);
    const Tour tour = currentTour(dm, context);
    const QString mismatch = startMismatch(dm, tour);
    if (!mismatch.isEmpty()) {
        prompter.error(mismatch + u'.');
        return false;
    }
    return true;
}

bool buildFirstCircle(TDM &dm, CurrentContext &context, int circle, Prompter &prompter)
{
    postPendingEdits(dm);
    const Tour tour = currentTour(dm, context);
    const QString mismatch = startMismatch(dm, tour);
    if (!mismatch.isEmpty()) {
        prompter.error(mismatch);
        return false;
    }
    if (circle != 1) {
        prompter.error(u"Выбран не 1-ый круг."_s);
        return false;
    }
    requireCircle(dm, tour, circle);
    const int size = tableSize(tour.kol);
    if (size == 0)
        throw RuleError(u"Количество участников должно лежать в диапазоне от 2 до 128! Проверьте "
                        u"поле участников в туре!"_s);
    if (!readCircle(dm, tour, 1).empty())
        throw RuleError(u"Первый круг уже сформирован. Чтобы сформировать его заново, сначала "
                        u"удалите его участников кнопкой «Удалить участников тура»."_s);

    // The participants by start number (the check above made them 1 … KOL, each once).
    QHash<int, std::pair<QVariant, QVariant>> byStart; // start -> (PLACE, NUM_PERS)
    QSqlQuery q = dm.store().exec(
        u"SELECT START, PLACE, NUM_PERS FROM T_PART WHERE NUM_ASPECT=? AND START BETWEEN 1 AND ? "
        u"ORDER BY START, NUM"_s,
        {tour.aspect, tour.kol});
    while (q.next())
        if (!byStart.contains(q.value(0).toInt()))
            byStart.insert(q.value(0).toInt(), {q.value(1), q.value(2)});

    const QList<int> order = seedingOrder(size);
    DetachedSource detached(*dm.DS_REZ_OLIMP);
    atomically(dm.store(), [&] {
        for (int i = 0; i < order.size(); ++i) {
            const int start = order[i];
            if (start > tour.kol || !byStart.contains(start)) continue; // a bye
            const auto &[place, person] = byStart[start];
            appendRow(dm, tour, 1, i / 2 + 1, start, place, person);
        }
        dm.tbl_REZ_OLIMP->refresh();
    });
    dm.tbl_REZ_OLIMP->first();
    return true;
}

bool setCircleTouches(TDM &dm, CurrentContext &context, int circle, int start,
                      const QString &touches, Prompter &prompter)
{
    postPendingEdits(dm);
    const Tour tour = currentTour(dm, context);
    requireCircle(dm, tour, circle);
    const QVariant value = checkedTouches(touches);
    std::optional<qint64> row;
    for (const Entrant &e : readCircle(dm, tour, circle, true))
        if (e.start == start) {
            row = e.num;
            break;
        }
    if (!row) {
        prompter.error(
            u"В круге %1 нет участника со стартовым номером %2."_s.arg(circle).arg(start));
        return false;
    }
    atomically(dm.store(), [&] {
        dm.store().exec(u"UPDATE REZ_OLIMP SET PRICK=? WHERE NUM=?"_s, {value, *row});
        dm.tbl_REZ_OLIMP->refresh();
    });
    return true;
}

bool totalCircle(TDM &dm, CurrentContext &context, int circle, Prompter &prompter)
{
    postPendingEdits(dm);
    const Tour tour = currentTour(dm, context);
    requireCircle(dm, tour, circle);
    const int pairs = pairsToTotal(tour.kind, tour.kol, circle, circlesAfter(tour, circle));
    std::map<int, std::vector<Entrant>> byPair;
    for (const Entrant &e : readCircle(dm, tour, circle))
        byPair[e.pair].push_back(e);

    DetachedSource detached(*dm.DS_REZ_OLIMP);
    atomically(dm.store(), [&] {
        const auto write = [&dm](const Entrant &e, const QVariant &prickPass, bool won) {
            dm.store().execPrepared(u"UPDATE REZ_OLIMP SET PRICK_PASS=?, VICTORY=? WHERE NUM=?"_s,
                                    {prickPass, won ? 1 : 0, e.num});
        };
        for (int pair = 1; pair <= pairs; ++pair) {
            const auto found = byPair.find(pair);
            if (found == byPair.end()) continue; // no such pair in this table
            const std::vector<Entrant> &rows = found->second;
            if (rows.size() == 1) { // a bye: its entrant goes on without a bout
                dm.store().execPrepared(u"UPDATE REZ_OLIMP SET VICTORY=1 WHERE NUM=?"_s,
                                        {rows.front().num});
                continue;
            }
            const Entrant &first = rows.front(), &last = rows.back();
            const int a = first.prick.toInt(), b = last.prick.toInt(); // empty counts as 0
            write(last, a, a < b);
            write(first, b, a > b);
        }
        dm.tbl_REZ_OLIMP->refresh();
    });
    prompter.info(u"Итоги круга успешно подведены!"_s);
    return true;
}

bool buildNextCircle(TDM &dm, CurrentContext &context, int circle, Prompter &prompter,
                     int *shownCircle)
{
    (void)prompter; // the next circle tells nothing; refusals leave as exceptions
    if (shownCircle) *shownCircle = circle;
    postPendingEdits(dm);
    const Tour tour = currentTour(dm, context);
    requireCircle(dm, tour, circle);
    const int after = circlesAfter(tour, circle);
    if (after <= 0) return false; // the last circle has no next one

    const std::vector<Entrant> rows = readCircle(dm, tour, circle);
    refuseUndecided(rows, circle);

    // The whole circle is read into the carry list before a row is written.
    struct Carried {
        int circle, pair, start;
        QVariant place, part;
        int fromPair;
    };
    std::vector<Carried> carried;
    for (const Entrant &e : rows) {
        const std::optional<CarryTarget> target = carryTarget(tour.kind, after, e.pair, e.won());
        if (!target) continue; // leaves the table
        const QVariant place = e.place.isNull() ? QVariant(0) : e.place;
        carried.push_back(
            {circle + target->circleStep, target->pair, e.start, place, e.part, e.pair});
    }
    if (carried.size() > size_t(kMaxCarried))
        throw RuleError(
            u"Круг %1 содержит больше участников, чем может быть в таблице."_s.arg(circle));
    if (carried.size() < 2) return false;

    // No pair may hold three entrants: a tie whose loser goes on sends both on.
    std::map<std::pair<int, int>, int> filled;
    for (const Carried &c : carried)
        if (!filled.count({c.circle, c.pair}))
            for (const Entrant &e : readCircle(dm, tour, c.circle))
                if (e.pair == c.pair) ++filled[{c.circle, c.pair}];
    std::map<std::pair<int, int>, int> existing = filled;
    for (const Carried &c : carried)
        ++filled[{c.circle, c.pair}];
    for (const auto &[target, count] : filled) {
        if (count <= 2) continue;
        for (const Carried &c : carried) {
            if (std::pair(c.circle, c.pair) != target) continue;
            int lost = 0, inPair = 0;
            for (const Entrant &e : rows)
                if (e.pair == c.fromPair) {
                    ++inPair;
                    if (!e.won()) ++lost;
                }
            if (inPair >= 2 && lost == inPair)
                throw RuleError(u"В паре %1 круга %2 равный счет, а проигравший в ней бой "
                                u"продолжает турнир: победитель должен быть определен. Исправьте "
                                u"уколы этой пары и снова подведите итоги круга."_s.arg(c.fromPair)
                                    .arg(circle));
        }
        if (existing[target] > 0)
            throw RuleError(u"Круг %1 уже сформирован: в паре %2 уже есть участники. Чтобы "
                            u"сформировать его заново, очистите его кнопкой «Удалить участников "
                            u"тура»."_s.arg(target.first)
                                .arg(target.second));
        throw RuleError(u"В пару %1 круга %2 попадают больше двух участников."_s.arg(target.second)
                            .arg(target.first));
    }

    const int next = qMin(circle + 1, tour.circles);
    DetachedSource detached(*dm.DS_REZ_OLIMP);
    atomically(dm.store(), [&] {
        for (const Carried &c : carried)
            appendRow(dm, tour, c.circle, c.pair, c.start, c.place, c.part);
        if (tour.kind == kRepechageTour && tour.circles - next == 2)
            exchangeRepeatedPairs(dm, tour, next);
        dm.tbl_REZ_OLIMP->refresh();
    });
    if (shownCircle) *shownCircle = next;
    showCircle(dm, context, next);
    return true;
}

bool addCircleToTotals(TDM &dm, CurrentContext &context, int circle, Prompter &prompter)
{
    postPendingEdits(dm);
    const Tour tour = currentTour(dm, context);
    requireCircle(dm, tour, circle);
    const std::vector<Entrant> rows = readCircle(dm, tour, circle, true);
    for (const Entrant &e : rows)
        if (!e.prick.isNull() && !e.decided())
            throw RuleError(u"Итоги круга %1 не подведены: у участника со стартовым номером %2 "
                            u"есть уколы, но нет результата боя. Сначала нажмите «Подвести итоги "
                            u"круга»."_s.arg(circle)
                                .arg(e.start));

    DetachedSource detached(*dm.DS_PART);
    atomically(dm.store(), [&] {
        for (const Entrant &e : rows) {
            if (e.prick.isNull()) continue; // a bye or a bout without touches is no bout
            const std::optional<qint64> who = participantOf(dm, tour, e.part);
            if (!who) continue;
            // Empty totals take the circle's values; filled ones add them.
            dm.store().execPrepared(
                u"UPDATE T_PART SET PRICK=IFNULL(PRICK,0)+?, PRICK_PASS=IFNULL(PRICK_PASS,0)+?, "
                u"FIGHT=IFNULL(FIGHT,0)+1, VICTORY=IFNULL(VICTORY,0)+? WHERE NUM=?"_s,
                {e.prick.toInt(), e.prickPass.toInt(), e.won() ? 1 : 0, *who});
        }
        rereadTables(dm);
    });
    prompter.info(u"Результаты круга успешно занесены в итоговую таблицу!"_s);
    return true;
}

bool giveCirclePlaces(TDM &dm, CurrentContext &context, int circle, Prompter &prompter)
{
    postPendingEdits(dm);
    const Tour tour = currentTour(dm, context);
    requireCircle(dm, tour, circle);
    const int after = circlesAfter(tour, circle);
    const bool repechage = tour.kind == kRepechageTour;
    const std::vector<Entrant> rows = readCircle(dm, tour, circle, true);
    // The losers of this circle go on into the repechage: nobody leaves here.
    const bool nothingToPlace = repechage && after == 5;
    if (!nothingToPlace) refuseUndecided(rows, circle);

    DetachedSource detached(*dm.DS_PART);
    atomically(dm.store(), [&] {
        const auto place = [&](const Entrant &e, int number) {
            const std::optional<qint64> who = participantOf(dm, tour, e.part);
            if (who) setPlace(dm, *who, number);
            return bool(who);
        };
        // Losers in start-number order take from, from + 1 …; a row without participant takes
        // no number.
        const auto placeLosers = [&](int from, int minPair) {
            int number = from;
            for (const Entrant &e : rows)
                if (e.decided() && !e.won() && e.pair >= minPair && place(e, number)) ++number;
        };
        if (nothingToPlace) {
        } else if (repechage && after == 4) {
            placeLosers(13, 5);
        } else if (repechage && after == 3) {
            placeLosers(9, 0);
        } else if (after == 1) {
            for (const Entrant &e : rows)
                if (!e.won()) place(e, 3);
        } else if (after == 0) {
            for (const Entrant &e : rows) {
                if (e.pair == 1)
                    place(e, e.won() ? 1 : 2);
                else if (e.pair == 2 && !e.prick.isNull() && !e.won())
                    place(e, 4);
            }
        } else {
            int winners = 0;
            for (const Entrant &e : rows)
                if (e.won()) {
                    ++winners;
                    place(e, 0); // still in the table
                }
            placeLosers(winners + 1, 0);
        }
        dm.tbl_PART->refresh();
    });
    prompter.info(
        u"Итоговое место успешно перенесено в итоговую таблицу для выбывших участников!"_s);
    return true;
}

bool clearCircle(TDM &dm, CurrentContext &context, int circle, Prompter &prompter)
{
    postPendingEdits(dm);
    const Tour tour = currentTour(dm, context);
    if (!prompter.confirm(
            u"Вы уверены, что хотите очистить таблицу с результатами тура прямого выбывания?"_s))
        return false;
    DetachedSource detached(*dm.DS_REZ_OLIMP);
    atomically(dm.store(), [&] {
        // Every direct-elimination tour of the aspect loses its rows of that circle number.
        dm.store().exec(u"DELETE FROM REZ_OLIMP WHERE NUM_ASPECT=? AND NUM_CIRCLE=?"_s,
                        {tour.aspect, circle});
        dm.tbl_REZ_OLIMP->refresh();
    });
    return true;
}

} // namespace vintrel
