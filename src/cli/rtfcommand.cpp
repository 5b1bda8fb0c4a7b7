#include "rtfcommand.h"

#include "cliprompter.h"

#include "app/command.h"
#include "data/dm.h"
#include "reports/protocolengine.h"

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

constexpr int kShowWindow = 5;

const QString kUsage = u"использование: vintrel-cli rtf ШАБЛОН РЕЗУЛЬТАТ [--var ИМЯ=ЗНАЧЕНИЕ]... "
                       u"[--dataset ТАБЛИЦА|sql:SELECT ...]... [--clear-missed]"_s;

struct Arguments {
    QString templatePath, outputPath;
    QList<std::pair<QString, QString>> variables;
    QStringList datasets;
    bool clearMissed = false;
};

Arguments parse(const QStringList &args)
{
    const auto usage = [](const QString &message) { throw UsageError{message}; };
    Arguments a;
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const auto value = [&]() -> QString {
            if (i + 1 >= args.size()) usage(u"после %1 нужно значение"_s.arg(arg));
            return args[++i];
        };
        if (arg == u"--var"_s) {
            const QString pair = value();
            const qsizetype eq = pair.indexOf(u'=');
            if (eq <= 0) usage(u"--var: ожидалось ИМЯ=ЗНАЧЕНИЕ, получено «%1»"_s.arg(pair));
            a.variables.append({pair.left(eq), pair.mid(eq + 1)});
        } else if (arg == u"--dataset"_s) {
            a.datasets << value();
        } else if (arg == u"--clear-missed"_s) {
            a.clearMissed = true;
        } else if (arg.startsWith(u"--"_s)) {
            usage(u"неизвестный параметр %1"_s.arg(arg));
        } else {
            positional << arg;
        }
    }
    if (positional.size() != 2) usage(kUsage);
    a.templatePath = positional[0];
    a.outputPath = positional[1];
    return a;
}

} // namespace

int runRtfCommand(CliCall &call)
{
    const Arguments a = parse(call.args);

    ProtocolEngine engine(call.dm);
    for (const QString &d : a.datasets) {
        if (d.startsWith(u"sql:"_s)) {
            const QString sql = d.mid(4).trimmed();
            if (!sql.startsWith(u"SELECT"_s, Qt::CaseInsensitive))
                throw UsageError{
                    u"--dataset sql: ожидался запрос SELECT, получено «%1»"_s.arg(sql)};
            engine.addQuery(sql);
        } else {
            Table *table = call.dm.table(d);
            if (!table) throw UsageError{u"неизвестная таблица %1"_s.arg(d)};
            engine.addTable(*table);
        }
    }

    TRepRTF &report = engine.RepRTF1;
    if (a.clearMissed) report.Options |= TRepRTF::eoClearMissedFields;
    report.Infile = a.templatePath;
    report.OutFile = a.outputPath;
    // The command-line tool never starts a viewer: the open step always succeeds.
    report.documentOpener = [](const QString &, int) { return 33; };
    const bool done = runCommand(call.prompter, [&] {
        report.ClearVariables();
        for (const auto &[name, value] : a.variables)
            report.AddVariable(name, value);
        engine.executeAndOpen(kShowWindow);
        return true;
    });
    if (!done) return ExitFailed;
    call.out << a.outputPath << Qt::endl;
    return ExitOk;
}

} // namespace vintrel
