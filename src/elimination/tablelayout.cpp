#include "tablelayout.h"

namespace vintrel {

int tableSize(int kol)
{
    if (kol < 2 || kol > 128) return 0;
    int size = 2;
    while (size < kol)
        size *= 2;
    return size;
}

int circleCount(int tourKind, int kol)
{
    const int size = tableSize(kol);
    if (size == 0) return 0;
    int circles = 0;
    for (int s = size; s > 1; s /= 2)
        ++circles;
    if (tourKind == kPlainEliminationTour) return circles;
    if (tourKind == kRepechageTour) return kol >= 16 ? circles + 2 : 0;
    return 0;
}

QList<int> seedingOrder(int size)
{
    QList<int> order{1};
    for (int next = 2; next <= size; next *= 2) {
        QList<int> doubled;
        doubled.reserve(next);
        for (int i = 0; i < order.size(); ++i) {
            const int s = order[i];
            if (i % 2 == 0)
                doubled << s << next + 1 - s;
            else
                doubled << next + 1 - s << s;
        }
        order = doubled;
    }
    return order;
}

int pairsInCircle(int kol, int circle)
{
    int pairs = 2;
    if (kol >= 65 && kol <= 128)
        pairs = 64;
    else if (kol >= 33 && kol <= 64)
        pairs = 32;
    else if (kol >= 17 && kol <= 32)
        pairs = 16;
    else if (kol >= 9 && kol <= 16)
        pairs = 8;
    else if (kol >= 5 && kol <= 8)
        pairs = 4;
    for (int c = 1; c < circle; ++c)
        pairs /= 2;
    return pairs;
}

int pairsToTotal(int tourKind, int kol, int circle, int circlesAfter)
{
    int pairs = pairsInCircle(kol, circle);
    if (tourKind == kRepechageTour) {
        switch (circlesAfter) {
        case 5:
        case 4:
            pairs = 8;
            break;
        case 3:
        case 2:
            pairs = 4;
            break;
        case 1:
            pairs = 2;
            break;
        case 0:
            pairs = 1;
            break;
        default:
            break;
        }
    }
    if (circlesAfter == 0) pairs = 2;
    return pairs;
}

std::optional<CarryTarget> carryTarget(int tourKind, int circlesAfter, int pair, bool won)
{
    const int half = pair % 2 == 0 ? pair / 2 : (pair + 1) / 2;
    const int r = circlesAfter;
    if (tourKind == kRepechageTour) {
        if (r == 5) return won ? CarryTarget{1, half} : CarryTarget{1, half + 4};
        if (r == 4 && pair <= 4) return won ? CarryTarget{2, pair} : CarryTarget{1, pair};
        if (r == 4) return won ? std::optional(CarryTarget{1, pair - 4}) : std::nullopt;
        if (r == 3) return won ? std::optional(CarryTarget{1, pair}) : std::nullopt;
    }
    // The semi-finals send their losers to the bout for third place.
    if (r == 1) return won ? CarryTarget{1, half} : CarryTarget{1, 2};
    return won ? std::optional(CarryTarget{1, half}) : std::nullopt;
}

} // namespace vintrel
