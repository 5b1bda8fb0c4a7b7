// Table objects: filters, index orders, the cursor, editing and the checks made on post.

#include "datatestutil.h"

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

// Five participants whose order differs under every T_PART index. NUM is 1..5 in the order
// of adding; equal keys: rows 2 and 5 share surname and name, rows 4 and 5 classification 2,
// rows 1 and 5 place 2. START 10 would sort before 2 if numbers were compared as text.
class PartOrder : public DmTest {
protected:
    void SetUp() override
    {
        Table &p = *dm->tbl_PART;
        addRow(p, {{u"SURNAME"_s, u"Петров"_s},
                   {u"NAME"_s, u"Иван"_s},
                   {u"ORG"_s, u"ЦСКА"_s},
                   {u"CLASSIFICATION"_s, 3},
                   {u"PLACE"_s, 2},
                   {u"START"_s, 10},
                   {u"NUM_ASPECT"_s, 0}});
        addRow(p, {{u"SURNAME"_s, u"Абрамов"_s},
                   {u"NAME"_s, u"Олег"_s},
                   {u"ORG"_s, u"Динамо"_s},
                   {u"CLASSIFICATION"_s, 1},
                   {u"START"_s, 2},
                   {u"NUM_ASPECT"_s, 1}});
        addRow(p, {{u"SURNAME"_s, u"Петров"_s},
                   {u"NAME"_s, u"Алексей"_s},
                   {u"ORG"_s, u"Динамо"_s},
                   {u"PLACE"_s, 1},
                   {u"START"_s, 1},
                   {u"NUM_ASPECT"_s, 1}});
        addRow(p, {{u"SURNAME"_s, u"Яковлев"_s},
                   {u"NAME"_s, u"Пётр"_s},
                   {u"CLASSIFICATION"_s, 2},
                   {u"PLACE"_s, 3}});
        addRow(p, {{u"SURNAME"_s, u"Абрамов"_s},
                   {u"NAME"_s, u"Олег"_s},
                   {u"ORG"_s, u"Спартак"_s},
                   {u"CLASSIFICATION"_s, 2},
                   {u"PLACE"_s, 2},
                   {u"START"_s, 3},
                   {u"NUM_ASPECT"_s, 1}});
    }
    Table &part() { return *dm->tbl_PART; }
    QStringList nums() { return columnTexts(part(), u"NUM"_s); }
};

TEST_F(PartOrder, EveryIndexOrdersWithEmptyFirstAndEqualKeysInOrderOfAdding)
{
    EXPECT_EQ(part().indexName(), u"ind_surname"_s);
    EXPECT_EQ(nums(), QStringList({u"2"_s, u"5"_s, u"3"_s, u"1"_s, u"4"_s}));
    part().setIndexName(u"ind_org"_s);
    EXPECT_EQ(nums(), QStringList({u"4"_s, u"2"_s, u"3"_s, u"5"_s, u"1"_s}));
    part().setIndexName(u"ind_classification"_s);
    EXPECT_EQ(nums(), QStringList({u"3"_s, u"2"_s, u"4"_s, u"5"_s, u"1"_s}));
    part().setIndexName(u"ind_place"_s);
    EXPECT_EQ(nums(), QStringList({u"2"_s, u"3"_s, u"1"_s, u"5"_s, u"4"_s}));
    part().setIndexName(u"ind_start"_s);
    EXPECT_EQ(nums(), QStringList({u"4"_s, u"3"_s, u"2"_s, u"5"_s, u"1"_s}));
    // The order holds for rows read back from the file, not only for rows placed on post.
    part().refresh();
    EXPECT_EQ(nums(), QStringList({u"4"_s, u"3"_s, u"2"_s, u"5"_s, u"1"_s}));
    EXPECT_THROW(part().setIndexName(u"ind_nothing"_s), StoreError);
    EXPECT_EQ(part().indexName(), u"ind_start"_s);
}

TEST_F(PartOrder, PostedEditMovesTheRowToItsPlace)
{
    ASSERT_TRUE(part().locate(u"NUM"_s, 4));
    part().edit();
    part().setValue(u"SURNAME"_s, u"Агеев"_s);
    part().post();
    EXPECT_EQ(nums(), QStringList({u"2"_s, u"5"_s, u"4"_s, u"3"_s, u"1"_s}));
    EXPECT_EQ(part().intValue(u"NUM"_s), 4);
    EXPECT_EQ(part().recNo(), 3);
}

TEST_F(PartOrder, WalksVisitEveryRowOnce)
{
    QStringList forward;
    for (part().first(); !part().eof(); part().next())
        forward << part().text(u"NUM"_s);
    EXPECT_EQ(forward, nums());
    EXPECT_EQ(part().intValue(u"NUM"_s), 4); // next() at the end stays on the last row

    QStringList backward;
    for (part().last(); !part().bof(); part().prior())
        backward << part().text(u"NUM"_s);
    EXPECT_EQ(backward, QStringList({u"4"_s, u"1"_s, u"3"_s, u"5"_s, u"2"_s}));
    EXPECT_EQ(part().recNo(), 1);

    part().applyFilter(u"NUM_ASPECT=7"_s);
    int visits = 0;
    for (part().first(); !part().eof(); part().next())
        ++visits;
    EXPECT_EQ(visits, 0);
    EXPECT_TRUE(part().bof());
    EXPECT_EQ(part().recNo(), 0);
}

TEST_F(PartOrder, RecordNumberAndBookmarksReturnToTheSameRow)
{
    part().setRecNo(4);
    const int rec = part().recNo();
    const int num = part().intValue(u"NUM"_s);
    EXPECT_EQ(num, 1);
    part().first();
    part().setRecNo(rec);
    EXPECT_EQ(part().intValue(u"NUM"_s), num);

    ASSERT_TRUE(part().locate(u"NUM"_s, 3));
    const Bookmark mark = part().bookmark();
    part().setIndexName(u"ind_start"_s); // 3 is now the second row
    part().last();
    ASSERT_TRUE(part().gotoBookmark(mark));
    EXPECT_EQ(part().intValue(u"NUM"_s), 3);
    EXPECT_EQ(part().recNo(), 2);

    dm->store().exec(u"INSERT INTO T_PART (SURNAME, START) VALUES ('Белов', 0)"_s);
    part().refresh();
    EXPECT_EQ(part().recordCount(), 6);
    part().first();
    ASSERT_TRUE(part().gotoBookmark(mark));
    EXPECT_EQ(part().intValue(u"NUM"_s), 3);

    part().remove();
    part().first();
    EXPECT_FALSE(part().gotoBookmark(mark));
    EXPECT_EQ(part().recNo(), 1);
}

TEST_F(PartOrder, LocateFindsTheFirstVisibleMatchOrLeavesTheCursor)
{
    ASSERT_TRUE(part().locate(u"SURNAME"_s, u"Петров"_s));
    EXPECT_EQ(part().text(u"NAME"_s), u"Алексей"_s); // first in index order, not in file order
    ASSERT_TRUE(part().locate(u"SURNAME;ORG"_s, {u"Абрамов"_s, u"Спартак"_s}));
    EXPECT_EQ(part().intValue(u"NUM"_s), 5);
    EXPECT_FALSE(part().locate(u"SURNAME;ORG"_s, {u"Абрамов"_s, u"ЦСКА"_s}));
    EXPECT_EQ(part().intValue(u"NUM"_s), 5);
    part().applyFilter(u"NUM_ASPECT=1"_s);
    EXPECT_FALSE(part().locate(u"SURNAME"_s, u"Яковлев"_s)); // not visible
}

TEST_F(PartOrder, FilterShowsMatchingRowsAndSwitchingOffKeepsTheText)
{
    part().applyFilter(u"NUM_ASPECT=1"_s);
    EXPECT_EQ(nums(), QStringList({u"2"_s, u"5"_s, u"3"_s}));
    part().setFiltered(false);
    EXPECT_EQ(part().recordCount(), 5);
    EXPECT_EQ(part().filterText(), u"NUM_ASPECT=1"_s);
    part().setFiltered(true);
    EXPECT_EQ(nums(), QStringList({u"2"_s, u"5"_s, u"3"_s}));
    // An empty value matches no number, not even 0, whether read or posted.
    part().applyFilter(u"NUM_ASPECT=0"_s);
    EXPECT_EQ(nums(), QStringList({u"1"_s}));
    part().edit();
    part().setValue(u"NUM_ASPECT"_s, QVariant());
    part().post();
    EXPECT_EQ(part().recordCount(), 0);
}

TEST_F(PartOrder, RefusedFilterKeepsThePreviousOne)
{
    part().applyFilter(u"NUM_ASPECT=1"_s);
    const QStringList refused{u"NUM_ASPECT='1'"_s,
                              u"NUM_ASPECT=1 OR 1=1"_s,
                              u"NUM_ASPECT = 1; DROP TABLE T_PART"_s,
                              u"NUM_ASPECT=1 AND"_s,
                              u"NUM_ASPECT=1 and START=1"_s,
                              u"NUM_ASPECT=x"_s,
                              u"NO_SUCH_FIELD=1"_s,
                              u"aspect=1"_s, // a lookup field is not a column
                              u"famname=1"_s};
    for (const QString &text : refused) {
        EXPECT_THROW(part().applyFilter(text), StoreError) << text.toStdString();
        EXPECT_THROW(part().setFilterText(text), StoreError) << text.toStdString();
        EXPECT_EQ(part().filterText(), u"NUM_ASPECT=1"_s);
        EXPECT_TRUE(part().isFiltered()) << text.toStdString();
    }
    part().refresh();
    EXPECT_EQ(nums(), QStringList({u"2"_s, u"5"_s, u"3"_s}));
    EXPECT_EQ(count(u"T_PART"_s), 5);
}

TEST_F(PartOrder, PostedRowThatLeavesTheFilterDisappears)
{
    part().applyFilter(u"NUM_ASPECT=1"_s);
    ASSERT_TRUE(part().locate(u"NUM"_s, 5));
    part().edit();
    part().setValue(u"NUM_ASPECT"_s, 0);
    part().post();
    EXPECT_EQ(nums(), QStringList({u"2"_s, u"3"_s}));
    EXPECT_FALSE(part().locate(u"NUM"_s, 5));
    part().append(); // a new row outside the filter is written but not shown
    part().setValue(u"SURNAME"_s, u"Новиков"_s);
    part().setValue(u"NUM_ASPECT"_s, 2);
    part().post();
    EXPECT_EQ(nums(), QStringList({u"2"_s, u"3"_s}));
    EXPECT_EQ(count(u"T_PART"_s), 6);
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT NUM_ASPECT FROM T_PART WHERE NUM=5"_s), 0);
}

TEST_F(PartOrder, MovingTheCursorOrTheFilterPostsThePendingEditFirst)
{
    ASSERT_TRUE(part().locate(u"NUM"_s, 2));
    part().edit();
    part().setValue(u"ORG"_s, u"Локомотив"_s);
    part().next(); // the edit belongs to row 2, never to the row arrived at
    EXPECT_FALSE(part().isEditing());
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT ORG FROM T_PART WHERE NUM=2"_s),
              u"Локомотив"_s);
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT ORG FROM T_PART WHERE NUM=5"_s), u"Спартак"_s);

    part().append();
    part().setValue(u"SURNAME"_s, u"Белов"_s);
    part().setValue(u"NUM_ASPECT"_s, 1);
    part().applyFilter(u"NUM_ASPECT=1"_s);
    EXPECT_EQ(count(u"T_PART"_s), 6);
    EXPECT_EQ(columnTexts(part(), u"SURNAME"_s),
              QStringList({u"Абрамов"_s, u"Абрамов"_s, u"Белов"_s, u"Петров"_s}));
}

TEST_F(DmTest, TwoTermFilterNeedsBothTerms)
{
    Table &pools = *dm->tbl_TOUR_PR;
    addRow(pools, {{u"NUM_ASPECT"_s, 1}, {u"NUM_TOUR"_s, 2}, {u"NUM_GROUP"_s, 2}});
    addRow(pools, {{u"NUM_ASPECT"_s, 1}, {u"NUM_TOUR"_s, 1}, {u"NUM_GROUP"_s, 3}});
    addRow(pools, {{u"NUM_ASPECT"_s, 2}, {u"NUM_TOUR"_s, 2}, {u"NUM_GROUP"_s, 4}});
    addRow(pools, {{u"NUM_ASPECT"_s, 1}, {u"NUM_TOUR"_s, 2}, {u"NUM_GROUP"_s, 1}});
    pools.applyFilter(u"NUM_ASPECT=1 AND NUM_TOUR=2"_s);
    EXPECT_EQ(columnTexts(pools, u"NUM_GROUP"_s), QStringList({u"1"_s, u"2"_s}));
    ASSERT_TRUE(pools.locate(u"NUM_ASPECT;NUM_TOUR"_s, {1, 2}));
    EXPECT_EQ(pools.intValue(u"NUM_GROUP"_s), 1);
    pools.setFiltered(false);
    ASSERT_TRUE(pools.locate(u"NUM_ASPECT;NUM_TOUR"_s, {2, 2}));
    EXPECT_EQ(pools.intValue(u"NUM_GROUP"_s), 4);
    EXPECT_FALSE(pools.locate(u"NUM_ASPECT;NUM_TOUR"_s, {2, 1}));
    EXPECT_EQ(pools.intValue(u"NUM_GROUP"_s), 4);
}

TEST_F(DmTest, PairOrderIsPairThenOrderOfAdding)
{
    Table &rez = *dm->tbl_REZ_OLIMP;
    for (const QVariant &pair : {QVariant(2), QVariant(1), QVariant(2), QVariant(), QVariant(1)})
        addRow(rez, {{u"NUM_ASPECT"_s, 0},
                     {u"NUM_TOUR"_s, 7},
                     {u"NUM_PAIR"_s, pair},
                     {u"NUM_START"_s, 10 - rez.recordCount()}});
    EXPECT_EQ(columnTexts(rez, u"NUM"_s), QStringList({u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));
    rez.setIndexName(u"ind_pair"_s);
    EXPECT_EQ(columnTexts(rez, u"NUM"_s), QStringList({u"4"_s, u"2"_s, u"5"_s, u"1"_s, u"3"_s}));
    rez.setIndexName(u"ind_start"_s);
    EXPECT_EQ(columnTexts(rez, u"NUM"_s), QStringList({u"5"_s, u"4"_s, u"3"_s, u"2"_s, u"1"_s}));
}

TEST_F(DmTest, CancelDropsTheInsertOrTheChange)
{
    Table &org = *dm->tbl_ORG;
    addRow(org, {{u"ORG_SHORT"_s, u"Динамо"_s}, {u"CITY"_s, u"Москва"_s}});
    org.append();
    org.setValue(u"ORG_SHORT"_s, u"ЦСКА"_s);
    EXPECT_EQ(org.recordCount(), 2);
    EXPECT_EQ(org.state(), Table::State::Insert);
    org.cancel();
    EXPECT_EQ(org.state(), Table::State::Browse);
    EXPECT_EQ(columnTexts(org, u"ORG_SHORT"_s), QStringList({u"Динамо"_s}));
    EXPECT_EQ(org.text(u"ORG_SHORT"_s), u"Динамо"_s);

    org.edit();
    org.setValue(u"CITY"_s, u"Тула"_s);
    EXPECT_EQ(org.text(u"CITY"_s), u"Тула"_s);
    org.cancel();
    EXPECT_EQ(org.text(u"CITY"_s), u"Москва"_s);
    EXPECT_EQ(count(u"T_ORG"_s), 1);
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT CITY FROM T_ORG"_s), u"Москва"_s);
}

TEST_F(DmTest, DeleteRemovesTheRowFromTheFile)
{
    Table &org = *dm->tbl_ORG;
    for (const QString &name : {u"Б"_s, u"А"_s, u"В"_s})
        addRow(org, {{u"ORG_SHORT"_s, name}});
    ASSERT_TRUE(org.locate(u"ORG_SHORT"_s, u"Б"_s));
    org.remove();
    EXPECT_EQ(columnTexts(org, u"ORG_SHORT"_s), QStringList({u"А"_s, u"В"_s}));
    EXPECT_EQ(org.text(u"ORG_SHORT"_s), u"В"_s);
    TDM second(ws.databaseFile());
    EXPECT_EQ(columnTexts(*second.tbl_ORG, u"ORG_SHORT"_s), QStringList({u"А"_s, u"В"_s}));
}

TEST_F(DmTest, RequiredFieldIsRefusedAndTheRowStaysInEditing)
{
    Table &person = *dm->tbl_PERSON;
    person.append();
    person.setValue(u"NAME"_s, u"Иван"_s);
    try {
        person.post();
        FAIL() << "a person without surname was posted";
    } catch (const StoreError &e) {
        EXPECT_TRUE(e.message().contains(u"«Фамилия»"_s)) << e.message().toStdString();
    }
    EXPECT_EQ(person.state(), Table::State::Insert);
    EXPECT_EQ(person.text(u"NAME"_s), u"Иван"_s);
    EXPECT_EQ(count(u"T_PERSON"_s), 0);
    person.setValue(u"SURNAME"_s, u"Иванов"_s);
    person.post();
    EXPECT_EQ(count(u"T_PERSON"_s), 1);

    Table &org = *dm->tbl_ORG;
    addRow(org, {{u"ORG_SHORT"_s, u"Динамо"_s}});
    org.edit();
    org.setValue(u"ORG_SHORT"_s, u""_s);
    org.setValue(u"CITY"_s, u"Москва"_s);
    try {
        org.post();
        FAIL() << "an organization without short name was posted";
    } catch (const StoreError &e) {
        EXPECT_TRUE(e.message().contains(u"«Название»"_s)) << e.message().toStdString();
    }
    EXPECT_EQ(org.state(), Table::State::Edit);
    EXPECT_EQ(org.text(u"CITY"_s), u"Москва"_s);
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT ORG_SHORT FROM T_ORG"_s), u"Динамо"_s);
    EXPECT_TRUE(fileValue(ws.databaseFile(), u"SELECT CITY FROM T_ORG"_s).isNull());
}

TEST_F(DmTest, TextLongerThanTheFieldIsRefusedCountingCharacters)
{
    Table &org = *dm->tbl_ORG;
    org.append();
    org.setValue(u"ORG_SHORT"_s, u"Спартак-Моск"_s + u"в"_s); // 13 Cyrillic letters
    try {
        org.post();
        FAIL() << "13 characters were posted into a field of 12";
    } catch (const StoreError &e) {
        EXPECT_TRUE(e.message().contains(u"«Название»"_s)) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(u"12"_s)) << e.message().toStdString();
    }
    EXPECT_EQ(org.state(), Table::State::Insert);
    EXPECT_EQ(count(u"T_ORG"_s), 0);
    org.setValue(u"ORG_SHORT"_s, u"Спартак-Моск"_s); // 12 characters, 23 bytes in UTF-8
    org.post();
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT ORG_SHORT FROM T_ORG"_s), u"Спартак-Моск"_s);
}

TEST_F(DmTest, NumbersAreCheckedForTypeAndRange)
{
    Table &p = *dm->tbl_PART;
    p.append();
    p.setValue(u"SURNAME"_s, u"Орлов"_s);
    p.setValue(u"START"_s, 32768);
    EXPECT_THROW(p.post(), StoreError);
    p.setValue(u"START"_s, -32769);
    EXPECT_THROW(p.post(), StoreError);
    EXPECT_EQ(count(u"T_PART"_s), 0);
    p.setValue(u"START"_s, 32767);
    p.setValue(u"PLACE"_s, -32768);
    p.post();
    EXPECT_EQ(p.intValue(u"START"_s), 32767);
    EXPECT_EQ(p.intValue(u"PLACE"_s), -32768);

    p.edit();
    for (const QString &typed : {u"abc"_s, u"1.5"_s, u"12x"_s, u"3000000000"_s})
        EXPECT_THROW(p.setValue(u"NUM_ASPECT"_s, typed), StoreError) << typed.toStdString();
    EXPECT_TRUE(p.value(u"NUM_ASPECT"_s).isNull());
    EXPECT_THROW(p.setValue(u"aspect"_s, u"x"_s), StoreError); // lookups are read-only
    EXPECT_THROW(p.setValue(u"NUM"_s, 9), StoreError);         // so is the row number
    p.setValue(u"NUM_ASPECT"_s, u" 7 "_s);
    p.post();
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT NUM_ASPECT FROM T_PART"_s), 7);
}

} // namespace
