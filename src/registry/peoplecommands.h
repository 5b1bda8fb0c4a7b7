#pragma once

#include "app/commandtable.h"

namespace vintrel {

// The buttons of the people, judges and staff windows with their command-line verbs.
const CommandTable &peopleCommands();

} // namespace vintrel
