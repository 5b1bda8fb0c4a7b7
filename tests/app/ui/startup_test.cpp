#include "recordingprompter.h"
#include "tempworkspace.h"

#include "app/ui/program.h"
#include "data/store.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

// Starts the program without its message loop; returns the status and the messages shown.
int start(const QString &root, test::RecordingPrompter &prompter)
{
    return runProgram(root, prompter, /*runLoop=*/false);
}

void expectStartupFailure(const QString &root)
{
    test::RecordingPrompter prompter;
    EXPECT_NE(start(root, prompter), 0);
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_EQ(prompter.errors.front(), startupFailureMessage());
    EXPECT_TRUE(prompter.infos.isEmpty());
}

} // namespace

TEST(Startup, MessageHasTheFiveLines)
{
    const QStringList lines = startupFailureMessage().split(u'\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], u"Проверьте настройки BDE и наличие базы данных в указанном месте!"_s);
    EXPECT_EQ(
        lines[3],
        u"Databases: nusk; Type: STANDART; DEFAULT DRIVER: PARADOX; PATH: где находится ../BD"_s);
    EXPECT_TRUE(lines[4].endsWith(u"дальнейшая работе невозможна!!!"_s));
}

TEST(Startup, MissingDatabaseShowsTheMessageAndFails)
{
    QTemporaryDir dir;
    expectStartupFailure(dir.path() + u"/nothing-here"_s);
    // Starting never creates a database on its own.
    EXPECT_FALSE(QFile::exists(dir.path() + u"/nothing-here/bd/Nusk.sqlite"_s));
}

TEST(Startup, FileThatIsNoDatabaseFails)
{
    test::TempWorkspace ws;
    QFile file(ws.databaseFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(4096, 'x'));
    file.close();
    expectStartupFailure(ws.root());
}

TEST(Startup, MissingTableOrColumnFails)
{
    {
        test::TempWorkspace ws;
        {
            Store store(ws.databaseFile());
            store.exec(u"DROP TABLE T_OBSL"_s);
        }
        expectStartupFailure(ws.root());
    }
    {
        test::TempWorkspace ws;
        {
            Store store(ws.databaseFile());
            store.exec(u"ALTER TABLE T_PART RENAME COLUMN START TO START_NO"_s);
        }
        expectStartupFailure(ws.root());
    }
}

TEST(Startup, GoodWorkspaceOpensTheMainWindow)
{
    test::TempWorkspace ws;
    test::RecordingPrompter prompter;
    EXPECT_EQ(start(ws.root(), prompter), 0);
    EXPECT_TRUE(prompter.errors.isEmpty());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Vintrel"_s);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
