#pragma once

#include <QStringList>
#include <QTextStream>

#include <functional>

namespace vintrel {

class Prompter;
class TDM;

// `vintrel-cli rtf TEMPLATE OUTPUT [--var NAME=VALUE]... [--dataset D]... [--clear-missed]`:
// one run of the template engine set up as the main window's RepRTF1. D is a table object
// name ("tbl_COMP") in the current context or "sql:" and a SELECT statement. Malformed
// arguments go to usageError (which does not return); an engine failure is shown as an
// error and gives exit status 1. Nothing is opened.
int runRtfCommand(TDM &dm, Prompter &prompter, QTextStream &out, const QStringList &args,
                  const std::function<void(const QString &)> &usageError);

} // namespace vintrel
