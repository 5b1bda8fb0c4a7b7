#pragma once

#include "reports/rtf/memorydataset.h"
#include "reports/rtf/reprtf.h"

#include <QString>

#include <memory>
#include <vector>

namespace vintrel::test {

// One folder of tests/reports/golden: template.rtf, and optionally vars.txt (NAME=VALUE lines;
// \r \n \t \\ escapes in values), options.txt (Options=eoDotAsColon,... Charset= Lang=
// TrueValue= FalseValue=), dataN_NAME.tsv (datasets in alias order: a header of NAME:type
// fields, types text, int, float, bool, date, datetime; an empty cell is a null value), and
// expected.rtf or expected_error.txt ("ExceptionClass: message"). ${CASE_DIR} in a variable
// value stands for the case folder (picture files).
struct GoldenCase {
    QString dir;
    std::vector<std::unique_ptr<MemoryDataSet>> datasets;

    static GoldenCase load(const QString &dir);
    void configure(TRepRTF &report) const; // options and variables
    std::vector<RepDataSet *> datasetList() const;

private:
    QStringList m_variables;
    QStringList m_options;
};

QString unescapeValue(const QString &text);

} // namespace vintrel::test
