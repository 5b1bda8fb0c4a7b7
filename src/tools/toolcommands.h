#pragma once

#include "app/commandtable.h"

namespace vintrel {

// The menus "Таблицы" (the browsed tables, then the SQL console) and "Соревнование".
const CommandTable &toolCommands();

// The object name of a table's entry in the menu "Таблицы" ("actTable_T_PERSON").
QString tableEntryId(const QString &table);

} // namespace vintrel
