#include "classificationcommands.h"

#include "command.h"
#include "currentcontext.h"
#include "prompter.h"

#include "data/datasource.h"
#include "data/dm.h"
#include "data/refusal.h"
#include "data/storeerror.h"

#include <QRandomGenerator>

#include <functional>
#include <utility>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaxClassification = 32767; // T_PART.CLASSIFICATION is a smallint

bool requireAspect(const CurrentContext &context, Prompter &prompter)
{
    if (context.hasAspect()) return true;
    // Without a current aspect T_PART is not filtered: a command would reach every aspect.
    prompter.error(u"Нет текущего вида: выберите вид соревнований в списке видов."_s);
    return false;
}

// What was typed into the participants grid or the tour strip is stored before a command reads
// or rewrites the rows (a later post would write the row's old values back over the command's).
// A refused entry stays in editing and the command does not run.
void postPendingEdit(TDM &dm)
{
    dm.tbl_PART->post();
    dm.tbl_VT->post();
}

// Runs `change` as one command with the grid detached; a refusal undoes all of it.
bool rewriteParticipants(TDM &dm, const std::function<void()> &change)
{
    DetachedSource detached(*dm.DS_PART); // the grid shows the result, not every step
    atomically(dm.store(), change);
    return true;
}

// The scratch query as the commands run it: closed, emptied, one line at a time, executed.
int execLines(Query &query, const QStringList &lines)
{
    query.clear();
    for (const QString &line : lines)
        query.add(line);
    return query.exec();
}

// The row keys of the visible rows in their order; the cursor stays where the operator left it.
QVariantList participantKeys(const DataSet &rows)
{
    QVariantList keys;
    keys.reserve(rows.recordCount());
    const int key = rows.fieldIndex(u"NUM"_s);
    for (int r = 0; r < rows.recordCount(); ++r)
        keys << rows.cell(r, key);
    return keys;
}

// The drawn participants get from + 1, from + 2, … in the drawn order: one statement for them
// all, then the rows are re-read. Rows are named by their own key: the person number may be
// empty or repeated in T_PART, the row key never is.
void writeDrawnClassification(TDM &dm, int aspect, const QVariantList &keys, int from,
                              QRandomGenerator &random)
{
    if (keys.isEmpty()) return;
    if (from + keys.size() > kMaxClassification)
        throw RuleError(u"Классификация не может быть больше %1, а участников для неё %2."_s
                            .arg(kMaxClassification)
                            .arg(from + keys.size()));
    const QList<int> order = drawnOrder(int(keys.size()), random);
    QStringList lines{u"UPDATE T_PART"_s, u"SET CLASSIFICATION=CASE NUM"_s};
    QStringList drawn;
    for (int k = 0; k < order.size(); ++k) {
        const QString key = QString::number(keys[order[k]].toLongLong());
        lines << u"WHEN %1 THEN %2"_s.arg(key).arg(from + k + 1);
        drawn << key;
    }
    lines << u"END"_s << u"WHERE NUM_ASPECT=%1 AND NUM IN (%2)"_s.arg(aspect).arg(drawn.join(u','));
    if (execLines(*dm.qr_Temp, lines) != keys.size())
        throw StoreError(u"Не все участники вида найдены для записи классификации."_s);
    dm.tbl_PART->refresh();
}

bool confirmAndUpdate(TDM &dm, CurrentContext &context, Prompter &prompter, const QString &question,
                      const QString &setLine)
{
    if (!requireAspect(context, prompter)) return false;
    if (!prompter.confirm(question)) return false;
    postPendingEdit(dm);
    const int aspect = context.currentAspect();
    return rewriteParticipants(dm, [&] {
        execLines(*dm.qr_Temp, {u"UPDATE T_PART"_s, setLine, u"WHERE NUM_ASPECT=%1"_s.arg(aspect)});
        dm.tbl_PART->refresh();
    });
}

} // namespace

QList<int> drawnOrder(int count, QRandomGenerator &random)
{
    QList<int> order(qMax(count, 0));
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    // From the back: position i takes one of the positions 0 … i not yet drawn, each equally
    // likely, so every one of the count! orders has the same chance.
    for (int i = int(order.size()) - 1; i > 0; --i)
        std::swap(order[i], order[int(random.bounded(i + 1))]);
    return order;
}

bool drawClassification(TDM &dm, CurrentContext &context, Prompter &prompter,
                        QRandomGenerator &random)
{
    if (!requireAspect(context, prompter)) return false;
    postPendingEdit(dm);
    Table &participants = *dm.tbl_PART;
    const int aspect = context.currentAspect();
    return rewriteParticipants(dm, [&] {
        writeDrawnClassification(dm, aspect, participantKeys(participants), 0, random);
    });
}

bool drawClassification(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    return drawClassification(dm, context, prompter, *QRandomGenerator::global());
}

bool drawMissingClassification(TDM &dm, CurrentContext &context, Prompter &prompter,
                               QRandomGenerator &random)
{
    if (!requireAspect(context, prompter)) return false;
    postPendingEdit(dm);
    Table &participants = *dm.tbl_PART;
    Query &unclassified = *dm.qr_Temp;
    const int aspect = context.currentAspect();
    return rewriteParticipants(dm, [&] {
        unclassified.clear();
        unclassified.add(u"SELECT *"_s);
        unclassified.add(u"FROM T_PART"_s);
        unclassified.add(u"WHERE NUM_ASPECT=%1 AND CLASSIFICATION IS NULL"_s.arg(aspect));
        unclassified.open();
        // The classified are taken to hold 1 … c; the others follow them.
        const int classified = participants.recordCount() - unclassified.recordCount();
        writeDrawnClassification(dm, aspect, participantKeys(unclassified), classified, random);
    });
}

bool drawMissingClassification(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    return drawMissingClassification(dm, context, prompter, *QRandomGenerator::global());
}

bool copyClassificationToStart(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    return confirmAndUpdate(
        dm, context, prompter,
        u"Скопировать классификацию в поле стартового номера на следующий тур?"_s,
        u"SET START=CLASSIFICATION"_s);
}

bool copyPlaceToStart(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    return confirmAndUpdate(dm, context, prompter,
                            u"Скопировать место в поле стартового номера на следующий тур?"_s,
                            u"SET START=PLACE"_s);
}

bool zeroResults(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    if (!requireAspect(context, prompter)) return false;
    if (!prompter.confirm(
            u"Вы действительно хотите обнулить результаты соревнований текущего вида?"_s))
        return false;
    postPendingEdit(dm);
    const int aspect = context.currentAspect();
    return rewriteParticipants(dm, [&] {
        execLines(*dm.qr_Temp,
                  {u"UPDATE T_PART"_s, u"SET FIGHT=0,VICTORY=0,PRICK=0,PRICK_PASS=0, PLACE=0"_s,
                   u"WHERE NUM_ASPECT=%1"_s.arg(aspect)});
        dm.tbl_PART->refresh();
        // The current tour is no longer held; without a tour row there is nothing to clear.
        if (context.hasTour()) {
            Table &tour = *dm.tbl_VT;
            execLines(*dm.qr_Temp, {u"UPDATE T_VT"_s, u"SET STATE=0"_s,
                                    u"WHERE NUM_ASPECT=%1 AND NUM_TOUR=%2"_s.arg(aspect).arg(
                                        tour.intValue(u"NUM_TOUR"_s))});
            tour.refresh();
        }
    });
}

} // namespace vintrel
