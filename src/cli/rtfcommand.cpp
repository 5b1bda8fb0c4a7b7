#include "rtfcommand.h"

#include "../app/prompter.h"
#include "../data/dm.h"
#include "../reports/rtf/datasetadapter.h"
#include "../reports/rtf/reprtf.h"
#include "../reports/rtf/rtferrors.h"

#include <memory>
#include <vector>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kShowWindow = 5;

const QString kUsage = u"использование: vintrel-cli rtf ШАБЛОН РЕЗУЛЬТАТ [--var ИМЯ=ЗНАЧЕНИЕ]... "
                       u"[--dataset ТАБЛИЦА|sql:SELECT ...]... [--clear-missed]"_s;

struct Arguments {
    QString templatePath, outputPath;
    QList<std::pair<QString, QString>> variables;
    QStringList datasets;
    bool clearMissed = false;
};

Arguments parse(const QStringList &args, const std::function<void(const QString &)> &usage)
{
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

int runRtfCommand(TDM &dm, Prompter &prompter, QTextStream &out, const QStringList &args,
                  const std::function<void(const QString &)> &usageError)
{
    const Arguments a = parse(args, usageError);

    // Datasets in alias order; queries are fresh ones that live for this run only.
    std::vector<std::unique_ptr<Query>> queries;
    std::vector<std::unique_ptr<DataSetAdapter>> adapters;
    for (const QString &d : a.datasets) {
        if (d.startsWith(u"sql:"_s)) {
            const QString sql = d.mid(4).trimmed();
            if (!sql.startsWith(u"SELECT"_s, Qt::CaseInsensitive))
                usageError(u"--dataset sql: ожидался запрос SELECT, получено «%1»"_s.arg(sql));
            auto query = std::make_unique<Query>(dm.store());
            query->setObjectName(u"qr_Sql%1"_s.arg(queries.size() + 1));
            query->add(sql);
            query->open();
            adapters.push_back(std::make_unique<DataSetAdapter>(*query));
            queries.push_back(std::move(query));
        } else {
            Table *table = dm.table(d);
            if (!table) usageError(u"неизвестная таблица %1"_s.arg(d));
            adapters.push_back(std::make_unique<DataSetAdapter>(*table, dm.dataSource(table)));
        }
    }
    std::vector<RepDataSet *> datasets;
    for (const auto &adapter : adapters)
        datasets.push_back(adapter.get());

    TRepRTF report;
    report.Charset = 204;
    report.Lang = 1049;
    report.Options = TRepRTF::eoGraphicsBinary | TRepRTF::eoDotAsColon;
    if (a.clearMissed) report.Options |= TRepRTF::eoClearMissedFields;
    report.Infile = a.templatePath;
    report.OutFile = a.outputPath;
    // The command-line tool never starts a viewer: the open step always succeeds.
    report.documentOpener = [](const QString &, int) { return 33; };
    try {
        report.ClearVariables();
        for (const auto &[name, value] : a.variables)
            report.AddVariable(name, value);
        report.ExecuteAndOpen(datasets, kShowWindow);
    } catch (const RepError &e) {
        prompter.error(e.message());
        return kFailed;
    }
    out << a.outputPath << Qt::endl;
    return kOk;
}

} // namespace vintrel
