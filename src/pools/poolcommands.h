#pragma once

#include "app/commandtable.h"

namespace vintrel {

// The pool tours' entries: the main window's "Подготовка к туру" and "Проведение тура" on a pool
// tour, the number-of-pools window and the pool window.
const CommandTable &poolCommands();

} // namespace vintrel
