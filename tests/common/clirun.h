#pragma once

#include "cli/clitool.h"

#include <QStringList>
#include <QTextStream>

namespace vintrel::test {

// One run of vintrel-cli in this process: its exit status and what it printed.
struct CliRun {
    int status = -1;
    QString out, err;
    QStringList lines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
};

inline CliRun cli(const QStringList &args)
{
    CliRun run;
    QTextStream out(&run.out), err(&run.err);
    run.status = runCli(args, out, err);
    out.flush();
    err.flush();
    return run;
}

} // namespace vintrel::test
