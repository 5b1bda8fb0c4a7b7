#pragma once

#include <functional>

namespace vintrel {

class CurrentContext;
class Prompter;
class Store;
class TDM;

// The shape of every command a menu entry, a button or a command-line verb runs: it works on
// the data module and the current context, asks and tells only through the prompter, writes in
// one transaction, and returns whether it ran to its end (false after a "No" or a message).
// A refusal (a Refusal of the store, the engine or a rule) may leave it as an exception; the
// front end's runCommand() shows it.
using ContextCommand = bool (*)(TDM &dm, CurrentContext &context, Prompter &prompter);

// The one place a front end turns a refusal into an error message: runs the command, shows a
// Refusal that reaches here through the prompter and returns false for it.
bool runCommand(Prompter &prompter, const std::function<bool()> &command);

// Runs `change` as one command of the store: every write lands, or none. A refusal undoes the
// writes (the tables are re-read, so they show what the file holds) and is passed on.
void atomically(Store &store, const std::function<void()> &change);

} // namespace vintrel
