// The engine's operations, events and robustness against malformed templates; the output
// rules themselves are covered by the golden cases.

#include "tempworkspace.h"

#include "reports/rtf/cp1251.h"
#include "data/datasource.h"
#include "reports/rtf/datasetadapter.h"
#include "reports/rtf/documentopener.h"
#include "reports/rtf/memorydataset.h"
#include "reports/rtf/reprtf.h"
#include "reports/rtf/rtferrors.h"
#include "reports/rtf/rtfwriter.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

const QByteArray kHeader = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}}";

class Engine : public testing::Test {
protected:
    void SetUp() override
    {
        report.Infile = dir.path() + u"/t.rtf"_s;
        report.OutFile = dir.path() + u"/out.rtf"_s;
        report.Lang = 1049;
    }
    void writeTemplate(const QByteArray &bytes)
    {
        QFile f(report.Infile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray output() const
    {
        QFile f(report.OutFile);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The body written after the header and the colour table.
    QByteArray body() const
    {
        const QByteArray out = output();
        return out.mid(out.indexOf("\\red192\\green192\\blue192;}") + 26);
    }
    QString runMessage(const std::vector<RepDataSet *> &datasets = {})
    {
        try {
            report.Execute(datasets);
        } catch (const RepError &e) {
            return e.message();
        }
        return {};
    }

    QTemporaryDir dir;
    TRepRTF report;
};

std::unique_ptr<MemoryDataSet> names(const QString &name, const QStringList &rows)
{
    auto data = std::make_unique<MemoryDataSet>(
        name, QStringList{u"NAME"_s},
        std::vector<RepDataSet::FieldKind>{RepDataSet::FieldKind::Text});
    for (const QString &row : rows)
        data->addRow({row});
    return data;
}

// ---- variables ----

TEST_F(Engine, AddingAVariableTwiceFailsAndAddsNothing)
{
    report.AddVariable(u" judge "_s, u"Иванов"_s);
    EXPECT_EQ(report.VarList, QStringList{u"judge=Иванов"_s});
    try {
        report.AddVariable(u"JUDGE"_s, u"x"_s);
        FAIL() << "no exception";
    } catch (const EIOError &e) {
        EXPECT_EQ(e.message(), u"Can't add report variable JUDGE - variable already exists."_s);
    }
    EXPECT_THROW(report.AddNumericVariable(u"Judge"_s, 1), EIOError);
    EXPECT_EQ(report.VarList.size(), 1);
}

TEST_F(Engine, VariablesAreFoundByNameInAnyCase)
{
    report.AddVariable(u"a"_s, u"1"_s);
    report.AddNumericVariable(u"b"_s, 2.5);
    report.AddNumericVariable(u"c"_s, 1e6);
    report.VarList << u"=nameless"_s;
    EXPECT_EQ(report.IndexOfVariable(u"B"_s), 2);
    EXPECT_EQ(report.VariableValue(2), u"2,5"_s);
    EXPECT_EQ(report.VariableValue(3), u"1000000"_s);
    EXPECT_EQ(report.VariableValue(4), QString());
    EXPECT_EQ(report.IndexOfVariable(u""_s), 0);
    EXPECT_EQ(report.IndexOfVariable(u"nameless"_s), 0);
    EXPECT_EQ(report.VariableByName(u"A"_s).value(), u"1"_s);
    report.DeleteVariable(u"nosuch"_s);
    EXPECT_EQ(report.VarList.size(), 4);
    report.DeleteVariable(u"A"_s);
    EXPECT_EQ(report.IndexOfVariable(u"a"_s), 0);
    try {
        report.VariableByName(u"a"_s).value();
        FAIL() << "no exception";
    } catch (const EIOError &e) {
        EXPECT_EQ(e.message(), u"Get variable: report variable not found: a"_s);
    }
}

// ---- runs ----

TEST_F(Engine, AMissingTemplateFailsAlsoAfterASuccessfulRun)
{
    writeTemplate(kHeader + "\\pard x\\par}");
    report.Execute({});
    EXPECT_TRUE(output().endsWith("\\pard x\\par}"));
    QFile::remove(report.Infile);
    EXPECT_EQ(runMessage(), u"Can't read report template from file:"_s + report.Infile);
}

TEST_F(Engine, TheOutputIsReplacedNotAppended)
{
    writeTemplate(kHeader + "\\pard \\\\v\\\\\\par}");
    report.AddVariable(u"v"_s, u"first"_s);
    report.Execute({});
    report.VarList = {u"v=second"_s};
    report.Execute({});
    EXPECT_EQ(output().count("\\pard"), 1);
    EXPECT_TRUE(body().contains("second"));
    EXPECT_FALSE(body().contains("first"));
}

TEST_F(Engine, AFailedRunLeavesThePreviousReportAndNoTemporaryFile)
{
    writeTemplate(kHeader + "\\pard \\\\v\\\\\\par}");
    report.AddVariable(u"v"_s, u"good"_s);
    report.AddVariable(u"d"_s, u"not a date"_s);
    report.Execute({});
    const QByteArray good = output();
    ASSERT_TRUE(good.contains("good"));

    const QByteArray failing[] = {
        kHeader + "\\pard \\\\v\\\\ \\\\ENDSCAN\\\\}", // refused while compiling
        kHeader + "\\pard \\\\v\\\\ \\\\FDTM(d)\\\\}", // refused while writing
        QByteArray("not rtf"),
    };
    for (const QByteArray &bytes : failing) {
        writeTemplate(bytes);
        EXPECT_FALSE(runMessage().isEmpty());
        EXPECT_EQ(output(), good);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{u"out.rtf"_s, u"t.rtf"_s}));
    }
    QFile::remove(report.Infile);
    EXPECT_FALSE(runMessage().isEmpty());
    EXPECT_EQ(output(), good);

    writeTemplate(kHeader + "\\pard \\\\v\\\\\\par}");
    report.VarList = {u"v=better"_s};
    report.Execute({});
    EXPECT_TRUE(body().contains("better"));
}

TEST_F(Engine, AReportThatCannotBeWrittenFailsWithItsPath)
{
    report.OutFile = dir.path() + u"/missing/out.rtf"_s;
    writeTemplate(kHeader + "}");
    EXPECT_TRUE(runMessage().startsWith(u"Cannot create file \""_s + report.OutFile + u"\"."_s));
}

TEST_F(Engine, AFieldIsResolvedAgainInEveryRun)
{
    writeTemplate(kHeader + "\\pard \\\\A.NAME\\\\\\par}");
    auto first = names(u"one"_s, {u"Ann"_s});
    report.Execute({first.get()});
    EXPECT_TRUE(body().contains("Ann"));
    auto other = std::make_unique<MemoryDataSet>(
        u"two"_s, QStringList{u"X"_s, u"NAME"_s},
        std::vector<RepDataSet::FieldKind>{RepDataSet::FieldKind::Text,
                                           RepDataSet::FieldKind::Text});
    other->addRow({u"x"_s, u"Bob"_s});
    report.Execute({other.get()});
    EXPECT_TRUE(body().contains("Bob"));
}

TEST_F(Engine, ExecuteAndOpenReportsAFailedOpen)
{
    writeTemplate(kHeader + "}");
    auto data = names(u"d"_s, {u"a"_s});
    data->setControlsDisabled(false);
    bool finished = false;
    report.OnFinished = [&](TRepRTF &) { finished = true; };
    report.documentOpener = [&](const QString &path, int show) {
        EXPECT_EQ(path, report.OutFile);
        EXPECT_EQ(show, 5);
        EXPECT_TRUE(data->controlsDisabled()); // detached while the report runs
        return 31;
    };
    const QString expected = u"Failed to open report results. Error message:There is no "
                             u"application associated with the given filename extension."_s;
    try {
        report.ExecuteAndOpen({data.get()}, 5);
        FAIL() << "no exception";
    } catch (const EIOError &e) {
        EXPECT_EQ(e.message(), expected);
    }
    EXPECT_FALSE(report.ExecuteSuccessful());
    EXPECT_EQ(report.LastErrMsg(), expected);
    EXPECT_FALSE(finished);
    EXPECT_FALSE(data->controlsDisabled());
}

TEST_F(Engine, ExecuteAndOpenSucceedsAndRestoresTheControls)
{
    writeTemplate(kHeader + "}");
    auto detached = names(u"d"_s, {});
    detached->setControlsDisabled(true);
    auto attached = names(u"e"_s, {});
    int finished = 0;
    report.OnFinished = [&](TRepRTF &) { ++finished; };
    // VINTREL_NO_OPEN is set for the tests: the default opener opens nothing and succeeds.
    report.ExecuteAndOpen({detached.get(), attached.get()}, 5);
    EXPECT_TRUE(report.ExecuteSuccessful());
    EXPECT_EQ(report.LastErrMsg(), u"No errors."_s);
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(detached->controlsDisabled());
    EXPECT_FALSE(attached->controlsDisabled());

    QFile::remove(report.Infile);
    EXPECT_THROW(report.ExecuteAndOpen({attached.get()}, 5), EIOError);
    EXPECT_FALSE(report.ExecuteSuccessful());
    EXPECT_EQ(report.LastErrMsg(), u"Can't read report template from file:"_s + report.Infile);
    EXPECT_FALSE(attached->controlsDisabled());
}

TEST_F(Engine, StoreTablesAreDetachedFromTheirGridsWhileTheReportRuns)
{
    const test::TempWorkspace ws(true);
    auto dm = ws.openDm();
    DataSource *source = dm->dataSource(dm->tbl_COMP);
    ASSERT_TRUE(source && source->isEnabled());
    DataSetAdapter comp(*dm->tbl_COMP, source);
    writeTemplate(kHeader + "\\\\tbl_COMP.NAME\\\\|\\\\A.DATA1\\\\}");
    bool detached = false;
    report.documentOpener = [&](const QString &, int) {
        detached = !source->isEnabled();
        return 33;
    };
    report.ExecuteAndOpen({&comp}, 5);
    EXPECT_TRUE(detached);
    EXPECT_TRUE(source->isEnabled());
    dm->tbl_COMP->first();
    const QDate date = dm->tbl_COMP->value(u"DATA1"_s).toDate();
    ASSERT_TRUE(date.isValid());
    EXPECT_EQ(body(), "\\lang1049 " + RtfWriter::escaped(dm->tbl_COMP->text(u"NAME"_s)) +
                          "|\\lang1049 " + date.toString(u"dd.MM.yyyy"_s).toLatin1() + "}");
}

TEST(DocumentOpener, ReasonTexts)
{
    EXPECT_EQ(DocumentOpener::reason(2), u"The specified file was not found."_s);
    EXPECT_EQ(DocumentOpener::reason(26), u"A sharing violation occurred."_s);
    EXPECT_EQ(DocumentOpener::reason(31),
              u"There is no application associated with the given filename extension."_s);
    EXPECT_EQ(DocumentOpener::reason(1), u"Reason unknown."_s);
    EXPECT_EQ(DocumentOpener::reason(33), u"Reason unknown."_s);
}

// ---- scan events ----

TEST_F(Engine, ScanEventsSeeTheBlockAndMayFilterItsRows)
{
    writeTemplate(kHeader + "\\\\SCAN(A)\\\\[\\\\A.NAME\\\\:\\\\SCAN(B),noeof\\\\"
                            "(\\\\B.NAME\\\\)\\\\ENDSCAN\\\\]\\\\ENDSCAN\\\\}");
    auto groups = names(u"groups"_s, {u"g1"_s, u"g2"_s});
    auto members = names(u"members"_s, {u"m1"_s});
    auto empty = names(u"members"_s, {});
    QStringList log;
    report.OnScanBefore = [&](TRepScanInfo &s) {
        log << u"before %1 level %2"_s.arg(s.number).arg(s.level);
    };
    report.OnScanRecord = [&](TRepScanInfo &s) {
        log << u"record %1"_s.arg(s.number);
        if (s.number == 1) { // the second group has no members
            const bool second = log.count(u"record 1"_s) == 2;
            members = names(u"members"_s, second ? QStringList{} : QStringList{u"m1"_s});
        }
    };
    report.OnScanEof = [&](TRepScanInfo &s) { log << u"eof %1"_s.arg(s.number); };
    // The inner block walks whatever dataset B holds when it starts; a wrapper forwards.
    struct Forward : RepDataSet {
        std::unique_ptr<MemoryDataSet> *target;
        QString name() const override { return u"b"_s; }
        void first() override { (*target)->first(); }
        void next() override { (*target)->next(); }
        bool eof() const override { return (*target)->eof(); }
        int fieldCount() const override { return (*target)->fieldCount(); }
        int fieldIndex(const QString &n) const override { return (*target)->fieldIndex(n); }
        FieldKind fieldKind(int f) const override { return (*target)->fieldKind(f); }
        QVariant fieldValue(int f) const override { return (*target)->fieldValue(f); }
    } forward;
    forward.target = &members;
    report.Execute({groups.get(), &forward});
    EXPECT_EQ(body(), "[\\lang1049 g1:(\\lang1049 m1)][\\lang1049 g2:]}");
    EXPECT_EQ(log, (QStringList{u"before 1 level 1"_s, u"record 1"_s, u"before 2 level 2"_s,
                                u"record 2"_s, u"eof 2"_s, u"record 1"_s, u"before 2 level 2"_s,
                                u"eof 2"_s, u"eof 1"_s}));
}

// ---- locale ----

// Protocols are Russian: a machine set up in English still prints decimal commas and
// day-first dates.
TEST_F(Engine, NumbersAndDatesAreRussianWhateverTheDefaultLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    writeTemplate(kHeader + "\\\\FFIX(v,1)\\\\|\\\\FNUM(big)\\\\|\\\\FFIXR(v)\\\\|\\\\A.D\\\\|"
                            "\\\\FDTM(t)\\\\|\\\\A.X\\\\|\\\\n\\\\}");
    report.AddVariable(u"v"_s, u"125,5"_s);
    report.AddVariable(u"big"_s, u"1234567.891"_s);
    report.AddVariable(u"t"_s, u"12.04.2025 09:30"_s);
    report.AddNumericVariable(u"n"_s, 0.25);
    auto data = std::make_unique<MemoryDataSet>(
        u"d"_s, QStringList{u"D"_s, u"X"_s},
        std::vector<RepDataSet::FieldKind>{RepDataSet::FieldKind::Date,
                                           RepDataSet::FieldKind::Float});
    data->addRow({QDate(2025, 4, 12), 2.5});
    const QString message = runMessage({data.get()});
    QLocale::setDefault(previous);
    ASSERT_EQ(message, QString());
    EXPECT_EQ(body(), "\\lang1049 125,5|\\lang1049 1\\'A0234\\'A0567,89|\\lang1049 125-50|"
                      "\\lang1049 12.04.2025|\\lang1049 12.04.2025 09:30:00|\\lang1049 2,5|"
                      "\\lang1049 0,25}");
}

// ---- Windows-1251 ----

TEST(Cp1251, EveryAssignedByteComesBack)
{
    for (int byte = 0; byte < 256; ++byte) {
        const QChar c = Cp1251::toUnicode(static_cast<unsigned char>(byte));
        if (byte == 0x98) {
            EXPECT_TRUE(c.isNull());
            continue;
        }
        EXPECT_EQ(Cp1251::fromUnicode(c.unicode()), byte) << byte;
    }
    EXPECT_EQ(Cp1251::toUnicode(0xC0), QChar(u'А'));
    EXPECT_EQ(Cp1251::toUnicode(0xFF), QChar(u'я'));
    EXPECT_EQ(Cp1251::toUnicode(0xB9), QChar(u'№'));
    EXPECT_EQ(Cp1251::fromUnicode(u'✓'), -1);
}

TEST(RtfWriter, EscapesBySpecialCharacter)
{
    EXPECT_EQ(RtfWriter::escaped(u"a\tb\vc\fd\r\ne"_s), "a\\tab b\\line c\\page d\\par \ne");
    EXPECT_EQ(RtfWriter::escaped(u"№ 𝄞"_s), "\\'B9 \\u-10188?\\u-8930?");
}

TEST_F(Engine, HexEscapesInsideAMarkerAreWindows1251)
{
    // The variable "судья" typed in a Russian word processor arrives as \'f1\'f3\'e4\'fc\'ff.
    writeTemplate(kHeader + "\\\\\\'f1\\'f3\\'e4\\'fc\\'ff\\\\}");
    report.AddVariable(u"СУДЬЯ"_s, u"ok"_s);
    report.Execute({});
    EXPECT_EQ(body(), "\\lang1049 ok}");
}

// ---- hostile templates ----

TEST_F(Engine, MarkersEndAfterTenThousandCharacters)
{
    const QByteArray longName(9999, 'x');
    report.AddVariable(QString::fromLatin1(longName), u"found"_s);
    writeTemplate(kHeader + "\\\\" + longName + "\\\\}");
    report.Execute({});
    EXPECT_EQ(body(), "\\lang1049 found}");
    const QByteArray tooLong(10000, 'y');
    writeTemplate(kHeader + "\\\\" + tooLong + "\\\\}");
    report.Options |= TRepRTF::eoClearMissedFields;
    report.Execute({});
    // The opening backslash is text; the closing one opens a marker abandoned at the end.
    EXPECT_EQ(body(), "\\\\" + tooLong + "\\\\}");
}

TEST_F(Engine, EveryTruncationOfATemplateEndsCleanly)
{
    const QByteArray full =
        kHeader + "{\\colortbl;\\red1\\green2\\blue3;}{\\info{\\title t}}\\pard "
                  "\\\\SCAN(A),SUM(A.N,S)\\\\\\par \\trowd\\cellx10 \\\\A.NAME\\\\\\cell\\row "
                  "{\\pict\\pngblip\\bin4 {}{}}{\\field{\\*\\fldinst x}}\\\\FFIXR(S)\\\\"
                  "\\\\SCANFOOTER\\\\ \\\\ENDSCAN\\\\\\par}";
    auto data = std::make_unique<MemoryDataSet>(
        u"d"_s, QStringList{u"NAME"_s, u"N"_s},
        std::vector<RepDataSet::FieldKind>{RepDataSet::FieldKind::Text,
                                           RepDataSet::FieldKind::Integer});
    data->addRow({u"a"_s, 1});
    data->addRow({u"b"_s, 2});
    int failures = 0;
    for (qsizetype n = 0; n <= full.size(); ++n) {
        writeTemplate(full.left(n));
        if (!runMessage({data.get()}).isEmpty()) ++failures;
    }
    EXPECT_GT(failures, 0);
    writeTemplate(full);
    EXPECT_EQ(runMessage({data.get()}), QString());
    EXPECT_TRUE(body().contains("125=") == false);
    EXPECT_TRUE(body().contains("3="));
}

TEST_F(Engine, ABinCountPastTheEndIsBounded)
{
    writeTemplate(kHeader + "\\pard {\\pict\\bin999999999 ab");
    EXPECT_EQ(runMessage(), QString());
    EXPECT_EQ(body(), "\\pard {\\pict\\bin999999999 ab");
}

TEST_F(Engine, DeepNestingNeedsNoStack)
{
    const int depth = 200000;
    writeTemplate(kHeader + QByteArray(depth, '{') + "\\\\v\\\\" + QByteArray(depth, '}') + "}");
    report.AddVariable(u"v"_s, u"1"_s);
    EXPECT_EQ(runMessage(), QString());
    EXPECT_EQ(body().size(), depth * 2 + 1 + 11);

    QByteArray scans;
    for (int i = 0; i < 500; ++i)
        scans += "\\\\SCAN(A)\\\\x";
    for (int i = 0; i < 500; ++i)
        scans += "\\\\ENDSCAN\\\\";
    writeTemplate(kHeader + scans + "}");
    auto data = names(u"d"_s, {u"1"_s, u"2"_s});
    EXPECT_EQ(runMessage({data.get()}), QString());
}

TEST_F(Engine, UnbalancedBracesAndStrayBackslashesAreCopied)
{
    writeTemplate(kHeader + "}}}{\\\\\\'5c\\'5c*\\");
    EXPECT_EQ(runMessage(), QString());
    // An empty marker between the two visible backslashes is kept as typed, as "\\\\".
    EXPECT_EQ(body(), "}}}{\\\\\\\\\\'5c*\\");
}

} // namespace
