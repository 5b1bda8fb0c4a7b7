#pragma once

#include "app/commandtable.h"

namespace vintrel {

// The menu "Протоколы".
const CommandTable &reportCommands();

} // namespace vintrel
