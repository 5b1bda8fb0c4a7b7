#include "clirun.h"
#include "filevalue.h"
#include "recordingprompter.h"
#include "tempworkspace.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "data/dm.h"
#include "data/store.h"
#include "pools/toursummary.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

// Pool totals of one participant: bouts, victories, touches scored, touches received.
struct Totals {
    QVariant fight, victory, prick, pass;
};

class TourSummaryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store = std::make_unique<Store>(ws.databaseFile());
        store->exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (0, 'Шпага', 1)"_s);
        store->exec(u"INSERT INTO T_VT (NUM_ASPECT, NUM_TOUR, NAME_TOUR, KOL, STATE) VALUES "
                    u"(0, 1, 'Первый', 0, 0), (0, 2, 'Второй', 8, 0), (0, 7, 'Прямое', 4, 0)"_s);
    }

    // Participant P<n> (person 100 + n) with start number n and pool totals in tour `tour`.
    void participant(int n, const Totals &t, int tour = 1, const QVariant &place = {},
                     bool dealt = true)
    {
        store->exec(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME, NAME, NUM_PERS, START, PLACE) "
                    u"VALUES (0, ?, 'X', ?, ?, ?)"_s,
                    {u"P%1"_s.arg(n), 100 + n, n, place});
        if (!dealt) return;
        store->exec(u"INSERT INTO REZ_TOUR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, NUM_START, PART, "
                    u"FIGHT, VICTORY, PRICK, PRICK_PASS) VALUES (0, ?, 1, ?, ?, ?, ?, ?, ?)"_s,
                    {tour, n, 100 + n, t.fight, t.victory, t.prick, t.pass});
    }

    // Runs the summary on the tour of that kind, declining the recalculation.
    bool summarize(int tour, QList<bool> answers = {true, false})
    {
        session = ws.openSession();
        EXPECT_TRUE(session->context().selectTourKind(tour));
        prompter.answers = answers;
        return runCommand(
            prompter, [&] { return summarizeTour(session->dm(), session->context(), prompter); });
    }
    QString column(const QString &field) const
    {
        return test::fileValue(ws.databaseFile(),
                               u"SELECT group_concat(IFNULL(%1, '-'), ',') FROM (SELECT %1 FROM "
                               u"T_PART ORDER BY START)"_s.arg(field))
            .toString();
    }
    int held(int tour) const
    {
        return test::fileValue(ws.databaseFile(), u"SELECT STATE FROM T_VT WHERE NUM_TOUR = ?"_s,
                               {tour})
            .toInt();
    }

    test::TempWorkspace ws;
    std::unique_ptr<Store> store;
    std::unique_ptr<Session> session;
    test::RecordingPrompter prompter;
};

} // namespace

TEST_F(TourSummaryTest, PlacesAreSharedOnlyWhenAllFourNumbersAreEqual)
{
    participant(1, {3, 1, 8, 12});
    participant(2, {3, 2, 12, 9});
    participant(3, {3, 3, 15, 5});
    participant(4, {3, 2, 12, 9});
    // Same ratio and index as P2, fewer touches scored.
    participant(5, {3, 2, 10, 7});
    // Same ratio, index and touches as P2, but twice the bouts: the next place, not a share.
    participant(6, {6, 4, 12, 9});
    ASSERT_TRUE(summarize(1));
    EXPECT_EQ(column(u"PLACE"_s), u"6,2,1,2,5,4"_s);
    // The totals were copied from the score rows.
    EXPECT_EQ(column(u"VICTORY"_s), u"1,2,3,2,2,4"_s);
    EXPECT_EQ(column(u"PRICK_PASS"_s), u"12,9,5,9,7,9"_s);
    EXPECT_EQ(
        prompter.confirms,
        (QStringList{u"Вы уверены, что имеются все результаты боев?"_s,
                     u"Перед подведением итогов пересчитать еще раз результаты в группах?"_s}));

    // The preview lists the tour by place; the tour is held once it has been shown.
    const Query &preview = *session->dm().qr_Temp;
    ASSERT_EQ(preview.recordCount(), 6);
    EXPECT_EQ(preview.fieldTitle(0), u"Место"_s);
    EXPECT_EQ(preview.cell(0, 1).toString(), u"P3"_s);
    EXPECT_EQ(held(1), 0);
    ASSERT_TRUE(finishTourSummary(session->dm(), session->context(), prompter));
    EXPECT_EQ(held(1), 1);
}

TEST_F(TourSummaryTest, ParticipantsWithoutBoutsComeLastAndShareTheirPlace)
{
    participant(1, {{}, {}, {}, {}});
    participant(2, {4, 1, 10, 18});
    participant(3, {0, 0, 0, 0});
    participant(4, {4, 3, 18, 9});
    ASSERT_TRUE(summarize(1));
    EXPECT_EQ(column(u"PLACE"_s), u"3,2,3,1"_s);
    EXPECT_TRUE(prompter.errors.isEmpty());
}

TEST_F(TourSummaryTest, ALaterTourTakesOnlyTheStartNumbersWithinItsSize)
{
    for (int n = 1; n <= 10; ++n)
        participant(n, {5, n % 5, 10 + n, 10}, 2, 50 + n, n <= 8);
    ASSERT_TRUE(summarize(2));
    // Start numbers 9 and 10 keep the places earlier tours gave them.
    EXPECT_EQ(column(u"PLACE"_s), u"7,5,3,1,8,6,4,2,59,60"_s);
    EXPECT_EQ(session->dm().qr_Temp->recordCount(), 8);
}

TEST_F(TourSummaryTest, AScoreRowWithoutParticipantIsReportedAndTheRestGoesOn)
{
    participant(1, {3, 2, 12, 9});
    participant(2, {3, 1, 9, 12});
    store->exec(u"INSERT INTO REZ_TOUR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, NUM_START, PART, FIGHT, "
                u"VICTORY) VALUES (0, 1, 1, 3, 999, 3, 3)"_s);
    ASSERT_TRUE(summarize(1));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].startsWith(u"Возможна ошибка!"_s));
    EXPECT_EQ(column(u"PLACE"_s), u"1,2"_s);
}

TEST_F(TourSummaryTest, DecliningOrAnEliminationTourChangesNothing)
{
    participant(1, {3, 2, 12, 9});
    participant(2, {3, 1, 9, 12});
    EXPECT_FALSE(summarize(1, {false}));
    EXPECT_EQ(prompter.confirms.size(), 1);
    EXPECT_FALSE(summarize(7, {true}));
    EXPECT_EQ(prompter.infos,
              QStringList{u"Результаты подводятся в форме проведения тура прямого выбывания!"_s});
    EXPECT_EQ(column(u"PLACE"_s), u"-,-"_s);
    EXPECT_EQ(column(u"FIGHT"_s), u"-,-"_s);
    EXPECT_EQ(held(1) + held(7), 0);
}

// vintrel-cli summary: the preview rows on stdout, the tour held afterwards; --no-recalc answers
// the recalculation question No.
TEST_F(TourSummaryTest, TheVerbPrintsThePreviewAndHoldsTheTour)
{
    participant(1, {3, 1, 9, 12});
    participant(2, {3, 2, 12, 9});
    store.reset();
    const test::CliRun r =
        test::cli({u"--root"_s, ws.root(), u"--yes"_s, u"summary"_s, u"--no-recalc"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.lines();
    ASSERT_EQ(lines.size(), 5) << r.out.toStdString();
    EXPECT_EQ(lines[0], u"confirm: Вы уверены, что имеются все результаты боев? -> yes"_s);
    EXPECT_EQ(lines[1], u"confirm: Перед подведением итогов пересчитать еще раз результаты в "
                        u"группах? -> no"_s);
    EXPECT_TRUE(lines[2].startsWith(u"Место\tФамилия\tИмя\t"_s)) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith(u"1\tP2\tX\t"_s)) << lines[3].toStdString();
    EXPECT_TRUE(lines[4].startsWith(u"2\tP1\tX\t"_s)) << lines[4].toStdString();
    EXPECT_EQ(held(1), 1);
    EXPECT_EQ(test::cli({u"--root"_s, ws.root(), u"summary"_s, u"--bogus"_s}).status, 2);
}
