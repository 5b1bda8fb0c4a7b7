// Every folder under golden/ is one case: the template is filled and the output compared
// byte for byte with expected.rtf, or the run must fail with expected_error.txt.
//
// Numbers and dates come out in Russian whatever the machine's locale: decimal comma, a
// no-break space between thousands, dates as dd.MM.yyyy.

#include "goldencase.h"

#include "reports/rtf/rtferrors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <typeinfo>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

QString goldenDir()
{
    return QStringLiteral(VINTREL_GOLDEN_DIR);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString errorClass(const RepError &e)
{
    if (dynamic_cast<const EBadRtfFormat *>(&e)) return u"EBadRtfFormat"_s;
    if (dynamic_cast<const EIOError *>(&e)) return u"EIOError"_s;
    if (dynamic_cast<const EIllegalScanUse *>(&e)) return u"EIllegalScanUse"_s;
    if (dynamic_cast<const EIllegalFunctionUse *>(&e)) return u"EIllegalFunctionUse"_s;
    if (dynamic_cast<const EConvertError *>(&e)) return u"EConvertError"_s;
    return u"RepError"_s;
}

// The first differing byte with some context, to read a failure quickly.
std::string firstDifference(const QByteArray &expected, const QByteArray &actual)
{
    qsizetype i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i])
        ++i;
    const qsizetype from = std::max<qsizetype>(0, i - 40);
    return "at byte " + std::to_string(i) + "\nexpected: ..." +
           expected.mid(from, 100).toStdString() + "\nactual:   ..." +
           actual.mid(from, 100).toStdString();
}

class Golden : public testing::TestWithParam<QString> {};

TEST_P(Golden, OutputMatches)
{
    const QString dir = goldenDir() + u'/' + GetParam();
    test::GoldenCase c = test::GoldenCase::load(dir);
    QTemporaryDir out;
    TRepRTF report;
    report.Infile = dir + u"/template.rtf"_s;
    report.OutFile = out.path() + u"/out.rtf"_s;
    c.configure(report);

    const QString expectedError =
        QString::fromUtf8(readFile(dir + u"/expected_error.txt"_s)).trimmed();
    QString actualError;
    try {
        report.Execute(c.datasetList());
    } catch (const RepError &e) {
        actualError = errorClass(e) + u": "_s + e.message();
    }
    if (!expectedError.isEmpty()) {
        EXPECT_EQ(actualError.toStdString(), expectedError.toStdString());
        return;
    }
    ASSERT_TRUE(actualError.isEmpty()) << actualError.toStdString();
    const QByteArray expected = readFile(dir + u"/expected.rtf"_s);
    ASSERT_FALSE(expected.isEmpty()) << "no expected.rtf in " << dir.toStdString();
    const QByteArray actual = readFile(report.OutFile);
    if (actual != expected) {
        QFile keep(QDir::tempPath() + u"/golden_"_s + GetParam() + u".rtf"_s);
        if (keep.open(QIODevice::WriteOnly)) keep.write(actual);
        FAIL() << firstDifference(expected, actual)
               << "\nfull output: " << keep.fileName().toStdString();
    }
}

std::vector<QString> cases()
{
    std::vector<QString> names;
    for (const QString &name :
         QDir(goldenDir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        names.push_back(name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<QString> &info) {
                             return info.param.toStdString();
                         });

TEST(GoldenFolder, HoldsCases)
{
    EXPECT_GE(cases().size(), 40u);
}

} // namespace
