#include "currentcontext.h"

#include "data/dm.h"

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {
const QStringList kSortIndexes{u"ind_surname"_s, u"ind_org"_s, u"ind_classification"_s,
                               u"ind_place"_s, u"ind_start"_s};
}

CurrentContext::CurrentContext(TDM &dm, QObject *parent)
    : QObject(parent), m_dm(dm), m_countText(u"Участников в виде :"_s)
{
}

QStringList CurrentContext::sortItems()
{
    return {u"фамилии"_s, u"орг-ции"_s, u"клас-ции"_s, u"месту"_s, u"старт-му"_s};
}

void CurrentContext::loadAspects()
{
    relistAspects();
    selectAspect(0);
}

void CurrentContext::relistAspects()
{
    Table &aspects = *m_dm.tbl_ASPECT;
    aspects.setFiltered(false);
    m_aspectNames.clear();
    for (aspects.first(); !aspects.eof(); aspects.next())
        m_aspectNames << aspects.text(u"NAME"_s);
    aspects.first();
    m_aspect = -1;
    emit aspectsReloaded(m_aspectNames);
}

void CurrentContext::selectAspect(int item)
{
    if (item < 0 || item >= m_aspectNames.size()) return;
    m_aspect = item;
    TDM &dm = m_dm;
    dm.tbl_ASPECT->applyFilter(u"NUM=%1"_s.arg(item));
    dm.tbl_PART->applyFilter(u"NUM_ASPECT=%1"_s.arg(item));
    // Filtering VARIANT moves it to the variant's first tour, which runs the tour change.
    dm.tbl_VARIANT->applyFilter(u"NUM=%1"_s.arg(dm.tbl_ASPECT->intValue(u"VARIANT"_s)));
    const int tour = dm.currentTourKind();
    dm.tbl_VT->applyFilter(tourFilter(item, tour));
    dm.tbl_TOUR_PR->applyFilter(tourFilter(dm.tbl_ASPECT->intValue(u"NUM"_s), tour));
    dm.tbl_PART->refresh();
    m_countText = u"Участников в виде : %1"_s.arg(dm.tbl_PART->recordCount());
    emit aspectSelected(item);
    emit countTextChanged(m_countText);
}

void CurrentContext::selectTourRow(int row)
{
    m_dm.tbl_VARIANT->moveTo(row);
}

bool CurrentContext::selectTourKind(int tourKind)
{
    return m_dm.tbl_VARIANT->locate(u"NUM_TOUR"_s, tourKind);
}

bool CurrentContext::hasTour() const
{
    return !m_dm.tbl_VARIANT->isEmpty() && !m_dm.tbl_VT->isEmpty();
}

int CurrentContext::currentTourKind() const
{
    return m_dm.currentTourKind();
}

void CurrentContext::setSortOrder(int item)
{
    if (item < 0 || item >= kSortIndexes.size()) return;
    m_sortOrder = item;
    m_dm.tbl_PART->setIndexName(kSortIndexes[item]);
    m_dm.tbl_PART->first();
}

} // namespace vintrel
