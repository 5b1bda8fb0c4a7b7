#include "eliminationfixture.h"
#include "filevalue.h"

#include "app/tourstrip.h"

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

const QString kPlainRange =
    u"Количество участников должно лежать в диапазоне от 2 до 128! Проверьте "
    u"поле участников в туре!"_s;
const QString kRepechageRange = u"Количество участников должно лежать в диапазоне от 16 до 128! "
                                u"Проверьте поле участников в туре!"_s;

class Preparation : public EliminationFixture {
protected:
    QString circlesOf(int aspect, int kind)
    {
        QSqlQuery q = dm->store().exec(u"SELECT NUM_CIRCLE FROM TOUR_OLIMP WHERE NUM_ASPECT=? AND "
                                       u"NUM_TOUR=? ORDER BY NUM"_s,
                                       {aspect, kind});
        QStringList out;
        while (q.next())
            out << q.value(0).toString();
        return out.join(u' ');
    }
};

} // namespace

TEST_F(Preparation, CircleCountsAtTheRangeLimitsAndTheirMessages)
{
    open([](Store &s) {
        addEliminationAspect(s, 0, 7, 2);
        addEliminationAspect(s, 1, 8, 2);
    });
    struct Case {
        int aspect, kind, kol;
        QString circles, message;
    };
    const QString plainDone = u"Все готово для проведения тура прямого выбывания!"_s;
    const QString repDone = u"Все готово для проведения тура прямого выбывания с утешением!"_s;
    for (const Case &c : {Case{0, 7, 2, u"1"_s, plainDone},
                          {0, 7, 3, u"1 2"_s, plainDone},
                          {0, 7, 16, u"1 2 3 4"_s, plainDone},
                          {0, 7, 128, u"1 2 3 4 5 6 7"_s, plainDone},
                          {0, 7, 1, u"1 2 3 4 5 6 7"_s, kPlainRange},
                          {0, 7, 129, u"1 2 3 4 5 6 7"_s, kPlainRange},
                          {1, 8, 0, u""_s, kRepechageRange},
                          {1, 8, 15, u""_s, kRepechageRange},
                          {1, 8, 16, u"1 2 3 4 5 6"_s, repDone},
                          {1, 8, 17, u"1 2 3 4 5 6 7"_s, repDone},
                          {1, 8, 128, u"1 2 3 4 5 6 7 8 9"_s, repDone},
                          {1, 8, 129, u"1 2 3 4 5 6 7 8 9"_s, kRepechageRange}}) {
        context->selectAspect(c.aspect);
        dm->store().exec(u"UPDATE T_VT SET KOL=? WHERE NUM_ASPECT=?"_s, {c.kol, c.aspect});
        dm->tbl_VT->refresh();
        prompter.infos.clear();
        prompter.errors.clear();
        const bool ran = run(prepareEliminationTour);
        EXPECT_EQ(ran, c.message != kPlainRange && c.message != kRepechageRange) << c.kol;
        EXPECT_EQ(circlesOf(c.aspect, c.kind), c.circles) << "kind " << c.kind << " KOL " << c.kol;
        EXPECT_EQ((ran ? prompter.infos : prompter.errors), QStringList{c.message}) << c.kol;
        if (ran) { // the table shows the new circles, circle 1 current
            EXPECT_EQ(dm->tbl_TOUR_OLIMP->recordCount(), c.circles.count(u' ') + 1);
            EXPECT_EQ(dm->tbl_TOUR_OLIMP->intValue(u"NUM_CIRCLE"_s), 1);
        }
    }
}

TEST_F(Preparation, ALowerNumberReplacesTheCirclesOfThisTourOnly)
{
    open([](Store &s) {
        addEliminationAspect(s, 0, 7, 20);
        addEliminationAspect(s, 1, 7, 20);
        // A circle row of a tour with repechage of the same aspect, and a first-circle row.
        s.exec(u"INSERT INTO TOUR_OLIMP (NUM_ASPECT, NUM_TOUR, NUM_CIRCLE) VALUES (0, 8, 1)"_s);
        s.exec(u"INSERT INTO REZ_OLIMP (NUM_ASPECT, NUM_TOUR, NUM_CIRCLE, NUM_PAIR, NUM_START) "
               u"VALUES (0, 7, 1, 1, 1)"_s);
    });
    context->selectAspect(1);
    ASSERT_TRUE(run(prepareEliminationTour));
    context->selectAspect(0);
    ASSERT_TRUE(run(prepareEliminationTour));
    EXPECT_EQ(circlesOf(0, 7), u"1 2 3 4 5"_s);
    ASSERT_TRUE(
        runCommand(prompter, [&] { return setTourParticipants(*dm, *context, 10, prompter); }));
    ASSERT_TRUE(run(prepareEliminationTour));
    EXPECT_EQ(circlesOf(0, 7), u"1 2 3 4"_s);
    EXPECT_EQ(circlesOf(1, 7), u"1 2 3 4 5"_s);
    EXPECT_EQ(circlesOf(0, 8), u"1"_s);
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_OLIMP"_s), 1); // the table itself stays
}

TEST_F(Preparation, StartNumbersMustRunFromOneToTheNumberOfParticipants)
{
    open([](Store &s) { addEliminationAspect(s, 0, 7, 5, 4); });
    ASSERT_TRUE(run(prepareEliminationTour));
    EXPECT_TRUE(run(openEliminationTour));
    EXPECT_TRUE(prompter.errors.isEmpty());

    // 1, 2, 4, 5: the last position whose number differs is named.
    dm->store().exec(u"UPDATE T_PART SET START=START+1 WHERE NUM_ASPECT=0 AND START>=3"_s);
    dm->tbl_PART->refresh();
    EXPECT_FALSE(run(openEliminationTour));
    EXPECT_EQ(prompter.errors, QStringList{u"Проверьте порядок стартовых номеров !!! Номер: 4."_s});
    prompter.errors.clear();
    EXPECT_FALSE(onCircle(1, buildFirstCircle));
    EXPECT_EQ(prompter.errors, QStringList{u"Проверьте порядок стартовых номеров !!! Номер: 4"_s});
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_OLIMP"_s), 0);

    // Fewer participants than admitted: the missing numbers differ too.
    dm->store().exec(u"UPDATE T_PART SET START=START-1 WHERE NUM_ASPECT=0 AND START>=4"_s);
    dm->store().exec(u"UPDATE T_VT SET KOL=7 WHERE NUM_ASPECT=0"_s);
    dm->tbl_VT->refresh();
    prompter.errors.clear();
    EXPECT_FALSE(run(openEliminationTour));
    EXPECT_EQ(prompter.errors, QStringList{u"Проверьте порядок стартовых номеров !!! Номер: 7."_s});
}

TEST_F(Preparation, APoolTourIsNotAnEliminationTour)
{
    open([](Store &s) {
        s.exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (0, 'Шпага', 4)"_s);
        s.exec(u"INSERT INTO T_VT (NUM_ASPECT, NUM_TOUR, KOL) VALUES (0, 1, 8)"_s);
    });
    EXPECT_FALSE(run(prepareEliminationTour));
    EXPECT_EQ(prompter.errors, QStringList{u"Текущий тур не является туром прямого выбывания."_s});
    EXPECT_EQ(fileCount(ws.databaseFile(), u"TOUR_OLIMP"_s), 0);
}
