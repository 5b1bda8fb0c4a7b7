#include "clirun.h"
#include "datatestutil.h"
#include "recordingprompter.h"

#include "app/currentcontext.h"
#include "data/dm.h"
#include "registry/competition.h"

#include <QDate>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class CompetitionTest : public DmTest {
protected:
    CurrentContext context{*dm};
    RecordingPrompter prompter;

    void SetUp() override
    {
        dm->store().exec(u"UPDATE T_COMP SET NAME = ?, DATA1 = ?"_s,
                         {u"Кубок города"_s, u"2025-05-17"_s});
        dm->tbl_COMP->refresh();
    }

    void addAspect(int num, const QString &name, int variant)
    {
        addRow(*dm->tbl_ASPECT, {{u"NUM"_s, num}, {u"NAME"_s, name}, {u"VARIANT"_s, variant}});
    }

    // "aspect/tour name date KOL STATE" per T_VT row in the file, in key order.
    QStringList tourRows() const
    {
        Store store(ws.databaseFile());
        QSqlQuery q = store.exec(u"SELECT NUM_ASPECT, NUM_TOUR, NAME_TOUR, TOUR_DATE, KOL, STATE "
                                 u"FROM T_VT ORDER BY NUM_ASPECT, NUM_TOUR"_s);
        QStringList rows;
        while (q.next())
            rows << u"%1/%2 %3 %4 %5 %6"_s.arg(q.value(0).toString(), q.value(1).toString(),
                                               q.value(2).toString(), q.value(3).toString(),
                                               q.value(4).toString(), q.value(5).toString());
        return rows;
    }
};

TEST_F(CompetitionTest, ClosingGivesEveryTourOfTheVariantOneRowAndClosingAgainAddsNothing)
{
    addAspect(0, u"Шпага, мужчины"_s, 1);
    closeCompetition(*dm, context, prompter);
    const QStringList expected{
        u"0/1 1 предварительный тур 2025-05-17 0 0"_s,
        u"0/2 2 предварительный тур 2025-05-17 0 0"_s,
        u"0/7 Тур прямого выбывания 2025-05-17 0 0"_s,
    };
    EXPECT_EQ(tourRows(), expected);

    closeCompetition(*dm, context, prompter);
    EXPECT_EQ(tourRows(), expected);
    EXPECT_EQ(generateTourRows(*dm), 0);
}

TEST_F(CompetitionTest, ChangedVariantOnlyAddsAndKeepsWhatTheRowsHold)
{
    addAspect(0, u"Шпага, мужчины"_s, 2);
    closeCompetition(*dm, context, prompter);
    // The secretary has used tour 1 meanwhile.
    dm->store().exec(u"UPDATE T_VT SET KOL = 24, STATE = 1, TOUR_DATE = '2025-05-18' "
                     u"WHERE NUM_TOUR = 1"_s);
    dm->store().refreshAll();

    dm->tbl_ASPECT->setFiltered(false);
    dm->tbl_ASPECT->first();
    dm->tbl_ASPECT->edit();
    dm->tbl_ASPECT->setValue(u"VARIANT"_s, 3);
    closeCompetition(*dm, context, prompter); // posts the edit, then generates
    EXPECT_EQ(tourRows(), QStringList({u"0/1 1 предварительный тур 2025-05-18 24 1"_s,
                                       u"0/7 Тур прямого выбывания 2025-05-17 0 0"_s}));

    // Variant 1 adds only tour 2 beside the two rows that are there.
    dm->tbl_ASPECT->setFiltered(false);
    dm->tbl_ASPECT->edit();
    dm->tbl_ASPECT->setValue(u"VARIANT"_s, 1);
    EXPECT_EQ(tourRows().size(), 2);
    closeCompetition(*dm, context, prompter);
    EXPECT_EQ(tourRows(), QStringList({u"0/1 1 предварительный тур 2025-05-18 24 1"_s,
                                       u"0/2 2 предварительный тур 2025-05-17 0 0"_s,
                                       u"0/7 Тур прямого выбывания 2025-05-17 0 0"_s}));
}

TEST_F(CompetitionTest, EmptyStartDateLeavesTheTourDateEmpty)
{
    dm->store().exec(u"UPDATE T_COMP SET DATA1 = NULL"_s);
    dm->tbl_COMP->refresh();
    addAspect(0, u"Рапира"_s, 3);
    closeCompetition(*dm, context, prompter);
    EXPECT_EQ(tourRows(), QStringList({u"0/7 Тур прямого выбывания  0 0"_s}));
}

TEST_F(CompetitionTest, EveryAspectGetsItsToursAndAVariantWithoutRowsGetsNone)
{
    addAspect(0, u"Шпага"_s, 3);
    addAspect(1, u"Рапира"_s, 10);
    // A database written before variants were checked: no VARIANT rows for 99.
    dm->store().exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (2, 'Сабля', 99)"_s);
    dm->tbl_ASPECT->refresh();
    closeCompetition(*dm, context, prompter);
    QStringList kinds;
    for (const QString &row : tourRows())
        kinds << row.section(u' ', 0, 0);
    EXPECT_EQ(kinds, QStringList({u"0/7"_s, u"1/1"_s, u"1/8"_s}));
}

TEST_F(CompetitionTest, AfterClosingAspectZeroIsCurrentWithItsFullContext)
{
    addAspect(0, u"Шпага, мужчины"_s, 2);
    addAspect(1, u"Рапира, женщины"_s, 1);
    context.loadAspects();
    context.selectAspect(1);
    dm->tbl_ASPECT->setFiltered(false); // as the window shows every aspect

    closeCompetition(*dm, context, prompter);
    EXPECT_EQ(context.currentAspect(), 0);
    EXPECT_EQ(context.aspectNames(), QStringList({u"Шпага, мужчины"_s, u"Рапира, женщины"_s}));
    EXPECT_EQ(dm->tbl_ASPECT->filterText(), u"NUM=0"_s);
    EXPECT_TRUE(dm->tbl_ASPECT->isFiltered());
    EXPECT_EQ(dm->tbl_ASPECT->recordCount(), 1);
    EXPECT_EQ(dm->tbl_VARIANT->filterText(), u"NUM=2"_s);
    EXPECT_EQ(dm->tbl_VT->filterText(), u"NUM_ASPECT=0 AND NUM_TOUR=1"_s);
    EXPECT_TRUE(dm->tbl_VT->isFiltered());
    ASSERT_EQ(dm->tbl_VT->recordCount(), 1);
    EXPECT_EQ(dm->tbl_VT->text(u"NAME_TOUR"_s), u"1 предварительный тур"_s);
}

TEST_F(CompetitionTest, FailingGenerationWritesNoRowAndRestoresTheFilters)
{
    addAspect(0, u"Шпага"_s, 1);
    context.loadAspects();
    const QString vtFilter = dm->tbl_VT->filterText();
    dm->store().exec(u"CREATE TRIGGER no_final BEFORE INSERT ON T_VT WHEN NEW.NUM_TOUR = 7 "
                     u"BEGIN SELECT RAISE(ABORT, 'диск переполнен'); END"_s);
    EXPECT_THROW(generateTourRows(*dm), StoreError);
    EXPECT_EQ(count(u"T_VT"_s), 0); // tours 1 and 2 went back with the failed tour 7
    EXPECT_EQ(dm->store().depth(), 0);
    EXPECT_EQ(dm->tbl_VT->filterText(), vtFilter);
    EXPECT_TRUE(dm->tbl_VT->isFiltered());
    EXPECT_EQ(dm->tbl_VT->state(), Table::State::Browse);
}

TEST_F(CompetitionTest, RefreshRelistsRenamedAspectsWithoutSelectingOne)
{
    addAspect(0, u"Шпага"_s, 2);
    context.loadAspects();
    showAllAspects(*dm);
    dm->tbl_ASPECT->edit();
    dm->tbl_ASPECT->setValue(u"NAME"_s, u"Шпага, юниоры"_s);
    refreshAspects(*dm, context);
    EXPECT_EQ(context.aspectNames(), QStringList({u"Шпага, юниоры"_s}));
    EXPECT_FALSE(context.hasAspect());
    EXPECT_EQ(dm->tbl_ASPECT->state(), Table::State::Browse);
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT NAME FROM T_ASPECT"_s), u"Шпага, юниоры"_s);
}

TEST_F(CompetitionTest, OfficialChoicesAreEveryPersonBySurname)
{
    addRow(*dm->tbl_PERSON, {{u"SURNAME"_s, u"Орлов"_s}});
    addRow(*dm->tbl_PERSON, {{u"SURNAME"_s, u"Белов"_s}});
    const auto choices = officialChoices(*dm);
    ASSERT_EQ(choices.size(), 2);
    EXPECT_EQ(choices[0].first, u"Белов"_s);
    EXPECT_EQ(choices[1].first, u"Орлов"_s);
    EXPECT_EQ(choices[0].second.toInt(), 3); // Орлов is 2: person numbers start at 2
}

// ---------------------------------------------------------------- aspect numbering

class AspectNumbering : public CompetitionTest {
protected:
    // Tries a new aspect; returns the store's refusal, empty when it was stored.
    QString tryAspect(const QVariant &num, const QVariant &variant)
    {
        Table &aspects = *dm->tbl_ASPECT;
        aspects.append();
        aspects.setValue(u"NUM"_s, num);
        aspects.setValue(u"NAME"_s, u"Новый вид"_s);
        aspects.setValue(u"VARIANT"_s, variant);
        try {
            aspects.post();
            return {};
        } catch (const StoreError &e) {
            EXPECT_EQ(aspects.state(), Table::State::Insert); // what was typed stays
            EXPECT_EQ(aspects.value(u"NAME"_s).toString(), u"Новый вид"_s);
            aspects.cancel();
            return e.message();
        }
    }
};

TEST_F(AspectNumbering, NumbersRunFromZeroWithoutGapsOrRepeats)
{
    EXPECT_EQ(tryAspect(1, 2), u"Номер вида 1 недопустим: виды нумеруются подряд с нуля, без "
                               u"пропусков — этому виду подходит номер 0."_s);
    EXPECT_EQ(tryAspect(-1, 2), u"Номер вида -1 недопустим: виды нумеруются подряд с нуля, без "
                                u"пропусков — этому виду подходит номер 0."_s);
    EXPECT_EQ(tryAspect(0, 2), QString());
    EXPECT_EQ(tryAspect(0, 3), u"Вид с номером 0 уже есть. Виды нумеруются подряд: 0, 1, 2, … "
                               u"— этому виду подходит номер 1."_s);
    EXPECT_EQ(tryAspect(2, 3).left(15), u"Номер вида 2 не"_s);
    EXPECT_EQ(tryAspect(1, 3), QString());
    EXPECT_EQ(count(u"T_ASPECT"_s), 2);

    // Renumbering an aspect into a gap is refused too; keeping its own number is fine.
    Table &aspects = *dm->tbl_ASPECT;
    ASSERT_TRUE(aspects.locate(u"NUM"_s, 0));
    aspects.edit();
    aspects.setValue(u"NUM"_s, 5);
    EXPECT_THROW(aspects.post(), StoreError);
    EXPECT_EQ(aspects.state(), Table::State::Edit);
    aspects.setValue(u"NUM"_s, 0);
    aspects.setValue(u"NAME"_s, u"Сабля"_s);
    EXPECT_NO_THROW(aspects.post());
}

TEST_F(AspectNumbering, AVariantMustBeOneOfTheVariants)
{
    EXPECT_EQ(tryAspect(0, 13),
              u"Варианта 13 нет в списке вариантов проведения: укажите номер от 1 до 12."_s);
    EXPECT_EQ(tryAspect(0, QVariant()),
              u"Укажите вариант проведения вида (номер от 1 до 12 из списка вариантов)."_s);
    EXPECT_EQ(tryAspect(0, 12), QString());
    EXPECT_EQ(count(u"T_ASPECT"_s), 1);
}

TEST_F(AspectNumbering, ABrokenNumberingCanBeMendedAndOnlyTheLastAspectDeleted)
{
    // The only aspect is numbered 1: a new aspect may take the free 0.
    dm->store().exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (1, 'Шпага', 2)"_s);
    dm->tbl_ASPECT->refresh();
    EXPECT_EQ(tryAspect(0, 2), QString());
    EXPECT_EQ(tryAspect(2, 2), QString());

    Table &aspects = *dm->tbl_ASPECT;
    ASSERT_TRUE(aspects.locate(u"NUM"_s, 1));
    try {
        aspects.remove();
        ADD_FAILURE() << "a middle aspect was deleted";
    } catch (const StoreError &e) {
        EXPECT_EQ(e.message(), u"Удалить можно только вид с наибольшим номером (2): иначе в "
                               u"нумерации видов 0, 1, 2, … появится пропуск."_s);
    }
    EXPECT_EQ(count(u"T_ASPECT"_s), 3);
    ASSERT_TRUE(aspects.locate(u"NUM"_s, 2));
    aspects.remove();
    EXPECT_EQ(count(u"T_ASPECT"_s), 2);
}

// ---------------------------------------------------------------- command line

TEST(CompetitionCli, CloseCompGeneratesTheToursOfEveryAspect)
{
    TempWorkspace ws;
    {
        Store store(ws.databaseFile());
        store.exec(u"UPDATE T_COMP SET DATA1 = '2025-06-01'"_s);
        store.exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (0, 'Шпага', 2), "
                   u"(1, 'Рапира', 9)"_s);
    }
    const CliRun run = cli({u"--root"_s, ws.root(), u"close-comp"_s});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(fileValue(ws.databaseFile(),
                        u"SELECT GROUP_CONCAT(NUM_ASPECT || '/' || NUM_TOUR, ' ') FROM "
                        u"(SELECT * FROM T_VT ORDER BY NUM_ASPECT, NUM_TOUR)"_s),
              u"0/1 0/7 1/1 1/2 1/8"_s);

    const CliRun list = cli({u"--root"_s, ws.root(), u"--aspect"_s, u"1"_s, u"--tour"_s, u"8"_s,
                             u"list"_s, u"tbl_VT"_s});
    ASSERT_EQ(list.lines().size(), 2);
    EXPECT_EQ(list.lines()[1], u"1\t8\tТур прямого выбывания с утешением\t2025-06-01\t0\t0"_s);

    EXPECT_EQ(cli({u"--root"_s, ws.root(), u"close-comp"_s, u"extra"_s}).status, 2);
}

} // namespace
