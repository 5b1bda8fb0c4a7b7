#include "clirun.h"

#include "app/commandtable.h"
#include "cli/clitool.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace vintrel;
using namespace Qt::StringLiterals;

// Every command a menu, a button or a control runs can be scripted: its verb is one that
// vintrel-cli knows.
TEST(CommandTables, EveryBuiltCommandHasACommandLineVerb)
{
    int commands = 0;
    for (const CommandTable *table : allCommandTables())
        for (const CommandEntry &entry : *table) {
            if (entry.kind != CommandEntry::Command || !entry.built) continue;
            ++commands;
            EXPECT_FALSE(entry.verb.isEmpty()) << entry.id.toStdString() << " has no verb";
            EXPECT_TRUE(cliHasVerb(entry.verb))
                << entry.id.toStdString() << ": vintrel-cli has no verb "
                << entry.verb.toStdString();
        }
    EXPECT_GE(commands, 9);
    EXPECT_FALSE(cliHasVerb(u"seed nothing"_s));
    EXPECT_FALSE(cliHasVerb(u"frobnicate"_s));
}

TEST(CommandTables, EntriesHaveUniqueNamesAndTexts)
{
    QSet<QString> ids;
    for (const CommandTable *table : allCommandTables())
        for (const CommandEntry &entry : *table) {
            if (entry.kind == CommandEntry::Separator) continue;
            EXPECT_FALSE(entry.id.isEmpty());
            EXPECT_FALSE(entry.text.isEmpty()) << entry.id.toStdString();
            EXPECT_FALSE(entry.place.isEmpty()) << entry.id.toStdString();
            EXPECT_FALSE(ids.contains(entry.id)) << entry.id.toStdString() << " twice";
            ids.insert(entry.id);
            // A function that vintrel-cli runs as it stands takes no arguments.
            if (entry.run) {
                EXPECT_FALSE(entry.verb.isEmpty()) << entry.id.toStdString();
            }
        }
}

TEST(CommandTables, HelpListsEveryVerbAndVersionPrintsOne)
{
    for (const QString &flag : {u"--help"_s, u"-h"_s}) {
        const test::CliRun help = test::cli({flag});
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.err.isEmpty());
        ASSERT_FALSE(help.lines().isEmpty());
        EXPECT_EQ(help.lines()[0],
                  u"использование: vintrel-cli [--root DIR] [--aspect I] [--tour T] "
                  u"[--yes] COMMAND [ARGUMENTS]"_s);
        for (const QString &verb : {u"init [--demo]"_s, u"list TABLE"_s, u"close-comp"_s,
                                    u"set-held 0|1"_s, u"seed place-to-start"_s, u"rtf TEMPLATE"_s})
            EXPECT_TRUE(help.out.contains(u"  "_s + verb)) << verb.toStdString();
        for (const CommandTable *table : allCommandTables())
            for (const CommandEntry &entry : *table)
                if (entry.built && !entry.verb.isEmpty()) {
                    // "seed random" has a line of its own; "report list-surname" is one
                    // KIND of the line "report KIND".
                    EXPECT_TRUE(
                        help.out.contains(u"  "_s + entry.verb) ||
                        help.out.contains(u"  "_s + entry.verb.section(u' ', 0, 0) + u" KIND"_s))
                        << entry.verb.toStdString();
                }
    }
    const test::CliRun version = test::cli({u"--version"_s});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith(u"vintrel-cli 1."_s)) << version.out.toStdString();
    EXPECT_EQ(test::cli({u"--nonsense"_s}).status, 2);
}
