#include "entrypeople.h"
#include "filevalue.h"
#include "gridtest.h"
#include "mainwindowfixture.h"
#include "typetext.h"

#include "app/currentcontext.h"
#include "app/ui/tformmain.h"
#include "data/dm.h"
#include "registry/ui/tforminorg.h"
#include "registry/ui/tforminvid.h"
#include "registry/ui/tformorg.h"
#include "widgets/datagrid.h"
#include "widgets/dbnavigator.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

template <class T> T *child(QWidget *window, const QString &name)
{
    T *w = window->findChild<T *>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

void click(QWidget *window, const QString &button)
{
    auto *b = child<QPushButton>(window, button);
    ASSERT_NE(b, nullptr);
    QTest::mouseClick(b, Qt::LeftButton);
}

// A double-click on a row of a grid, as the operator makes it.
void doubleClickRow(DataGrid *grid, int row, int column = 0)
{
    ASSERT_NE(grid, nullptr);
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    ASSERT_TRUE(cell.isValid());
    // Press, release, double-click, release: what a real double-click delivers.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

void selectRow(DataGrid *grid, int row)
{
    ASSERT_NE(grid, nullptr);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(row, 0)).center());
}

// Closes a modal window when the checks inside it end, even after a failed ASSERT, so a
// failing test does not wait for ever in the window's loop.
struct CloseAtEnd {
    QDialog *window;
    ~CloseAtEnd()
    {
        if (window->isVisible()) window->reject();
    }
};

class EntryWindowsTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        startMainWindow([](Store &store) {
            addEntryPeople(store);
            // Сидоров of "Спартак" already takes part in "Шпага"; Белов has pool and
            // elimination rows that outlive his entry.
            store.exec(u"INSERT INTO T_PART (NUM_PERS, NUM_ORG, SURNAME, NAME, ORG, NUM_ASPECT) "
                       u"VALUES (3, 2, 'Сидоров', 'Семён', 'Спартак', 0)"_s);
            store.exec(u"INSERT INTO REZ_TOUR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, PART) "
                       u"VALUES (0, 1, 1, 1)"_s);
            store.exec(u"INSERT INTO REZ_OLIMP (NUM_ASPECT, NUM_TOUR, NUM_CIRCLE, PART) "
                       u"VALUES (0, 7, 1, 1)"_s);
        });
        org = form->formOrg();
        inOrg = org ? org->formInOrg() : nullptr;
        inVid = form->formInVid();
        ASSERT_NE(org, nullptr);
        ASSERT_NE(inOrg, nullptr);
        ASSERT_NE(inVid, nullptr);
    }
    QVariant file(const QString &sql, const QVariantList &values = {}) const
    {
        return fileValue(ws.databaseFile(), sql, values);
    }
    int rowsOf(const QString &table, int person) const
    {
        return file(u"SELECT COUNT(*) FROM %1 WHERE NUM_PERS = ?"_s.arg(table), {person}).toInt();
    }
    QVariant partField(int person, const QString &field) const
    {
        return file(u"SELECT %1 FROM T_PART WHERE NUM_PERS = ?"_s.arg(field), {person});
    }
    void trigger(const QString &action)
    {
        auto *a = form->findChild<QAction *>(action);
        ASSERT_NE(a, nullptr) << action.toStdString();
        ASSERT_TRUE(a->isEnabled()) << action.toStdString();
        a->trigger();
    }
    QStringList gridColumn(QWidget *window, const QString &grid, int column = 0)
    {
        return modelColumn(*child<DataGrid>(window, grid)->model(), column);
    }

    TFormORG *org = nullptr;
    TFormInOrg *inOrg = nullptr;
    TFormInVid *inVid = nullptr;
};

} // namespace

// The whole way of an entry: the menu, "Заявка", the three pages, and back to the main window.
TEST_F(EntryWindowsTest, AnEntryFromTheMenuToTheMainWindow)
{
    int orgRecNo = 0;
    bool entryShown = false;
    QTimer::singleShot(0, org, [&] {
        CloseAtEnd closeOrg{org};
        EXPECT_TRUE(org->isVisible());
        EXPECT_EQ(org->windowTitle(), u"Ввод/редактирование справочника организаций"_s);
        EXPECT_EQ(gridColumn(org, u"DBGrid1"_s), (QStringList{u"Динамо"_s, u"Спартак"_s}));
        EXPECT_FALSE(
            child<DBNavigator>(org, u"DBNavigator1"_s)->button(DBNavigator::Delete)->isVisible());
        selectRow(child<DataGrid>(org, u"DBGrid1"_s), 0);
        orgRecNo = dm->tbl_ORG->recNo();

        QTimer::singleShot(0, inOrg, [&] {
            CloseAtEnd closeInOrg{inOrg};
            entryShown = inOrg->isVisible();
            EXPECT_EQ(child<QLabel>(inOrg, u"lbl_ORG_FULL"_s)->text(),
                      u"Спортивный клуб «Динамо» & Ко"_s);
            DataGrid *people = child<DataGrid>(inOrg, u"DBGrid1"_s);
            DataGrid *parts = child<DataGrid>(inOrg, u"DBGrid2"_s);
            EXPECT_EQ(gridColumn(inOrg, u"DBGrid1"_s),
                      (QStringList{u"Белов"_s, u"Орлов"_s, u"Тренеров"_s}));
            EXPECT_EQ(parts->model()->rowCount(), 0);

            // Орлов twice: one row.
            doubleClickRow(people, 1);
            doubleClickRow(people, 1);
            EXPECT_EQ(rowsOf(u"T_PART"_s, 2), 1);
            EXPECT_EQ(gridColumn(inOrg, u"DBGrid2"_s, 3), QStringList{u"Тренеров"_s});

            // The aspect column offers every aspect; "Шпага" is chosen for Орлов.
            doubleClickRow(parts, 0, 2);
            auto *list = child<QComboBox>(inOrg, u"cb_aspect"_s);
            ASSERT_NE(list, nullptr);
            ASSERT_TRUE(list->isVisible());
            ASSERT_EQ(list->count(), 2);
            EXPECT_EQ(list->itemText(1), u"Рапира"_s);
            QAbstractItemView *choices = list->view();
            QTest::mouseClick(choices->viewport(), Qt::LeftButton, {},
                              choices->visualRect(choices->model()->index(0, 0)).center());
            QCoreApplication::processEvents();
            EXPECT_EQ(partField(2, u"NUM_ASPECT"_s).toInt(), 0);
            EXPECT_EQ(gridColumn(inOrg, u"DBGrid2"_s, 2), QStringList{u"Шпага"_s});
            doubleClickRow(people, 1);
            EXPECT_EQ(rowsOf(u"T_PART"_s, 2), 1);
            EXPECT_EQ(partField(2, u"NUM_ASPECT"_s).toInt(), 0);

            // The whole surname and Enter add Белов, whose trainers were never set.
            auto *search = child<QLineEdit>(inOrg, u"edt_Search"_s);
            typeText(search, u"Белов"_s);
            QTest::keyClick(search, Qt::Key_Return);
            EXPECT_TRUE(search->text().isEmpty());
            EXPECT_EQ(partField(1, u"NUM_PERS1"_s).toInt(), 1);
            EXPECT_TRUE(partField(1, u"SURNAME1"_s).isNull());
            EXPECT_TRUE(partField(1, u"NUM_ASPECT"_s).isNull());

            auto *pages = child<QTabWidget>(inOrg, u"PageControl1"_s);
            pages->setCurrentIndex(1);
            click(inOrg, u"btn_Add"_s);
            click(inOrg, u"btn_Del"_s);
            EXPECT_EQ(
                prompter.errors,
                (QStringList{u"Для добавления тренеров, воспользуйтесь формой ввода людей."_s,
                             u"Для удаления тренеров, воспользуйтесь формой ввода людей."_s}));
            EXPECT_EQ(fileCount(ws.databaseFile(), u"T_TRAIN"_s), 1);

            pages->setCurrentIndex(2);
            doubleClickRow(people, 1);
            doubleClickRow(people, 1);
            EXPECT_EQ(rowsOf(u"T_JUDGE"_s, 2), 1);

            // "Удалить" takes Белов out at once; his results stay.
            pages->setCurrentIndex(0);
            ASSERT_EQ(gridColumn(inOrg, u"DBGrid2"_s), (QStringList{u"Белов"_s, u"Орлов"_s}));
            selectRow(parts, 0);
            click(inOrg, u"btn_Del"_s);
            EXPECT_EQ(rowsOf(u"T_PART"_s, 1), 0);
            EXPECT_EQ(file(u"SELECT COUNT(*) FROM REZ_TOUR WHERE PART = 1"_s).toInt(), 1);
            EXPECT_EQ(file(u"SELECT COUNT(*) FROM REZ_OLIMP WHERE PART = 1"_s).toInt(), 1);

            // Ctrl+Del asks first: No keeps the row.
            doubleClickRow(people, 0);
            selectRow(parts, 0);
            prompter.answers = {false};
            QTest::keyClick(parts, Qt::Key_Delete, Qt::ControlModifier);
            EXPECT_EQ(prompter.confirms, QStringList{u"Удалить запись?"_s});
            EXPECT_EQ(rowsOf(u"T_PART"_s, 1), 1);

            click(inOrg, u"btn_Close"_s);
        });
        click(org, u"btn_InOrg"_s);
        EXPECT_FALSE(inOrg->isVisible());
        EXPECT_EQ(dm->tbl_ORG->recNo(), orgRecNo);
        // The people list holds everyone again.
        EXPECT_EQ(dm->tbl_PERSON->recordCount(), 4);
        click(org, u"btn_Close"_s);
    });
    trigger(u"actOrganizations"_s);
    EXPECT_TRUE(entryShown);
    EXPECT_FALSE(org->isVisible());
    ASSERT_EQ(prompter.infos.size(), 1);
    EXPECT_TRUE(prompter.infos[0].contains(u"без выбранного вида (категории): 1."_s));
    // The aspect change shows aspect 0 again: Сидоров and the newly entered Орлов.
    EXPECT_EQ(modelColumn(*child<DataGrid>(form.get(), u"DBGrid1"_s)->model(), 0),
              (QStringList{u"Орлов"_s, u"Сидоров"_s}));
    EXPECT_EQ(child<QLabel>(form.get(), u"lbl_COUNT"_s)->text(), u"Участников в виде : 2"_s);
}

TEST_F(EntryWindowsTest, AnOrganizationWithoutShortNameStaysInEditing)
{
    org->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(org));
    auto *nav = child<DBNavigator>(org, u"DBNavigator1"_s);
    QTest::mouseClick(nav->button(DBNavigator::Insert), Qt::LeftButton);
    DataGrid *grid = child<DataGrid>(org, u"DBGrid1"_s);
    const int row = dm->tbl_ORG->currentRow();
    QWidget *editor = typeIntoCell(grid, grid->model()->index(row, 1), QString());
    ASSERT_NE(editor, nullptr);
    typeText(editor, u"Омск"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QTest::mouseClick(nav->button(DBNavigator::Post), Qt::LeftButton);
    EXPECT_EQ(prompter.errors, QStringList{u"Поле «Название» должно быть заполнено."_s});
    EXPECT_TRUE(dm->tbl_ORG->isEditing());

    click(org, u"btn_Close"_s);
    EXPECT_TRUE(org->isVisible()); // nothing typed is lost
    EXPECT_EQ(prompter.errors.size(), 2);
    EXPECT_EQ(fileCount(ws.databaseFile(), u"T_ORG"_s), 2);

    editor = typeIntoCell(grid, grid->model()->index(dm->tbl_ORG->currentRow(), 0), QString());
    ASSERT_NE(editor, nullptr);
    typeText(editor, u"Иртыш"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    click(org, u"btn_Close"_s);
    EXPECT_FALSE(org->isVisible());
    EXPECT_EQ(file(u"SELECT CITY FROM T_ORG WHERE ORG_SHORT = 'Иртыш'"_s).toString(), u"Омск"_s);
}

TEST_F(EntryWindowsTest, ParticipantsOfTheAspectFromTheMenu)
{
    selectAspect(1);
    QTimer::singleShot(0, inVid, [&] {
        CloseAtEnd closeInVid{inVid};
        EXPECT_EQ(inVid->windowTitle(), u"Ввод и редактирование участников текущего вида"_s);
        EXPECT_EQ(child<QLabel>(inVid, u"lbl_NAME"_s)->text(), u"Рапира"_s);
        EXPECT_EQ(gridColumn(inVid, u"DBGrid1"_s),
                  (QStringList{u"Белов"_s, u"Орлов"_s, u"Сидоров"_s, u"Тренеров"_s}));
        DataGrid *people = child<DataGrid>(inVid, u"DBGrid1"_s);
        doubleClickRow(people, 2);
        doubleClickRow(people, 2);
        auto *search = child<QLineEdit>(inVid, u"edt_Search"_s);
        typeText(search, u"Орлов"_s);
        QTest::keyClick(search, Qt::Key_Return);
        EXPECT_TRUE(search->text().isEmpty());
        EXPECT_EQ(gridColumn(inVid, u"DBGrid2"_s, 2), (QStringList{u"Динамо"_s, u"Спартак"_s}));
        selectRow(people, 0);
        click(inVid, u"btn_Add"_s);
        EXPECT_EQ(child<DataGrid>(inVid, u"DBGrid2"_s)->model()->rowCount(), 3);
        selectRow(child<DataGrid>(inVid, u"DBGrid2"_s), 0); // Белов
        click(inVid, u"btn_Del"_s);
        click(inVid, u"btn_Close"_s);
    });
    trigger(u"actParticipants"_s);
    EXPECT_FALSE(inVid->isVisible());
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
    // Each has their own organization and the aspect; the first trainer is copied.
    EXPECT_EQ(file(u"SELECT group_concat(NUM_PERS || ':' || ORG || ':' || NUM_ASPECT, ',') FROM "
                   u"(SELECT * FROM T_PART WHERE NUM_ASPECT = 1 ORDER BY NUM)"_s)
                  .toString(),
              u"3:Спартак:1,2:Динамо:1"_s);
    EXPECT_EQ(partField(2, u"SURNAME1"_s).toString(), u"Тренеров"_s);
    EXPECT_EQ(rowsOf(u"T_PART"_s, 1), 0);
    EXPECT_EQ(child<QLabel>(form.get(), u"lbl_COUNT"_s)->text(), u"Участников в виде : 2"_s);
}

TEST_F(EntryWindowsTest, DoubleClickOnTheParticipantsOpensTheWindow)
{
    bool shown = false;
    QTimer::singleShot(0, inVid, [&] {
        CloseAtEnd closeInVid{inVid};
        shown = inVid->isVisible();
        EXPECT_EQ(child<QLabel>(inVid, u"lbl_NAME"_s)->text(), u"Шпага"_s);
        EXPECT_EQ(gridColumn(inVid, u"DBGrid2"_s), QStringList{u"Сидоров"_s});
        inVid->close();
    });
    doubleClickRow(child<DataGrid>(form.get(), u"DBGrid1"_s), 0);
    EXPECT_TRUE(shown);
}

TEST_F(EntryWindowsTest, HelpPagesAreShipped)
{
    org->show();
    click(org, u"btn_Help"_s);
    org->close();
    dm->tbl_ORG->first();
    inOrg->show();
    click(inOrg, u"btn_Help"_s);
    inOrg->close();
    inVid->show();
    click(inVid, u"btn_Help"_s);
    inVid->close();
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}
