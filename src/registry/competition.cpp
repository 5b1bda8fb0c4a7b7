#include "competition.h"

#include "app/currentcontext.h"
#include "data/datasource.h"
#include "data/dm.h"
#include "data/storeerror.h"

#include <QSqlQuery>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

// The tours of one aspect's variant that have no T_VT row yet get one.
int addMissingTours(TDM &dm, int aspect, int variant)
{
    Table &tours = *dm.tbl_VARIANT;
    Table &rows = *dm.tbl_VT;
    // Filtering VARIANT runs the tour change on its first row, as every step over it does.
    tours.applyFilter(u"NUM=%1"_s.arg(variant));
    rows.applyFilter(u"NUM_ASPECT=%1"_s.arg(aspect));
    const QVariant startDate = dm.tbl_COMP->value(u"DATA1"_s);
    int added = 0;
    for (tours.first(); !tours.eof(); tours.next()) {
        const int tour = tours.intValue(u"NUM_TOUR"_s);
        if (rows.locate(u"NUM_ASPECT;NUM_TOUR"_s, {aspect, tour})) continue;
        rows.append();
        rows.setValue(u"NUM_ASPECT"_s, aspect);
        rows.setValue(u"NUM_TOUR"_s, tour);
        rows.setValue(u"NAME_TOUR"_s, tours.value(u"name"_s));
        rows.setValue(u"TOUR_DATE"_s, startDate);
        rows.setValue(u"KOL"_s, 0);
        rows.setValue(u"STATE"_s, false);
        rows.post();
        ++added;
    }
    return added;
}

} // namespace

QList<std::pair<QString, QVariant>> officialChoices(TDM &dm)
{
    QList<std::pair<QString, QVariant>> choices;
    QSqlQuery q = dm.store().exec(u"SELECT NUM, SURNAME FROM T_PERSON ORDER BY SURNAME, NUM"_s);
    while (q.next())
        choices.append({q.value(1).toString(), q.value(0)});
    return choices;
}

QStringList variantLegend()
{
    return {
        u"Варианты проведения соревнований"_s,
        u"Личные соревнования"_s,
        u"1 - 1 предв. тур, 2 предв. тур, Тур прямого выбывания"_s,
        u"2 - Предварительный тур, Тур прямого выбывания"_s,
        u"3  - Тур прямого выбывания"_s,
        u"4 - 1 предварительный тур, 2 предварительный тур"_s,
        u"5 - 1-2-3 предварительные туры"_s,
        u"6 - 1-2-3-4 предварительные туры"_s,
        u"7 - 1-2-3-4-5 предварительные туры"_s,
        u"8 - 1-2-3-4-5-6 предварительные туры"_s,
        u"9 - 1 предв.тур, 2 предв.тур, Тур прямого выб-ния с утешением"_s,
        u"10 - Предв.тур, Тур прямого выбывания с утешением"_s,
        u"11 - Тур прямого выбывания с утешением"_s,
        u"Командные соревнования"_s,
        u"12 - Командные соревнования"_s,
    };
}

void showAllAspects(TDM &dm)
{
    dm.tbl_ASPECT->setFiltered(false);
}

void storeAndRelistAspects(TDM &dm, CurrentContext &context)
{
    DetachedSource detached(*dm.DS_ASPECT);
    dm.tbl_ASPECT->post();
    dm.tbl_COMP->post();
    context.relistAspects();
}

void refreshAspects(TDM &dm, CurrentContext &context)
{
    storeAndRelistAspects(dm, context);
    dm.tbl_ASPECT->refresh();
}

int generateTourRows(TDM &dm)
{
    Table &aspects = *dm.tbl_ASPECT;
    Table &rows = *dm.tbl_VT;
    const QString rowsFilter = rows.filterText();
    const QString aspectsFilter = aspects.filterText();
    const auto restoreFilters = [&] {
        aspects.first();
        rows.setFilterText(rowsFilter);
        rows.setFiltered(true);
        aspects.setFiltered(false);
        aspects.setFilterText(aspectsFilter);
    };

    Transaction command(dm.store());
    int added = 0;
    try {
        aspects.setFiltered(false);
        rows.setFiltered(false);
        for (aspects.first(); !aspects.eof(); aspects.next())
            added +=
                addMissingTours(dm, aspects.intValue(u"NUM"_s), aspects.intValue(u"VARIANT"_s));
        restoreFilters();
        command.commit();
    } catch (...) {
        rows.cancel();
        restoreFilters(); // the rollback then re-reads the rows under these filters
        throw;
    }
    return added;
}

bool closeCompetition(TDM &dm, CurrentContext &context, Prompter &)
{
    storeAndRelistAspects(dm, context);
    {
        DetachedSource detached(*dm.DS_ASPECT);
        context.selectAspect(0);
        generateTourRows(dm);
    }
    // What the main window does once the window has closed: the full current context again.
    context.selectAspect(context.currentAspect());
    return true;
}

} // namespace vintrel
