#include "clirun.h"
#include "entrypeople.h"
#include "filevalue.h"
#include "tempworkspace.h"

#include <gtest/gtest.h>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

using test::cli;
using test::CliRun;

class EntryCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Store store(ws.databaseFile());
        test::addEntryPeople(store);
    }
    CliRun run(const QStringList &args) const
    {
        return cli(QStringList{u"--root"_s, ws.root()} + args);
    }
    QVariant file(const QString &sql, const QVariantList &values = {}) const
    {
        return test::fileValue(ws.databaseFile(), sql, values);
    }
    // Rows of a table as "NUM_PERS:NUM_ASPECT" in number order, empty aspect as "-".
    QString partRows() const
    {
        return file(u"SELECT group_concat(NUM_PERS || ':' || IFNULL(NUM_ASPECT, '-'), ',') FROM "
                    u"(SELECT * FROM T_PART ORDER BY NUM)"_s)
            .toString();
    }
    QString judgeRows() const
    {
        return file(
                   u"SELECT group_concat(NUM_PERS, ',') FROM (SELECT * FROM T_JUDGE ORDER BY NUM)"_s)
            .toString();
    }

    test::TempWorkspace ws;
};

} // namespace

TEST_F(EntryCliTest, OrgAddPrintsTheNumberAndStoresTheFields)
{
    const CliRun r = run({u"org"_s, u"add"_s, u"ЦСКА"_s, u"--city"_s, u"Самара"_s, u"--full"_s,
                          u"Центральный клуб"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_EQ(r.lines().size(), 1);
    const int num = r.lines()[0].toInt();
    EXPECT_EQ(file(u"SELECT ORG_SHORT || '/' || CITY || '/' || ORG_FULL FROM T_ORG WHERE NUM = ?"_s,
                   {num})
                  .toString(),
              u"ЦСКА/Самара/Центральный клуб"_s);

    const CliRun plain = run({u"org"_s, u"add"_s, u"Локомотив"_s});
    EXPECT_EQ(plain.status, 0);
    EXPECT_TRUE(file(u"SELECT CITY FROM T_ORG WHERE ORG_SHORT = 'Локомотив'"_s).isNull());
}

TEST_F(EntryCliTest, OrgRefusalsChangeNothing)
{
    struct Case {
        QStringList args;
        int status;
        QString err;
    };
    const QList<Case> cases{
        {{u"org"_s, u"add"_s, QString()}, 1, u"error: Поле «Название» должно быть заполнено.\n"_s},
        {{u"org"_s, u"add"_s, u"Слишком длинное"_s},
         1,
         u"error: Значение поля «Название» длиннее 12 символов.\n"_s},
        {{u"org"_s, u"add"_s}, 2, {}},
        {{u"org"_s, u"add"_s, u"А"_s, u"--town"_s, u"Б"_s}, 2, {}},
        {{u"org"_s, u"set"_s, u"9"_s, u"CITY=Омск"_s},
         1,
         u"error: Нет организации с номером 9.\n"_s},
        {{u"org"_s, u"set"_s, u"1"_s, u"COLOUR=красный"_s},
         1,
         u"error: У организации нет изменяемого поля COLOUR.\n"_s},
        {{u"org"_s, u"set"_s, u"1"_s, u"CITY"_s}, 2, {}},
        {{u"org"_s, u"set"_s, u"1"_s, u"ORG_SHORT="_s},
         1,
         u"error: Поле «Название» должно быть заполнено.\n"_s},
        {{u"org"_s, u"drop"_s, u"1"_s}, 2, {}},
    };
    for (const Case &c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(u' ').toStdString();
        if (!c.err.isEmpty()) {
            EXPECT_EQ(r.err, c.err) << c.args.join(u' ').toStdString();
        }
    }
    EXPECT_EQ(test::fileCount(ws.databaseFile(), u"T_ORG"_s), 2);
    EXPECT_EQ(file(u"SELECT ORG_SHORT || '/' || CITY FROM T_ORG WHERE NUM = 1"_s).toString(),
              u"Динамо/Москва"_s);
}

TEST_F(EntryCliTest, OrgSetEditsAndEmptiesFields)
{
    const CliRun r =
        run({u"org"_s, u"set"_s, u"2"_s, u"CITY="_s, u"ORG_FULL=Общество «Спартак»"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(file(u"SELECT CITY FROM T_ORG WHERE NUM = 2"_s).isNull());
    EXPECT_EQ(file(u"SELECT ORG_FULL FROM T_ORG WHERE NUM = 2"_s).toString(),
              u"Общество «Спартак»"_s);
}

TEST_F(EntryCliTest, EntryVerbsAddChooseAnAspectAndRemove)
{
    CliRun r = run({u"entry"_s, u"add"_s, u"1"_s, u"2"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    // The closing entry window tells that the new participant has no aspect yet.
    EXPECT_EQ(r.lines(), QStringList{u"info: Участников этой организации без выбранного вида "
                                     u"(категории): 1.\\nОни не войдут в список ни одного вида, "
                                     u"пока вид не выбран."_s});
    EXPECT_EQ(partRows(), u"2:-"_s);
    EXPECT_EQ(file(u"SELECT ORG || '/' || NUM_PERS1 || '/' || SURNAME1 FROM T_PART"_s).toString(),
              u"Динамо/4/Тренеров"_s);
    EXPECT_EQ(run({u"entry"_s, u"add"_s, u"1"_s, u"2"_s}).status, 0);
    EXPECT_EQ(partRows(), u"2:-"_s);

    r = run({u"entry"_s, u"aspect"_s, u"1"_s, u"2"_s, u"1"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(partRows(), u"2:1"_s);
    EXPECT_EQ(run({u"entry"_s, u"add"_s, u"1"_s, u"1"_s}).status, 0);
    EXPECT_EQ(partRows(), u"2:1,1:-"_s);
    // The participant now shows in the list of aspect 1.
    const CliRun list = run({u"--aspect"_s, u"1"_s, u"list"_s, u"tbl_PART"_s});
    EXPECT_EQ(list.lines().size(), 2);

    EXPECT_EQ(run({u"entry"_s, u"remove"_s, u"1"_s, u"2"_s}).status, 0);
    EXPECT_EQ(partRows(), u"1:-"_s);

    EXPECT_EQ(run({u"entry"_s, u"judge"_s, u"1"_s, u"4"_s}).status, 0);
    EXPECT_EQ(run({u"entry"_s, u"judge"_s, u"1"_s, u"4"_s}).status, 0);
    EXPECT_EQ(run({u"entry"_s, u"judge"_s, u"1"_s, u"1"_s}).status, 0);
    EXPECT_EQ(judgeRows(), u"4,1"_s);
    EXPECT_EQ(run({u"entry"_s, u"unjudge"_s, u"1"_s, u"4"_s}).status, 0);
    EXPECT_EQ(judgeRows(), u"1"_s);
}

TEST_F(EntryCliTest, EntryRefusalsChangeNothing)
{
    ASSERT_EQ(run({u"entry"_s, u"add"_s, u"1"_s, u"1"_s}).status, 0);
    struct Case {
        QStringList args;
        int status;
        QString err;
    };
    const QList<Case> cases{
        {{u"entry"_s, u"add"_s, u"1"_s, u"3"_s},
         1,
         u"error: Сидоров Семён (№ 3) не из организации «Динамо»: в её заявку его внести "
         u"нельзя.\n"_s},
        {{u"entry"_s, u"judge"_s, u"2"_s, u"1"_s},
         1,
         u"error: Белов Борис (№ 1) не из организации «Спартак»: в её заявку его внести "
         u"нельзя.\n"_s},
        {{u"entry"_s, u"add"_s, u"5"_s, u"1"_s}, 1, u"error: Нет организации с номером 5.\n"_s},
        {{u"entry"_s, u"add"_s, u"1"_s, u"50"_s}, 1, u"error: Нет человека с номером 50.\n"_s},
        {{u"entry"_s, u"aspect"_s, u"1"_s, u"1"_s, u"4"_s}, 1, u"error: Нет вида с номером 4.\n"_s},
        {{u"entry"_s, u"aspect"_s, u"1"_s, u"2"_s, u"0"_s},
         1,
         u"error: Человека с номером 2 нет в списке участников заявки организации «Динамо».\n"_s},
        {{u"entry"_s, u"remove"_s, u"2"_s, u"1"_s},
         1,
         u"error: Человека с номером 1 нет в списке участников заявки организации «Спартак».\n"_s},
        {{u"entry"_s, u"unjudge"_s, u"1"_s, u"1"_s},
         1,
         u"error: Человека с номером 1 нет в списке судей заявки организации «Динамо».\n"_s},
        {{u"entry"_s, u"add"_s, u"1"_s}, 2, {}},
        {{u"entry"_s, u"aspect"_s, u"1"_s, u"1"_s}, 2, {}},
        {{u"entry"_s, u"add"_s, u"x"_s, u"1"_s}, 2, {}},
        {{u"entry"_s, u"trainer"_s, u"1"_s, u"4"_s}, 2, {}},
    };
    for (const Case &c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(u' ').toStdString();
        if (!c.err.isEmpty()) {
            EXPECT_EQ(r.err, c.err) << c.args.join(u' ').toStdString();
        }
    }
    EXPECT_EQ(partRows(), u"1:-"_s);
    EXPECT_EQ(judgeRows(), QString());
}

TEST_F(EntryCliTest, PartVerbsWorkOnTheChosenAspect)
{
    CliRun r = run({u"--aspect"_s, u"1"_s, u"part"_s, u"add"_s, u"3"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(run({u"--aspect"_s, u"1"_s, u"part"_s, u"add"_s, u"3"_s}).status, 0);
    EXPECT_EQ(run({u"part"_s, u"add"_s, u"3"_s}).status, 0);
    EXPECT_EQ(run({u"part"_s, u"add"_s, u"2"_s}).status, 0);
    EXPECT_EQ(partRows(), u"3:1,3:0,2:0"_s);
    EXPECT_EQ(file(u"SELECT group_concat(ORG, ',') FROM (SELECT ORG FROM T_PART ORDER BY NUM)"_s)
                  .toString(),
              u"Спартак,Спартак,Динамо"_s);

    r = run({u"--aspect"_s, u"1"_s, u"part"_s, u"remove"_s, u"2"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, u"error: Человек с номером 2 не участник текущего вида.\n"_s);
    EXPECT_EQ(run({u"part"_s, u"add"_s, u"77"_s}).err, u"error: Нет человека с номером 77.\n"_s);
    EXPECT_EQ(run({u"part"_s, u"add"_s}).status, 2);
    EXPECT_EQ(run({u"part"_s, u"move"_s, u"2"_s}).status, 2);
    EXPECT_EQ(partRows(), u"3:1,3:0,2:0"_s);

    EXPECT_EQ(run({u"--aspect"_s, u"1"_s, u"part"_s, u"remove"_s, u"3"_s}).status, 0);
    EXPECT_EQ(partRows(), u"3:0,2:0"_s);
}

TEST_F(EntryCliTest, HelpListsTheVerbs)
{
    const CliRun help = cli({u"--help"_s});
    for (const QString &verb :
         {u"org add SHORT [--city C] [--full F]"_s, u"org set ORG FIELD=VALUE..."_s,
          u"entry add ORG PERSON"_s, u"entry aspect ORG PERSON ASPECT"_s,
          u"entry remove ORG PERSON"_s, u"entry judge ORG PERSON"_s, u"entry unjudge ORG PERSON"_s,
          u"part add PERSON"_s, u"part remove PERSON"_s})
        EXPECT_TRUE(help.out.contains(u"\n  "_s + verb + u'\n')) << verb.toStdString();
}
