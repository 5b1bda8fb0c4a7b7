// The verbs person, judge and staff of vintrel-cli: what they store, print and refuse.

#include "clirun.h"
#include "datatestutil.h"

#include <QDate>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class PeopleCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Store store(ws.databaseFile());
        store.exec(u"INSERT INTO T_ORG (NUM, ORG_SHORT) VALUES (3, 'Динамо')"_s);
    }
    CliRun run(const QStringList &args) const
    {
        return cli(QStringList{u"--root"_s, ws.root()} + args);
    }
    QVariant value(const QString &sql, const QVariantList &values = {}) const
    {
        return fileValue(ws.databaseFile(), sql, values);
    }
    int count(const QString &table) const { return fileCount(ws.databaseFile(), table); }
    // Adds a person and returns the number it printed.
    int add(const QStringList &args) const
    {
        const CliRun r = run(QStringList{u"person"_s, u"add"_s} + args);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_EQ(r.lines().size(), 1) << r.out.toStdString();
        return r.lines().value(0).toInt();
    }

    TempWorkspace ws;
};

TEST_F(PeopleCliTest, PersonAddStoresTheFieldsAndPrintsTheNumber)
{
    const int trainer =
        add({u"Мидлер"_s, u"--name"_s, u"Марк"_s, u"--patronymic"_s, u"Петрович"_s, u"--org"_s,
             u"3"_s, u"--state"_s, u"ЗМС"_s, u"--birthday"_s, u"1958-02-15"_s, u"--trainer"_s});
    EXPECT_EQ(trainer, 2);
    EXPECT_EQ(value(u"SELECT SURNAME || '|' || NAME || '|' || PATRONYMIC || '|' || NUM_ORG || "
                    u"'|' || STATE || '|' || BIRTHDAY || '|' || TRAINER FROM T_PERSON"_s),
              u"Мидлер|Марк|Петрович|3|ЗМС|1958-02-15|1"_s);
    EXPECT_EQ(value(u"SELECT ORG FROM T_TRAIN WHERE NUM_PERS = 2"_s), u"Динамо"_s);

    const int pupil =
        add({u"Пупкин"_s, u"--trainer1"_s, QString::number(trainer), u"--trainer2"_s, u"1"_s});
    EXPECT_EQ(pupil, 3);
    EXPECT_EQ(
        value(u"SELECT NUM_TRAIN1 || '|' || SURNAME1 || '|' || NAME1 || '|' || NUM_TRAIN2 "
              u"|| '|' || IFNULL(SURNAME2, '-') || '|' || TRAINER FROM T_PERSON WHERE NUM = 3"_s),
        u"2|Мидлер|Марк|1|-|0"_s);
}

struct Refused {
    const char *name;
    QStringList args;
    int status;
    QString error; // the whole stderr line
};

class PeopleCliRefusals : public PeopleCliTest, public ::testing::WithParamInterface<Refused> {};

INSTANTIATE_TEST_SUITE_P(
    Args, PeopleCliRefusals,
    ::testing::Values(
        Refused{"UnknownOrg",
                {u"person"_s, u"add"_s, u"Иванов"_s, u"--org"_s, u"9"_s},
                1,
                u"error: Организации № 9 нет в списке организаций."_s},
        Refused{"TrainerNotATrainer",
                {u"person"_s, u"add"_s, u"Иванов"_s, u"--trainer1"_s, u"2"_s},
                1,
                u"error: «Тренер 1»: человек № 2 не тренер — тренера выбирают из списка "
                u"тренеров."_s},
        Refused{"LongSurname",
                {u"person"_s, u"add"_s, QString(30, u'Ж')},
                1,
                u"error: «Фамилия»: не более 25 символов, введено 30."_s},
        Refused{"FutureBirthday",
                {u"person"_s, u"add"_s, u"Иванов"_s, u"--birthday"_s,
                 QDate::currentDate().addYears(1).toString(Qt::ISODate)},
                1,
                u"error: Дата рождения %1 ещё не наступила: проверьте дату."_s.arg(
                    QDate::currentDate().addYears(1).toString(u"dd.MM.yyyy"_s))},
        Refused{"BadBirthday",
                {u"person"_s, u"add"_s, u"Иванов"_s, u"--birthday"_s, u"15.02.1958"_s},
                2,
                u"usage: --birthday: ожидалась дата вида ГГГГ-ММ-ДД, получено «15.02.1958»"_s},
        Refused{"NoSurname", {u"person"_s, u"add"_s, u"--name"_s, u"Иван"_s}, 2, QString()},
        Refused{"UnknownOption",
                {u"person"_s, u"add"_s, u"Иванов"_s, u"--city"_s, u"X"_s},
                2,
                u"usage: person add: неизвестный параметр --city"_s},
        Refused{"BadOrgNumber",
                {u"person"_s, u"add"_s, u"Иванов"_s, u"--org"_s, u"Динамо"_s},
                2,
                QString()},
        Refused{"SetUnknownPerson",
                {u"person"_s, u"set"_s, u"40"_s, u"NAME=Пётр"_s},
                1,
                u"error: Человека № 40 нет в справочнике людей."_s},
        Refused{"SetUnknownField",
                {u"person"_s, u"set"_s, u"2"_s, u"COLOUR=red"_s},
                2,
                u"usage: person set: в T_PERSON нет изменяемого поля COLOUR"_s},
        Refused{"SetNumber", {u"person"_s, u"set"_s, u"2"_s, u"NUM=5"_s}, 2, QString()},
        Refused{"SetLookup", {u"person"_s, u"set"_s, u"2"_s, u"nameorg=X"_s}, 2, QString()},
        Refused{"SetBadBoolean", {u"person"_s, u"set"_s, u"2"_s, u"TRAINER=yes"_s}, 2, QString()},
        Refused{"SetNoSurname",
                {u"person"_s, u"set"_s, u"2"_s, u"SURNAME="_s},
                1,
                u"error: Поле «Фамилия» должно быть заполнено."_s},
        Refused{"SetNothing", {u"person"_s, u"set"_s, u"2"_s}, 2, QString()},
        Refused{"NoSubcommand", {u"person"_s, u"delete"_s, u"2"_s}, 2, QString()},
        Refused{"JudgeUnknown",
                {u"judge"_s, u"add"_s, u"50"_s},
                1,
                u"error: Человека № 50 нет в справочнике людей."_s},
        Refused{"JudgeNotListed",
                {u"judge"_s, u"remove"_s, u"2"_s},
                1,
                u"error: Человека № 2 нет в списке судей."_s},
        Refused{"StaffNotListed",
                {u"staff"_s, u"remove"_s, u"2"_s},
                1,
                u"error: Человека № 2 нет в списке обслуживающего персонала."_s},
        Refused{"JudgeNoPerson", {u"judge"_s, u"add"_s}, 2, QString()},
        Refused{"StaffBadSubcommand", {u"staff"_s, u"hire"_s, u"2"_s}, 2, QString()}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_P(PeopleCliRefusals, ExitWithTheirStatusAndChangeNothing)
{
    add({u"Петров"_s, u"--name"_s, u"Пётр"_s});
    const CliRun r = run(GetParam().args);
    EXPECT_EQ(r.status, GetParam().status) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    if (!GetParam().error.isEmpty()) {
        EXPECT_EQ(r.err.trimmed(), GetParam().error);
    } else {
        EXPECT_TRUE(r.err.startsWith(u"usage: "_s)) << r.err.toStdString();
    }
    EXPECT_EQ(count(u"T_PERSON"_s), 1);
    EXPECT_EQ(value(u"SELECT SURNAME || NAME FROM T_PERSON"_s), u"ПетровПётр"_s);
    EXPECT_EQ(count(u"T_JUDGE"_s) + count(u"T_OBSL"_s) + count(u"T_TRAIN"_s), 0);
}

TEST_F(PeopleCliTest, PersonSetEditsTheNamedFieldsAndEmptiesWithAnEmptyValue)
{
    const int num = add({u"Петров"_s, u"--name"_s, u"Пётр"_s, u"--org"_s, u"3"_s});
    const CliRun r = run({u"person"_s, u"set"_s, QString::number(num), u"name=Павел"_s,
                          u"NUM_ORG="_s, u"P_DATA=2020-01-31"_s, u"PASSPORT=1"_s, u"TRAINER=1"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(value(u"SELECT NAME || '|' || IFNULL(NUM_ORG, '-') || '|' || P_DATA || '|' || "
                    u"PASSPORT || '|' || TRAINER FROM T_PERSON"_s),
              u"Павел|-|2020-01-31|1|1"_s);
    EXPECT_EQ(count(u"T_TRAIN"_s), 1);
    EXPECT_EQ(run({u"person"_s, u"set"_s, QString::number(num), u"TRAINER=0"_s}).status, 0);
    EXPECT_EQ(count(u"T_TRAIN"_s), 0);
}

TEST_F(PeopleCliTest, JudgeAndStaffAddAndRemove)
{
    const int num = add({u"Ковалёва"_s, u"--name"_s, u"Наталья"_s, u"--state"_s, u"Секретарь"_s});
    const QString p = QString::number(num);
    for (int i = 0; i < 2; ++i) { // the second time adds nothing
        EXPECT_EQ(run({u"judge"_s, u"add"_s, p}).status, 0);
        EXPECT_EQ(run({u"staff"_s, u"add"_s, p}).status, 0);
    }
    EXPECT_EQ(count(u"T_JUDGE"_s), 1);
    EXPECT_EQ(value(u"SELECT JOB FROM T_OBSL WHERE NUM_PERS = ?"_s, {num}), u"Секретарь"_s);
    EXPECT_EQ(run({u"judge"_s, u"remove"_s, p}).status, 0);
    EXPECT_EQ(run({u"staff"_s, u"remove"_s, p}).status, 0);
    EXPECT_EQ(count(u"T_JUDGE"_s) + count(u"T_OBSL"_s), 0);
}

TEST_F(PeopleCliTest, HelpListsThePeopleVerbs)
{
    const CliRun help = cli({u"--help"_s});
    for (const QString &verb :
         {u"person add SURNAME"_s, u"person set PERSON FIELD=VALUE..."_s, u"judge add PERSON"_s,
          u"judge remove PERSON"_s, u"staff add PERSON"_s, u"staff remove PERSON"_s})
        EXPECT_TRUE(help.out.contains(verb)) << verb.toStdString();
}

} // namespace
