#include "recordingprompter.h"
#include "tempworkspace.h"

#include "app/helppage.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace vintrel;
using namespace Qt::StringLiterals;

TEST(HelpPage, MainPageIsInTheWorkspaceHelpFolder)
{
    const Workspace ws(u"/srv/competition"_s);
    EXPECT_EQ(helpPagePath(ws, QString::fromUtf16(kMainHelpPage)),
              u"/srv/competition/HELP/index.htm"_s);
}

TEST(HelpPage, ShippedPageIsFoundInANewWorkspace)
{
    test::TempWorkspace ws;
    test::RecordingPrompter prompter;
    const QString file = helpFileToOpen(ws.workspace(), u"index.htm"_s, prompter);
    EXPECT_EQ(file, ws.root() + u"/HELP/index.htm"_s);
    EXPECT_TRUE(prompter.errors.isEmpty());

    // The page is a Russian HTML page that declares its encoding.
    QFile page(file);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(html.contains(u"charset=utf-8"_s, Qt::CaseInsensitive));
    EXPECT_TRUE(html.contains(u"Вид соревнований"_s));
    EXPECT_TRUE(html.contains(u"Участников в туре"_s));
}

TEST(HelpPage, MissingPageIsReportedWithItsPath)
{
    test::TempWorkspace ws;
    test::RecordingPrompter prompter;
    const QString expected = ws.root() + u"/HELP/nowhere.htm"_s;
    EXPECT_TRUE(helpFileToOpen(ws.workspace(), u"nowhere.htm"_s, prompter).isEmpty());
    EXPECT_EQ(prompter.errors, QStringList{u"Файл справки не найден: "_s + expected});
    EXPECT_EQ(missingHelpMessage(expected), u"Файл справки не найден: "_s + expected);
}

TEST(HelpPage, OpeningFollowsTheEnvironment)
{
    const QByteArray saved = qgetenv("VINTREL_NO_OPEN");
    const bool wasSet = qEnvironmentVariableIsSet("VINTREL_NO_OPEN");
    qputenv("VINTREL_NO_OPEN", "1");
    EXPECT_FALSE(documentOpeningAllowed());
    qunsetenv("VINTREL_NO_OPEN");
    EXPECT_TRUE(documentOpeningAllowed());
    if (wasSet) qputenv("VINTREL_NO_OPEN", saved);
}

// Every page a window opens is shipped and copied into a new workspace; every link and picture
// inside the pages leads to a file that is there, and the main page links to every page.
TEST(HelpPage, EveryPageIsThereAndEveryLinkResolves)
{
    test::TempWorkspace ws;
    const QDir shipped(Workspace::shippedDataDir() + u"/HELP"_s);
    const QDir copied(ws.workspace().path(u"HELP"_s));
    const QStringList pages = helpPages();
    ASSERT_GE(pages.size(), 2);
    for (const QString &page : pages) {
        EXPECT_TRUE(shipped.exists(page)) << page.toStdString();
        EXPECT_TRUE(copied.exists(page)) << page.toStdString();
    }
    EXPECT_EQ(helpPageOfWindow(u"FormComp"_s), u"comp.htm"_s);
    EXPECT_EQ(helpPageOfWindow(u"FormMain"_s), u"index.htm"_s);

    static const QRegularExpression reference(u"(?:href|src)\\s*=\\s*\"([^\"]+)\""_s);
    QStringList linkedFromIndex;
    for (const QString &file : shipped.entryList({u"*.htm"_s}, QDir::Files)) {
        QFile page(shipped.filePath(file));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << file.toStdString();
        const QString html = QString::fromUtf8(page.readAll());
        EXPECT_TRUE(html.contains(u"charset=utf-8"_s, Qt::CaseInsensitive)) << file.toStdString();
        for (auto it = reference.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1).section(u'#', 0, 0);
            if (target.isEmpty() || target.contains(u':')) continue; // an anchor or a web address
            EXPECT_TRUE(copied.exists(target))
                << file.toStdString() << " -> " << target.toStdString();
            if (file == u"index.htm"_s) linkedFromIndex << target;
        }
    }
    for (const QString &page : pages.mid(1))
        EXPECT_TRUE(linkedFromIndex.contains(page))
            << "index.htm does not link " << page.toStdString();
}
