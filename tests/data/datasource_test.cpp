// Data sources: the item models grids bind to.

#include "datatestutil.h"

#include <QSignalSpy>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class DataSourceTest : public DmTest {
protected:
    void SetUp() override
    {
        for (const auto &[surname, aspect] :
             {std::pair{u"Белов"_s, 1}, std::pair{u"Антонов"_s, 2}, std::pair{u"Волков"_s, 1}})
            addRow(part(), {{u"SURNAME"_s, surname}, {u"NUM_ASPECT"_s, aspect}});
    }
    Table &part() { return *dm->tbl_PART; }
    DataSource &model() { return *dm->DS_PART; }
    int column(const QString &field) { return model().fieldColumn(field); }
    QStringList shownSurnames()
    {
        QStringList out;
        for (int row = 0; row < model().rowCount(); ++row)
            out << model().data(model().index(row, column(u"SURNAME"_s))).toString();
        return out;
    }
};

TEST_F(DataSourceTest, RowsFollowTheTable)
{
    EXPECT_EQ(shownSurnames(), QStringList({u"Антонов"_s, u"Белов"_s, u"Волков"_s}));
    part().applyFilter(u"NUM_ASPECT=1"_s);
    EXPECT_EQ(shownSurnames(), QStringList({u"Белов"_s, u"Волков"_s}));

    part().append();
    EXPECT_EQ(model().rowCount(), 3);
    part().setValue(u"SURNAME"_s, u"Абрикосов"_s);
    part().setValue(u"NUM_ASPECT"_s, 1);
    part().post();
    EXPECT_EQ(shownSurnames(), QStringList({u"Абрикосов"_s, u"Белов"_s, u"Волков"_s}));

    ASSERT_TRUE(part().locate(u"SURNAME"_s, u"Белов"_s));
    part().edit();
    part().setValue(u"NUM_ASPECT"_s, 2);
    part().post();
    EXPECT_EQ(shownSurnames(), QStringList({u"Абрикосов"_s, u"Волков"_s}));

    part().first();
    part().remove();
    EXPECT_EQ(shownSurnames(), QStringList({u"Волков"_s}));
    part().setFiltered(false);
    EXPECT_EQ(model().rowCount(), 3);
}

TEST_F(DataSourceTest, HeadersComeFromTheSchema)
{
    EXPECT_EQ(model().columnCount(), int(schemaTable(u"T_PART"_s)->fields.size()));
    EXPECT_EQ(model().headerData(column(u"SURNAME"_s), Qt::Horizontal).toString(), u"Фамилия"_s);
    EXPECT_EQ(model().headerData(column(u"famname"_s), Qt::Horizontal).toString(),
              u"Фамилия Имя"_s);
    EXPECT_EQ(model().headerData(column(u"START"_s), Qt::Horizontal).toString(), u"№ старт"_s);
    // A field without a caption shows its name.
    EXPECT_EQ(
        dm->DS_COMP->headerData(dm->DS_COMP->fieldColumn(u"j_org"_s), Qt::Horizontal).toString(),
        u"j_org"_s);
}

TEST_F(DataSourceTest, OnlyStoredFieldsAreEditable)
{
    const auto editable = [this](const QString &field) {
        return bool(model().flags(model().index(0, column(field))) & Qt::ItemIsEditable);
    };
    EXPECT_TRUE(editable(u"SURNAME"_s));
    EXPECT_TRUE(editable(u"START"_s));
    EXPECT_FALSE(editable(u"NUM"_s));
    EXPECT_FALSE(editable(u"aspect"_s));
    EXPECT_FALSE(editable(u"famname"_s));
    EXPECT_FALSE(model().setData(model().index(0, column(u"famname"_s)), u"Кто-то"_s));
    EXPECT_TRUE(part().cell(0, column(u"famname"_s)).toString().startsWith(u"Антонов"_s));
}

TEST_F(DataSourceTest, TypedValueIsPostedToTheFile)
{
    part().first();
    ASSERT_TRUE(model().setData(model().index(2, column(u"START"_s)), u"12"_s));
    EXPECT_FALSE(part().isEditing());
    EXPECT_EQ(part().text(u"SURNAME"_s), u"Волков"_s);
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT START FROM T_PART WHERE SURNAME='Волков'"_s),
              12);
    EXPECT_TRUE(fileValue(ws.databaseFile(), u"SELECT START FROM T_PART WHERE SURNAME='Антонов'"_s)
                    .isNull());
    EXPECT_EQ(model().data(model().index(2, column(u"START"_s))).toString(), u"12"_s);

    // A typed surname moves the row to its place in the order.
    ASSERT_TRUE(model().setData(model().index(0, column(u"SURNAME"_s)), u"Яшин"_s));
    EXPECT_EQ(shownSurnames(), QStringList({u"Белов"_s, u"Волков"_s, u"Яшин"_s}));
}

TEST_F(DataSourceTest, RefusedValueReportsAndLeavesTheRow)
{
    QSignalSpy failed(&model(), &DataSource::editFailed);
    EXPECT_FALSE(model().setData(model().index(1, column(u"START"_s)), u"пять"_s));
    EXPECT_FALSE(model().setData(model().index(1, column(u"START"_s)), 40000));
    EXPECT_FALSE(model().setData(model().index(1, column(u"SURNAME"_s)),
                                 u"Белов-Белов-Белов-Белов-Белов"_s));
    ASSERT_EQ(failed.count(), 3);
    EXPECT_TRUE(failed.at(0).at(0).toString().contains(u"№ старт"_s));
    EXPECT_TRUE(failed.at(2).at(0).toString().contains(u"Фамилия"_s));
    EXPECT_FALSE(part().isEditing());
    EXPECT_EQ(part().text(u"SURNAME"_s), u"Белов"_s);
    EXPECT_TRUE(part().value(u"START"_s).isNull());
    EXPECT_EQ(shownSurnames(), QStringList({u"Антонов"_s, u"Белов"_s, u"Волков"_s}));
    EXPECT_TRUE(
        fileValue(ws.databaseFile(), u"SELECT START FROM T_PART WHERE SURNAME='Белов'"_s).isNull());
}

TEST_F(DataSourceTest, DetachedSourceStaysQuietUntilReattached)
{
    QSignalSpy resets(&model(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(&model(), &QAbstractItemModel::dataChanged);
    model().setEnabled(false);
    part().applyFilter(u"NUM_ASPECT=1"_s);
    addRow(part(), {{u"SURNAME"_s, u"Гусев"_s}, {u"NUM_ASPECT"_s, 1}});
    part().first();
    part().edit();
    part().setValue(u"NAME"_s, u"Иван"_s);
    part().post();
    part().remove();
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(changes.count(), 0);
    model().setEnabled(true);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(shownSurnames(), QStringList({u"Волков"_s, u"Гусев"_s}));
}

} // namespace
