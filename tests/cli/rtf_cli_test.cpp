#include "tempworkspace.h"

#include "clirun.h"
#include "reports/rtf/rtfwriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vintrel;
using namespace Qt::StringLiterals;

using test::cli;
using test::CliRun;

namespace {

QString writeTemplate(const QString &dir, const QByteArray &body)
{
    const QString path = dir + u"/template.rtf"_s;
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}}" + body + '}');
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray value(const QString &text)
{
    return "\\lang1049 " + RtfWriter::escaped(text);
}

TEST(RtfCli, FillsVariablesTablesAndQueries)
{
    const test::TempWorkspace ws(true);
    QString competition;
    QStringList aspects;
    {
        auto dm = ws.openDm();
        dm->tbl_COMP->first();
        competition = dm->tbl_COMP->text(u"NAME"_s);
        Query q(dm->store());
        q.add(u"SELECT NAME FROM T_ASPECT ORDER BY NAME"_s);
        q.open();
        for (q.first(); !q.eof(); q.next())
            aspects << q.value(u"NAME"_s).toString();
    }
    ASSERT_FALSE(competition.isEmpty());
    ASSERT_GE(aspects.size(), 2);

    QTemporaryDir dir;
    const QString tpl =
        writeTemplate(dir.path(), "\\\\tbl_COMP.NAME\\\\|\\\\who\\\\|\\\\nosuch\\\\|"
                                  "\\\\SCAN(B)\\\\[\\\\B.NAME\\\\]\\\\ENDSCAN\\\\");
    const QString out = dir.path() + u"/out.rtf"_s;
    const CliRun run = cli({u"--root"_s, ws.root(), u"rtf"_s, tpl, out, u"--var"_s,
                            u"who=Судья = главный"_s, u"--dataset"_s, u"tbl_COMP"_s, u"--dataset"_s,
                            u"sql:SELECT NAME FROM T_ASPECT ORDER BY NAME"_s});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.lines(), QStringList{out});

    QByteArray expected =
        value(competition) + '|' + value(u"Судья = главный"_s) + "|\\\\nosuch\\\\|";
    for (const QString &aspect : aspects)
        expected += '[' + value(aspect) + ']';
    const QByteArray written = readFile(out);
    EXPECT_TRUE(written.startsWith("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial;}}"));
    EXPECT_TRUE(written.endsWith(expected + '}')) << written.toStdString();

    const CliRun cleared = cli({u"--root"_s, ws.root(), u"rtf"_s, tpl, out, u"--clear-missed"_s,
                                u"--var"_s, u"who=x"_s, u"--dataset"_s, u"tbl_COMP"_s,
                                u"--dataset"_s, u"sql:SELECT NAME FROM T_ASPECT"_s});
    ASSERT_EQ(cleared.status, 0) << cleared.err.toStdString();
    EXPECT_FALSE(readFile(out).contains("nosuch"));
}

TEST(RtfCli, EngineFailuresAreErrors)
{
    const test::TempWorkspace ws;
    QTemporaryDir dir;
    const QString missing = dir.path() + u"/none.rtf"_s;
    CliRun run = cli({u"--root"_s, ws.root(), u"rtf"_s, missing, dir.path() + u"/o.rtf"_s});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.trimmed(), u"error: Can't read report template from file:"_s + missing);

    const QString tpl = writeTemplate(dir.path(), "\\\\SCAN(B)\\\\ \\\\ENDSCAN\\\\");
    run = cli({u"--root"_s, ws.root(), u"rtf"_s, tpl, dir.path() + u"/o.rtf"_s, u"--dataset"_s,
               u"tbl_COMP"_s});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.trimmed(), u"error: Scan Alias not found: B"_s);

    run = cli({u"--root"_s, ws.root(), u"rtf"_s, tpl, dir.path() + u"/o.rtf"_s, u"--var"_s,
               u"a=1"_s, u"--var"_s, u"A=2"_s});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.trimmed(),
              u"error: Can't add report variable A - variable already exists."_s);
}

TEST(RtfCli, MalformedArgumentsAreUsageErrors)
{
    const test::TempWorkspace ws;
    QTemporaryDir dir;
    const QString tpl = writeTemplate(dir.path(), "x");
    const QString out = dir.path() + u"/o.rtf"_s;
    EXPECT_EQ(cli({u"--root"_s, ws.root(), u"rtf"_s, tpl}).status, 2);
    EXPECT_EQ(cli({u"--root"_s, ws.root(), u"rtf"_s, tpl, out, u"--var"_s, u"novalue"_s}).status,
              2);
    EXPECT_EQ(
        cli({u"--root"_s, ws.root(), u"rtf"_s, tpl, out, u"--dataset"_s, u"tbl_NOPE"_s}).status, 2);
    // Only a SELECT may run: the command never changes the store.
    const CliRun run = cli(
        {u"--root"_s, ws.root(), u"rtf"_s, tpl, out, u"--dataset"_s, u"sql:DELETE FROM T_COMP"_s});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(cli({u"--root"_s, ws.root(), u"list"_s, u"tbl_COMP"_s}).lines().size(), 2);
    EXPECT_FALSE(QFile::exists(out));
}

} // namespace
