// Fills one golden case folder's template into a file, as the golden test does; used by
// scripts/make-rtf-corpus.sh to render the corpus templates written by LibreOffice.
//   golden_render CASE_DIR OUTPUT.rtf

#include "goldencase.h"

#include "reports/rtf/rtferrors.h"

#include <QCoreApplication>

#include <cstdio>

using namespace vintrel;
using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: golden_render CASE_DIR OUTPUT.rtf\n");
        return 2;
    }
    try {
        test::GoldenCase c = test::GoldenCase::load(args[1]);
        TRepRTF report;
        report.Infile = args[1] + u"/template.rtf"_s;
        report.OutFile = args[2];
        c.configure(report);
        report.Execute(c.datasetList());
    } catch (const RepError &e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
