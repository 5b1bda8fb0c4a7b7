// The database file: opening and checking it, creating it, the workspace init and the
// transactions that make every command all-or-nothing.

#include "datatestutil.h"

#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <vector>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

// Expects opening the file to be refused with a message that contains `fragment`.
void expectRefused(const QString &file, const QString &fragment)
{
    try {
        Store store(file);
        ADD_FAILURE() << "opened " << file.toStdString();
    } catch (const StoreError &e) {
        EXPECT_TRUE(e.message().contains(fragment)) << e.message().toStdString();
    }
}

// A fresh database in a directory of its own, changed by `damage` before it is reopened.
QString damagedDatabase(const QTemporaryDir &dir, const QString &damage)
{
    const QString file = dir.filePath(u"Nusk.sqlite"_s);
    Store::create(file);
    Store(file).exec(damage);
    return file;
}

TEST(StoreOpen, RefusesWhatIsNotACompetitionDatabase)
{
    QTemporaryDir dir;
    expectRefused(dir.filePath(u"missing.sqlite"_s), u"missing.sqlite"_s);

    const QString garbage = dir.filePath(u"garbage.sqlite"_s);
    QFile f(garbage);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, '\x5a'));
    f.close();
    EXPECT_THROW(Store{garbage}, StoreError);

    QTemporaryDir d1, d2, d3;
    expectRefused(damagedDatabase(d1, u"DROP TABLE T_VT"_s), u"T_VT"_s);
    expectRefused(damagedDatabase(d2, u"ALTER TABLE T_ORG DROP COLUMN CITY"_s), u"T_ORG"_s);
    expectRefused(damagedDatabase(d3, u"ALTER TABLE T_PART RENAME COLUMN START TO STRT"_s),
                  u"T_PART"_s);
    // The data module refuses the same way instead of running on half a database.
    EXPECT_THROW(TDM{d1.filePath(u"Nusk.sqlite"_s)}, StoreError);
}

TEST(StoreOpen, CreateRefusesAnExistingFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"Nusk.sqlite"_s);
    Store::create(file);
    Store(file).exec(u"INSERT INTO T_ORG (ORG_SHORT) VALUES ('Динамо')"_s);
    EXPECT_THROW(Store::create(file), StoreError);
    EXPECT_EQ(fileCount(file, u"T_ORG"_s), 1);
}

TEST(WorkspaceInit, RefusesAWorkspaceThatHasADatabase)
{
    TempWorkspace ws;
    fileValue(ws.databaseFile(), u"INSERT INTO T_ORG (ORG_SHORT) VALUES ('Динамо')"_s);
    EXPECT_TRUE(ws.workspace().hasDatabase());
    EXPECT_THROW(Workspace(ws.root()).create(false), StoreError);
    EXPECT_EQ(fileCount(ws.databaseFile(), u"T_ORG"_s), 1);
}

TEST(WorkspaceInit, WritesTourKindsVariantsAndOneCompetition)
{
    TempWorkspace ws;
    Store store(ws.databaseFile());

    QStringList names;
    QSqlQuery tours = store.exec(u"SELECT NUM, NAME FROM NAME_TOUR ORDER BY NUM"_s);
    int expectedNum = 1;
    while (tours.next()) {
        EXPECT_EQ(tours.value(0).toInt(), expectedNum++);
        names << tours.value(1).toString();
    }
    EXPECT_EQ(names,
              QStringList({u"1 предварительный тур"_s, u"2 предварительный тур"_s,
                           u"3 предварительный тур"_s, u"4 предварительный тур"_s,
                           u"5 предварительный тур"_s, u"6 предварительный тур"_s,
                           u"Тур прямого выбывания"_s, u"Тур прямого выбывания с утешением"_s}));

    std::map<int, std::vector<int>> variants;
    QSqlQuery rows = store.exec(
        u"SELECT NUM, NUM_TOUR FROM VARIANT WHERE NUM BETWEEN 1 AND 11 ORDER BY NUM, NUM_TOUR"_s);
    while (rows.next())
        variants[rows.value(0).toInt()].push_back(rows.value(1).toInt());
    const std::map<int, std::vector<int>> expected{{1, {1, 2, 7}},
                                                   {2, {1, 7}},
                                                   {3, {7}},
                                                   {4, {1, 2}},
                                                   {5, {1, 2, 3}},
                                                   {6, {1, 2, 3, 4}},
                                                   {7, {1, 2, 3, 4, 5}},
                                                   {8, {1, 2, 3, 4, 5, 6}},
                                                   {9, {1, 2, 8}},
                                                   {10, {1, 8}},
                                                   {11, {8}}};
    EXPECT_EQ(variants, expected);
    QSqlQuery outside = store.exec(u"SELECT COUNT(*) FROM VARIANT WHERE NUM < 1 OR NUM > 12"_s);
    ASSERT_TRUE(outside.next());
    EXPECT_EQ(outside.value(0).toInt(), 0);

    QSqlQuery comp = store.exec(u"SELECT COUNT(*) FROM T_COMP"_s);
    ASSERT_TRUE(comp.next());
    EXPECT_EQ(comp.value(0).toInt(), 1);
    for (const QString &table : {u"T_PERSON"_s, u"T_ORG"_s, u"T_ASPECT"_s, u"T_PART"_s})
        EXPECT_EQ(store.exec(u"SELECT * FROM "_s + table).next(), false) << table.toStdString();
}

class TransactionTest : public DmTest {
protected:
    void addOrg(const QString &name) { addRow(*dm->tbl_ORG, {{u"ORG_SHORT"_s, name}}); }
    void addAspect(int num)
    {
        addRow(*dm->tbl_ASPECT,
               {{u"NUM"_s, num}, {u"NAME"_s, u"Вид %1"_s.arg(num)}, {u"VARIANT"_s, 2}});
    }
};

TEST_F(TransactionTest, GuardWithoutCommitUndoesEveryWriteAndRereadsTheTables)
{
    addOrg(u"Динамо"_s);
    {
        Transaction tx(dm->store());
        addOrg(u"ЦСКА"_s);
        addAspect(0);
        dm->tbl_ORG->first();
        dm->tbl_ORG->edit();
        dm->tbl_ORG->setValue(u"CITY"_s, u"Москва"_s);
        dm->tbl_ORG->post();
        EXPECT_EQ(dm->tbl_ORG->recordCount(), 2);
    }
    EXPECT_EQ(dm->store().depth(), 0);
    EXPECT_EQ(columnTexts(*dm->tbl_ORG, u"ORG_SHORT"_s), QStringList({u"Динамо"_s}));
    EXPECT_EQ(columnTexts(*dm->tbl_ORG, u"CITY"_s), QStringList({u""_s}));
    EXPECT_EQ(dm->tbl_ASPECT->recordCount(), 0);
    EXPECT_EQ(count(u"T_ORG"_s), 1);
    EXPECT_EQ(count(u"T_ASPECT"_s), 0);
    EXPECT_TRUE(fileValue(ws.databaseFile(), u"SELECT CITY FROM T_ORG"_s).isNull());
}

TEST_F(TransactionTest, NestedGuardsLandOnlyWithTheOutermost)
{
    {
        Transaction outer(dm->store());
        addOrg(u"Динамо"_s);
        {
            Transaction inner(dm->store());
            addAspect(0);
            inner.commit();
        }
        EXPECT_EQ(dm->store().depth(), 1);
    }
    EXPECT_EQ(count(u"T_ORG"_s), 0);
    EXPECT_EQ(count(u"T_ASPECT"_s), 0);
    EXPECT_EQ(dm->tbl_ASPECT->recordCount(), 0);

    {
        Transaction outer(dm->store());
        addOrg(u"Динамо"_s);
        {
            Transaction inner(dm->store());
            addAspect(0);
        }
        EXPECT_EQ(dm->tbl_ASPECT->recordCount(), 0);
        EXPECT_EQ(dm->tbl_ORG->recordCount(), 1); // the undo of the inner level keeps the outer
        addAspect(0);
        outer.commit();
    }
    EXPECT_EQ(count(u"T_ORG"_s), 1);
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT GROUP_CONCAT(NAME) FROM T_ASPECT"_s),
              u"Вид 0"_s);
    EXPECT_EQ(columnTexts(*dm->tbl_ASPECT, u"NUM"_s), QStringList({u"0"_s}));
}

TEST_F(TransactionTest, FailingCommandLeavesNoWriteBehind)
{
    addOrg(u"Динамо"_s);
    const auto failingCommand = [this] {
        Transaction tx(dm->store());
        addOrg(u"ЦСКА"_s);
        addAspect(0);
        dm->store().exec(u"UPDATE T_NOWHERE SET X = 1"_s);
        tx.commit();
    };
    EXPECT_THROW(failingCommand(), StoreError);
    EXPECT_EQ(dm->store().depth(), 0);
    EXPECT_EQ(columnTexts(*dm->tbl_ORG, u"ORG_SHORT"_s), QStringList({u"Динамо"_s}));
    EXPECT_EQ(dm->tbl_ASPECT->recordCount(), 0);
    EXPECT_EQ(count(u"T_ORG"_s), 1);
    EXPECT_EQ(count(u"T_ASPECT"_s), 0);

    // A post refused inside a command keeps the operator's typing after the undo.
    Table &org = *dm->tbl_ORG;
    const auto refusedPost = [this, &org] {
        Transaction tx(dm->store());
        addOrg(u"ЦСКА"_s);
        org.append();
        org.setValue(u"CITY"_s, u"Тула"_s);
        org.post();
        tx.commit();
    };
    EXPECT_THROW(refusedPost(), StoreError);
    EXPECT_EQ(org.state(), Table::State::Insert);
    EXPECT_EQ(org.text(u"CITY"_s), u"Тула"_s);
    org.cancel();
    EXPECT_EQ(columnTexts(org, u"ORG_SHORT"_s), QStringList({u"Динамо"_s}));
    EXPECT_EQ(count(u"T_ORG"_s), 1);
}

TEST_F(TransactionTest, PostWhoseFollowUpFailsKeepsTheTypingAndWritesNothing)
{
    addOrg(u"Динамо"_s);
    Table &org = *dm->tbl_ORG;
    org.afterPost = [](Table &) { throw StoreError(u"правило не выполнено"_s); };

    org.first();
    org.edit();
    org.setValue(u"CITY"_s, u"Казань"_s);
    EXPECT_THROW(org.post(), StoreError);
    EXPECT_EQ(org.state(), Table::State::Edit);
    EXPECT_EQ(org.text(u"ORG_SHORT"_s), u"Динамо"_s);
    EXPECT_EQ(org.text(u"CITY"_s), u"Казань"_s);
    EXPECT_TRUE(fileValue(ws.databaseFile(), u"SELECT CITY FROM T_ORG"_s).isNull());
    org.cancel();

    org.append();
    org.setValue(u"ORG_SHORT"_s, u"Спартак"_s);
    EXPECT_THROW(org.post(), StoreError);
    EXPECT_EQ(org.state(), Table::State::Insert);
    EXPECT_EQ(org.text(u"ORG_SHORT"_s), u"Спартак"_s);
    EXPECT_EQ(count(u"T_ORG"_s), 1);

    // With the rule mended the same typing lands.
    org.afterPost = nullptr;
    org.post();
    EXPECT_EQ(count(u"T_ORG"_s), 2);
    EXPECT_EQ(org.text(u"ORG_SHORT"_s), u"Спартак"_s);
}

} // namespace
