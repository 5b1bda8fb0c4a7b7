#include "cliverb.h"

#include "cliprompter.h"

#include "app/command.h"
#include "app/session.h"
#include "data/dm.h"
#include "data/workspace.h"
#include "tools/competitioncommands.h"
#include "tools/savedfile.h"
#include "tools/sqlconsole.h"
#include "tools/sqlexports.h"
#include "tools/tableprint.h"

#include <QDir>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

// Options of a verb: "--name VALUE" pairs after its positional arguments.
struct VerbOptions {
    QStringList positional;
    QHash<QString, QString> values;
};

VerbOptions parseVerbOptions(const QStringList &args, const QStringList &names,
                             const QString &usage)
{
    VerbOptions o;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (!a.startsWith(u"--"_s)) {
            o.positional << a;
            continue;
        }
        if (!names.contains(a) || i + 1 >= args.size() || o.values.contains(a))
            throw UsageError{u"использование: vintrel-cli %1"_s.arg(usage)};
        o.values.insert(a, args[++i]);
    }
    return o;
}

QString absolute(const QString &path)
{
    return QDir::current().absoluteFilePath(path);
}

int printTableVerb(CliCall &c)
{
    const QString usage = u"print-table TABLE [--out FILE]"_s;
    const VerbOptions o = parseVerbOptions(c.args, {u"--out"_s}, usage);
    if (o.positional.size() != 1) throw UsageError{u"использование: vintrel-cli %1"_s.arg(usage)};
    if (!c.dm.table(o.positional[0]))
        throw UsageError{u"неизвестная таблица %1"_s.arg(o.positional[0])};
    const QString path = o.values.contains(u"--out"_s) ? absolute(o.values[u"--out"_s])
                                                       : tablePagePath(c.session.workspace());
    if (runCommand(c.prompter, [&] {
            printTable(c.dm, o.positional[0], path);
            return true;
        }))
        c.out << path << Qt::endl;
    return ExitOk;
}

int archiveVerb(CliCall &c)
{
    c.expectArgs(1, u"archive FILE"_s);
    const QString path = absolute(c.args[0]);
    runCommand(c.prompter, [&] {
        showArchiveNotice(c.prompter);
        return saveCompetition(c.dm, c.prompter, path);
    });
    return ExitOk;
}

int sqlVerb(CliCall &c)
{
    const QString usage = u"sql QUERY [--txt FILE] [--html FILE]"_s;
    const VerbOptions o = parseVerbOptions(c.args, {u"--txt"_s, u"--html"_s}, usage);
    if (o.positional.size() != 1) throw UsageError{u"использование: vintrel-cli %1"_s.arg(usage)};
    runCommand(c.prompter, [&] {
        SqlConsole console(c.dm.store().filePath());
        SqlResult result;
        result.setRows(console.run(o.positional[0]));
        QStringList line;
        for (int f = 0; f < result.fieldCount(); ++f)
            line << result.fieldTitle(f);
        c.out << line.join(u'\t') << '\n';
        for (int r = 0; r < result.recordCount(); ++r) {
            line.clear();
            for (int f = 0; f < result.fieldCount(); ++f)
                line << cliText(result.cell(r, f));
            c.out << line.join(u'\t') << '\n';
        }
        c.out.flush();
        if (o.values.contains(u"--txt"_s))
            saveFile(absolute(o.values[u"--txt"_s]),
                     [&](QIODevice &out) { writeTextExport(out, result); });
        if (o.values.contains(u"--html"_s))
            saveFile(absolute(o.values[u"--html"_s]),
                     [&](QIODevice &out) { writeHtmlExport(out, result); });
        return true;
    });
    return ExitOk;
}

} // namespace

int runRestore(const QString &root, const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1) throw UsageError{u"использование: vintrel-cli restore FILE"_s};
    CliPrompter prompter(out, err, false);
    const Workspace workspace(Workspace::resolveRoot(root));
    runCommand(prompter,
               [&] { return restoreCompetition(workspace, absolute(args[0]), prompter); });
    return prompter.errorShown() ? ExitFailed : ExitOk;
}

QList<CliVerb> toolVerbs()
{
    return {
        {u"print-table"_s, u"print-table TABLE [--out FILE]"_s,
         u"«Печать» просмотра таблицы: HTML-страница всех строк таблицы"_s, printTableVerb},
        {u"archive"_s, u"archive FILE"_s,
         u"«Сохранить текущее»: ZIP-архив папки базы данных в FILE"_s, archiveVerb},
        {u"sql"_s, u"sql QUERY [--txt FILE] [--html FILE]"_s,
         u"SQL-запрос: результат на экран, выгрузка в текстовый и HTML-файл"_s, sqlVerb},
    };
}

} // namespace vintrel
