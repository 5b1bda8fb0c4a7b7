#include "gridtest.h"
#include "mainwindowfixture.h"
#include "recordingprompter.h"
#include "tempworkspace.h"
#include "twoaspects.h"

#include "app/ui/aboutbox.h"
#include "app/currentcontext.h"
#include "widgets/datagrid.h"
#include "app/ui/tformmain.h"

#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

// The context-menu commands on the participants, run from the main window as the operator
// would: right-click, choose the entry, answer the question.
class ClassificationWindowTest : public test::MainWindowFixture {
protected:
    void SetUp() override
    {
        startMainWindow([](Store &store) {
            test::addTwoAspects(store);
            store.exec(u"UPDATE T_PART SET FIGHT = 4, VICTORY = 3, PRICK = 12, PRICK_PASS = 7"_s);
        });
        participants = form->findChild<DataGrid *>(u"DBGrid1"_s);
        ASSERT_NE(participants, nullptr);
    }

    // Chooses the context-menu entry by its object name.
    void choose(const QString &name)
    {
        QAction *action = form->contextMenu()->findChild<QAction *>(name);
        ASSERT_NE(action, nullptr) << name.toStdString();
        ASSERT_TRUE(action->isEnabled()) << name.toStdString();
        action->trigger();
    }

    int gridColumn(const QString &caption) const
    {
        const QAbstractItemModel *model = participants->model();
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal).toString() == caption) return c;
        ADD_FAILURE() << "no column " << caption.toStdString();
        return -1;
    }
    // Surname -> the text the grid shows in that column.
    std::map<QString, QString> shown(const QString &caption) const
    {
        std::map<QString, QString> out;
        const QAbstractItemModel *model = participants->model();
        const int column = gridColumn(caption);
        for (int r = 0; r < model->rowCount(); ++r)
            out[model->index(r, 0).data().toString()] = model->index(r, column).data().toString();
        return out;
    }
    // Surname -> the value the file holds, for the participants of an aspect.
    std::map<QString, QString> stored(const QString &field, int aspect) const
    {
        std::map<QString, QString> out;
        const QStringList rows =
            test::fileValue(ws.databaseFile(),
                            u"SELECT group_concat(SURNAME || '=' || IFNULL(%1, ''), ';') FROM "
                            u"T_PART WHERE NUM_ASPECT = ?"_s.arg(field),
                            {aspect})
                .toString()
                .split(u';');
        for (const QString &row : rows)
            out[row.section(u'=', 0, 0)] = row.section(u'=', 1);
        return out;
    }

    DataGrid *participants = nullptr;
};

} // namespace

TEST_F(ClassificationWindowTest, TheFiveEntriesAreAvailable)
{
    for (const QString &name : {u"actRandomClass"_s, u"actRandomRestClass"_s, u"actClassToStart"_s,
                                u"actPlaceToStart"_s, u"actZeroResults"_s}) {
        QAction *action = form->contextMenu()->findChild<QAction *>(name);
        ASSERT_NE(action, nullptr) << name.toStdString();
        EXPECT_TRUE(action->isEnabled()) << name.toStdString();
    }
}

TEST_F(ClassificationWindowTest, RandomClassificationShowsInTheGrid)
{
    selectAspect(1);
    choose(u"actRandomClass"_s);
    EXPECT_TRUE(prompter.confirms.isEmpty());
    EXPECT_TRUE(prompter.errors.isEmpty());
    const auto grid = shown(u"Кл-ция"_s);
    ASSERT_EQ(grid.size(), 5u);
    EXPECT_EQ(grid, stored(u"CLASSIFICATION"_s, 1));
    QStringList numbers;
    for (const auto &[surname, number] : grid)
        numbers << number;
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));
    // The other aspect's classification is where it was.
    EXPECT_EQ(stored(u"CLASSIFICATION"_s, 0),
              (std::map<QString, QString>{{u"Иванов"_s, u"2"_s},
                                          {u"Петров"_s, u"1"_s},
                                          {u"Сидоров"_s, u"4"_s},
                                          {u"Кузнецов"_s, u"3"_s}}));
}

TEST_F(ClassificationWindowTest, RandomRestFillsTheEmptyCells)
{
    dm->store().exec(u"UPDATE T_PART SET CLASSIFICATION = NULL WHERE SURNAME IN (?, ?)"_s,
                     {u"Петров"_s, u"Сидоров"_s});
    dm->store().refreshAll();
    selectAspect(0);
    choose(u"actRandomRestClass"_s);
    const auto grid = shown(u"Кл-ция"_s);
    EXPECT_EQ(grid, stored(u"CLASSIFICATION"_s, 0));
    EXPECT_EQ(grid.at(u"Иванов"_s), u"2"_s);
    EXPECT_EQ(grid.at(u"Кузнецов"_s), u"3"_s);
    QStringList drawn{grid.at(u"Петров"_s), grid.at(u"Сидоров"_s)};
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, (QStringList{u"3"_s, u"4"_s}));
}

TEST_F(ClassificationWindowTest, CopiesAfterYesShowInTheGrid)
{
    selectAspect(1);
    choose(u"actClassToStart"_s);
    EXPECT_EQ(
        prompter.confirms,
        QStringList{u"Скопировать классификацию в поле стартового номера на следующий тур?"_s});
    EXPECT_EQ(shown(u"№ старт"_s), shown(u"Кл-ция"_s));
    EXPECT_EQ(shown(u"№ старт"_s), stored(u"START"_s, 1));

    choose(u"actPlaceToStart"_s);
    EXPECT_EQ(prompter.confirms.size(), 2);
    EXPECT_EQ(shown(u"№ старт"_s), shown(u"Место"_s));
    EXPECT_EQ(shown(u"№ старт"_s), stored(u"START"_s, 1));
}

TEST_F(ClassificationWindowTest, ZeroingShowsInTheGridAndTheHeldBox)
{
    selectAspect(1); // its first tour is held
    auto *held = form->findChild<QCheckBox *>(u"cb_STATE"_s);
    ASSERT_NE(held, nullptr);
    ASSERT_TRUE(held->isChecked());
    choose(u"actZeroResults"_s);
    EXPECT_EQ(prompter.confirms.size(), 1);
    for (const QString &caption : {u"Боев"_s, u"Побед"_s, u"НУ"_s, u"ПУ"_s, u"Место"_s})
        for (const auto &[surname, value] : shown(caption))
            EXPECT_EQ(value, u"0"_s) << caption.toStdString() << " " << surname.toStdString();
    EXPECT_EQ(shown(u"Боев"_s), stored(u"FIGHT"_s, 1));
    EXPECT_FALSE(held->isChecked());
    EXPECT_EQ(test::fileValue(ws.databaseFile(),
                              u"SELECT STATE FROM T_VT WHERE NUM_ASPECT = 1 AND NUM_TOUR = 1"_s)
                  .toInt(),
              0);
    EXPECT_EQ(shown(u"Кл-ция"_s), stored(u"CLASSIFICATION"_s, 1));
}

TEST_F(ClassificationWindowTest, NoLeavesTheGridAndTheFile)
{
    selectAspect(1);
    prompter.defaultAnswer = false;
    const auto before = stored(u"START"_s, 1);
    const auto fights = shown(u"Боев"_s);
    choose(u"actClassToStart"_s);
    choose(u"actZeroResults"_s);
    EXPECT_EQ(prompter.confirms.size(), 2);
    EXPECT_EQ(stored(u"START"_s, 1), before);
    EXPECT_EQ(shown(u"№ старт"_s), before);
    EXPECT_EQ(shown(u"Боев"_s), fights);
}

TEST_F(ClassificationWindowTest, ACellBeingTypedLandsBeforeTheCommand)
{
    selectAspect(1);
    // The operator types 9 into Абрамова's classification and, without leaving the cell,
    // copies classification into start numbers.
    const QAbstractItemModel *model = participants->model();
    int row = -1;
    for (int r = 0; r < model->rowCount(); ++r)
        if (model->index(r, 0).data().toString() == u"Абрамова"_s) row = r;
    ASSERT_GE(row, 0);
    const QModelIndex cell = model->index(row, gridColumn(u"Кл-ция"_s));
    ASSERT_NE(test::typeIntoCell(participants, cell, u"9"_s), nullptr);
    choose(u"actClassToStart"_s);
    EXPECT_TRUE(prompter.errors.isEmpty());
    EXPECT_EQ(stored(u"CLASSIFICATION"_s, 1).at(u"Абрамова"_s), u"9"_s);
    EXPECT_EQ(stored(u"START"_s, 1).at(u"Абрамова"_s), u"9"_s);
    EXPECT_EQ(shown(u"№ старт"_s).at(u"Абрамова"_s), u"9"_s);
}
