#include "datatestutil.h"
#include "entrypeople.h"
#include "filevalue.h"
#include "recordingprompter.h"
#include "tempworkspace.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "app/session.h"
#include "data/dm.h"
#include "data/refusal.h"
#include "registry/entries.h"
#include "registry/organizations.h"
#include "registry/participants.h"

#include <gtest/gtest.h>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class EntryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        {
            Store store(ws.databaseFile());
            addEntryPeople(store);
        }
        session = ws.openSession();
        dm = &session->dm();
        context = &session->context();
    }

    // The entry window of organization `org` as it opens.
    void openEntryOf(int org)
    {
        chooseOrganization(*dm, org);
        openEntry(*dm);
    }
    void addPerson(EntryPage page, int person)
    {
        chooseEntryPerson(*dm, person);
        addToEntry(*dm, page, prompter);
    }
    QVariant file(const QString &sql, const QVariantList &values = {}) const
    {
        return fileValue(ws.databaseFile(), sql, values);
    }
    QVariant partField(int person, const QString &field) const
    {
        return file(u"SELECT %1 FROM T_PART WHERE NUM_PERS = ?"_s.arg(field), {person});
    }
    int rowsOf(const QString &table, int person) const
    {
        return file(u"SELECT COUNT(*) FROM %1 WHERE NUM_PERS = ?"_s.arg(table), {person}).toInt();
    }
    // The text a refusal would show, or empty when the call went through.
    template <class F> QString refusal(F &&call)
    {
        try {
            call();
        } catch (const Refusal &e) {
            return e.message();
        }
        return {};
    }

    TempWorkspace ws;
    RecordingPrompter prompter;
    std::unique_ptr<Session> session;
    TDM *dm = nullptr;
    CurrentContext *context = nullptr;
};

} // namespace

TEST_F(EntryTest, OpeningShowsTheOrganizationsRowsAndEveryAspect)
{
    dm->store().exec(u"INSERT INTO T_PART (NUM_PERS, NUM_ORG, SURNAME, NUM_ASPECT) VALUES "
                     u"(3, 2, 'Сидоров', 0), (1, 1, 'Белов', 1)"_s);
    openEntryOf(1);
    EXPECT_EQ(columnTexts(*dm->tbl_PERSON, u"SURNAME"_s),
              (QStringList{u"Белов"_s, u"Орлов"_s, u"Тренеров"_s}));
    // T_PART is read again from the file: the row written behind the data module's back shows.
    EXPECT_EQ(columnTexts(*dm->tbl_PART, u"SURNAME"_s), QStringList{u"Белов"_s});
    EXPECT_EQ(columnTexts(*dm->tbl_TRAIN, u"SURNAME"_s), QStringList{u"Тренеров"_s});
    EXPECT_EQ(dm->tbl_ASPECT->recordCount(), 2);
    EXPECT_EQ(columnTexts(*dm->tbl_PART, u"aspect"_s), QStringList{u"Рапира"_s});
}

TEST_F(EntryTest, AParticipantGetsEveryCopiedFieldAndNoAspect)
{
    openEntryOf(1);
    addPerson(EntryPage::Participants, 2);
    ASSERT_EQ(rowsOf(u"T_PART"_s, 2), 1);
    const QList<std::pair<QString, QVariant>> expected{{u"NUM_ORG"_s, 1},
                                                       {u"SURNAME"_s, u"Орлов"_s},
                                                       {u"NAME"_s, u"Олег"_s},
                                                       {u"ORG"_s, u"Динамо"_s},
                                                       {u"NUM_PERS1"_s, 4},
                                                       {u"SURNAME1"_s, u"Тренеров"_s},
                                                       {u"NAME1"_s, u"Иван"_s},
                                                       {u"PATRONYMIC1"_s, u"Петрович"_s},
                                                       {u"NUM_PERS2"_s, 1},
                                                       {u"SURNAME2"_s, QVariant()},
                                                       {u"NUM_ASPECT"_s, QVariant()},
                                                       {u"START"_s, QVariant()}};
    for (const auto &[field, value] : expected)
        EXPECT_EQ(partField(2, field).toString(), value.toString()) << field.toStdString();
    EXPECT_TRUE(partField(2, u"NUM_ASPECT"_s).isNull());
}

TEST_F(EntryTest, APersonWithoutTrainerEntersWithTrainerOneAndNoNames)
{
    openEntryOf(1);
    addPerson(EntryPage::Participants, 1);
    EXPECT_EQ(partField(1, u"NUM_PERS1"_s).toInt(), 1);
    EXPECT_EQ(partField(1, u"NUM_PERS2"_s).toInt(), 1);
    for (const QString &f : {u"SURNAME1"_s, u"NAME1"_s, u"PATRONYMIC1"_s, u"SURNAME2"_s})
        EXPECT_TRUE(partField(1, f).isNull()) << f.toStdString();
}

TEST_F(EntryTest, TheSamePersonIsEnteredOnceEvenAfterAnAspectIsChosen)
{
    openEntryOf(1);
    addPerson(EntryPage::Participants, 2);
    addPerson(EntryPage::Participants, 2);
    EXPECT_EQ(rowsOf(u"T_PART"_s, 2), 1);
    ASSERT_TRUE(setEntryAspect(*dm, 1));
    addPerson(EntryPage::Participants, 2);
    EXPECT_EQ(rowsOf(u"T_PART"_s, 2), 1);
    EXPECT_EQ(partField(2, u"NUM_ASPECT"_s).toInt(), 1);

    addPerson(EntryPage::Judges, 2);
    addPerson(EntryPage::Judges, 2);
    EXPECT_EQ(rowsOf(u"T_JUDGE"_s, 2), 1);
    EXPECT_EQ(file(u"SELECT SURNAME || '/' || NAME || '/' || PATRONYMIC || '/' || ORG || '/' || "
                   u"NUM_ORG FROM T_JUDGE WHERE NUM_PERS = 2"_s)
                  .toString(),
              u"Орлов/Олег/Олегович/Динамо/1"_s);
    EXPECT_TRUE(prompter.errors.isEmpty());
}

TEST_F(EntryTest, TrainersAreNeitherAddedNorRemovedHere)
{
    openEntryOf(1);
    chooseEntryPerson(*dm, 1);
    EXPECT_FALSE(addToEntry(*dm, EntryPage::Trainers, prompter));
    EXPECT_FALSE(removeFromEntry(*dm, EntryPage::Trainers, prompter));
    EXPECT_EQ(prompter.errors,
              (QStringList{u"Для добавления тренеров, воспользуйтесь формой ввода людей."_s,
                           u"Для удаления тренеров, воспользуйтесь формой ввода людей."_s}));
    EXPECT_EQ(fileCount(ws.databaseFile(), u"T_TRAIN"_s), 1);
    EXPECT_EQ(fileCount(ws.databaseFile(), u"T_PART"_s), 0);
}

TEST_F(EntryTest, APersonOfAnotherOrganizationOrNoneIsRefused)
{
    openEntryOf(1);
    EXPECT_EQ(refusal([&] { chooseEntryPerson(*dm, 3); }),
              u"Сидоров Семён (№ 3) не из организации «Динамо»: в её заявку его внести нельзя."_s);
    EXPECT_EQ(refusal([&] { chooseEntryPerson(*dm, 99); }), u"Нет человека с номером 99."_s);
    EXPECT_EQ(refusal([&] { chooseOrganization(*dm, 7); }), u"Нет организации с номером 7."_s);
    EXPECT_EQ(refusal([&] { chooseEntryRow(*dm, EntryPage::Judges, 1); }),
              u"Человека с номером 1 нет в списке судей заявки организации «Динамо»."_s);
}

TEST_F(EntryTest, AnUnknownAspectIsRefusedAndTheRowKeepsItsOwn)
{
    openEntryOf(1);
    addPerson(EntryPage::Participants, 1);
    EXPECT_EQ(refusal([&] { setEntryAspect(*dm, 5); }), u"Нет вида с номером 5."_s);
    EXPECT_TRUE(partField(1, u"NUM_ASPECT"_s).isNull());
    setEntryAspect(*dm, 0);
    EXPECT_EQ(dm->tbl_PART->text(u"aspect"_s), u"Шпага"_s);
    EXPECT_EQ(partField(1, u"NUM_ASPECT"_s).toInt(), 0);
}

TEST_F(EntryTest, RemovingAParticipantKeepsThePoolAndEliminationRows)
{
    dm->store().exec(u"INSERT INTO T_PART (NUM_PERS, NUM_ORG, SURNAME, NUM_ASPECT, PLACE) VALUES "
                     u"(1, 1, 'Белов', 0, 3), (2, 1, 'Орлов', 1, 1)"_s);
    dm->store().exec(u"INSERT INTO REZ_TOUR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, PART) "
                     u"VALUES (0, 1, 1, 1)"_s);
    dm->store().exec(u"INSERT INTO REZ_OLIMP (NUM_ASPECT, NUM_TOUR, NUM_CIRCLE, PART) "
                     u"VALUES (0, 7, 1, 1)"_s);
    openEntryOf(1);
    chooseEntryRow(*dm, EntryPage::Participants, 1);
    ASSERT_TRUE(removeFromEntry(*dm, EntryPage::Participants, prompter));
    EXPECT_EQ(rowsOf(u"T_PART"_s, 1), 0);
    EXPECT_EQ(rowsOf(u"T_PART"_s, 2), 1);
    EXPECT_EQ(file(u"SELECT COUNT(*) FROM REZ_TOUR WHERE PART = 1"_s).toInt(), 1);
    EXPECT_EQ(file(u"SELECT COUNT(*) FROM REZ_OLIMP WHERE PART = 1"_s).toInt(), 1);

    chooseEntryRow(*dm, EntryPage::Participants, 2);
    prompter.answers = {false};
    EXPECT_FALSE(deleteEntryRowConfirmed(*dm, EntryPage::Participants, prompter));
    EXPECT_EQ(rowsOf(u"T_PART"_s, 2), 1);
    prompter.answers = {true};
    EXPECT_TRUE(deleteEntryRowConfirmed(*dm, EntryPage::Participants, prompter));
    EXPECT_EQ(rowsOf(u"T_PART"_s, 2), 0);
    EXPECT_EQ(prompter.confirms, (QStringList{u"Удалить запись?"_s, u"Удалить запись?"_s}));
}

TEST_F(EntryTest, ClosingListsEveryoneAgainAndCountsParticipantsWithoutAspect)
{
    openEntryOf(1);
    addPerson(EntryPage::Participants, 1);
    addPerson(EntryPage::Participants, 2);
    chooseEntryRow(*dm, EntryPage::Participants, 2);
    setEntryAspect(*dm, 0);
    ASSERT_TRUE(closeEntry(*dm, prompter));
    EXPECT_EQ(dm->tbl_PERSON->recordCount(), 4);
    EXPECT_FALSE(dm->tbl_PART->isFiltered());
    EXPECT_FALSE(dm->tbl_JUDGE->isFiltered());
    EXPECT_FALSE(dm->tbl_TRAIN->isFiltered());
    EXPECT_TRUE(dm->tbl_ASPECT->isFiltered());
    ASSERT_EQ(prompter.infos.size(), 1);
    EXPECT_TRUE(prompter.infos[0].startsWith(
        u"Участников этой организации без выбранного вида (категории): 1."_s))
        << prompter.infos[0].toStdString();

    // Once every participant has an aspect, closing says nothing.
    openEntryOf(1);
    chooseEntryRow(*dm, EntryPage::Participants, 1);
    setEntryAspect(*dm, 1);
    prompter.infos.clear();
    closeEntry(*dm, prompter);
    EXPECT_TRUE(prompter.infos.isEmpty());
    // The aspect change the main window runs afterwards shows aspect 0's participants again.
    context->selectAspect(0);
    EXPECT_EQ(columnTexts(*dm->tbl_PART, u"SURNAME"_s), QStringList{u"Орлов"_s});
}

TEST_F(EntryTest, ParticipantsOfTheAspectGetItAndTheirOwnOrganization)
{
    context->selectAspect(1);
    showAllPeople(*dm);
    EXPECT_EQ(dm->tbl_PERSON->recordCount(), 4);
    for (int person : {3, 2}) {
        choosePerson(*dm, person);
        ASSERT_TRUE(addParticipant(*dm, *context, prompter));
    }
    EXPECT_EQ(partField(3, u"ORG"_s).toString(), u"Спартак"_s);
    EXPECT_EQ(partField(2, u"ORG"_s).toString(), u"Динамо"_s);
    EXPECT_EQ(partField(3, u"NUM_ASPECT"_s).toInt(), 1);
    EXPECT_EQ(partField(2, u"SURNAME1"_s).toString(), u"Тренеров"_s);
    EXPECT_EQ(partField(3, u"NUM_PERS1"_s).toInt(), 1);

    choosePerson(*dm, 3);
    EXPECT_FALSE(addParticipant(*dm, *context, prompter));
    EXPECT_EQ(rowsOf(u"T_PART"_s, 3), 1);
    // Another aspect takes the same person once it is the current one.
    context->selectAspect(0);
    choosePerson(*dm, 3);
    EXPECT_TRUE(addParticipant(*dm, *context, prompter));
    EXPECT_EQ(rowsOf(u"T_PART"_s, 3), 2);

    chooseParticipant(*dm, 3);
    ASSERT_TRUE(removeParticipant(*dm, *context, prompter));
    EXPECT_EQ(file(u"SELECT group_concat(NUM_ASPECT) FROM T_PART WHERE NUM_PERS = 3"_s).toString(),
              u"1"_s);
    EXPECT_EQ(refusal([&] { chooseParticipant(*dm, 3); }),
              u"Человек с номером 3 не участник текущего вида."_s);
}

TEST_F(EntryTest, QuickSearchMovesOnlyOnAWholeSurname)
{
    showAllPeople(*dm);
    quickSearchPerson(*dm, u"Сидоров"_s);
    EXPECT_EQ(dm->tbl_PERSON->intValue(u"NUM"_s), 3);
    quickSearchPerson(*dm, u"Ор"_s);
    EXPECT_EQ(dm->tbl_PERSON->intValue(u"NUM"_s), 3);
    quickSearchPerson(*dm, u"Орлов"_s);
    EXPECT_EQ(dm->tbl_PERSON->intValue(u"NUM"_s), 2);
}

TEST_F(EntryTest, OrganizationsAreCheckedBeforeAnythingIsStored)
{
    const int before = fileCount(ws.databaseFile(), u"T_ORG"_s);
    struct Case {
        QString shortName, city;
        QString message;
    };
    const QList<Case> refused{
        {QString(), u"Казань"_s, u"Поле «Название» должно быть заполнено."_s},
        {u"Очень длинное имя"_s, QString(), u"Значение поля «Название» длиннее 12 символов."_s},
        {u"ЦСКА"_s, QString(31, u'г'), u"Значение поля «Город» длиннее 30 символов."_s},
    };
    for (const Case &c : refused) {
        EXPECT_EQ(refusal([&] { addOrganization(*dm, c.shortName, c.city, {}); }), c.message);
        EXPECT_FALSE(dm->tbl_ORG->isEditing());
    }
    EXPECT_EQ(fileCount(ws.databaseFile(), u"T_ORG"_s), before);

    const int num = addOrganization(*dm, u"ЦСКА"_s, u"Самара"_s, u"Центральный клуб"_s);
    EXPECT_EQ(file(u"SELECT ORG_SHORT || '/' || CITY || '/' || ORG_FULL FROM T_ORG WHERE NUM = ?"_s,
                   {num})
                  .toString(),
              u"ЦСКА/Самара/Центральный клуб"_s);

    EXPECT_EQ(refusal([&] {
                  setOrganizationFields(*dm, num, {{u"NUM"_s, u"5"_s}});
              }),
              u"У организации нет изменяемого поля NUM."_s);
    EXPECT_EQ(refusal([&] {
                  setOrganizationFields(*dm, num, {{u"ORG_SHORT"_s, QString()}});
              }),
              u"Поле «Название» должно быть заполнено."_s);
    EXPECT_EQ(file(u"SELECT ORG_SHORT FROM T_ORG WHERE NUM = ?"_s, {num}).toString(), u"ЦСКА"_s);
    setOrganizationFields(*dm, num, {{u"city"_s, QString()}, {u"ORG_FULL"_s, u"ЦСКА ВВС"_s}});
    EXPECT_TRUE(file(u"SELECT CITY FROM T_ORG WHERE NUM = ?"_s, {num}).isNull());
    EXPECT_EQ(file(u"SELECT ORG_FULL FROM T_ORG WHERE NUM = ?"_s, {num}).toString(), u"ЦСКА ВВС"_s);
}
