#pragma once

#include "cliverb.h"

namespace vintrel {

// `vintrel-cli rtf TEMPLATE OUTPUT [--var NAME=VALUE]... [--dataset D]... [--clear-missed]`:
// one run of the template engine set up as the main window's RepRTF1. D is a table object
// name ("tbl_COMP") in the current context or "sql:" and a SELECT statement. Malformed
// arguments are a usage error; an engine failure is shown as an error and gives exit status 1.
// Nothing is opened.
int runRtfCommand(CliCall &call);

} // namespace vintrel
