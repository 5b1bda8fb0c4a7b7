// Timings of the report template engine: a protocol-like table of 128 rows filled from a
// query of the store, and nested scan blocks printing 500 rows with sums. Each run reads
// the template, writes the whole document to a temporary folder and is counted in bytes.

#include "data/query.h"
#include "data/store.h"
#include "data/storeerror.h"
#include "data/workspace.h"
#include "reports/rtf/datasetadapter.h"
#include "reports/rtf/memorydataset.h"
#include "reports/rtf/reprtf.h"
#include "reports/rtf/rtferrors.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <memory>

using namespace vintrel;
using namespace Qt::StringLiterals;
using FieldKind = RepDataSet::FieldKind;

namespace {

const QByteArray kHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
    "{\\f1\\fswiss\\fcharset0 Arial;}}\n{\\colortbl;\\red255\\green0\\blue0;}\n"
    "{\\info{\\title Protocol}}\n";

// A row of three cells as a word processor writes it, repeated by the scan around it.
const QByteArray kTableTemplate =
    kHeader + "\\pard\\qc {\\b \\\\title\\\\}\\par\n"
              "\\pard \\\\SCAN(A)\\\\\\par\n"
              "\\trowd\\trgaph108\\trleft-108\\cellx1000\\cellx6000\\cellx8000\n"
              "\\pard\\intbl {\\f1 \\\\A.NUM\\\\}\\cell {\\f1 \\\\A.NAME\\\\}\\cell "
              "{\\f1 \\\\FFIXR(A.SCORE)\\\\}\\cell\\row\n"
              "\\pard \\\\ENDSCAN\\\\\\par\n"
              "\\pard Judge: \\\\judge\\\\\\par}\n";

const QByteArray kNestedTemplate =
    kHeader + "\\pard \\\\SCAN(A),CTS(A.GROUP,GROUPS)\\\\\\par\n"
              "\\pard {\\b Group \\\\A.GROUP\\\\}\\par\n"
              "\\pard \\\\SCAN(B),SUM(B.SCORE,SUB),SUM(B.SCORE,TOTAL,NORESET)\\\\\\par\n"
              "\\pard\\tx2000 \\\\B.NUM\\\\\\tab \\\\B.NAME\\\\\\tab \\\\FNUM(B.SCORE,1)\\\\\\par\n"
              "\\pard \\\\SCANFOOTER\\\\\\par\n"
              "\\pard Sum: \\\\FFIX(SUB,1)\\\\\\par\n"
              "\\pard \\\\ENDSCAN\\\\\\par\n"
              "\\pard \\\\ENDSCAN\\\\\\par\n"
              "\\pard Groups \\\\GROUPS\\\\, total \\\\FNUMR(TOTAL)\\\\\\par}\n";

class Sample {
public:
    Sample()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        const Workspace ws(m_dir.path() + u"/ws"_s);
        ws.create(false);
        m_store = std::make_unique<Store>(ws.databaseFile());
        tableTemplate = write(u"table.rtf"_s, kTableTemplate);
        nestedTemplate = write(u"nested.rtf"_s, kNestedTemplate);
        output = m_dir.path() + u"/out.rtf"_s;
    }
    Store &store() { return *m_store; }

    QString tableTemplate, nestedTemplate, output;

private:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.path() + u'/' + name;
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Store> m_store;
};

std::unique_ptr<Sample> g_sample;

Sample &sample()
{
    if (!g_sample) g_sample = std::make_unique<Sample>();
    return *g_sample;
}

void runReport(benchmark::State &state, TRepRTF &report, const std::vector<RepDataSet *> &data)
{
    try {
        report.Execute(data);
    } catch (const RepError &e) {
        state.SkipWithError(e.what());
    }
}

void Table128FromQuery(benchmark::State &state)
{
    Sample &s = sample();
    Query query(s.store());
    query.setObjectName(u"qr_Temp"_s);
    query.add(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 128)"_s);
    query.add(u"SELECT i AS NUM, 'Участник ' || i || ' (Клуб ' || (i % 7) || ')' AS NAME,"_s);
    query.add(u"i * 1.25 AS SCORE FROM n"_s);
    try {
        query.open();
    } catch (const StoreError &e) {
        state.SkipWithError(e.what());
        return;
    }
    DataSetAdapter data(query);
    TRepRTF report;
    report.Charset = 204;
    report.Lang = 1049;
    report.Infile = s.tableTemplate;
    report.OutFile = s.output;
    report.AddVariable(u"title"_s, u"Протокол"_s);
    report.AddVariable(u"judge"_s, u"Иванов И.И."_s);
    for (auto _ : state)
        runReport(state, report, {&data});
    const qint64 bytes = QFileInfo(s.output).size();
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["output_bytes"] = double(bytes);
}

void NestedScans500(benchmark::State &state)
{
    Sample &s = sample();
    MemoryDataSet groups(u"groups"_s, {u"GROUP"_s}, {FieldKind::Text});
    for (int g = 1; g <= 10; ++g)
        groups.addRow({u"Группа %1"_s.arg(g)});
    MemoryDataSet rows(u"rows"_s, {u"NUM"_s, u"NAME"_s, u"SCORE"_s},
                       {FieldKind::Integer, FieldKind::Text, FieldKind::Float});
    for (int r = 1; r <= 50; ++r)
        rows.addRow({r, u"Фехтовальщик %1"_s.arg(r), r * 3.5});
    TRepRTF report;
    report.Charset = 204;
    report.Lang = 1049;
    report.Infile = s.nestedTemplate;
    report.OutFile = s.output;
    for (auto _ : state)
        runReport(state, report, {&groups, &rows});
    const qint64 bytes = QFileInfo(s.output).size();
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["output_bytes"] = double(bytes);
}

} // namespace

BENCHMARK(Table128FromQuery)->Unit(benchmark::kMicrosecond);
BENCHMARK(NestedScans500)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_sample.reset();
    return 0;
}
