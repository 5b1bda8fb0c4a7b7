#pragma once

#include <functional>

namespace vintrel {

class CurrentContext;
class Prompter;
class TDM;

// Told after each fencer is placed (and with 0 at the end), for a progress bar.
using DistributionProgress = std::function<void(int placed, int total)>;

// "Разнести по группам ": checks that the seeding runs 1, 2, 3 … (classification in the first
// tour, start numbers later), asks, deletes every score row of the tour and deals the tour's
// fencers into its pools in serpentine order, each row with "--" on its diagonal. In the first
// tour `byOrganization` keeps fencers of one organization apart. A tour whose fencers would
// need more than 9 places in a pool is refused before anything is deleted. All rows land or
// none. tbl_PART is left in seeding order.
bool distributeIntoPools(TDM &dm, CurrentContext &context, bool byOrganization, Prompter &prompter,
                         const DistributionProgress &progress = {});

} // namespace vintrel
