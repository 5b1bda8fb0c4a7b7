#include "recordingprompter.h"
#include "tempworkspace.h"

#include "app/helppage.h"

#include <QFile>

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
