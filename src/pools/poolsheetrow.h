#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

namespace vintrel {

// One fencer's row of a pool sheet as the totals read it: the row key, the position in the
// pool (NUM_START) and the bout cells F1 … F9.
struct PoolSheetRow {
    qint64 key = 0;
    int position = 0;
    std::array<QString, 9> cells{};
};

} // namespace vintrel
