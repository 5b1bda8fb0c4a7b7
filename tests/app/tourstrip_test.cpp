#include "recordingprompter.h"
#include "twoaspectsfixture.h"
#include "tempworkspace.h"
#include "twoaspects.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "app/tourstrip.h"

#include <gtest/gtest.h>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

class TourStripTest : public test::TwoAspectsFixture {
protected:
    QVariant tourValue(const QString &field, int aspect, int tour) const
    {
        return test::fileValue(
            ws.databaseFile(),
            u"SELECT %1 FROM T_VT WHERE NUM_ASPECT = ? AND NUM_TOUR = ?"_s.arg(field),
            {aspect, tour});
    }
    // Every T_VT row, to show that a refused command wrote nothing.
    QString allTours() const
    {
        return test::fileValue(
                   ws.databaseFile(),
                   u"SELECT group_concat(NUM_ASPECT || '/' || NUM_TOUR || '/' || "
                   u"IFNULL(TOUR_DATE, '') || '/' || IFNULL(KOL, '') || '/' || STATE, ';') "
                   u"FROM (SELECT * FROM T_VT ORDER BY NUM_ASPECT, NUM_TOUR)"_s)
            .toString();
    }
};

} // namespace

TEST_F(TourStripTest, ParticipantsGoToTheCurrentTourOnly)
{
    context->selectAspect(1);
    ASSERT_TRUE(context->selectTourKind(2));
    EXPECT_TRUE(setTourParticipants(*dm, *context, 16, prompter));
    EXPECT_TRUE(prompter.errors.isEmpty());
    EXPECT_EQ(tourValue(u"KOL"_s, 1, 2).toInt(), 16);
    EXPECT_EQ(tourValue(u"KOL"_s, 1, 1).toInt(), 10);
    EXPECT_EQ(tourValue(u"KOL"_s, 1, 7).toInt(), 4);
    EXPECT_EQ(tourValue(u"KOL"_s, 0, 1).toInt(), 12);
    // The table shows it too and is left browsing.
    EXPECT_EQ(dm->tbl_VT->intValue(u"KOL"_s), 16);
    EXPECT_FALSE(dm->tbl_VT->isEditing());
    EXPECT_EQ(dm->store().depth(), 0);
}

TEST_F(TourStripTest, ParticipantsOutsideTheSmallintRangeAreRefused)
{
    const QString before = allTours();
    for (int kol : {-1, 32768, 100000}) {
        prompter.errors.clear();
        EXPECT_FALSE(setTourParticipants(*dm, *context, kol, prompter)) << kol;
        ASSERT_EQ(prompter.errors.size(), 1) << kol;
        EXPECT_EQ(prompter.errors.front(),
                  u"Число участников тура должно быть от 0 до 32767, а введено %1."_s.arg(kol));
    }
    EXPECT_EQ(allTours(), before);
    // Both ends of the range are accepted.
    EXPECT_TRUE(setTourParticipants(*dm, *context, 0, prompter));
    EXPECT_EQ(tourValue(u"KOL"_s, 0, 1).toInt(), 0);
    EXPECT_TRUE(setTourParticipants(*dm, *context, 32767, prompter));
    EXPECT_EQ(tourValue(u"KOL"_s, 0, 1).toInt(), 32767);
}

TEST_F(TourStripTest, DateIsStoredAndCanBeEmptied)
{
    ASSERT_TRUE(context->selectTourKind(7));
    EXPECT_TRUE(setTourDate(*dm, *context, QDate(2024, 3, 17), prompter));
    EXPECT_EQ(tourValue(u"TOUR_DATE"_s, 0, 7).toString(), u"2024-03-17"_s);
    EXPECT_EQ(tourValue(u"TOUR_DATE"_s, 0, 1).toString(), u"2024-03-15"_s);

    EXPECT_TRUE(setTourDate(*dm, *context, QDate(), prompter));
    EXPECT_TRUE(tourValue(u"TOUR_DATE"_s, 0, 7).isNull());
    EXPECT_TRUE(prompter.errors.isEmpty());
}

TEST_F(TourStripTest, HeldFlagIsStored)
{
    context->selectAspect(1);
    EXPECT_TRUE(setTourHeld(*dm, *context, false, prompter));
    EXPECT_EQ(tourValue(u"STATE"_s, 1, 1).toInt(), 0);
    EXPECT_TRUE(setTourHeld(*dm, *context, true, prompter));
    EXPECT_EQ(tourValue(u"STATE"_s, 1, 1).toInt(), 1);
}

TEST_F(TourStripTest, APendingEditOfTheTourIsPostedWithIt)
{
    // Whatever else was typed into the tour row lands in the same post.
    dm->tbl_VT->edit();
    dm->tbl_VT->setValue(u"STATE"_s, true);
    EXPECT_TRUE(setTourParticipants(*dm, *context, 11, prompter));
    EXPECT_EQ(tourValue(u"KOL"_s, 0, 1).toInt(), 11);
    EXPECT_EQ(tourValue(u"STATE"_s, 0, 1).toInt(), 1);
}

TEST_F(TourStripTest, AStoreRefusalIsShownAndUndone)
{
    // A tour name longer than its field is refused at post: the whole command is undone.
    dm->tbl_VT->edit();
    dm->tbl_VT->setValue(u"NAME_TOUR"_s, QString(36, u'x'));
    EXPECT_FALSE(
        runCommand(prompter, [&] { return setTourParticipants(*dm, *context, 5, prompter); }));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors.front().contains(u"Название тура"_s))
        << prompter.errors.front().toStdString();
    EXPECT_EQ(tourValue(u"KOL"_s, 0, 1).toInt(), 12);
    EXPECT_FALSE(dm->tbl_VT->isEditing());
    EXPECT_EQ(dm->tbl_VT->intValue(u"KOL"_s), 12);
}

TEST_F(TourStripTest, NoTourRowMeansNothingIsWritten)
{
    // The aspect's variant has tour 2, but its T_VT row was never made.
    dm->store().exec(u"DELETE FROM T_VT WHERE NUM_ASPECT = 1 AND NUM_TOUR = 2"_s);
    dm->store().refreshAll();
    context->selectAspect(1);
    ASSERT_TRUE(context->selectTourKind(2));
    const QString before = allTours();
    EXPECT_FALSE(setTourParticipants(*dm, *context, 8, prompter));
    EXPECT_FALSE(setTourDate(*dm, *context, QDate(2024, 1, 1), prompter));
    EXPECT_FALSE(setTourHeld(*dm, *context, true, prompter));
    ASSERT_EQ(prompter.errors.size(), 3);
    for (const QString &e : prompter.errors)
        EXPECT_TRUE(e.startsWith(u"Для текущего тура нет записи"_s)) << e.toStdString();
    EXPECT_EQ(allTours(), before);
}

TEST(TourStripWithoutAspects, NoCurrentTourIsAClearError)
{
    test::TempWorkspace ws;
    auto dm = ws.openDm();
    CurrentContext context(*dm);
    context.loadAspects();
    test::RecordingPrompter prompter;
    EXPECT_FALSE(setTourParticipants(*dm, context, 8, prompter));
    EXPECT_FALSE(setTourDate(*dm, context, QDate(2024, 1, 1), prompter));
    ASSERT_EQ(prompter.errors.size(), 2);
    EXPECT_EQ(prompter.errors.front(),
              u"Нет текущего тура: выберите вид соревнований и тур в списке туров."_s);
    EXPECT_EQ(test::fileValue(ws.databaseFile(), u"SELECT COUNT(*) FROM T_VT"_s).toInt(), 0);
}
