#pragma once

#include "app/commandtable.h"

namespace vintrel {

// The menus "Таблицы" (one entry per table of the database, then the SQL console) and
// "Соревнование".
const CommandTable &toolCommands();

} // namespace vintrel
