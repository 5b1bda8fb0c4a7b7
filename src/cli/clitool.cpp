#include "clitool.h"

#include "cliprompter.h"

#include "../app/classificationcommands.h"
#include "../app/currentcontext.h"
#include "../app/tourstrip.h"
#include "../data/dm.h"
#include "../registry/competition.h"
#include "rtfcommand.h"
#include "../data/storeerror.h"
#include "../data/workspace.h"

#include <QDate>

#include <functional>
#include <map>
#include <optional>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

enum ExitStatus { Ok = 0, Failed = 1, Usage = 2, Declined = 3 };

struct UsageError {
    QString message;
};

struct Options {
    QString root;
    int aspect = 0;
    std::optional<int> tour;
    bool yes = false;
    QString command;
    QStringList args;
};

int parseNumber(const QString &text, const QString &what)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok) throw UsageError{u"%1: ожидалось целое число, получено «%2»"_s.arg(what, text)};
    return n;
}

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
        else if (a.startsWith(u"--"_s))
            throw UsageError{u"неизвестный параметр %1"_s.arg(a)};
        else
            break;
    }
    if (i >= args.size()) throw UsageError{u"не указана команда"_s};
    o.command = args[i];
    o.args = args.mid(i + 1);
    return o;
}

// Values as the command-line tool prints them: dates as YYYY-MM-DD, booleans as 1 or 0,
// one line per row.
QString cliText(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    case QMetaType::Bool:
        return v.toBool() ? u"1"_s : u"0"_s;
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 12);
    default: {
        QString s = v.toString();
        return s.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
    }
    }
}

// What one command needs: the open data module with the context set up as the main window
// leaves it, the prompter, and the output.
struct Session {
    TDM &dm;
    CurrentContext &context;
    CliPrompter &prompter;
    QTextStream &out;
    const QStringList &args;
};

void expectArgs(const Session &s, int count, const QString &usage)
{
    if (s.args.size() != count) throw UsageError{u"использование: vintrel-cli %1"_s.arg(usage)};
}

int listTable(Session &s)
{
    expectArgs(s, 1, u"list TABLE"_s);
    Table *table = s.dm.table(s.args[0]);
    if (!table) throw UsageError{u"неизвестная таблица %1"_s.arg(s.args[0])};
    QStringList line;
    for (int f = 0; f < table->fieldCount(); ++f)
        line << table->fieldTitle(f);
    s.out << line.join(u'\t') << '\n';
    for (int r = 0; r < table->recordCount(); ++r) {
        line.clear();
        for (int f = 0; f < table->fieldCount(); ++f)
            line << cliText(table->cell(r, f));
        s.out << line.join(u'\t') << '\n';
    }
    s.out.flush();
    return Ok;
}

int setKol(Session &s)
{
    expectArgs(s, 1, u"set-kol N"_s);
    setTourParticipants(s.dm, s.context, parseNumber(s.args[0], u"set-kol"_s), s.prompter);
    return Ok;
}

int setDate(Session &s)
{
    expectArgs(s, 1, u"set-date YYYY-MM-DD"_s);
    const QString &text = s.args[0];
    const QDate date = QDate::fromString(text, u"yyyy-MM-dd"_s);
    if (text.size() != 10 || !date.isValid())
        throw UsageError{u"set-date: ожидалась дата вида ГГГГ-ММ-ДД, получено «%1»"_s.arg(text)};
    setTourDate(s.dm, s.context, date, s.prompter);
    return Ok;
}

int closeComp(Session &s)
{
    expectArgs(s, 0, u"close-comp"_s);
    closeCompetition(s.dm, s.context);
    return Ok;
}

// The context-menu commands on the participants' classification, start numbers and results.
int classificationCommand(Session &s)
{
    using Run = bool (*)(TDM &, CurrentContext &, Prompter &);
    static const std::map<QString, Run> subcommands{
        {u"random"_s, drawClassification},
        {u"random-rest"_s, drawMissingClassification},
        {u"class-to-start"_s, copyClassificationToStart},
        {u"place-to-start"_s, copyPlaceToStart},
        {u"zero"_s, zeroResults},
    };
    const auto run = s.args.size() == 1 ? subcommands.find(s.args[0]) : subcommands.end();
    if (run == subcommands.end())
        throw UsageError{u"ожидалась одна из подкоманд random, random-rest, class-to-start, "
                         u"place-to-start, zero"_s};
    run->second(s.dm, s.context, s.prompter);
    return Ok;
}

using Command = std::function<int(Session &)>;

const std::map<QString, Command> &commands()
{
    static const std::map<QString, Command> table{
        {u"list"_s, listTable},
        {u"close-comp"_s, closeComp},
        {u"set-kol"_s, setKol},
        {u"set-date"_s, setDate},
        {u"seed"_s, classificationCommand},
        {u"rtf"_s,
         [](Session &s) {
             return runRtfCommand(s.dm, s.prompter, s.out, s.args,
                                  [](const QString &m) { throw UsageError{m}; });
         }},
    };
    return table;
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
    return Ok;
}

int runCommand(const Options &o, QTextStream &out, QTextStream &err)
{
    if (o.command == u"init"_s) return initWorkspace(o, out);
    const auto command = commands().find(o.command);
    if (command == commands().end()) throw UsageError{u"неизвестная команда %1"_s.arg(o.command)};

    const Workspace ws(Workspace::resolveRoot(o.root));
    TDM dm(ws.databaseFile());
    CurrentContext context(dm);
    context.loadAspects();
    if (o.aspect != 0) {
        if (o.aspect < 0 || o.aspect >= context.aspectNames().size())
            throw UsageError{u"нет вида с номером %1 в списке видов"_s.arg(o.aspect)};
        context.selectAspect(o.aspect);
    }
    context.setSortOrder(0);
    if (o.tour && !context.selectTourKind(*o.tour))
        throw UsageError{u"в варианте текущего вида нет тура %1"_s.arg(*o.tour)};

    CliPrompter prompter(out, err, o.yes);
    Session session{dm, context, prompter, out, o.args};
    const int status = command->second(session);
    dm.closeAll();
    if (status != Ok) return status;
    if (prompter.errorShown()) return Failed;
    return prompter.declined() ? Declined : Ok;
}

} // namespace

int runCli(const QStringList &args, QTextStream &out, QTextStream &err)
{
    try {
        return runCommand(parseOptions(args), out, err);
    } catch (const UsageError &e) {
        err << u"usage: "_s << e.message << Qt::endl;
        return Usage;
    } catch (const StoreError &e) {
        err << u"error: "_s << CliPrompter::oneLine(e.message()) << Qt::endl;
        return Failed;
    }
}

} // namespace vintrel
