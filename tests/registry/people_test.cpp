// The people register's commands and the person rules as the windows and verbs reach them:
// reserved number 1, refusals that store nothing, the trainer lists, the quick search.

#include "datatestutil.h"
#include "recordingprompter.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "data/dm.h"
#include "registry/people.h"

#include <QDate>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class PeopleTest : public DmTest {
protected:
    void SetUp() override
    {
        dm->store().exec(u"INSERT INTO T_ORG (NUM, ORG_SHORT) VALUES (3, 'Динамо'), (5, 'ЦСКА')"_s);
        dm->tbl_ORG->refresh();
    }
    QVariant person(int num, const QString &field) const
    {
        return fileValue(ws.databaseFile(), u"SELECT %1 FROM T_PERSON WHERE NUM = ?"_s.arg(field),
                         {num});
    }
    // What the operator would read: the error shown, or empty when the command ran.
    QString refusal(const std::function<void()> &command)
    {
        RecordingPrompter prompter;
        runCommand(prompter, [&] {
            command();
            return true;
        });
        return prompter.errors.join(u'\n');
    }
    static QStringList texts(const QList<std::pair<QString, QVariant>> &choices)
    {
        QStringList out;
        for (const auto &[text, key] : choices)
            out << u"%1=%2"_s.arg(text, key.toString());
        return out;
    }
};

TEST_F(PeopleTest, FirstPersonGetsNumberTwoSoThatOneStillMeansNoTrainer)
{
    const int first = addPerson(*dm, {{u"SURNAME"_s, u"Мидлер"_s}, {u"TRAINER"_s, true}});
    EXPECT_EQ(first, 2);
    EXPECT_EQ(addPerson(*dm, {{u"SURNAME"_s, u"Пупкин"_s}, {u"NUM_TRAIN1"_s, first}}), 3);
    EXPECT_EQ(person(3, u"SURNAME1"_s), u"Мидлер"_s);
    EXPECT_EQ(texts(trainerChoices(*dm)), QStringList({u"="_s, u"Мидлер=2"_s}));
}

TEST_F(PeopleTest, PersonOneOfAnOlderDatabaseIsNeverOfferedAsTrainer)
{
    dm->store().exec(u"INSERT INTO T_PERSON (NUM, SURNAME, TRAINER) VALUES (1, 'Первый', 1), "
                     u"(2, 'Второй', 1)"_s);
    dm->store().exec(u"INSERT INTO T_TRAIN (NUM_PERS, SURNAME) VALUES (1, 'Первый'), "
                     u"(2, 'Второй'), (7, 'Второй')"_s);
    // Namesakes are told apart by the first name, when there is one.
    dm->store().exec(u"UPDATE T_TRAIN SET NAME = 'Иван' WHERE NUM_PERS = 7"_s);
    EXPECT_EQ(texts(trainerChoices(*dm)), QStringList({u"="_s, u"Второй=2"_s, u"Второй Иван=7"_s}));
    // The next new person is numbered after the existing ones as always.
    EXPECT_EQ(addPerson(*dm, {{u"SURNAME"_s, u"Третий"_s}}), 3);
}

TEST_F(PeopleTest, OrganizationChoicesStartWithNoneInShortNameOrder)
{
    EXPECT_EQ(texts(organizationChoices(*dm)), QStringList({u"="_s, u"Динамо=3"_s, u"ЦСКА=5"_s}));
}

struct BadPerson {
    const char *name;
    PersonValues values;
    QString message;
};

class PersonRefusals : public PeopleTest, public ::testing::WithParamInterface<BadPerson> {};

const QString kFuture = QDate::currentDate().addDays(1).toString(Qt::ISODate);

INSTANTIATE_TEST_SUITE_P(
    Input, PersonRefusals,
    ::testing::Values(BadPerson{"NoSurname",
                                {{u"NAME"_s, u"Иван"_s}},
                                u"Поле «Фамилия» должно быть заполнено."_s},
                      BadPerson{"LongSurname",
                                {{u"SURNAME"_s, QString(26, u'Щ')}},
                                u"«Фамилия»: не более 25 символов, введено 26."_s},
                      BadPerson{"LongSeries",
                                {{u"SURNAME"_s, u"Иванов"_s}, {u"P_SER"_s, u"ABCDEFGHIJ"_s}},
                                u"«Серия»: не более 9 символов, введено 10."_s},
                      BadPerson{"UnknownOrganization",
                                {{u"SURNAME"_s, u"Иванов"_s}, {u"NUM_ORG"_s, 4}},
                                u"Организации № 4 нет в списке организаций."_s},
                      BadPerson{"UnknownTrainer",
                                {{u"SURNAME"_s, u"Иванов"_s}, {u"NUM_TRAIN2"_s, 40}},
                                u"«Тренер 2»: человека № 40 нет в справочнике людей."_s},
                      BadPerson{"BirthdayToCome",
                                {{u"SURNAME"_s, u"Иванов"_s}, {u"BIRTHDAY"_s, kFuture}},
                                u"Дата рождения %1 ещё не наступила: проверьте дату."_s.arg(
                                    QDate::currentDate().addDays(1).toString(u"dd.MM.yyyy"_s))},
                      BadPerson{"DocumentToCome",
                                {{u"SURNAME"_s, u"Иванов"_s}, {u"P_DATA"_s, kFuture}},
                                u"Дата выдачи документа %1 ещё не наступила: проверьте дату."_s.arg(
                                    QDate::currentDate().addDays(1).toString(u"dd.MM.yyyy"_s))}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_P(PersonRefusals, StoreNothingAndLeaveNoRowInEditing)
{
    const int before = count(u"T_PERSON"_s);
    EXPECT_EQ(refusal([&] { addPerson(*dm, GetParam().values); }), GetParam().message);
    EXPECT_EQ(count(u"T_PERSON"_s), before);
    EXPECT_FALSE(dm->tbl_PERSON->isEditing());
    EXPECT_EQ(dm->tbl_PERSON->recordCount(), before);

    // The same values typed over an existing person leave the person as stored.
    const int num = addPerson(*dm, {{u"SURNAME"_s, u"Петров"_s}, {u"NAME"_s, u"Пётр"_s}});
    PersonValues edit = GetParam().values;
    if (edit.front().first == u"NAME"_s) edit.prepend({u"SURNAME"_s, QString()});
    EXPECT_EQ(refusal([&] { editPerson(*dm, num, edit); }), GetParam().message);
    EXPECT_EQ(person(num, u"SURNAME"_s), u"Петров"_s);
    EXPECT_EQ(person(num, u"NAME"_s), u"Пётр"_s);
    EXPECT_FALSE(dm->tbl_PERSON->isEditing());
}

TEST_F(PeopleTest, ANonTrainerIsNoTrainerChoiceAndAnUnknownPersonCannotBeEdited)
{
    const int plain = addPerson(*dm, {{u"SURNAME"_s, u"Простой"_s}});
    EXPECT_EQ(
        refusal([&] {
            addPerson(*dm, {{u"SURNAME"_s, u"Ученик"_s}, {u"NUM_TRAIN1"_s, plain}});
        }),
        u"«Тренер 1»: человек № %1 не тренер — тренера выбирают из списка тренеров."_s.arg(plain));
    EXPECT_EQ(refusal([&] {
                  editPerson(*dm, 77, {{u"NAME"_s, u"Кто"_s}});
              }),
              u"Человека № 77 нет в справочнике людей."_s);
    EXPECT_EQ(refusal([&] {
                  editPerson(*dm, plain, {{u"NUM"_s, 9}});
              }),
              u"В справочнике людей нет изменяемого поля NUM."_s);
}

TEST_F(PeopleTest, StoredFutureDateIsLeftAloneAndTodayIsAccepted)
{
    dm->store().exec(u"INSERT INTO T_PERSON (NUM, SURNAME, BIRTHDAY) VALUES (4, 'Старый', ?)"_s,
                     {kFuture});
    dm->tbl_PERSON->refresh();
    EXPECT_EQ(refusal([&] { editPerson(*dm, 4, {{u"NAME"_s, u"Олег"_s}}); }), QString());
    EXPECT_EQ(person(4, u"NAME"_s), u"Олег"_s);
    EXPECT_EQ(person(4, u"BIRTHDAY"_s), kFuture);

    const QString today = QDate::currentDate().toString(Qt::ISODate);
    EXPECT_EQ(refusal([&] { editPerson(*dm, 4, {{u"P_DATA"_s, today}}); }), QString());
    EXPECT_EQ(person(4, u"P_DATA"_s), today);
}

TEST_F(PeopleTest, TrainerFlagAndPupilsFollowThePosts)
{
    const int trainer = addPerson(*dm, {{u"SURNAME"_s, u"Мидлер"_s},
                                        {u"NAME"_s, u"Марк"_s},
                                        {u"NUM_ORG"_s, 5},
                                        {u"TRAINER"_s, true}});
    const QVariant firstRow =
        fileValue(ws.databaseFile(), u"SELECT NUM FROM T_TRAIN WHERE NUM_PERS = ?"_s, {trainer});
    ASSERT_FALSE(firstRow.isNull());
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT ORG FROM T_TRAIN"_s), u"ЦСКА"_s);

    const int pupil = addPerson(*dm, {{u"SURNAME"_s, u"Пупкин"_s}, {u"NUM_TRAIN1"_s, trainer}});
    EXPECT_EQ(person(pupil, u"SURNAME1"_s), u"Мидлер"_s);
    EXPECT_EQ(person(pupil, u"NUM_TRAIN2"_s), 1);

    // The trainer row is what the pupil's names are copied from, at every post.
    dm->store().exec(u"UPDATE T_TRAIN SET SURNAME = 'Мидлер-Старший'"_s);
    editPerson(*dm, pupil, {{u"STATE"_s, u"КМС"_s}});
    EXPECT_EQ(person(pupil, u"SURNAME1"_s), u"Мидлер-Старший"_s);

    editPerson(*dm, trainer, {{u"TRAINER"_s, false}});
    EXPECT_EQ(count(u"T_TRAIN"_s), 0);
    EXPECT_EQ(texts(trainerChoices(*dm)), QStringList({u"="_s}));
    // A reference to a trainer who is no longer one keeps its number and loses its names.
    editPerson(*dm, pupil, {{u"STATE"_s, u"МС"_s}});
    EXPECT_EQ(person(pupil, u"NUM_TRAIN1"_s), trainer);
    EXPECT_TRUE(person(pupil, u"SURNAME1"_s).isNull());

    editPerson(*dm, trainer, {{u"TRAINER"_s, true}});
    const QVariant secondRow =
        fileValue(ws.databaseFile(), u"SELECT NUM FROM T_TRAIN WHERE NUM_PERS = ?"_s, {trainer});
    EXPECT_GT(secondRow.toInt(), firstRow.toInt());

    // An empty value empties the field: no trainer is 1 again.
    editPerson(*dm, pupil, {{u"NUM_TRAIN1"_s, QVariant()}});
    EXPECT_EQ(person(pupil, u"NUM_TRAIN1"_s), 1);
}

TEST_F(PeopleTest, QuickSearchMovesOnlyOnAWholeSurname)
{
    for (const QString &s : {u"Иванов"_s, u"Ив"_s, u"Петров"_s, u"Иванов"_s})
        addPerson(*dm, {{u"SURNAME"_s, s}});
    Table &people = *dm->tbl_PERSON;
    people.last();
    ASSERT_EQ(people.text(u"SURNAME"_s), u"Петров"_s);
    EXPECT_FALSE(findSurname(people, u"Ива"_s));
    EXPECT_EQ(people.text(u"SURNAME"_s), u"Петров"_s);
    EXPECT_FALSE(findSurname(people, QString()));
    EXPECT_EQ(people.text(u"SURNAME"_s), u"Петров"_s);
    EXPECT_TRUE(findSurname(people, u"Ив"_s));
    EXPECT_EQ(people.text(u"SURNAME"_s), u"Ив"_s);
    EXPECT_TRUE(findSurname(people, u"Иванов"_s));
    EXPECT_EQ(people.currentRow(), 1); // the first of the two, in surname order
    EXPECT_FALSE(findSurname(people, u"иванов"_s));
    EXPECT_EQ(people.currentRow(), 1);
}

TEST_F(PeopleTest, ChoosingAnOrganizationEditsThePersonAndMovesTheOrganizations)
{
    addPerson(*dm, {{u"SURNAME"_s, u"Иванов"_s}});
    ASSERT_EQ(dm->tbl_ORG->intValue(u"NUM"_s), 3);
    chooseOrganization(*dm, 5);
    EXPECT_TRUE(dm->tbl_PERSON->isEditing());
    EXPECT_EQ(dm->tbl_ORG->intValue(u"NUM"_s), 5);
    dm->tbl_PERSON->post();
    EXPECT_EQ(person(2, u"NUM_ORG"_s), 5);
    EXPECT_EQ(refusal([&] { chooseOrganization(*dm, 9); }),
              u"Организации № 9 нет в списке организаций."_s);
    EXPECT_FALSE(dm->tbl_PERSON->isEditing());
}

TEST_F(PeopleTest, ClosingPostsThenRunsTheAspectChange)
{
    CurrentContext context(*dm);
    beginNewPerson(*dm);
    EXPECT_EQ(dm->tbl_PERSON->value(u"TRAINER"_s), false);
    RecordingPrompter prompter;
    // No surname: the post is refused and the row stays in editing.
    EXPECT_FALSE(runCommand(prompter, [&] { return closePeople(*dm, context, prompter); }));
    EXPECT_TRUE(dm->tbl_PERSON->isEditing());
    dm->tbl_PERSON->setValue(u"SURNAME"_s, u"Новиков"_s);
    EXPECT_TRUE(runCommand(prompter, [&] { return closePeople(*dm, context, prompter); }));
    EXPECT_EQ(person(2, u"SURNAME"_s), u"Новиков"_s);
    EXPECT_EQ(person(2, u"TRAINER"_s), 0);
}

} // namespace
