// The scratch query: SQL opened and walked like a table, or executed as a change.

#include "datatestutil.h"

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class QueryTest : public DmTest {
protected:
    void SetUp() override
    {
        Store &s = dm->store();
        s.exec(u"INSERT INTO T_ORG (NUM, ORG_SHORT) VALUES (1, 'Динамо'), (2, 'ЦСКА')"_s);
        s.exec(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME, NAME, NUM_ORG, PLACE) VALUES "
               u"(1, 'Белов', 'Иван', 1, 2), (1, 'Антонов', 'Пётр', 2, 1), "
               u"(2, 'Волков', 'Олег', 1, NULL), (2, 'Белов', 'Иван', 2, 3)"_s);
        dm->tbl_PART->refresh();
    }
    Query &q() { return *dm->qr_Temp; }
    void openSql(const QStringList &lines)
    {
        q().clear();
        for (const QString &line : lines)
            q().add(line);
        q().open();
    }
};

TEST_F(QueryTest, OpenedQueryIsWalkedInItsOwnOrder)
{
    openSql({u"SELECT p.SURNAME || ' ' || p.NAME AS \"Фамилия Имя\", o.ORG_SHORT AS Орг,"_s,
             u"       p.NUM_ASPECT, p.PLACE"_s, u"FROM T_PART p, T_ORG o"_s,
             u"WHERE o.NUM = p.NUM_ORG AND p.PLACE IS NOT NULL"_s, u"ORDER BY p.PLACE desc"_s});
    EXPECT_EQ(q().text().count(u'\n'), 4);
    EXPECT_EQ(q().fieldNames(),
              QStringList({u"Фамилия Имя"_s, u"Орг"_s, u"NUM_ASPECT"_s, u"PLACE"_s}));
    QStringList rows;
    for (q().first(); !q().eof(); q().next())
        rows << q().value(u"Фамилия Имя"_s).toString() + u'/' + q().value(u"орг"_s).toString();
    EXPECT_EQ(rows,
              QStringList({u"Белов Иван/ЦСКА"_s, u"Белов Иван/Динамо"_s, u"Антонов Пётр/ЦСКА"_s}));

    openSql({u"SELECT DISTINCT SURNAME, NAME FROM T_PART ORDER BY SURNAME"_s});
    EXPECT_EQ(columnTexts(q(), u"SURNAME"_s), QStringList({u"Антонов"_s, u"Белов"_s, u"Волков"_s}));
    ASSERT_TRUE(q().locate(u"SURNAME;NAME"_s, {u"Волков"_s, u"Олег"_s}));
    EXPECT_EQ(q().recNo(), 3);
    EXPECT_FALSE(q().locate(u"SURNAME"_s, u"Яшин"_s));
    EXPECT_EQ(q().recNo(), 3);
    EXPECT_THROW(q().value(u"NO_SUCH"_s), StoreError);
}

TEST_F(QueryTest, QueryRowsAreFilteredByTheSameExpressions)
{
    openSql({u"SELECT SURNAME, NUM_ASPECT, NUM_ORG FROM T_PART ORDER BY SURNAME"_s});
    q().setFilterText(u"NUM_ASPECT=1 AND NUM_ORG=2"_s);
    q().setFiltered(true);
    EXPECT_EQ(columnTexts(q(), u"SURNAME"_s), QStringList({u"Антонов"_s}));

    EXPECT_THROW(q().setFilterText(u"NUM_ASPECT=1 OR 1=1"_s), StoreError);
    EXPECT_THROW(q().setFilterText(u"NO_SUCH=1"_s), StoreError);
    EXPECT_EQ(q().filterText(), u"NUM_ASPECT=1 AND NUM_ORG=2"_s);
    EXPECT_EQ(columnTexts(q(), u"SURNAME"_s), QStringList({u"Антонов"_s}));

    q().open(); // reopening keeps the filter
    EXPECT_EQ(columnTexts(q(), u"SURNAME"_s), QStringList({u"Антонов"_s}));
    q().setFiltered(false);
    EXPECT_EQ(q().recordCount(), 4);

    // A new text without the filtered column is refused and leaves no stale rows behind.
    q().setFiltered(true);
    q().clear();
    q().add(u"SELECT SURNAME FROM T_PART"_s);
    EXPECT_THROW(q().open(), StoreError);
    EXPECT_FALSE(q().isOpen());
    EXPECT_EQ(q().recordCount(), 0);
}

TEST_F(QueryTest, ExecutedQueryChangesRowsAndFailuresAreReported)
{
    openSql({u"SELECT * FROM T_PART"_s});
    q().clear();
    EXPECT_FALSE(q().isOpen());
    EXPECT_EQ(q().recordCount(), 0);
    EXPECT_TRUE(q().text().isEmpty());

    q().add(u"UPDATE T_PART SET PLACE = PLACE * 10"_s);
    q().add(u"WHERE NUM_ASPECT = 1"_s);
    EXPECT_EQ(q().exec(), 2);
    dm->tbl_PART->refresh();
    dm->tbl_PART->setIndexName(u"ind_place"_s);
    EXPECT_EQ(columnTexts(*dm->tbl_PART, u"PLACE"_s),
              QStringList({u""_s, u"3"_s, u"10"_s, u"20"_s}));

    q().clear();
    q().add(u"DELETE FROM T_PART WHERE PLACE IS NULL"_s);
    EXPECT_EQ(q().exec(), 1);
    EXPECT_EQ(count(u"T_PART"_s), 3);

    q().clear();
    q().add(u"SELECT NOPE FROM T_PART"_s);
    EXPECT_THROW(q().open(), StoreError);
    EXPECT_FALSE(q().isOpen());
    EXPECT_EQ(q().recordCount(), 0);
    q().clear();
    q().add(u"UPDATE T_PART SET PLACE = 1 WHERE"_s);
    EXPECT_THROW(q().exec(), StoreError);
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT SUM(PLACE) FROM T_PART"_s).toInt(), 33);
}

} // namespace
