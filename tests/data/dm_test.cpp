// The data module: looked-up and calculated fields, the person rules that keep T_TRAIN in
// step, and the tour change with the current context of the main window.

#include "datatestutil.h"

#include "app/currentcontext.h"

#include <QSignalSpy>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

// Adds a person and returns its NUM.
int addPerson(TDM &dm, FieldValues values)
{
    addRow(*dm.tbl_PERSON, values);
    return dm.tbl_PERSON->postedValue(u"NUM"_s).toInt();
}

QVariant personValue(const TempWorkspace &ws, int num, const QString &field)
{
    return fileValue(ws.databaseFile(),
                     u"SELECT %1 FROM T_PERSON WHERE NUM = %2"_s.arg(field).arg(num));
}

// ---------------------------------------------------------------- lookups and calculated

TEST_F(DmTest, LookupFollowsItsKeyAndIsEmptyWithoutARow)
{
    addRow(*dm->tbl_ASPECT, {{u"NUM"_s, 0}, {u"NAME"_s, u"Шпага, мужчины"_s}, {u"VARIANT"_s, 2}});
    addRow(*dm->tbl_ASPECT,
           {{u"NUM"_s, 1}, {u"NAME"_s, u"Рапира, юниорки до 18 лет"_s}, {u"VARIANT"_s, 3}});
    Table &part = *dm->tbl_PART;
    part.setIndexName(u"ind_start"_s);
    addRow(part, {{u"START"_s, 1}, {u"NUM_ASPECT"_s, 1}});
    addRow(part, {{u"START"_s, 2}, {u"NUM_ASPECT"_s, 0}});
    addRow(part, {{u"START"_s, 3}});
    addRow(part, {{u"START"_s, 4}, {u"NUM_ASPECT"_s, 5}});
    const QStringList expected{u"Рапира, юниорки до 1"_s, u"Шпага, мужчины"_s, u""_s, u""_s};
    EXPECT_EQ(columnTexts(part, u"aspect"_s), expected);

    ASSERT_TRUE(dm->tbl_ASPECT->locate(u"NUM"_s, 1));
    dm->tbl_ASPECT->remove();
    part.refresh();
    EXPECT_EQ(columnTexts(part, u"aspect"_s),
              QStringList({u""_s, u"Шпага, мужчины"_s, u""_s, u""_s}));
}

TEST_F(DmTest, ChainedLookupsReachTheEndOfTheChainAndAreCut)
{
    // ORG_SHORT is written past its size on purpose: each lookup cuts to its own size.
    dm->store().exec(u"INSERT INTO T_ORG (NUM, ORG_SHORT) VALUES (1, 'Динамо'), "
                     u"(2, 'Локомотив-Санкт')"_s);
    dm->tbl_ORG->refresh();
    const int other =
        addPerson(*dm, {{u"SURNAME"_s, u"Другой"_s}, {u"NAME"_s, u"Олег"_s}, {u"NUM_ORG"_s, 1}});
    const int judge =
        addPerson(*dm, {{u"SURNAME"_s, u"Сидоров"_s}, {u"NAME"_s, u"Пётр"_s}, {u"NUM_ORG"_s, 2}});
    EXPECT_EQ(dm->tbl_PERSON->text(u"nameorg"_s), u"Локомотив-Санкт"_s); // 20 wide

    Table &comp = *dm->tbl_COMP;
    comp.edit();
    comp.setValue(u"JUDGE_NUM"_s, judge);
    comp.setValue(u"SECR_NUM"_s, other);
    comp.post();
    EXPECT_EQ(comp.text(u"j_org"_s), u"Локомотив-Са"_s); // 12 wide
    EXPECT_EQ(comp.text(u"j_famname"_s), u"Сидоров Пётр"_s);
    EXPECT_EQ(comp.text(u"s_famname"_s), u"Другой Олег"_s);
    EXPECT_EQ(comp.text(u"s_org"_s), u"Динамо"_s);

    comp.edit();
    comp.setValue(u"SECR_NUM"_s, QVariant());
    comp.post();
    EXPECT_EQ(comp.text(u"s_famname"_s), u""_s);
    EXPECT_EQ(comp.text(u"s_org"_s), u""_s);
}

TEST_F(DmTest, PoolJudgeIsLookedUpThroughTheJudgesTable)
{
    dm->store().exec(u"INSERT INTO T_ORG (NUM, ORG_SHORT) VALUES (4, 'ЦСКА')"_s);
    const int first = addPerson(*dm, {{u"SURNAME"_s, u"Первый"_s}, {u"NAME"_s, u"Судья"_s}});
    const int second = addPerson(*dm, {{u"SURNAME"_s, u"Кузнецова"_s}, {u"NAME"_s, u"Анна"_s}});
    ASSERT_EQ(first, 2); // person numbers start at 2: 1 means "no trainer"
    addRow(*dm->tbl_JUDGE,
           {{u"NUM_PERS"_s, second}, {u"SURNAME"_s, u"Кузнецова"_s}, {u"NUM_ORG"_s, 4}});
    const int judgeNum = dm->tbl_JUDGE->intValue(u"NUM"_s);
    ASSERT_EQ(judgeNum, 1); // the judge's number differs from its person's number

    Table &pools = *dm->tbl_TOUR_PR;
    pools.setFiltered(false); // the tour change at start filtered it
    addRow(pools,
           {{u"NUM_ASPECT"_s, 0}, {u"NUM_TOUR"_s, 2}, {u"NUM_GROUP"_s, 1}, {u"JUDGE"_s, judgeNum}});
    addRow(pools, {{u"NUM_ASPECT"_s, 0}, {u"NUM_TOUR"_s, 2}, {u"NUM_GROUP"_s, 2}});
    EXPECT_EQ(columnTexts(pools, u"famnamej"_s), QStringList({u"Кузнецова Анна"_s, u""_s}));
    EXPECT_EQ(columnTexts(pools, u"orgj"_s), QStringList({u"ЦСКА"_s, u""_s}));
    EXPECT_EQ(columnTexts(pools, u"name"_s),
              QStringList({u"2 предварительный тур"_s, u"2 предварительный тур"_s}));
}

TEST_F(DmTest, CalculatedFieldsAreComputedOnEveryRead)
{
    Table &part = *dm->tbl_PART;
    addRow(part, {{u"SURNAME"_s, u"Александровская"_s}, {u"NAME"_s, u"Елизавета"_s}});
    EXPECT_EQ(part.text(u"famname"_s), u"Александровская Елиз"_s);
    addRow(part, {{u"SURNAME"_s, u"Ли"_s}, {u"NAME"_s, u"Ян"_s}});
    EXPECT_EQ(part.text(u"famname"_s), u"Ли Ян"_s);

    addPerson(*dm, {{u"SURNAME"_s, u"Александровская"_s}, {u"NAME"_s, u"Елизавета"_s}});
    EXPECT_EQ(dm->tbl_PERSON->text(u"famname"_s), u"Александровская Елизавета"_s);

    Table &rez = *dm->tbl_REZ_TOUR;
    const QVariant none;
    const std::vector<std::pair<QVariant, QVariant>> touches{
        {5, 3}, {none, 4}, {3, none}, {none, none}, {2, 7}};
    for (const auto &[prick, pass] : touches)
        addRow(rez, {{u"PRICK"_s, prick}, {u"PRICK_PASS"_s, pass}});
    EXPECT_EQ(columnTexts(rez, u"nupu"_s), QStringList({u"2"_s, u"-4"_s, u"3"_s, u"0"_s, u"-5"_s}));
    rez.first();
    rez.edit();
    rez.setValue(u"PRICK_PASS"_s, 0);
    rez.post();
    EXPECT_EQ(rez.intValue(u"nupu"_s), 5);
}

// ---------------------------------------------------------------- person rules

class PersonRules : public DmTest {
protected:
    void SetUp() override
    {
        dm->store().exec(u"INSERT INTO T_ORG (NUM, ORG_SHORT) VALUES (1, 'Динамо'), (2, 'ЦСКА')"_s);
        dm->tbl_ORG->refresh(); // the current organization row is Динамо
        addPerson(*dm, {{u"SURNAME"_s, u"Заглушка"_s}});
    }
    int trainerRows(int person) const
    {
        return fileValue(ws.databaseFile(),
                         u"SELECT COUNT(*) FROM T_TRAIN WHERE NUM_PERS = %1"_s.arg(person))
            .toInt();
    }
};

TEST_F(PersonRules, NonTrainerWithoutReferencesStoresOneAndNoNames)
{
    const int num = addPerson(*dm, {{u"SURNAME"_s, u"Иванов"_s}, {u"SURNAME1"_s, u"Чужой"_s}});
    EXPECT_EQ(personValue(ws, num, u"NUM_TRAIN1"_s), 1);
    EXPECT_EQ(personValue(ws, num, u"NUM_TRAIN2"_s), 1);
    for (const QString &f :
         {u"SURNAME1"_s, u"NAME1"_s, u"PATRONYMIC1"_s, u"SURNAME2"_s, u"NAME2"_s, u"PATRONYMIC2"_s})
        EXPECT_TRUE(personValue(ws, num, f).isNull()) << f.toStdString();
    EXPECT_EQ(count(u"T_TRAIN"_s), 0);
}

TEST_F(PersonRules, TrainerNamesAreCopiedFromTheTrainersTable)
{
    const int trainer = addPerson(*dm, {{u"SURNAME"_s, u"Мидлер"_s},
                                        {u"NAME"_s, u"Марк"_s},
                                        {u"PATRONYMIC"_s, u"Петрович"_s},
                                        {u"TRAINER"_s, true}});
    ASSERT_EQ(trainer, 3);
    // A later change of the person is not carried into T_TRAIN, so the pupil keeps the
    // trainer's name as T_TRAIN holds it.
    ASSERT_TRUE(dm->tbl_PERSON->locate(u"NUM"_s, trainer));
    dm->tbl_PERSON->edit();
    dm->tbl_PERSON->setValue(u"NAME"_s, u"Марат"_s);
    dm->tbl_PERSON->post();

    const int pupil = addPerson(*dm, {{u"SURNAME"_s, u"Пупкин"_s},
                                      {u"NUM_TRAIN1"_s, trainer},
                                      {u"NUM_TRAIN2"_s, 999},
                                      {u"SURNAME2"_s, u"Устаревший"_s}});
    EXPECT_EQ(personValue(ws, pupil, u"NUM_TRAIN1"_s), trainer);
    EXPECT_EQ(personValue(ws, pupil, u"SURNAME1"_s), u"Мидлер"_s);
    EXPECT_EQ(personValue(ws, pupil, u"NAME1"_s), u"Марк"_s);
    EXPECT_EQ(personValue(ws, pupil, u"PATRONYMIC1"_s), u"Петрович"_s);
    EXPECT_EQ(personValue(ws, pupil, u"NUM_TRAIN2"_s), 999);
    EXPECT_TRUE(personValue(ws, pupil, u"SURNAME2"_s).isNull());
    EXPECT_TRUE(personValue(ws, pupil, u"NAME2"_s).isNull());
}

TEST_F(PersonRules, TrainerKeepsItsOwnTrainerFieldsAsTheyWere)
{
    const int num = addPerson(*dm, {{u"SURNAME"_s, u"Тренеров"_s},
                                    {u"TRAINER"_s, true},
                                    {u"NUM_TRAIN1"_s, 57},
                                    {u"SURNAME1"_s, u"Старый"_s}});
    EXPECT_EQ(personValue(ws, num, u"NUM_TRAIN1"_s), 57);
    EXPECT_EQ(personValue(ws, num, u"SURNAME1"_s), u"Старый"_s);
    EXPECT_TRUE(personValue(ws, num, u"NUM_TRAIN2"_s).isNull());
}

TEST_F(PersonRules, TrainerFlagKeepsExactlyOneTrainerRow)
{
    const int num = addPerson(*dm, {{u"SURNAME"_s, u"Мидлер"_s},
                                    {u"NAME"_s, u"Марк"_s},
                                    {u"PATRONYMIC"_s, u"Петрович"_s},
                                    {u"NUM_ORG"_s, 2}});
    EXPECT_EQ(count(u"T_TRAIN"_s), 0);
    Table &person = *dm->tbl_PERSON;
    Table &train = *dm->tbl_TRAIN;
    const auto setTrainer = [&](bool on) {
        ASSERT_TRUE(person.locate(u"NUM"_s, num));
        person.edit();
        person.setValue(u"TRAINER"_s, on);
        person.post();
    };

    setTrainer(true);
    EXPECT_EQ(count(u"T_TRAIN"_s), 1);
    ASSERT_EQ(train.recordCount(), 1);
    train.first();
    EXPECT_EQ(train.intValue(u"NUM_PERS"_s), num);
    EXPECT_EQ(train.intValue(u"NUM_ORG"_s), 2);
    EXPECT_EQ(train.text(u"ORG"_s), u"ЦСКА"_s); // by the person's organization
    EXPECT_EQ(train.text(u"SURNAME"_s), u"Мидлер"_s);
    EXPECT_EQ(train.text(u"NAME"_s), u"Марк"_s);
    EXPECT_EQ(train.text(u"PATRONYMIC"_s), u"Петрович"_s);
    EXPECT_EQ(train.text(u"famname"_s), u"Мидлер Марк"_s);
    const int firstRow = train.intValue(u"NUM"_s);

    ASSERT_TRUE(person.locate(u"NUM"_s, num));
    person.edit();
    person.setValue(u"NAME"_s, u"Максим"_s);
    person.post();
    EXPECT_EQ(trainerRows(num), 1);
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT NAME FROM T_TRAIN"_s), u"Марк"_s);

    setTrainer(false);
    EXPECT_EQ(trainerRows(num), 0);
    EXPECT_EQ(train.recordCount(), 0);

    setTrainer(true);
    EXPECT_EQ(trainerRows(num), 1);
    ASSERT_EQ(train.recordCount(), 1);
    train.first();
    EXPECT_GT(train.intValue(u"NUM"_s), firstRow);
    EXPECT_EQ(train.text(u"NAME"_s), u"Максим"_s);
}

// ---------------------------------------------------------------- tour change

// Aspect 0 runs variant 1 (tours 1, 2, 7), aspect 1 variant 3 (tour 7 only), aspect 2 a
// variant with no VARIANT rows.
class TourChange : public DmTest {
protected:
    void SetUp() override
    {
        Store &s = dm->store();
        s.exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (0, 'Шпага', 1), "
               u"(1, 'Рапира', 3), (2, 'Сабля', 13)"_s);
        s.exec(u"INSERT INTO T_VT (NUM_ASPECT, NUM_TOUR, NAME_TOUR) VALUES "
               u"(0, 1, 'тур 0-1'), (0, 2, 'тур 0-2'), (0, 7, 'тур 0-7'), (1, 7, 'тур 1-7')"_s);
        s.exec(u"INSERT INTO TOUR_PR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, KOL) VALUES "
               u"(0, 1, 2, 6), (0, 2, 1, 8), (0, 1, 1, 7), (1, 1, 1, 5)"_s);
        s.exec(u"INSERT INTO TOUR_OLIMP (NUM_ASPECT, NUM_TOUR, NUM_CIRCLE) VALUES "
               u"(0, 7, 1), (1, 7, 1), (0, 7, 2), (0, 8, 5)"_s);
        s.exec(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME) VALUES "
               u"(0, 'А'), (1, 'Б'), (0, 'В')"_s);
        for (Table *t : dm->tables())
            t->refresh();
    }
    void expectFilters(const QString &aspect, const QString &tour)
    {
        EXPECT_EQ(dm->tbl_ASPECT->filterText(), u"NUM="_s + aspect);
        EXPECT_EQ(dm->tbl_PART->filterText(), u"NUM_ASPECT="_s + aspect);
        EXPECT_EQ(dm->tbl_VT->filterText(), u"NUM_ASPECT=%1 AND NUM_TOUR=%2"_s.arg(aspect, tour));
        for (Table *t : {dm->tbl_ASPECT, dm->tbl_PART, dm->tbl_VARIANT, dm->tbl_VT})
            EXPECT_TRUE(t->isFiltered()) << t->objectName().toStdString();
    }
    QString tourName() const { return dm->tbl_VT->text(u"NAME_TOUR"_s); }
};

TEST_F(TourChange, AspectChangeSetsTheContextAndTourClicksFollow)
{
    CurrentContext ctx(*dm);
    QSignalSpy grid(dm.get(), &TDM::tourGridChanged);
    ctx.loadAspects();
    EXPECT_EQ(ctx.aspectNames(), QStringList({u"Шпага"_s, u"Рапира"_s, u"Сабля"_s}));
    EXPECT_EQ(ctx.currentAspect(), 0);
    expectFilters(u"0"_s, u"1"_s);
    EXPECT_EQ(dm->tbl_VARIANT->filterText(), u"NUM=1"_s);
    EXPECT_EQ(dm->tbl_TOUR_PR->filterText(), u"NUM_ASPECT=0 AND NUM_TOUR=1"_s);
    EXPECT_EQ(columnTexts(*dm->tbl_VARIANT, u"name"_s),
              QStringList({u"1 предварительный тур"_s, u"2 предварительный тур"_s,
                           u"Тур прямого выбывания"_s}));
    EXPECT_EQ(ctx.currentTourKind(), 1);
    EXPECT_EQ(tourName(), u"тур 0-1"_s);
    EXPECT_EQ(dm->tbl_VT->recordCount(), 1);
    EXPECT_EQ(columnTexts(*dm->tbl_TOUR_PR, u"NUM_GROUP"_s), QStringList({u"1"_s, u"2"_s}));
    EXPECT_EQ(columnTexts(*dm->tbl_PART, u"SURNAME"_s), QStringList({u"А"_s, u"В"_s}));
    EXPECT_EQ(ctx.countText(), u"Участников в виде : 2"_s);
    ASSERT_FALSE(grid.isEmpty());
    EXPECT_TRUE(grid.last().at(0).toBool());

    grid.clear();
    ctx.selectTourRow(1);
    EXPECT_EQ(dm->tbl_TOUR_PR->filterText(), u"NUM_ASPECT=0 AND NUM_TOUR=2"_s);
    EXPECT_EQ(columnTexts(*dm->tbl_TOUR_PR, u"KOL"_s), QStringList({u"8"_s}));
    EXPECT_EQ(tourName(), u"тур 0-2"_s);
    ASSERT_FALSE(grid.isEmpty());
    EXPECT_TRUE(grid.last().at(0).toBool());

    grid.clear();
    dm->tbl_VARIANT->next(); // any step over VARIANT runs the tour change
    EXPECT_EQ(ctx.currentTourKind(), 7);
    EXPECT_EQ(dm->tbl_TOUR_OLIMP->filterText(), u"NUM_ASPECT=0 AND NUM_TOUR=7"_s);
    EXPECT_EQ(columnTexts(*dm->tbl_TOUR_OLIMP, u"NUM_CIRCLE"_s), QStringList({u"1"_s, u"2"_s}));
    EXPECT_EQ(dm->tbl_VT->filterText(), u"NUM_ASPECT=0 AND NUM_TOUR=7"_s);
    EXPECT_EQ(tourName(), u"тур 0-7"_s);
    ASSERT_FALSE(grid.isEmpty());
    EXPECT_FALSE(grid.last().at(0).toBool());

    grid.clear();
    ASSERT_TRUE(ctx.selectTourKind(1));
    EXPECT_EQ(dm->tbl_TOUR_PR->filterText(), u"NUM_ASPECT=0 AND NUM_TOUR=1"_s);
    ASSERT_FALSE(grid.isEmpty());
    EXPECT_TRUE(grid.last().at(0).toBool());
    EXPECT_FALSE(ctx.selectTourKind(8)); // not a tour of variant 1
    EXPECT_EQ(ctx.currentTourKind(), 1);
}

TEST_F(TourChange, EliminationOnlyAspectAndAspectWithoutTours)
{
    CurrentContext ctx(*dm);
    QSignalSpy grid(dm.get(), &TDM::tourGridChanged);
    ctx.loadAspects();
    grid.clear();
    ctx.selectAspect(1);
    expectFilters(u"1"_s, u"7"_s);
    EXPECT_EQ(dm->tbl_VARIANT->filterText(), u"NUM=3"_s);
    EXPECT_EQ(dm->tbl_TOUR_OLIMP->filterText(), u"NUM_ASPECT=1 AND NUM_TOUR=7"_s);
    EXPECT_EQ(dm->tbl_TOUR_PR->filterText(), u"NUM_ASPECT=1 AND NUM_TOUR=7"_s);
    EXPECT_EQ(dm->tbl_TOUR_OLIMP->recordCount(), 1);
    EXPECT_EQ(dm->tbl_TOUR_PR->recordCount(), 0);
    EXPECT_EQ(tourName(), u"тур 1-7"_s);
    EXPECT_EQ(ctx.countText(), u"Участников в виде : 1"_s);
    ASSERT_FALSE(grid.isEmpty());
    EXPECT_FALSE(grid.last().at(0).toBool());

    ctx.selectAspect(2);
    EXPECT_EQ(ctx.currentAspect(), 2);
    EXPECT_EQ(dm->tbl_VARIANT->filterText(), u"NUM=13"_s);
    EXPECT_EQ(dm->tbl_VARIANT->recordCount(), 0);
    EXPECT_EQ(ctx.currentTourKind(), 0);
    EXPECT_FALSE(ctx.hasTour());
    EXPECT_EQ(dm->tbl_VT->recordCount(), 0);
    EXPECT_EQ(dm->tbl_TOUR_PR->recordCount(), 0);
    EXPECT_EQ(tourName(), u""_s);
    EXPECT_EQ(ctx.countText(), u"Участников в виде : 0"_s);

    ctx.selectAspect(3); // outside the list: nothing changes
    EXPECT_EQ(ctx.currentAspect(), 2);
    EXPECT_EQ(dm->tbl_ASPECT->filterText(), u"NUM=2"_s);
}

TEST_F(DmTest, WithoutAspectsNothingIsSelected)
{
    CurrentContext ctx(*dm);
    ctx.loadAspects();
    EXPECT_TRUE(ctx.aspectNames().isEmpty());
    EXPECT_FALSE(ctx.hasAspect());
    ctx.selectAspect(0);
    EXPECT_FALSE(ctx.hasAspect());
    EXPECT_FALSE(dm->tbl_PART->isFiltered());
    EXPECT_FALSE(dm->tbl_ASPECT->isFiltered());
    EXPECT_EQ(ctx.countText(), u"Участников в виде :"_s);
}

TEST_F(DmTest, FirstItemShowsAspectZeroOnly)
{
    // The only aspect is numbered 1: the first list item filters NUM=0 and shows nothing.
    dm->store().exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (1, 'Шпага', 2)"_s);
    dm->store().exec(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME) VALUES (1, 'А')"_s);
    dm->tbl_ASPECT->refresh();
    CurrentContext ctx(*dm);
    ctx.loadAspects();
    EXPECT_EQ(ctx.aspectNames(), QStringList({u"Шпага"_s}));
    EXPECT_EQ(dm->tbl_ASPECT->recordCount(), 0);
    EXPECT_EQ(dm->tbl_PART->recordCount(), 0);
    EXPECT_FALSE(ctx.hasTour());
}

} // namespace
