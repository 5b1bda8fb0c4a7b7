#pragma once

#include "app/commandtable.h"

namespace vintrel {

// The menu "Редактировать" and the commands of the register windows.
const CommandTable &registryCommands();

} // namespace vintrel
