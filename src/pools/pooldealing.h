#pragma once

#include <QList>

namespace vintrel {

// Where one fencer lands: the pool (1 … g) and the position in it (1 … 9), which is also the
// number of the fencer's own diagonal cell.
struct PoolPlace {
    int group = 0;
    int position = 0;
    friend bool operator==(const PoolPlace &, const PoolPlace &) = default;
};

// Serpentine dealing of `participants` fencers in seeding order over `groups` pools: seed r
// (from 0) goes in pass p = r / g + 1 to pool r mod g + 1 on odd passes and g − r mod g on
// even ones, at position p. One place per seed, in seeding order.
QList<PoolPlace> dealSerpentine(int participants, int groups);

// The passes a dealing of `participants` over `groups` pools needs: the size of the largest pool.
int passesNeeded(int participants, int groups);

// Dealing that keeps fencers of one organization apart as far as it can. `organizations`
// holds each fencer's organization number in seeding order (0: none). Pass 1 is plain; in
// every later pass each fencer goes to the first pool (in the pass's scan order: downwards on
// even passes, upwards on odd ones) still open at that position with no earlier fencer of its
// organization, failing that the first with the fewest; after each pass, a fencer who still
// shares a pool with a mate is swapped with the first fencer of the same position elsewhere
// for whom the swap separates both. At most 9 passes: more fencers than 9 per pool is refused.
QList<PoolPlace> dealKeepingOrganizationsApart(const QList<int> &organizations, int groups);

} // namespace vintrel
