#include "filevalue.h"
#include "poolfield.h"
#include "recordingprompter.h"
#include "tempworkspace.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "app/session.h"
#include "data/dm.h"
#include "pools/distribution.h"
#include "pools/grouptotals.h"
#include "pools/poolcontext.h"
#include "pools/poolcount.h"
#include "pools/poolsheet.h"

#include <gtest/gtest.h>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

// A score row as filePoolRows() prints it, fresh from the distribution.
QString dealtRow(int group, int position, int person)
{
    QStringList cells(9);
    cells[position - 1] = u"--"_s;
    return u"%1/%2 %3 %4"_s.arg(group).arg(position).arg(person).arg(cells.join(u'|'));
}

class PoolCommands : public ::testing::Test {
protected:
    void open(const QList<FieldEntry> &entries, int secondTourKol = 0)
    {
        {
            Store store(ws.databaseFile());
            addPoolField(store, entries, secondTourKol);
        }
        session = ws.openSession();
        dm = &session->dm();
        context = &session->context();
    }
    bool recount(int groups)
    {
        return runCommand(prompter, [&] { return recountPools(*dm, *context, groups, prompter); });
    }
    bool distribute(bool byOrganization)
    {
        return runCommand(
            prompter, [&] { return distributeIntoPools(*dm, *context, byOrganization, prompter); });
    }
    bool cell(int group, int position, int n, const QString &value)
    {
        selectPoolGroup(*dm, group, nullptr);
        const int row = poolRowOfPosition(*dm, position);
        return runCommand(prompter,
                          [&] { return enterBoutCell(*dm, *context, row, n, value, prompter); });
    }
    bool totals(int group)
    {
        selectPoolGroup(*dm, group, nullptr);
        return runCommand(prompter, [&] { return totalCurrentGroup(*dm, *context, prompter); });
    }
    // Pools written straight into TOUR_PR, sizes the window would refuse included.
    void addPools(const QList<int> &sizes)
    {
        for (int g = 0; g < sizes.size(); ++g)
            dm->store().exec(u"INSERT INTO TOUR_PR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, KOL) "
                             u"VALUES (0, 1, ?, ?)"_s,
                             {g + 1, sizes[g]});
        dm->tbl_TOUR_PR->refresh();
        dm->tbl_TOUR_PR->first();
    }
    QList<int> storedSizes() const
    {
        QList<int> sizes;
        for (int r = 0; r < dm->tbl_TOUR_PR->recordCount(); ++r) {
            EXPECT_EQ(dm->tbl_TOUR_PR->cell(r, dm->tbl_TOUR_PR->fieldIndex(u"NUM_GROUP"_s)).toInt(),
                      r + 1);
            sizes << dm->tbl_TOUR_PR->cell(r, dm->tbl_TOUR_PR->fieldIndex(u"KOL"_s)).toInt();
        }
        return sizes;
    }
    QVariant file(const QString &sql) const { return fileValue(ws.databaseFile(), sql); }
    QStringList rows(int tour = 1, bool withTotals = false) const
    {
        return filePoolRows(ws.databaseFile(), tour, withTotals);
    }

    TempWorkspace ws;
    RecordingPrompter prompter;
    std::unique_ptr<Session> session;
    TDM *dm = nullptr;
    CurrentContext *context = nullptr;
};

const QString kRangeMessage =
    u"Введите другое кол-во групп, т.к. кол-во участников д.б. в диапазоне от 4 до 9 !"_s;
const QString kConfirm = u"Прежде чем разнести участников, необходимо их удалить с имеющимися "
                         u"результатами текущего тура (если они есть)! Вы согласны?"_s;

} // namespace

TEST_F(PoolCommands, RecountStoresSerpentineSizesAndTheFirstTourCount)
{
    open(distinctEntries(13));
    dm->store().exec(u"UPDATE T_VT SET KOL = 0"_s);
    dm->tbl_VT->refresh();
    EXPECT_TRUE(recount(3));
    EXPECT_EQ(storedSizes(), (QList<int>{5, 4, 4}));
    EXPECT_EQ(file(u"SELECT group_concat(KOL) FROM TOUR_PR WHERE NUM_TOUR = 1"_s).toString(),
              u"5,4,4"_s);
    EXPECT_EQ(file(u"SELECT KOL FROM T_VT WHERE NUM_TOUR = 1"_s).toInt(), 13);
    EXPECT_TRUE(prompter.infos.isEmpty());
}

TEST_F(PoolCommands, RecountRefusesOutOfRangeSizesButStillWritesTheCount)
{
    open(distinctEntries(20));
    dm->store().exec(u"UPDATE T_VT SET KOL = 0"_s);
    dm->tbl_VT->refresh();
    EXPECT_FALSE(recount(2)); // 10 and 10
    EXPECT_EQ(prompter.infos, QStringList{kRangeMessage});
    EXPECT_EQ(fileCount(ws.databaseFile(), u"TOUR_PR"_s), 0);
    EXPECT_EQ(file(u"SELECT KOL FROM T_VT WHERE NUM_TOUR = 1"_s).toInt(), 20);

    prompter.infos.clear();
    EXPECT_FALSE(recount(0));
    EXPECT_EQ(prompter.infos, QStringList{u"Количество групп не может равняться нулю. "
                                          u"Проверьте правильность ввода.!"_s});
    EXPECT_EQ(fileCount(ws.databaseFile(), u"TOUR_PR"_s), 0);
}

TEST_F(PoolCommands, LoweringAndRaisingTheCountKeepsTheJudgesOfKeptGroups)
{
    open(distinctEntries(20));
    ASSERT_TRUE(recount(5));
    EXPECT_EQ(storedSizes(), (QList<int>{4, 4, 4, 4, 4}));
    Table &pools = *dm->tbl_TOUR_PR;
    for (int group : {1, 5}) {
        ASSERT_TRUE(pools.locate(u"NUM_GROUP"_s, group));
        pools.edit();
        pools.setValue(u"JUDGE"_s, 40 + group);
        pools.post();
    }
    ASSERT_TRUE(recount(3));
    EXPECT_EQ(storedSizes(), (QList<int>{7, 7, 6}));
    EXPECT_EQ(file(u"SELECT JUDGE FROM TOUR_PR WHERE NUM_GROUP = 1"_s).toInt(), 41);
    EXPECT_EQ(file(u"SELECT COUNT(*) FROM TOUR_PR WHERE NUM_GROUP > 3"_s).toInt(), 0);
    ASSERT_TRUE(recount(4));
    EXPECT_EQ(storedSizes(), (QList<int>{5, 5, 5, 5}));
    EXPECT_EQ(file(u"SELECT JUDGE FROM TOUR_PR WHERE NUM_GROUP = 1"_s).toInt(), 41);
    EXPECT_TRUE(file(u"SELECT JUDGE FROM TOUR_PR WHERE NUM_GROUP = 4"_s).isNull());
}

TEST_F(PoolCommands, PlainDealingOfTenInThree)
{
    open(distinctEntries(10));
    addPools({4, 3, 3}); // below the window's 4 per pool: the dealing does not mind
    ASSERT_TRUE(distribute(false));
    EXPECT_EQ(prompter.confirms, QStringList{kConfirm});
    // Seeds 1 … 10 are persons 100 … 109.
    const QStringList expected{dealtRow(1, 1, 100), dealtRow(2, 1, 101), dealtRow(3, 1, 102),
                               dealtRow(3, 2, 103), dealtRow(2, 2, 104), dealtRow(1, 2, 105),
                               dealtRow(1, 3, 106), dealtRow(2, 3, 107), dealtRow(3, 3, 108),
                               dealtRow(3, 4, 109)};
    EXPECT_EQ(rows(), expected);
    EXPECT_EQ(dm->tbl_PART->indexName(), u"ind_classification"_s);

    // A second run replaces the rows, bouts included.
    ASSERT_TRUE(cell(1, 1, 2, u"V5"_s));
    ASSERT_TRUE(distribute(false));
    EXPECT_EQ(rows(), expected);
}

TEST_F(PoolCommands, DealingWithOrganizationsSeparatesSeedsOneAndSix)
{
    QList<FieldEntry> entries = distinctEntries(12);
    entries[5].org = entries[0].org;
    entries[11].org = 0; // no organization
    open(entries);
    ASSERT_TRUE(recount(3));
    ASSERT_TRUE(distribute(true));
    const QStringList r = rows();
    ASSERT_EQ(r.size(), 12);
    EXPECT_EQ(r[4], dealtRow(1, 2, 104)); // seed 5 went to group 1 in the exchange
    EXPECT_EQ(r[5], dealtRow(2, 2, 105)); // seed 6 to group 2
    EXPECT_EQ(r[3], dealtRow(3, 2, 103));
}

TEST_F(PoolCommands, SeedingOutOfOrderIsRefusedBeforeAnythingIsDeleted)
{
    open({{1, 1, 0}, {2, 2, 0}, {3, 4, 0}, {4, 5, 0}, {5, 6, 0}, {6, 7, 0}, {7, 8, 0}, {8, 9, 0}});
    ASSERT_TRUE(recount(2));
    dm->store().exec(u"INSERT INTO REZ_TOUR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, NUM_START, F1) "
                     u"VALUES (0, 1, 1, 1, '--')"_s);
    EXPECT_FALSE(distribute(false));
    EXPECT_EQ(prompter.errors, QStringList{u"Проверьте порядок классификации !!! "_s});
    EXPECT_TRUE(prompter.confirms.isEmpty());
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_TOUR"_s), 1);
    EXPECT_EQ(dm->tbl_PART->indexName(), u"ind_surname"_s);
}

TEST_F(PoolCommands, SecondTourDealsTheFirstKolByStartNumber)
{
    // Starts 1 … 8 in a shuffled order, one participant without a start, two above KOL.
    const QList<int> starts{5, 0, 2, 9, 8, 1, 7, 3, 10, 6, 4};
    QList<FieldEntry> entries;
    for (int i = 0; i < starts.size(); ++i)
        entries.append({i + 1, i + 1, starts[i]});
    open(entries, 8);
    ASSERT_TRUE(context->selectTourKind(2));
    ASSERT_TRUE(recount(2));
    EXPECT_EQ(storedSizes(), (QList<int>{4, 4}));
    ASSERT_TRUE(distribute(true)); // the option does not exist after the first tour
    const auto person = [&starts](int start) { return 100 + int(starts.indexOf(start)); };
    const QStringList expected{dealtRow(1, 1, person(1)), dealtRow(2, 1, person(2)),
                               dealtRow(2, 2, person(3)), dealtRow(1, 2, person(4)),
                               dealtRow(1, 3, person(5)), dealtRow(2, 3, person(6)),
                               dealtRow(2, 4, person(7)), dealtRow(1, 4, person(8))};
    EXPECT_EQ(rows(2), expected);

    dm->store().exec(u"UPDATE T_PART SET START = 12 WHERE START = 5"_s);
    dm->tbl_PART->refresh();
    EXPECT_FALSE(distribute(false));
    EXPECT_EQ(prompter.errors, QStringList{u"Проверьте порядок стартовых номеров !!! "_s});
    EXPECT_EQ(rows(2), expected);
}

TEST_F(PoolCommands, DeclinedOrOverfullDistributionChangesNothing)
{
    open(distinctEntries(20));
    ASSERT_TRUE(recount(3));
    ASSERT_TRUE(distribute(false));
    const QStringList before = rows();

    prompter.answers = {false};
    EXPECT_FALSE(distribute(false));
    EXPECT_EQ(rows(), before);

    // Eight more entries: 28 in 3 pools would need a tenth position.
    for (int i = 21; i <= 28; ++i)
        dm->store().exec(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME, NUM_PERS, CLASSIFICATION) "
                         u"VALUES (0, ?, ?, ?)"_s,
                         {u"Поздний%1"_s.arg(i), 200 + i, i});
    dm->store().exec(u"UPDATE T_VT SET KOL = 28 WHERE NUM_TOUR = 1"_s);
    dm->tbl_PART->refresh();
    dm->tbl_VT->refresh();
    prompter.confirms.clear();
    EXPECT_FALSE(distribute(false));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].startsWith(u"В группе может быть не больше 9 участников"_s))
        << prompter.errors[0].toStdString();
    EXPECT_TRUE(prompter.confirms.isEmpty());
    EXPECT_EQ(rows(), before);
}

TEST_F(PoolCommands, TotalsOfTheGroupOfFourAndTheDisagreementMessage)
{
    open(distinctEntries(12));
    ASSERT_TRUE(recount(3));
    ASSERT_TRUE(distribute(false));
    // Group 1 holds seeds 1, 6, 7, 12 (persons 100, 105, 106, 111) at positions 1 … 4.
    ASSERT_TRUE(cell(1, 1, 2, u"V5"_s));
    ASSERT_TRUE(cell(1, 1, 3, u"d2"_s));
    ASSERT_TRUE(cell(1, 1, 4, u"V5"_s));
    ASSERT_TRUE(cell(1, 3, 1, u"V5"_s)); // agrees with 1-3
    ASSERT_TRUE(totals(1));
    EXPECT_EQ(prompter.infos, QStringList{u"Несогласованные результаты боёв: 1-2, 1-4."_s});
    const QStringList r = rows(1, true);
    EXPECT_TRUE(r[0].endsWith(u"--|V5|D2|V5||||| 12 5 2 3"_s)) << r[0].toStdString();
    EXPECT_TRUE(r[5].endsWith(u" 0 5 0 3"_s)) << r[5].toStdString();   // position 2
    EXPECT_TRUE(r[6].endsWith(u" 5 2 1 3"_s)) << r[6].toStdString();   // position 3
    EXPECT_TRUE(r[11].endsWith(u" 0 5 0 3"_s)) << r[11].toStdString(); // position 4
    EXPECT_NEAR(file(u"SELECT VIC_FIGHT_A FROM REZ_TOUR WHERE PART = 100"_s).toDouble(), 2.0 / 3.0,
                1e-9);
    EXPECT_TRUE(r[1].endsWith(u"  "_s)); // other groups untouched
}

TEST_F(PoolCommands, MalformedStoredCellStopsTheTotalsBeforeAnyRowChanges)
{
    open(distinctEntries(12));
    ASSERT_TRUE(recount(3));
    ASSERT_TRUE(distribute(false));
    ASSERT_TRUE(cell(1, 1, 2, u"V5"_s));
    dm->store().exec(u"UPDATE REZ_TOUR SET F1 = 'V' WHERE PART = 106"_s); // position 3
    EXPECT_FALSE(totals(1));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].startsWith(
        u"Итоги группы 1 не подведены: у участника под номером 3 в клетке F1 записано «V»"_s))
        << prompter.errors[0].toStdString();
    EXPECT_TRUE(file(u"SELECT PRICK FROM REZ_TOUR WHERE PART = 100"_s).isNull());
}

TEST_F(PoolCommands, RecalculationTotalsEveryGroupOrNone)
{
    open(distinctEntries(12));
    ASSERT_TRUE(recount(3));
    ASSERT_TRUE(distribute(false));
    ASSERT_TRUE(cell(2, 1, 2, u"V4"_s));
    ASSERT_TRUE(cell(2, 2, 1, u"D1"_s));
    ASSERT_TRUE(selectPoolGroup(*dm, 1, nullptr));
    ASSERT_TRUE(
        runCommand(prompter, [&] { return recalculateAllGroups(*dm, *context, prompter); }));
    EXPECT_TRUE(prompter.infos.isEmpty());
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_TOUR WHERE FIGHT = 3"_s), 12);
    EXPECT_EQ(
        file(u"SELECT PRICK || ' ' || PRICK_PASS FROM REZ_TOUR WHERE PART = 101"_s).toString(),
        u"4 1"_s);
    EXPECT_EQ(dm->tbl_REZ_TOUR->filterText(), u"NUM_ASPECT=0 AND NUM_TOUR=1 AND NUM_GROUP=3"_s);

    // A malformed cell in the last group keeps every group's old totals.
    ASSERT_TRUE(cell(2, 1, 3, u"V5"_s));
    dm->store().exec(u"UPDATE REZ_TOUR SET F2 = 'Dx' WHERE PART = 102"_s);
    EXPECT_FALSE(
        runCommand(prompter, [&] { return recalculateAllGroups(*dm, *context, prompter); }));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].startsWith(u"Итоги группы 3 не подведены"_s));
    EXPECT_EQ(file(u"SELECT PRICK FROM REZ_TOUR WHERE PART = 101"_s).toInt(), 4);
}

TEST_F(PoolCommands, RefusedCellsKeepTheirValue)
{
    open(distinctEntries(12));
    ASSERT_TRUE(recount(3)); // 4, 4, 4
    ASSERT_TRUE(distribute(false));
    ASSERT_TRUE(cell(2, 1, 2, u"v3"_s));
    EXPECT_EQ(file(u"SELECT F2 FROM REZ_TOUR WHERE PART = 101"_s).toString(), u"V3"_s);
    struct Refused {
        int position, n;
        QString value, start;
    };
    for (const Refused &r :
         {Refused{1, 2, u"в3"_s, u"Введите V или D латинскими буквами"_s},
          Refused{1, 2, u"V"_s, u"«V» — не результат боя"_s},
          Refused{1, 2, u"3"_s, u"«3» — не результат боя"_s},
          Refused{1, 1, u""_s, u"Клетка F1 участника под номером 1 — диагональ"_s},
          Refused{1, 5, u"V5"_s, u"В группе 4 участников"_s}}) {
        prompter.errors.clear();
        EXPECT_FALSE(cell(2, r.position, r.n, r.value));
        ASSERT_EQ(prompter.errors.size(), 1) << r.value.toStdString();
        EXPECT_TRUE(prompter.errors[0].startsWith(r.start)) << prompter.errors[0].toStdString();
    }
    EXPECT_EQ(file(u"SELECT F2 || F1 FROM REZ_TOUR WHERE PART = 101"_s).toString(), u"V3--"_s);
    ASSERT_TRUE(cell(2, 1, 2, u""_s)); // emptying a cell is allowed
    EXPECT_TRUE(file(u"SELECT F2 FROM REZ_TOUR WHERE PART = 101"_s).isNull());
}

TEST_F(PoolCommands, ManualAdditionFillsTheGroupUpToItsSize)
{
    open(distinctEntries(8));
    ASSERT_TRUE(recount(2)); // 4 and 4
    ASSERT_TRUE(selectPoolGroup(*dm, 2, nullptr));
    Table &parts = *dm->tbl_PART;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(locateSurnamePrefix(*dm, u"участник00%1"_s.arg(i + 3)));
        const bool added =
            runCommand(prompter, [&] { return addParticipantToGroup(*dm, *context, prompter); });
        EXPECT_EQ(added, i < 4) << i;
    }
    EXPECT_TRUE(prompter.errors.isEmpty());
    EXPECT_EQ(rows(), (QStringList{dealtRow(2, 1, 102), dealtRow(2, 2, 103), dealtRow(2, 3, 104),
                                   dealtRow(2, 4, 105)}));
    EXPECT_FALSE(locateSurnamePrefix(*dm, u"Я"_s));
    EXPECT_EQ(parts.text(u"SURNAME"_s), u"Участник007"_s); // the cursor stays
}

TEST_F(PoolCommands, PoolWindowNeedsGroupsAndRestoresTheParticipantOrder)
{
    open(distinctEntries(8));
    EXPECT_FALSE(runCommand(prompter, [&] { return poolGroupsDefined(*dm, *context, prompter); }));
    EXPECT_EQ(prompter.errors, QStringList{u"Группы не заданы! Задайте кол-во групп в виде!"_s});
    ASSERT_TRUE(recount(2));
    EXPECT_TRUE(runCommand(prompter, [&] { return poolGroupsDefined(*dm, *context, prompter); }));
    context->setSortOrder(2);
    const PoolSheetView view = activatePoolSheet(*dm, prompter);
    EXPECT_EQ(view.group, 1);
    EXPECT_EQ(view.kol, 4);
    EXPECT_EQ(view.lastGroup, 2);
    EXPECT_TRUE(view.firstTour);
    EXPECT_EQ(dm->tbl_PART->indexName(), u"ind_surname"_s);
    closePoolSheet(*dm, *context);
    EXPECT_EQ(dm->tbl_PART->indexName(), u"ind_classification"_s);

    ASSERT_TRUE(context->selectTourKind(7));
    EXPECT_FALSE(runCommand(prompter, [&] { return recountPools(*dm, *context, 2, prompter); }));
}
