#include "gridtest.h"
#include "tempworkspace.h"
#include "twoaspects.h"

#include "widgets/fieldcolumns.h"
#include "data/storeerror.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

class FieldColumnsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = ws.openDm();
        test::addTwoAspects(dm->store());
        dm->store().refreshAll();
    }
    static QStringList column(const QAbstractItemModel &m, int c)
    {
        return test::modelColumn(m, c);
    }

    test::TempWorkspace ws;
    std::unique_ptr<TDM> dm;
};

} // namespace

TEST_F(FieldColumnsTest, ShowsTheChosenFieldsInTheirOrderWithCaptions)
{
    FieldColumns columns(dm->DS_PART, {u"PLACE"_s, u"SURNAME"_s, u"ORG"_s});
    QAbstractItemModelTester tester(&columns,
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(columns.columnCount(), 3);
    EXPECT_EQ(columns.rowCount(), dm->tbl_PART->recordCount());
    EXPECT_EQ(columns.headerData(0, Qt::Horizontal).toString(), u"Место"_s);
    EXPECT_EQ(columns.headerData(1, Qt::Horizontal).toString(), u"Фамилия"_s);
    EXPECT_EQ(columns.headerData(2, Qt::Horizontal).toString(), u"Организация"_s);
    for (int r = 0; r < columns.rowCount(); ++r) {
        EXPECT_EQ(columns.index(r, 1).data().toString(),
                  dm->tbl_PART->cell(r, dm->tbl_PART->fieldIndex(u"SURNAME"_s)).toString());
        EXPECT_EQ(columns.index(r, 0).data(Qt::EditRole),
                  dm->tbl_PART->cell(r, dm->tbl_PART->fieldIndex(u"PLACE"_s)));
    }
    EXPECT_EQ(columns.columnOf(u"org"_s), 2);
    EXPECT_EQ(columns.columnOf(u"NAME"_s), -1);
    // Source columns that are not shown map to nothing.
    EXPECT_FALSE(columns.mapFromSource(dm->DS_PART->index(0, dm->DS_PART->fieldColumn(u"NAME"_s)))
                     .isValid());
    EXPECT_EQ(columns.mapToSource(columns.index(0, 2)).column(),
              dm->DS_PART->fieldColumn(u"ORG"_s));
}

TEST_F(FieldColumnsTest, FollowsFilterAndOrderChangesOfTheTable)
{
    FieldColumns columns(dm->DS_PART, {u"SURNAME"_s});
    QAbstractItemModelTester tester(&columns,
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy resets(&columns, &QAbstractItemModel::modelReset);
    dm->tbl_PART->applyFilter(u"NUM_ASPECT=0"_s);
    EXPECT_GE(resets.count(), 1);
    EXPECT_EQ(column(columns, 0),
              (QStringList{u"Иванов"_s, u"Кузнецов"_s, u"Петров"_s, u"Сидоров"_s}));
    dm->tbl_PART->setIndexName(u"ind_start"_s);
    EXPECT_EQ(column(columns, 0),
              (QStringList{u"Петров"_s, u"Кузнецов"_s, u"Иванов"_s, u"Сидоров"_s}));
}

TEST_F(FieldColumnsTest, EditsPassToTheTableUnlessReadOnly)
{
    dm->tbl_PART->applyFilter(u"NUM_ASPECT=0"_s);
    FieldColumns columns(dm->DS_PART, {u"SURNAME"_s, u"START"_s});
    QAbstractItemModelTester tester(&columns,
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy changes(&columns, &QAbstractItemModel::dataChanged);
    EXPECT_TRUE(columns.flags(columns.index(0, 1)) & Qt::ItemIsEditable);
    // Row 0 is Иванов by surname.
    EXPECT_TRUE(columns.setData(columns.index(0, 1), 9));
    EXPECT_EQ(test::fileValue(ws.databaseFile(), u"SELECT START FROM T_PART WHERE SURNAME = ?"_s,
                              {u"Иванов"_s})
                  .toInt(),
              9);
    EXPECT_GE(changes.count(), 1);
    EXPECT_EQ(columns.index(0, 1).data().toString(), u"9"_s);

    columns.setReadOnly(true);
    EXPECT_FALSE(columns.flags(columns.index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(columns.setData(columns.index(0, 1), 10));
    EXPECT_EQ(test::fileValue(ws.databaseFile(), u"SELECT START FROM T_PART WHERE SURNAME = ?"_s,
                              {u"Иванов"_s})
                  .toInt(),
              9);
}

TEST_F(FieldColumnsTest, SwitchesSourceAndRefusesUnknownFields)
{
    FieldColumns columns(dm->DS_TOUR_PR, {u"NUM_GROUP"_s, u"KOL"_s});
    QAbstractItemModelTester tester(&columns,
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(columns.columnCount(), 2);
    columns.setSource(dm->DS_TOUR_OLIMP, {u"NUM_CIRCLE"_s});
    EXPECT_EQ(columns.source(), dm->DS_TOUR_OLIMP);
    EXPECT_EQ(columns.columnCount(), 1);
    EXPECT_EQ(columns.rowCount(), dm->tbl_TOUR_OLIMP->recordCount());
    EXPECT_EQ(columns.headerData(0, Qt::Horizontal).toString(), u"Круг"_s);

    EXPECT_THROW(columns.setSource(dm->DS_TOUR_PR, {u"NO_SUCH_FIELD"_s}), StoreError);
    // A refused switch leaves the grid as it was.
    EXPECT_EQ(columns.source(), dm->DS_TOUR_OLIMP);
    EXPECT_EQ(columns.fields(), QStringList{u"NUM_CIRCLE"_s});
}
