#pragma once

#include "app/commandtable.h"

namespace vintrel {

// The buttons of the direct-elimination window, with their command-line verbs.
const CommandTable &eliminationCommands();

} // namespace vintrel
