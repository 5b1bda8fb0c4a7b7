#include "recordingprompter.h"
#include "twoaspectsfixture.h"
#include "tempworkspace.h"
#include "twoaspects.h"

#include "app/classificationcommands.h"
#include "app/command.h"
#include "app/currentcontext.h"

#include <QRandomGenerator>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <numeric>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

// A value of a column for every participant of an aspect, in the order of their rows, empty
// values as "-": "3,1,-,2".
QString columnOf(const QString &databaseFile, const QString &field, int aspect)
{
    return test::fileValue(
               databaseFile,
               u"SELECT group_concat(IFNULL(%1, '-'), ',') FROM "
               u"(SELECT %1 FROM T_PART WHERE NUM_ASPECT = ? ORDER BY NUM)"_s.arg(field),
               {aspect})
        .toString();
}

QList<int> sortedNumbers(const QString &column)
{
    QList<int> numbers;
    for (const QString &n : column.split(u',', Qt::SkipEmptyParts))
        numbers << (n == u"-"_s ? -1 : n.toInt());
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

class ClassificationTest : public test::TwoAspectsFixture {
protected:
    void SetUp() override
    {
        TwoAspectsFixture::SetUp();
        context->setSortOrder(0);
    }

    QString column(const QString &field, int aspect) const
    {
        return columnOf(ws.databaseFile(), field, aspect);
    }
    QVariant fileValue(const QString &sql, const QVariantList &values = {}) const
    {
        return test::fileValue(ws.databaseFile(), sql, values);
    }
    // Everything of T_PART and T_VT, to show that a command wrote nothing.
    QString everything() const
    {
        return fileValue(u"SELECT group_concat(r, ';') FROM (SELECT NUM || '/' || NUM_ASPECT || "
                         u"'/' || SURNAME || '/' || IFNULL(FIGHT, '') || '/' || "
                         u"IFNULL(VICTORY, '') || '/' || IFNULL(PRICK, '') || '/' || "
                         u"IFNULL(PRICK_PASS, '') || '/' || IFNULL(CLASSIFICATION, '') || '/' || "
                         u"IFNULL(PLACE, '') || '/' || IFNULL(START, '') AS r FROM T_PART "
                         u"UNION ALL SELECT NUM_ASPECT || '/' || NUM_TOUR || '/' || STATE FROM "
                         u"T_VT ORDER BY 1)"_s)
            .toString();
    }
    QVariant tourState(int aspect, int tour) const
    {
        return fileValue(u"SELECT STATE FROM T_VT WHERE NUM_ASPECT = ? AND NUM_TOUR = ?"_s,
                         {aspect, tour});
    }

    // Replaces the participants of aspect 0 by ones with these classifications (an invalid
    // QVariant: none) and makes aspect 0 current again.
    void participantsOfAspect0(const QVariantList &classifications)
    {
        dm->store().exec(u"DELETE FROM T_PART WHERE NUM_ASPECT = 0"_s);
        for (int i = 0; i < classifications.size(); ++i)
            dm->store().exec(
                u"INSERT INTO T_PART (NUM_ASPECT, SURNAME, NAME, NUM_PERS, "
                u"CLASSIFICATION) VALUES (0, ?, ?, ?, ?)"_s,
                {u"Участник %1"_s.arg(QChar(u'А' + i)), u"Имя"_s, 100 + i, classifications[i]});
        dm->store().refreshAll();
        context->selectAspect(0);
    }
};

// Classifications drawn for the same participants many times: counts[participant][number-1].
using Counts = std::vector<std::vector<int>>;

double chiSquare(const Counts &counts, double expected)
{
    double sum = 0;
    for (const auto &row : counts)
        for (int observed : row)
            sum += (observed - expected) * (observed - expected) / expected;
    return sum;
}

} // namespace

TEST_F(ClassificationTest, DrawOfFiveGivesOneToFiveEachOnce)
{
    context->selectAspect(1);
    QRandomGenerator random(515u);
    const QString otherAspect = column(u"CLASSIFICATION"_s, 0);
    EXPECT_TRUE(drawClassification(*dm, *context, prompter, random));
    EXPECT_TRUE(prompter.errors.isEmpty());
    EXPECT_TRUE(prompter.confirms.isEmpty()); // no question before a draw
    EXPECT_EQ(sortedNumbers(column(u"CLASSIFICATION"_s, 1)), (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(column(u"CLASSIFICATION"_s, 0), otherAspect);
    // The table shows the file, is left browsing, and the command is closed.
    QList<int> shown;
    for (int r = 0; r < dm->tbl_PART->recordCount(); ++r)
        shown << dm->tbl_PART->cell(r, dm->tbl_PART->fieldIndex(u"CLASSIFICATION"_s)).toInt();
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_FALSE(dm->tbl_PART->isEditing());
    EXPECT_EQ(dm->store().depth(), 0);
}

TEST_F(ClassificationTest, DrawnOrderIsAPermutation)
{
    QRandomGenerator random(7u);
    for (int n : {0, 1, 2, 9, 300}) {
        QList<int> order = drawnOrder(n, random);
        ASSERT_EQ(order.size(), n);
        std::sort(order.begin(), order.end());
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(order[i], i);
    }
}

// 12,000 draws of four: every position takes every item about 3,000 times, and each of the 24
// orders comes about 500 times. The bounds are the chi-square values that a fair draw exceeds
// once in a thousand (9 and 23 degrees of freedom). A shuffle that swaps each position with any
// position, or one that keeps the first items in front, is far outside them.
TEST(DrawnOrder, EveryOrderIsEquallyLikely)
{
    constexpr int kDraws = 12000;
    for (quint32 state : {1u, 2024u, 987654321u}) {
        QRandomGenerator random(state);
        Counts positions(4, std::vector<int>(4, 0));
        std::map<QList<int>, int> orders;
        for (int d = 0; d < kDraws; ++d) {
            const QList<int> order = drawnOrder(4, random);
            for (int k = 0; k < 4; ++k)
                ++positions[order[k]][k];
            ++orders[order];
        }
        EXPECT_LT(chiSquare(positions, kDraws / 4.0), 27.88) << "generator state " << state;
        ASSERT_EQ(orders.size(), 24u) << "generator state " << state;
        Counts perOrder(1);
        for (const auto &[order, count] : orders)
            perOrder[0].push_back(count);
        EXPECT_LT(chiSquare(perOrder, kDraws / 24.0), 49.73) << "generator state " << state;
    }
}

// The command itself, drawn again and again for the four men of aspect 0: each of them gets
// each number about equally often (a draw that follows the walk order would not).
TEST_F(ClassificationTest, EachParticipantGetsEachNumberAboutEquallyOften)
{
    constexpr int kDraws = 400;
    QRandomGenerator random(31u);
    Counts counts(4, std::vector<int>(4, 0));
    for (int d = 0; d < kDraws; ++d) {
        ASSERT_TRUE(drawClassification(*dm, *context, prompter, random));
        const QStringList numbers = column(u"CLASSIFICATION"_s, 0).split(u',');
        ASSERT_EQ(numbers.size(), 4);
        for (int p = 0; p < 4; ++p)
            ++counts[p][numbers[p].toInt() - 1];
    }
    EXPECT_LT(chiSquare(counts, kDraws / 4.0), 27.88);
}

TEST_F(ClassificationTest, TheUnclassifiedFollowTheClassified)
{
    // 3 of 8 classified 1, 2, 3: the five others get 4 to 8, each once, in a random order.
    const QVariant none;
    participantsOfAspect0({none, 2, none, none, 1, none, 3, none});
    QRandomGenerator random(88u);
    QSet<QString> arrangements;
    for (int d = 0; d < 50; ++d) {
        ASSERT_TRUE(drawMissingClassification(*dm, *context, prompter, random));
        const QStringList numbers = column(u"CLASSIFICATION"_s, 0).split(u',');
        ASSERT_EQ(numbers.size(), 8);
        EXPECT_EQ(numbers[1], u"2"_s);
        EXPECT_EQ(numbers[4], u"1"_s);
        EXPECT_EQ(numbers[6], u"3"_s);
        QStringList drawn{numbers[0], numbers[2], numbers[3], numbers[5], numbers[7]};
        arrangements << drawn.join(u',');
        std::sort(drawn.begin(), drawn.end());
        EXPECT_EQ(drawn, (QStringList{u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s}));
        // Back to unclassified for the next draw.
        dm->store().exec(u"UPDATE T_PART SET CLASSIFICATION = NULL WHERE NUM_ASPECT = 0 AND "
                         u"CLASSIFICATION > 3"_s);
        dm->store().refreshAll();
    }
    // 120 arrangements are possible; fifty draws give many different ones.
    EXPECT_GT(arrangements.size(), 20);
    EXPECT_TRUE(prompter.errors.isEmpty());
}

TEST_F(ClassificationTest, TheUnclassifiedCountOnlyTheClassified)
{
    // Classified 1, 5, 7 and two without: c = 3, so the two get 4 and 5 (5 is then held twice).
    const QVariant none;
    participantsOfAspect0({1, none, 5, 7, none});
    QRandomGenerator random(3u);
    ASSERT_TRUE(drawMissingClassification(*dm, *context, prompter, random));
    const QStringList numbers = column(u"CLASSIFICATION"_s, 0).split(u',');
    EXPECT_EQ(numbers[0], u"1"_s);
    EXPECT_EQ(numbers[2], u"5"_s);
    EXPECT_EQ(numbers[3], u"7"_s);
    QStringList drawn{numbers[1], numbers[4]};
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, (QStringList{u"4"_s, u"5"_s}));
}

TEST_F(ClassificationTest, AClassificationOfZeroCountsAsPresent)
{
    const QVariant none;
    participantsOfAspect0({0, none, 1, none});
    QRandomGenerator random(12u);
    ASSERT_TRUE(drawMissingClassification(*dm, *context, prompter, random));
    const QStringList numbers = column(u"CLASSIFICATION"_s, 0).split(u',');
    EXPECT_EQ(numbers[0], u"0"_s);
    EXPECT_EQ(numbers[2], u"1"_s);
    QStringList drawn{numbers[1], numbers[3]};
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, (QStringList{u"3"_s, u"4"_s}));
}

TEST_F(ClassificationTest, AllClassifiedLeavesEverythingAsItIs)
{
    const QString before = everything();
    QRandomGenerator random(5u);
    EXPECT_TRUE(drawMissingClassification(*dm, *context, prompter, random));
    EXPECT_EQ(everything(), before);
}

TEST_F(ClassificationTest, RowsAreFoundByTheirOwnKeyNotThePersonNumber)
{
    // Participants typed in without a person number (or with the same one twice) still get a
    // number each.
    dm->store().exec(u"UPDATE T_PART SET NUM_PERS = NULL WHERE NUM_ASPECT = 1"_s);
    dm->store().exec(u"UPDATE T_PART SET NUM_PERS = 7 WHERE NUM_ASPECT = 0"_s);
    dm->store().refreshAll();
    QRandomGenerator random(99u);
    ASSERT_TRUE(drawClassification(*dm, *context, prompter, random));
    EXPECT_EQ(sortedNumbers(column(u"CLASSIFICATION"_s, 0)), (QList<int>{1, 2, 3, 4}));
    context->selectAspect(1);
    ASSERT_TRUE(drawClassification(*dm, *context, prompter, random));
    EXPECT_EQ(sortedNumbers(column(u"CLASSIFICATION"_s, 1)), (QList<int>{1, 2, 3, 4, 5}));
}

TEST_F(ClassificationTest, MoreThan256ParticipantsAreDrawnToo)
{
    QVariantList none;
    for (int i = 0; i < 300; ++i)
        none << QVariant();
    participantsOfAspect0(none);
    QRandomGenerator random(300u);
    ASSERT_TRUE(drawMissingClassification(*dm, *context, prompter, random));
    QList<int> expected;
    for (int i = 1; i <= 300; ++i)
        expected << i;
    EXPECT_EQ(sortedNumbers(column(u"CLASSIFICATION"_s, 0)), expected);
    ASSERT_TRUE(drawClassification(*dm, *context, prompter, random));
    EXPECT_EQ(sortedNumbers(column(u"CLASSIFICATION"_s, 0)), expected);
}

TEST_F(ClassificationTest, ClassificationIsCopiedIntoStartNumbers)
{
    context->selectAspect(1);
    const QString otherAspect = column(u"START"_s, 0);
    EXPECT_TRUE(copyClassificationToStart(*dm, *context, prompter));
    EXPECT_EQ(
        prompter.confirms,
        QStringList{u"Скопировать классификацию в поле стартового номера на следующий тур?"_s});
    EXPECT_EQ(column(u"START"_s, 1), u"3,1,5,2,4"_s);
    EXPECT_EQ(column(u"START"_s, 0), otherAspect);
    EXPECT_EQ(dm->tbl_PART->intValue(u"START"_s), dm->tbl_PART->intValue(u"CLASSIFICATION"_s));
}

TEST_F(ClassificationTest, PlaceIsCopiedIntoStartNumbersEmptyAsEmpty)
{
    dm->store().exec(u"UPDATE T_PART SET PLACE = NULL WHERE NUM_ASPECT = 1 AND SURNAME = ?"_s,
                     {u"Васильева"_s});
    dm->store().refreshAll();
    context->selectAspect(1);
    EXPECT_TRUE(copyPlaceToStart(*dm, *context, prompter));
    EXPECT_EQ(prompter.confirms,
              QStringList{u"Скопировать место в поле стартового номера на следующий тур?"_s});
    EXPECT_EQ(column(u"START"_s, 1), u"4,2,-,5,3"_s);
    EXPECT_EQ(column(u"START"_s, 0), u"3,1,4,2"_s);
}

TEST_F(ClassificationTest, ZeroingClearsResultsAndTheCurrentTourOnly)
{
    dm->store().exec(u"UPDATE T_PART SET FIGHT = 4, VICTORY = 2, PRICK = 15, PRICK_PASS = 11"_s);
    dm->store().exec(u"UPDATE T_VT SET STATE = 1"_s);
    dm->store().refreshAll();
    context->selectAspect(1);
    ASSERT_TRUE(context->selectTourKind(2));
    const QString classification = column(u"CLASSIFICATION"_s, 1);
    const QString start = column(u"START"_s, 1);

    EXPECT_TRUE(zeroResults(*dm, *context, prompter));
    EXPECT_EQ(
        prompter.confirms,
        QStringList{u"Вы действительно хотите обнулить результаты соревнований текущего вида?"_s});
    for (const QString &field : {u"FIGHT"_s, u"VICTORY"_s, u"PRICK"_s, u"PRICK_PASS"_s, u"PLACE"_s})
        EXPECT_EQ(column(field, 1), u"0,0,0,0,0"_s) << field.toStdString();
    EXPECT_EQ(column(u"CLASSIFICATION"_s, 1), classification);
    EXPECT_EQ(column(u"START"_s, 1), start);
    // Only the current tour is no longer held.
    EXPECT_EQ(tourState(1, 2).toInt(), 0);
    EXPECT_EQ(tourState(1, 1).toInt(), 1);
    EXPECT_EQ(tourState(1, 7).toInt(), 1);
    EXPECT_EQ(tourState(0, 1).toInt(), 1);
    // The other aspect keeps its results.
    EXPECT_EQ(column(u"FIGHT"_s, 0), u"4,4,4,4"_s);
    EXPECT_EQ(column(u"PLACE"_s, 0), u"1,3,2,4"_s);
    // What is shown follows.
    EXPECT_FALSE(dm->tbl_VT->value(u"STATE"_s).toBool());
    EXPECT_EQ(dm->tbl_PART->intValue(u"FIGHT"_s), 0);
    EXPECT_FALSE(dm->tbl_VT->isEditing());
}

TEST_F(ClassificationTest, ZeroingWithoutATourRowChangesTheParticipantsOnly)
{
    dm->store().exec(u"UPDATE T_VT SET STATE = 1"_s);
    dm->store().exec(u"DELETE FROM T_VT WHERE NUM_ASPECT = 1 AND NUM_TOUR = 2"_s);
    dm->store().refreshAll();
    context->selectAspect(1);
    ASSERT_TRUE(context->selectTourKind(2));
    ASSERT_TRUE(dm->tbl_VT->isEmpty());
    EXPECT_TRUE(zeroResults(*dm, *context, prompter));
    EXPECT_TRUE(prompter.errors.isEmpty());
    EXPECT_EQ(column(u"PLACE"_s, 1), u"0,0,0,0,0"_s);
    EXPECT_EQ(fileValue(u"SELECT SUM(STATE) FROM T_VT"_s).toInt(), 4);
}

TEST_F(ClassificationTest, NoChangesNothing)
{
    context->selectAspect(1);
    prompter.defaultAnswer = false;
    const QString before = everything();
    EXPECT_FALSE(copyClassificationToStart(*dm, *context, prompter));
    EXPECT_FALSE(copyPlaceToStart(*dm, *context, prompter));
    EXPECT_FALSE(zeroResults(*dm, *context, prompter));
    EXPECT_EQ(prompter.confirms.size(), 3);
    EXPECT_TRUE(prompter.errors.isEmpty());
    EXPECT_EQ(everything(), before);
}

TEST_F(ClassificationTest, AnAspectWithoutParticipants)
{
    dm->store().exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (2, ?, 2)"_s,
                     {u"Сабля, юниоры"_s});
    dm->store().exec(
        u"INSERT INTO T_VT (NUM_ASPECT, NUM_TOUR, NAME_TOUR, STATE) VALUES (2, 1, ?, 1)"_s,
        {u"1 предварительный тур"_s});
    dm->store().refreshAll();
    context->loadAspects();
    context->selectAspect(2);
    ASSERT_TRUE(dm->tbl_PART->isEmpty());
    const QString before = everything();
    QRandomGenerator random(1u);
    EXPECT_TRUE(drawClassification(*dm, *context, prompter, random));
    EXPECT_TRUE(drawMissingClassification(*dm, *context, prompter, random));
    EXPECT_TRUE(copyClassificationToStart(*dm, *context, prompter));
    EXPECT_TRUE(copyPlaceToStart(*dm, *context, prompter));
    EXPECT_TRUE(prompter.errors.isEmpty());
    EXPECT_EQ(everything(), before);
    // Zeroing still clears the tour's held flag.
    EXPECT_TRUE(zeroResults(*dm, *context, prompter));
    EXPECT_EQ(tourState(2, 1).toInt(), 0);
    EXPECT_EQ(fileValue(u"SELECT SUM(STATE) FROM T_VT"_s).toInt(), 1);
}

TEST(ClassificationWithoutAspects, NothingIsTouched)
{
    test::TempWorkspace ws;
    auto dm = ws.openDm();
    dm->store().exec(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME) VALUES (5, ?)"_s, {u"Орлов"_s});
    dm->store().refreshAll();
    CurrentContext context(*dm);
    context.loadAspects();
    ASSERT_FALSE(context.hasAspect());
    test::RecordingPrompter prompter;
    QRandomGenerator random(1u);
    EXPECT_FALSE(drawClassification(*dm, context, prompter, random));
    EXPECT_FALSE(drawMissingClassification(*dm, context, prompter, random));
    EXPECT_FALSE(copyClassificationToStart(*dm, context, prompter));
    EXPECT_FALSE(copyPlaceToStart(*dm, context, prompter));
    EXPECT_FALSE(zeroResults(*dm, context, prompter));
    EXPECT_EQ(prompter.errors.size(), 5);
    EXPECT_TRUE(prompter.confirms.isEmpty());
    EXPECT_TRUE(
        test::fileValue(ws.databaseFile(), u"SELECT CLASSIFICATION FROM T_PART"_s).isNull());
}

TEST_F(ClassificationTest, APendingEditLandsBeforeTheCommand)
{
    // Typed into the grid but not yet posted: the command stores it first, and does not write
    // the row's old values back over its own afterwards.
    context->selectAspect(1);
    Table &part = *dm->tbl_PART;
    part.first(); // Абрамова
    part.edit();
    part.setValue(u"CLASSIFICATION"_s, 9);
    part.setValue(u"FIGHT"_s, 6);
    EXPECT_TRUE(copyClassificationToStart(*dm, *context, prompter));
    EXPECT_EQ(column(u"START"_s, 1), u"9,1,5,2,4"_s);
    EXPECT_EQ(column(u"FIGHT"_s, 1), u"6,-,-,-,-"_s);

    // The same for the tour strip: its typing lands, and the held flag is still cleared.
    part.first();
    part.edit();
    part.setValue(u"PLACE"_s, 2);
    dm->tbl_VT->edit();
    dm->tbl_VT->setValue(u"KOL"_s, 6);
    EXPECT_TRUE(zeroResults(*dm, *context, prompter));
    EXPECT_EQ(column(u"FIGHT"_s, 1), u"0,0,0,0,0"_s);
    EXPECT_EQ(column(u"PLACE"_s, 1), u"0,0,0,0,0"_s);
    EXPECT_EQ(tourState(1, 1).toInt(), 0);
    EXPECT_EQ(fileValue(u"SELECT KOL FROM T_VT WHERE NUM_ASPECT = 1 AND NUM_TOUR = 1"_s).toInt(),
              6);
    EXPECT_FALSE(part.isEditing());
    EXPECT_FALSE(dm->tbl_VT->isEditing());
}

TEST_F(ClassificationTest, AStoreRefusalLeavesTheFileAsItWas)
{
    // The database refuses any new classification of one participant.
    dm->store().exec(
        u"CREATE TRIGGER refuse_class BEFORE UPDATE OF CLASSIFICATION ON T_PART "
        u"WHEN NEW.SURNAME = 'Дмитриева' BEGIN SELECT RAISE(ABORT, 'запрещено'); END"_s);
    context->selectAspect(1);
    Table &part = *dm->tbl_PART;
    part.setRecNo(2);
    const Bookmark operatorRow = part.bookmark();
    const QString before = everything();
    QRandomGenerator random(2u);
    EXPECT_FALSE(
        runCommand(prompter, [&] { return drawClassification(*dm, *context, prompter, random); }));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors.front().contains(u"запрещено"_s))
        << prompter.errors.front().toStdString();
    EXPECT_EQ(everything(), before);
    EXPECT_EQ(column(u"CLASSIFICATION"_s, 1), u"3,1,5,2,4"_s);
    EXPECT_FALSE(part.isEditing());
    EXPECT_EQ(part.bookmark(), operatorRow);
    EXPECT_EQ(dm->store().depth(), 0);
    EXPECT_TRUE(dm->DS_PART->isEnabled());
}

TEST_F(ClassificationTest, ZeroingIsUndoneWhenTheTourCannotBeWritten)
{
    // The participants are zeroed first; when the tour row is then refused, that is undone too.
    dm->store().exec(u"UPDATE T_PART SET FIGHT = 4"_s);
    dm->store().exec(u"CREATE TRIGGER refuse_state BEFORE UPDATE ON T_VT "
                     u"BEGIN SELECT RAISE(ABORT, 'тур закрыт'); END"_s);
    dm->store().refreshAll();
    context->selectAspect(1);
    const QString before = everything();
    EXPECT_FALSE(runCommand(prompter, [&] { return zeroResults(*dm, *context, prompter); }));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors.front().contains(u"тур закрыт"_s));
    EXPECT_EQ(everything(), before);
    EXPECT_EQ(column(u"FIGHT"_s, 1), u"4,4,4,4,4"_s);
    // What is shown is what the file holds.
    EXPECT_EQ(dm->tbl_PART->intValue(u"FIGHT"_s), 4);
    EXPECT_TRUE(dm->tbl_VT->value(u"STATE"_s).toBool());
    EXPECT_FALSE(dm->tbl_VT->isEditing());
}

TEST_F(ClassificationTest, ClassificationBeyondTheFieldIsRefused)
{
    // 32,767 classified and one more: the next number would not fit the field.
    dm->store().exec(u"DELETE FROM T_PART WHERE NUM_ASPECT = 0"_s);
    dm->store().exec(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME, CLASSIFICATION) "
                     u"WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < "
                     u"32767) SELECT 0, 'Участник', x FROM n"_s);
    dm->store().exec(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME) VALUES (0, ?)"_s, {u"Последний"_s});
    dm->store().refreshAll();
    context->selectAspect(0);
    QRandomGenerator random(6u);
    EXPECT_FALSE(runCommand(
        prompter, [&] { return drawMissingClassification(*dm, *context, prompter, random); }));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_EQ(prompter.errors.front(),
              u"Классификация не может быть больше 32767, а участников для неё 32768."_s);
    EXPECT_EQ(fileValue(u"SELECT COUNT(*) FROM T_PART WHERE CLASSIFICATION IS NULL"_s).toInt(), 1);
}

TEST_F(ClassificationTest, TheGridIsDetachedWhileTheDrawWrites)
{
    context->selectAspect(1);
    DataSource &source = *dm->DS_PART;
    Table &part = *dm->tbl_PART;
    part.setRecNo(3);
    const Bookmark operatorRow = part.bookmark();
    QSignalSpy changed(&source, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&source, &QAbstractItemModel::modelReset);
    QSignalSpy moved(&source, &DataSource::currentRowChanged);
    QRandomGenerator random(4u);
    ASSERT_TRUE(drawClassification(*dm, *context, prompter, random));
    // One reset when it is attached again, no step of the walk in between.
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_TRUE(source.isEnabled());
    // The operator's row is current again, and the source shows what the file holds.
    EXPECT_EQ(part.bookmark(), operatorRow);
    const int column = source.fieldColumn(u"CLASSIFICATION"_s);
    QList<int> shown;
    for (int r = 0; r < source.rowCount(); ++r)
        shown << source.index(r, column).data().toInt();
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (QList<int>{1, 2, 3, 4, 5}));
}

// A full table of 128, shown by classification so that every write moves rows (their times
// are measured in bench/).
TEST_F(ClassificationTest, CommandsOn128ParticipantsGiveEveryNumberOnce)
{
    QVariantList none;
    for (int i = 0; i < 128; ++i)
        none << QVariant();
    participantsOfAspect0(none);
    context->setSortOrder(2);
    QList<int> all(128);
    std::iota(all.begin(), all.end(), 1);
    QRandomGenerator random(128u);
    ASSERT_TRUE(drawMissingClassification(*dm, *context, prompter, random));
    EXPECT_EQ(sortedNumbers(column(u"CLASSIFICATION"_s, 0)), all);
    ASSERT_TRUE(drawClassification(*dm, *context, prompter, random));
    EXPECT_EQ(sortedNumbers(column(u"CLASSIFICATION"_s, 0)), all);
    ASSERT_TRUE(copyClassificationToStart(*dm, *context, prompter));
    EXPECT_EQ(column(u"START"_s, 0), column(u"CLASSIFICATION"_s, 0));
    ASSERT_TRUE(zeroResults(*dm, *context, prompter));
    EXPECT_EQ(sortedNumbers(column(u"START"_s, 0)), all);
    EXPECT_TRUE(prompter.errors.isEmpty());
}
