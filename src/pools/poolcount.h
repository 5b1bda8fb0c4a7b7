#pragma once

namespace vintrel {

class CurrentContext;
class Prompter;
class TDM;

// "Пересчет" of the number-of-pools window with `groups` typed: the serpentine sizes of the
// tour's participants over that many pools are stored in TOUR_PR (rows of higher groups go,
// kept groups keep their judges). Sizes outside 4 … 9 are refused with a message and TOUR_PR
// stays as it was. In the first tour the aspect's participant count is written into the
// tour's KOL in either case. True when the sizes were stored.
bool recountPools(TDM &dm, CurrentContext &context, int groups, Prompter &prompter);

// "Закрыть" of the number-of-pools window: the pools are shown from the first.
void closePoolCount(TDM &dm);

} // namespace vintrel
