#pragma once

#include "app/commandtable.h"

namespace vintrel {

// The buttons and controls of the organizations, entry and participants windows.
const CommandTable &entryCommands();

} // namespace vintrel
