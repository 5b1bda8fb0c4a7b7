#pragma once

#include <QList>

namespace vintrel {

// A pool holds 4 to 9 fencers: its bout cells are F1 … F9.
inline constexpr int kMinPoolSize = 4;
inline constexpr int kMaxPoolSize = 9;
// The number-of-pools editor takes 1 … 37 groups.
inline constexpr int kMaxPools = 37;

// The size of each of `groups` pools when `participants` are dealt in serpentine order
// (forward over the pools, then backward, and so on): every pool gets ⌊N/g⌋ or one more, and
// the extra places go where the last, incomplete pass reaches. Index 0 is pool 1.
QList<int> serpentineSizes(int participants, int groups);

// True when every size is within kMinPoolSize … kMaxPoolSize.
bool poolSizesAllowed(const QList<int> &sizes);

} // namespace vintrel
