#pragma once

#include <QString>

namespace vintrel {

class Prompter;

// The five lines shown when the database cannot be opened.
QString startupFailureMessage();

// Starts the program on a workspace: the main window, the About box and the data module in
// that order, then the message loop until the main window closes. When the database cannot be
// opened it shows the start-up message through the prompter and returns a non-zero status
// without running the loop. `runLoop` false returns right after start-up (tests).
int runProgram(const QString &root, Prompter &prompter, bool runLoop = true);

} // namespace vintrel
