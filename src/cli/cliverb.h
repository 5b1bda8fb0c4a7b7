#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QVariant>

#include <functional>

namespace vintrel {

class CliPrompter;
class CurrentContext;
class Session;
class TDM;

enum CliExitStatus { ExitOk = 0, ExitFailed = 1, ExitUsage = 2, ExitDeclined = 3 };

// A malformed command line: printed as "usage: …", exit status 2.
struct UsageError {
    QString message;
};

// What one verb works with: the session with the context set up as the main window leaves it,
// the prompter, the output, and the verb's own arguments.
struct CliCall {
    Session &session;
    TDM &dm;
    CurrentContext &context;
    CliPrompter &prompter;
    QTextStream &out;
    QStringList args;

    // Refuses the call unless it has exactly `count` arguments.
    void expectArgs(int count, const QString &usage) const;
};

// One verb of vintrel-cli: its name, its arguments as --help shows them, a one-line Russian
// description, and what it does (it returns an exit status).
struct CliVerb {
    QString name;
    QString usage;
    QString description;
    std::function<int(CliCall &)> run;
};

// A whole number argument, or a usage error naming `what`.
int parseNumber(const QString &text, const QString &what);

// A value as the tool prints it: dates YYYY-MM-DD, booleans 1 or 0, one line per row.
QString cliText(const QVariant &value);

// The verbs of the main window's shell: list, the tour strip, rtf.
QList<CliVerb> shellVerbs();
// `report KIND`: the protocols.
QList<CliVerb> reportVerbs();

// The pool tours' verbs: prepare, distribute, cell, group-totals.
QList<CliVerb> poolVerbs();
// The verbs of a direct-elimination tour: prepare, de-open, de-first, de-touches, de-totals,
// de-next, de-add, de-places, de-clear.
QList<CliVerb> eliminationVerbs();
// "prepare" on a direct-elimination tour (refuses --groups).
int prepareEliminationVerb(CliCall &call);

// The verbs of the tools: table print, SQL console, archive.
QList<CliVerb> toolVerbs();

// `restore FILE`: runs without opening the workspace, which it replaces.
int runRestore(const QString &root, const QStringList &args, QTextStream &out, QTextStream &err);
// The verbs of the people, judges and staff windows: person, judge, staff.
QList<CliVerb> personVerbs();
// The verbs of the organizations, entry and participants windows: org, entry, part.
QList<CliVerb> entryVerbs();

} // namespace vintrel
