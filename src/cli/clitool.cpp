#include "clitool.h"

#include "cliprompter.h"
#include "cliverb.h"

#include "app/commandtable.h"
#include "app/currentcontext.h"
#include "app/session.h"
#include "data/refusal.h"
#include "data/workspace.h"

#include <map>
#include <optional>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

const QString kUsageLine =
    u"vintrel-cli [--root DIR] [--aspect I] [--tour T] [--yes] COMMAND [ARGUMENTS]"_s;

struct Options {
    QString root;
    int aspect = 0;
    std::optional<int> tour;
    bool yes = false;
    bool help = false;
    bool version = false;
    QString command;
    QStringList args;
};

Options parseOptions(const QStringList &args)
{
    Options o;
    int i = 0;
    const auto valueOf = [&](const QString &option) {
        if (i + 1 >= args.size()) throw UsageError{u"после %1 нужно значение"_s.arg(option)};
        return args[++i];
    };
    for (; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == u"--root"_s)
            o.root = valueOf(a);
        else if (a == u"--aspect"_s)
            o.aspect = parseNumber(valueOf(a), a);
        else if (a == u"--tour"_s)
            o.tour = parseNumber(valueOf(a), a);
        else if (a == u"--yes"_s)
            o.yes = true;
        else if (a == u"--help"_s || a == u"-h"_s)
            o.help = true;
        else if (a == u"--version"_s)
            o.version = true;
        else if (a.startsWith(u"--"_s))
            throw UsageError{u"неизвестный параметр %1"_s.arg(a)};
        else
            break;
    }
    if (o.help || o.version) return o;
    if (i >= args.size()) throw UsageError{u"не указана команда"_s};
    o.command = args[i];
    o.args = args.mid(i + 1);
    return o;
}

const std::map<QString, CliVerb> &explicitVerbs()
{
    static const std::map<QString, CliVerb> verbs = [] {
        std::map<QString, CliVerb> byName;
        // The pool verbs first: their prepare hands an elimination tour to prepareEliminationVerb.
        for (const auto &verbs : {shellVerbs(), reportVerbs(), poolVerbs(), eliminationVerbs(),
                                  toolVerbs(), personVerbs(), entryVerbs()})
            for (const CliVerb &verb : verbs)
                byName.emplace(verb.name, verb);
        return byName;
    }();
    return verbs;
}

// A verb of the command tables whose command needs nothing but the context ("seed random").
struct TableVerb {
    QString subcommand; // empty for a one-word verb ("close-comp")
    const CommandEntry *entry;
};

// The verbs built from the command tables, by their first word.
const std::map<QString, QList<TableVerb>> &tableVerbs()
{
    static const std::map<QString, QList<TableVerb>> verbs = [] {
        std::map<QString, QList<TableVerb>> byWord;
        for (const CommandTable *table : allCommandTables())
            for (const CommandEntry &entry : *table) {
                if (!entry.built || !entry.run || entry.verb.isEmpty()) continue;
                const QStringList words = entry.verb.split(u' ');
                // A verb that takes arguments of its own runs the command itself.
                if (explicitVerbs().count(words[0])) continue;
                byWord[words[0]].append({words.value(1), &entry});
            }
        return byWord;
    }();
    return verbs;
}

int runTableVerb(const QList<TableVerb> &verbs, CliCall &call, const QString &word)
{
    const TableVerb *chosen = nullptr;
    for (const TableVerb &v : verbs) {
        const bool matches = v.subcommand.isEmpty()
                                 ? call.args.isEmpty()
                                 : call.args.size() == 1 && call.args[0] == v.subcommand;
        if (matches) chosen = &v;
    }
    if (!chosen) {
        if (verbs.size() == 1 && verbs[0].subcommand.isEmpty())
            throw UsageError{u"использование: vintrel-cli %1"_s.arg(word)};
        QStringList names;
        for (const TableVerb &v : verbs)
            names << v.subcommand;
        throw UsageError{u"ожидалась одна из подкоманд %1"_s.arg(names.join(u", "_s))};
    }
    const ContextCommand command = chosen->entry->run;
    runCommand(call.prompter, [&] { return command(call.dm, call.context, call.prompter); });
    return ExitOk;
}

void printHelp(QTextStream &out)
{
    out << u"использование: "_s << kUsageLine << '\n' << '\n' << u"Команды:"_s << '\n';
    const auto line = [&out](const QString &usage, const QString &description) {
        // A long usage gets its description on a line of its own.
        if (usage.size() > 34)
            out << u"  "_s << usage << '\n' << QString(37, u' ') << description << '\n';
        else
            out << u"  "_s << usage.leftJustified(34) << u" "_s << description << '\n';
    };
    line(u"init [--demo]"_s, u"создать рабочую папку (с --demo — с примером соревнования)"_s);
    line(u"restore FILE"_s,
         u"восстановить соревнование из архива (программа должна быть закрыта)"_s);
    for (const auto &[name, verb] : explicitVerbs())
        line(verb.usage, verb.description);
    for (const auto &[word, verbs] : tableVerbs())
        for (const TableVerb &v : verbs)
            line(v.entry->verb,
                 v.entry->description.isEmpty() ? v.entry->text : v.entry->description);
    out.flush();
}

int initWorkspace(const Options &o, QTextStream &out)
{
    bool demo = false;
    for (const QString &a : o.args) {
        if (a == u"--demo"_s)
            demo = true;
        else
            throw UsageError{u"использование: vintrel-cli init [--demo]"_s};
    }
    const Workspace ws(Workspace::resolveRoot(o.root));
    ws.create(demo);
    out << u"info: Рабочая папка создана: "_s << ws.root() << Qt::endl;
    return ExitOk;
}

// The context as a person leaves the main window after choosing that aspect and tour.
void chooseContext(const Options &o, CurrentContext &context)
{
    if (o.aspect != 0) {
        if (o.aspect < 0 || o.aspect >= context.aspectNames().size())
            throw UsageError{u"нет вида с номером %1 в списке видов"_s.arg(o.aspect)};
        context.selectAspect(o.aspect);
    }
    context.setSortOrder(0);
    if (o.tour && !context.selectTourKind(*o.tour))
        throw UsageError{u"в варианте текущего вида нет тура %1"_s.arg(*o.tour)};
}

int runCommandLine(const Options &o, QTextStream &out, QTextStream &err)
{
    if (o.help) {
        printHelp(out);
        return ExitOk;
    }
    if (o.version) {
        out << u"vintrel-cli "_s << QStringLiteral(VINTREL_VERSION) << Qt::endl;
        return ExitOk;
    }
    if (o.command == u"init"_s) return initWorkspace(o, out);
    if (o.command == u"restore"_s) return runRestore(o.root, o.args, out, err);
    const auto verb = explicitVerbs().find(o.command);
    const auto tableVerb = tableVerbs().find(o.command);
    if (verb == explicitVerbs().end() && tableVerb == tableVerbs().end())
        throw UsageError{u"неизвестная команда %1"_s.arg(o.command)};

    Session session{Workspace(Workspace::resolveRoot(o.root))};
    chooseContext(o, session.context());
    CliPrompter prompter(out, err, o.yes);
    CliCall call{session, session.dm(), session.context(), prompter, out, o.args};
    const int status = verb != explicitVerbs().end()
                           ? verb->second.run(call)
                           : runTableVerb(tableVerb->second, call, o.command);
    session.close();
    if (status != ExitOk) return status;
    if (prompter.errorShown()) return ExitFailed;
    return prompter.declined() ? ExitDeclined : ExitOk;
}

} // namespace

bool cliHasVerb(const QString &verb)
{
    const QStringList words = verb.split(u' ');
    if (explicitVerbs().count(words[0])) return true;
    const auto found = tableVerbs().find(words[0]);
    if (found == tableVerbs().end()) return false;
    for (const TableVerb &v : found->second)
        if (v.subcommand == words.value(1)) return true;
    return false;
}

int runCli(const QStringList &args, QTextStream &out, QTextStream &err)
{
    try {
        return runCommandLine(parseOptions(args), out, err);
    } catch (const UsageError &e) {
        err << u"usage: "_s << e.message << Qt::endl;
        return ExitUsage;
    } catch (const Refusal &e) {
        // Refused before or after the command itself: the database cannot be opened or closed.
        err << u"error: "_s << CliPrompter::oneLine(e.message()) << Qt::endl;
        return ExitFailed;
    }
}

} // namespace vintrel
