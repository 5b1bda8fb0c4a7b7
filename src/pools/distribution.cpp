#include "distribution.h"

#include "boutcell.h"
#include "poolcontext.h"
#include "pooldealing.h"
#include "poolsizes.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "app/prompter.h"
#include "data/datasource.h"
#include "data/dm.h"
#include "data/refusal.h"

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

struct Seeding {
    int firstRow = 0;    // the row of seed 1 in tbl_PART's seeding order
    bool inOrder = true; // seeds 1 … KOL of the tour stand in that order
};

// Puts the participants in seeding order and checks that the first KOL of the tour carry the
// numbers 1, 2, 3 … (classification in the first tour, start numbers later).
Seeding checkSeeding(TDM &dm, bool firstTour)
{
    Table &parts = *dm.tbl_PART;
    const QString field = firstTour ? u"CLASSIFICATION"_s : u"START"_s;
    parts.setIndexName(firstTour ? u"ind_classification"_s : u"ind_start"_s);
    Seeding s;
    parts.first();
    if (!firstTour && parts.locate(u"START"_s, 1)) s.firstRow = parts.currentRow();
    const int column = parts.fieldIndex(field);
    const int kol = dm.tbl_VT->intValue(u"KOL"_s);
    for (int a = 1; a <= kol; ++a) {
        const int row = s.firstRow + a - 1;
        const QVariant value = row < parts.recordCount() ? parts.cell(row, column) : QVariant();
        if (value.isNull() || value.toInt() != a) s.inOrder = false;
    }
    parts.first();
    return s;
}

void writeRows(TDM &dm, const QList<int> &persons, const QList<PoolPlace> &places,
               const DistributionProgress &progress)
{
    const Table &pools = *dm.tbl_TOUR_PR;
    const int aspect = pools.intValue(u"NUM_ASPECT"_s);
    const int tour = pools.intValue(u"NUM_TOUR"_s);
    Store &store = dm.store();
    store.exec(u"DELETE FROM REZ_TOUR WHERE NUM_ASPECT = ? AND NUM_TOUR = ?"_s, {aspect, tour});
    for (int i = 0; i < places.size(); ++i) {
        const PoolPlace &place = places[i];
        store.execPrepared(u"INSERT INTO REZ_TOUR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, NUM_START, "
                           u"PART, F%1) VALUES (?, ?, ?, ?, ?, ?)"_s.arg(place.position),
                           {aspect, tour, place.group, place.position,
                            persons[i] ? QVariant(persons[i]) : QVariant(), diagonalCell()});
        if (progress) progress(i + 1, int(places.size()));
    }
}

} // namespace

bool distributeIntoPools(TDM &dm, CurrentContext &context, bool byOrganization, Prompter &prompter,
                         const DistributionProgress &progress)
{
    requirePoolTour(context);
    Table &pools = *dm.tbl_TOUR_PR;
    if (pools.isEmpty()) throw RuleError(u"Группы не заданы! Задайте кол-во групп в виде!"_s);
    dm.tbl_PART->post();
    dm.tbl_VT->post();
    dm.tbl_REZ_TOUR->post();
    const bool firstTour = isFirstTour(dm);
    byOrganization = byOrganization && firstTour; // the option exists in the first tour only

    Table &parts = *dm.tbl_PART;
    const Seeding seeding = checkSeeding(dm, firstTour);
    if (!seeding.inOrder) {
        prompter.error(firstTour ? u"Проверьте порядок классификации !!! "_s
                                 : u"Проверьте порядок стартовых номеров !!! "_s);
        parts.setIndexName(u"ind_surname"_s);
        return false;
    }

    // Seeds in order from seed 1: every participant of the aspect in the first tour, the
    // first KOL by start number later.
    const int available = parts.recordCount() - seeding.firstRow;
    const int count = qMin(firstTour ? parts.recordCount() : tourParticipantCount(dm), available);
    const int groups = pools.recordCount();
    if (passesNeeded(count, groups) > kMaxPoolSize)
        throw RuleError(u"В группе может быть не больше %1 участников, а %2 участников в %3 "
                        u"групп(ы) не помещаются. Задайте больше групп в «Подготовка к туру»."_s
                            .arg(kMaxPoolSize)
                            .arg(count)
                            .arg(groups));
    QList<int> persons, organizations;
    const int personField = parts.fieldIndex(u"NUM_PERS"_s);
    const int orgField = parts.fieldIndex(u"NUM_ORG"_s);
    for (int r = seeding.firstRow; r < seeding.firstRow + count; ++r) {
        persons << parts.cell(r, personField).toInt();
        organizations << parts.cell(r, orgField).toInt();
    }

    if (!prompter.confirm(u"Прежде чем разнести участников, необходимо их удалить с имеющимися "
                          u"результатами текущего тура (если они есть)! Вы согласны?"_s))
        return false;

    const QList<PoolPlace> places = byOrganization
                                        ? dealKeepingOrganizationsApart(organizations, groups)
                                        : dealSerpentine(count, groups);
    {
        DetachedSource detached(*dm.DS_REZ_TOUR);
        atomically(dm.store(), [&] {
            writeRows(dm, persons, places, progress);
            dm.tbl_REZ_TOUR->refresh();
        });
    }
    if (progress) progress(0, count);
    return true;
}

} // namespace vintrel
