#include "cliverb.h"

#include "cliprompter.h"

#include "app/command.h"
#include "reports/protocols.h"

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

// `report KIND [--group G]`: the protocol written to ROOT/Report without opening it; the
// written file's path on a line of its own.
int report(CliCall &c)
{
    const QString usage =
        u"использование: vintrel-cli report %1 [--group G]"_s.arg(protocolKinds().join(u'|'));
    ProtocolRequest request;
    request.openDocument = false;
    QStringList positional;
    for (qsizetype i = 0; i < c.args.size(); ++i) {
        if (c.args[i] == u"--group"_s) {
            if (i + 1 >= c.args.size()) throw UsageError{usage};
            request.group = parseNumber(c.args[++i], u"--group"_s);
            if (request.group <= 0) throw UsageError{u"--group: номер группы от 1"_s};
        } else {
            positional << c.args[i];
        }
    }
    if (positional.size() != 1 || !protocolOfKind(positional[0], request.protocol))
        throw UsageError{usage};
    if (request.group != 0 && request.protocol != Protocol::PoolSheet)
        throw UsageError{u"--group задается только для pool-sheet"_s};
    if (request.protocol == Protocol::PoolSheet && request.group == 0)
        throw UsageError{u"для pool-sheet нужен --group G"_s};

    QString written;
    runCommand(c.prompter, [&] {
        written = printProtocol(c.dm, c.context, c.prompter, request);
        return true;
    });
    if (!written.isEmpty()) c.out << written << Qt::endl;
    return ExitOk;
}

} // namespace

QList<CliVerb> reportVerbs()
{
    return {{u"report"_s, u"report KIND [--group G]"_s,
             u"записать протокол в ROOT/Report (KIND: "_s + protocolKinds().join(u", "_s) + u")"_s,
             report}};
}

} // namespace vintrel
