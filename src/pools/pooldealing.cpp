#include "pooldealing.h"

#include "poolsizes.h"

#include "data/refusal.h"

#include <vector>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

void requireRoom(int participants, int groups)
{
    if (groups < 1) throw RuleError(u"Группы не заданы! Задайте кол-во групп в виде!"_s);
    if (passesNeeded(participants, groups) > kMaxPoolSize)
        throw RuleError(u"В группе не может быть больше %1 участников: %2 участников не "
                        u"помещаются в %3 групп(ы)."_s.arg(kMaxPoolSize)
                            .arg(participants)
                            .arg(groups));
}

// The slots of the pools: who sits at (group, position) and that fencer's organization.
class PlacementGrid {
public:
    PlacementGrid(int groups, int participants, const QList<int> &organizations)
        : m_organizations(organizations), m_seat(size_t(groups) * kMaxPoolSize, -1),
          m_open(size_t(groups) * kMaxPoolSize, false)
    {
        // Walked in serpentine order, the first N slots are open: the places the pool sizes give.
        for (int p = 1; p <= kMaxPoolSize; ++p)
            for (int step = 0; step < groups; ++step) {
                const int k = (p - 1) * groups + step;
                const int group = p % 2 == 1 ? step + 1 : groups - step;
                m_open[slot(group, p)] = k < participants;
            }
    }

    bool isOpen(int group, int position) const { return m_open[slot(group, position)]; }
    int seat(int group, int position) const { return m_seat[slot(group, position)]; }
    int organizationAt(int group, int position) const
    {
        const int s = seat(group, position);
        return s < 0 ? 0 : m_organizations[s];
    }

    void place(int seed, int group, int position)
    {
        m_seat[slot(group, position)] = seed;
        m_open[slot(group, position)] = false;
    }

    void swap(int groupA, int groupB, int position)
    {
        std::swap(m_seat[slot(groupA, position)], m_seat[slot(groupB, position)]);
    }

    // Fencers of `organization` at positions 1 … position − 1 of the pool.
    int earlier(int group, int position, int organization) const
    {
        int count = 0;
        for (int q = 1; q < position; ++q)
            if (seat(group, q) >= 0 && organizationAt(group, q) == organization) ++count;
        return count;
    }

private:
    size_t slot(int group, int position) const
    {
        return size_t(group - 1) * kMaxPoolSize + size_t(position - 1);
    }

    const QList<int> &m_organizations;
    std::vector<int> m_seat;
    std::vector<bool> m_open;
};

QList<int> scanOrder(int groups, int position)
{
    QList<int> order;
    for (int step = 0; step < groups; ++step)
        order << (position % 2 == 0 ? groups - step : step + 1);
    return order;
}

int chooseGroup(const PlacementGrid &grid, int groups, int position, int organization)
{
    int choice = 0;
    int fewest = 0;
    for (int group : scanOrder(groups, position)) {
        if (!grid.isOpen(group, position)) continue;
        const int mates = grid.earlier(group, position, organization);
        if (mates == 0) return group;
        if (choice == 0 || mates < fewest) {
            choice = group;
            fewest = mates;
        }
    }
    return choice;
}

void exchangeStep(PlacementGrid &grid, int groups, int position)
{
    for (int j = 1; j <= groups; ++j) {
        if (grid.seat(j, position) < 0) continue;
        const int own = grid.organizationAt(j, position);
        if (grid.earlier(j, position, own) == 0) continue;
        for (int i = 1; i <= groups; ++i) {
            if (i == j || grid.seat(i, position) < 0) continue;
            const int other = grid.organizationAt(i, position);
            if (grid.earlier(i, position, own) == 0 && grid.earlier(j, position, other) == 0) {
                grid.swap(i, j, position);
                break;
            }
        }
    }
}

} // namespace

int passesNeeded(int participants, int groups)
{
    if (groups < 1 || participants <= 0) return 0;
    return (participants + groups - 1) / groups;
}

QList<PoolPlace> dealSerpentine(int participants, int groups)
{
    requireRoom(participants, groups);
    QList<PoolPlace> places;
    places.reserve(participants);
    for (int r = 0; r < participants; ++r) {
        const int pass = r / groups + 1;
        const int column = r % groups;
        places.append({pass % 2 == 1 ? column + 1 : groups - column, pass});
    }
    return places;
}

QList<PoolPlace> dealKeepingOrganizationsApart(const QList<int> &organizations, int groups)
{
    const int participants = int(organizations.size());
    requireRoom(participants, groups);
    PlacementGrid grid(groups, participants, organizations);
    int seed = 0;
    for (int group = 1; group <= groups && seed < participants; ++group)
        grid.place(seed++, group, 1);
    for (int position = 2; position <= kMaxPoolSize && seed < participants; ++position) {
        for (int step = 0; step < groups && seed < participants; ++step, ++seed)
            grid.place(seed, chooseGroup(grid, groups, position, organizations[seed]), position);
        exchangeStep(grid, groups, position);
    }

    QList<PoolPlace> places(participants);
    for (int group = 1; group <= groups; ++group)
        for (int position = 1; position <= kMaxPoolSize; ++position)
            if (const int s = grid.seat(group, position); s >= 0) places[s] = {group, position};
    return places;
}

} // namespace vintrel
