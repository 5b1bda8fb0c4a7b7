#pragma once

#include <QStringList>
#include <QTextStream>

namespace vintrel {

// vintrel-cli as a function: arguments without the program name; returns the exit status.
int runCli(const QStringList &args, QTextStream &out, QTextStream &err);

// Whether vintrel-cli knows the verb of a command table ("seed random", "set-held").
bool cliHasVerb(const QString &verb);

} // namespace vintrel
