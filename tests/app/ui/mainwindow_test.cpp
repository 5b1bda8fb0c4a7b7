#include "gridtest.h"
#include "mainwindowfixture.h"
#include "recordingprompter.h"
#include "tempworkspace.h"
#include "twoaspects.h"

#include "app/ui/aboutbox.h"
#include "app/currentcontext.h"
#include "widgets/datagrid.h"
#include "app/helppage.h"
#include "app/commandtable.h"
#include "app/ui/tformmain.h"
#include "widgets/fieldcolumns.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

// The main window on the two-aspect competition (or on an empty one).
class MainWindowTest : public test::MainWindowFixture {
protected:
    void start(bool withAspects = true)
    {
        if (withAspects)
            startMainWindow(test::addTwoAspects);
        else
            startMainWindow();
    }

    template <class T> T *child(const QString &name) const
    {
        T *w = form->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    DataGrid *grid(const QString &name) const { return child<DataGrid>(name); }

    static QStringList headers(const QTableView *view)
    {
        QStringList out;
        for (int c = 0; c < view->model()->columnCount(); ++c)
            out << view->model()->headerData(c, Qt::Horizontal).toString();
        return out;
    }
    static QStringList columnTexts(const QTableView *view, int column)
    {
        return test::modelColumn(*view->model(), column);
    }
    static void clickRow(QTableView *view, int row)
    {
        const QRect cell = view->visualRect(view->model()->index(row, 0));
        ASSERT_TRUE(cell.isValid()) << "row " << row << " is not on screen";
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    }

    QVariant fileValue(const QString &sql, const QVariantList &values = {}) const
    {
        return test::fileValue(ws.databaseFile(), sql, values);
    }
};

} // namespace

TEST_F(MainWindowTest, StartsOnTheFirstAspectAndItsFirstTour)
{
    start();
    EXPECT_EQ(form->windowTitle(), u"Программа для обслуживания соревнований по фехтованию"_s);
    EXPECT_EQ(form->size(), QSize(780, 580));

    auto *vid = child<QGroupBox>(u"VID"_s);
    EXPECT_EQ(vid->title(), u"Вид соревнований"_s);
    const QList<QRadioButton *> radios = vid->findChildren<QRadioButton *>();
    ASSERT_EQ(radios.size(), 2);
    EXPECT_EQ(child<QRadioButton>(u"VID_0"_s)->text(), u"Шпага, мужчины"_s);
    EXPECT_EQ(child<QRadioButton>(u"VID_1"_s)->text(), u"Рапира, женщины"_s);
    EXPECT_TRUE(child<QRadioButton>(u"VID_0"_s)->isChecked());

    EXPECT_EQ(child<QLabel>(u"lbl_NAME"_s)->text(), u"Первенство города по фехтованию"_s);
    EXPECT_TRUE(child<QLabel>(u"lbl_NAME"_s)->font().bold());
    EXPECT_EQ(child<QLabel>(u"lbl_PLACE"_s)->text(), u"г. Казань"_s);
    EXPECT_EQ(child<QLabel>(u"lbl_DATA"_s)->text(), u"15.03.2024 - 17.03.2024"_s);
    EXPECT_EQ(child<QLabel>(u"lbl_ASPECT"_s)->text(), u"Шпага, мужчины"_s);
    EXPECT_EQ(child<QLabel>(u"lbl_TOUR"_s)->text(), u"1 предварительный тур"_s);
    EXPECT_EQ(child<QLabel>(u"lbl_COUNT"_s)->text(), u"Участников в виде : 4"_s);

    EXPECT_TRUE(child<QWidget>(u"TourStrip"_s)->isEnabled());
    EXPECT_EQ(child<QDateEdit>(u"ed_TOUR_DATE"_s)->date(), QDate(2024, 3, 15));
    EXPECT_EQ(child<QLineEdit>(u"ed_KOL"_s)->text(), u"12"_s);
    EXPECT_FALSE(child<QCheckBox>(u"cb_STATE"_s)->isChecked());

    DataGrid *parts = grid(u"DBGrid1"_s);
    EXPECT_EQ(headers(parts),
              (QStringList{u"Фамилия"_s, u"Имя"_s, u"Организация"_s, u"Боев"_s, u"Побед"_s, u"НУ"_s,
                           u"ПУ"_s, u"Кл-ция"_s, u"Место"_s, u"№ старт"_s}));
    EXPECT_EQ(columnTexts(parts, 0),
              (QStringList{u"Иванов"_s, u"Кузнецов"_s, u"Петров"_s, u"Сидоров"_s}));
    EXPECT_EQ(headers(grid(u"DBGrid2"_s)), QStringList{u"Туры"_s});
    EXPECT_EQ(columnTexts(grid(u"DBGrid2"_s), 0),
              (QStringList{u"1 предварительный тур"_s, u"Тур прямого выбывания"_s}));
    EXPECT_EQ(headers(grid(u"DBGrid3"_s)), (QStringList{u"Группа"_s, u"Кол-во"_s}));
    EXPECT_EQ(columnTexts(grid(u"DBGrid3"_s), 1), (QStringList{u"6"_s, u"6"_s, u"5"_s}));

    auto *sort = child<QGroupBox>(u"rg1"_s);
    EXPECT_EQ(sort->title(), u"Сортировать по :"_s);
    QStringList sortTexts;
    for (int i = 0; i < 5; ++i)
        sortTexts << child<QRadioButton>(u"rg1_%1"_s.arg(i))->text();
    EXPECT_EQ(sortTexts, CurrentContext::sortItems());
    EXPECT_TRUE(child<QRadioButton>(u"rg1_0"_s)->isChecked());
    // All five in one row.
    EXPECT_EQ(child<QRadioButton>(u"rg1_0"_s)->y(), child<QRadioButton>(u"rg1_4"_s)->y());

    // The tour buttons: preparing, conducting and summing up a tour.
    for (const auto &[name, text, enabled] :
         {std::tuple{u"Button2"_s, u"Подготовка к туру"_s, true},
          std::tuple{u"Button1"_s, u"Проведение тура"_s, true},
          std::tuple{u"BitBtn1"_s, u"Подвести итоги"_s, true}}) {
        auto *button = child<QPushButton>(name);
        EXPECT_EQ(button->text(), text);
        EXPECT_EQ(button->isEnabled(), enabled) << name.toStdString();
    }
}

TEST_F(MainWindowTest, ClickingAnAspectFiltersItsTables)
{
    start();
    selectAspect(1);
    EXPECT_EQ(context->currentAspect(), 1);
    EXPECT_TRUE(child<QRadioButton>(u"VID_1"_s)->isChecked());

    EXPECT_EQ(dm->tbl_ASPECT->filterText(), u"NUM=1"_s);
    EXPECT_EQ(dm->tbl_PART->filterText(), u"NUM_ASPECT=1"_s);
    EXPECT_EQ(dm->tbl_VARIANT->filterText(), u"NUM=1"_s);
    EXPECT_EQ(dm->tbl_VT->filterText(), u"NUM_ASPECT=1 AND NUM_TOUR=1"_s);
    EXPECT_EQ(dm->tbl_TOUR_PR->filterText(), u"NUM_ASPECT=1 AND NUM_TOUR=1"_s);
    for (Table *t : {dm->tbl_ASPECT, dm->tbl_PART, dm->tbl_VARIANT, dm->tbl_VT, dm->tbl_TOUR_PR})
        EXPECT_TRUE(t->isFiltered()) << t->objectName().toStdString();

    EXPECT_EQ(grid(u"DBGrid1"_s)->model()->rowCount(), 5);
    EXPECT_EQ(child<QLabel>(u"lbl_COUNT"_s)->text(), u"Участников в виде : 5"_s);
    EXPECT_EQ(child<QLabel>(u"lbl_ASPECT"_s)->text(), u"Рапира, женщины"_s);

    // A variant of three tours: three rows, the first one current.
    DataGrid *tours = grid(u"DBGrid2"_s);
    EXPECT_EQ(columnTexts(tours, 0),
              (QStringList{u"1 предварительный тур"_s, u"2 предварительный тур"_s,
                           u"Тур прямого выбывания"_s}));
    EXPECT_EQ(tours->currentIndex().row(), 0);
    EXPECT_EQ(dm->tbl_VARIANT->currentRow(), 0);
    EXPECT_EQ(context->currentTourKind(), 1);

    EXPECT_EQ(grid(u"DBGrid3"_s)->model()->rowCount(), 2);
    EXPECT_EQ(child<QLineEdit>(u"ed_KOL"_s)->text(), u"10"_s);
    EXPECT_EQ(child<QDateEdit>(u"ed_TOUR_DATE"_s)->date(), QDate(2024, 3, 16));
    EXPECT_TRUE(child<QCheckBox>(u"cb_STATE"_s)->isChecked());

    // And back to the first aspect.
    selectAspect(0);
    EXPECT_EQ(dm->tbl_PART->filterText(), u"NUM_ASPECT=0"_s);
    EXPECT_EQ(dm->tbl_VARIANT->filterText(), u"NUM=2"_s);
    EXPECT_EQ(grid(u"DBGrid1"_s)->model()->rowCount(), 4);
    EXPECT_EQ(grid(u"DBGrid2"_s)->model()->rowCount(), 2);
    EXPECT_EQ(grid(u"DBGrid3"_s)->model()->rowCount(), 3);
}

TEST_F(MainWindowTest, TourRowsSwitchTheRightGrid)
{
    start();
    selectAspect(1);
    DataGrid *tours = grid(u"DBGrid2"_s);
    DataGrid *right = grid(u"DBGrid3"_s);

    clickRow(tours, 2); // direct elimination
    EXPECT_EQ(context->currentTourKind(), 7);
    EXPECT_EQ(tours->currentIndex().row(), 2);
    EXPECT_EQ(right->source(), dm->DS_TOUR_OLIMP);
    EXPECT_EQ(headers(right), QStringList{u"Круг"_s});
    EXPECT_EQ(columnTexts(right, 0), (QStringList{u"1"_s, u"2"_s}));
    EXPECT_EQ(dm->tbl_TOUR_OLIMP->filterText(), u"NUM_ASPECT=1 AND NUM_TOUR=7"_s);
    EXPECT_EQ(dm->tbl_VT->filterText(), u"NUM_ASPECT=1 AND NUM_TOUR=7"_s);
    EXPECT_EQ(child<QLabel>(u"lbl_TOUR"_s)->text(), u"Тур прямого выбывания"_s);
    EXPECT_EQ(child<QLineEdit>(u"ed_KOL"_s)->text(), u"4"_s);
    // A tour change alone does not touch the participants or their count.
    EXPECT_EQ(child<QLabel>(u"lbl_COUNT"_s)->text(), u"Участников в виде : 5"_s);

    clickRow(tours, 1); // the second pool tour
    EXPECT_EQ(context->currentTourKind(), 2);
    EXPECT_EQ(right->source(), dm->DS_TOUR_PR);
    EXPECT_EQ(headers(right), (QStringList{u"Группа"_s, u"Кол-во"_s}));
    EXPECT_EQ(columnTexts(right, 1), QStringList{u"8"_s});
    EXPECT_EQ(child<QLabel>(u"lbl_TOUR"_s)->text(), u"2 предварительный тур"_s);
    EXPECT_EQ(child<QLineEdit>(u"ed_KOL"_s)->text(), u"8"_s);
}

TEST_F(MainWindowTest, SortGroupOrdersTheParticipants)
{
    start();
    selectAspect(1);
    DataGrid *parts = grid(u"DBGrid1"_s);
    const QStringList bySurname{u"Абрамова"_s, u"Борисова"_s, u"Васильева"_s, u"Григорьева"_s,
                                u"Дмитриева"_s};
    EXPECT_EQ(columnTexts(parts, 0), bySurname);

    clickRadio(child<QRadioButton>(u"rg1_3"_s)); // "месту"
    EXPECT_EQ(context->sortOrder(), 3);
    EXPECT_EQ(columnTexts(parts, 0), (QStringList{u"Васильева"_s, u"Борисова"_s, u"Дмитриева"_s,
                                                  u"Абрамова"_s, u"Григорьева"_s}));
    EXPECT_EQ(columnTexts(parts, 8), (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));
    EXPECT_EQ(dm->tbl_PART->currentRow(), 0);

    clickRadio(child<QRadioButton>(u"rg1_4"_s)); // "старт-му"
    EXPECT_EQ(columnTexts(parts, 0), (QStringList{u"Григорьева"_s, u"Абрамова"_s, u"Васильева"_s,
                                                  u"Дмитриева"_s, u"Борисова"_s}));
    EXPECT_EQ(columnTexts(parts, 9), (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));

    clickRadio(child<QRadioButton>(u"rg1_1"_s)); // "орг-ции"
    EXPECT_EQ(columnTexts(parts, 2),
              (QStringList{u"Динамо"_s, u"Динамо"_s, u"Спартак"_s, u"ЦСКА"_s, u"ЦСКА"_s}));

    // The order survives an aspect change.
    selectAspect(0);
    EXPECT_EQ(columnTexts(parts, 2),
              (QStringList{u"Динамо"_s, u"Динамо"_s, u"Спартак"_s, u"ЦСКА"_s}));
    clickRadio(child<QRadioButton>(u"rg1_0"_s));
    EXPECT_EQ(columnTexts(parts, 0),
              (QStringList{u"Иванов"_s, u"Кузнецов"_s, u"Петров"_s, u"Сидоров"_s}));
}

TEST_F(MainWindowTest, ClickingAParticipantMovesTheCursor)
{
    start();
    DataGrid *parts = grid(u"DBGrid1"_s);
    clickRow(parts, 2);
    EXPECT_EQ(dm->tbl_PART->currentRow(), 2);
    EXPECT_EQ(dm->tbl_PART->text(u"SURNAME"_s), u"Петров"_s);
    // And the grid follows a cursor moved by anyone else.
    dm->tbl_PART->last();
    EXPECT_EQ(parts->currentIndex().row(), 3);
}

TEST_F(MainWindowTest, EnterInTheDateEditStoresTheDate)
{
    start();
    selectAspect(1);
    clickRow(grid(u"DBGrid2"_s), 1); // tour 2 has no date yet
    auto *date = child<QDateEdit>(u"ed_TOUR_DATE"_s);
    const QString sql = u"SELECT TOUR_DATE FROM T_VT WHERE NUM_ASPECT = 1 AND NUM_TOUR = 2"_s;
    EXPECT_TRUE(fileValue(sql).isNull());
    EXPECT_EQ(date->text().trimmed(), QString()); // an empty date shows as an empty field

    date->setDate(QDate(2024, 3, 17)); // picked in the calendar: only edited
    EXPECT_TRUE(fileValue(sql).isNull());
    QTest::keyClick(date, Qt::Key_Return);
    EXPECT_EQ(fileValue(sql).toString(), u"2024-03-17"_s);
    EXPECT_EQ(dm->tbl_VT->value(u"TOUR_DATE"_s).toDate(), QDate(2024, 3, 17));
    // Only the current tour's row changed.
    EXPECT_TRUE(
        fileValue(u"SELECT TOUR_DATE FROM T_VT WHERE NUM_ASPECT = 1 AND NUM_TOUR = 7"_s).isNull());
    EXPECT_EQ(
        fileValue(u"SELECT TOUR_DATE FROM T_VT WHERE NUM_ASPECT = 1 AND NUM_TOUR = 1"_s).toString(),
        u"2024-03-16"_s);
    EXPECT_TRUE(prompter.errors.isEmpty());
}

TEST_F(MainWindowTest, EnterInTheParticipantsEditStoresTheNumber)
{
    start();
    selectAspect(1);
    auto *kol = child<QLineEdit>(u"ed_KOL"_s);
    const QString sql = u"SELECT KOL FROM T_VT WHERE NUM_ASPECT = 1 AND NUM_TOUR = 1"_s;
    ASSERT_EQ(fileValue(sql).toInt(), 10);

    kol->setFocus();
    kol->selectAll();
    QTest::keyClicks(kol, u"9"_s);
    EXPECT_EQ(kol->text(), u"9"_s);
    EXPECT_EQ(fileValue(sql).toInt(), 10); // typing alone only edits
    QTest::keyClick(kol, Qt::Key_Return);
    EXPECT_EQ(fileValue(sql).toInt(), 9);
    EXPECT_EQ(fileValue(u"SELECT KOL FROM T_VT WHERE NUM_ASPECT = 0 AND NUM_TOUR = 1"_s).toInt(),
              12);

    // A number a smallint cannot hold is refused with a message; the stored one comes back.
    kol->selectAll();
    QTest::keyClicks(kol, u"40000"_s);
    QTest::keyClick(kol, Qt::Key_Return);
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors.front().contains(u"от 0 до 32767"_s))
        << prompter.errors.front().toStdString();
    EXPECT_EQ(fileValue(sql).toInt(), 9);
    EXPECT_EQ(kol->text(), u"9"_s);
}

TEST_F(MainWindowTest, HeldCheckBoxWritesTheTourState)
{
    start();
    auto *held = child<QCheckBox>(u"cb_STATE"_s);
    const QString sql = u"SELECT STATE FROM T_VT WHERE NUM_ASPECT = 0 AND NUM_TOUR = 1"_s;
    ASSERT_EQ(fileValue(sql).toInt(), 0);
    QTest::mouseClick(held, Qt::LeftButton, {}, QPoint(8, held->height() / 2));
    EXPECT_TRUE(held->isChecked());
    EXPECT_EQ(fileValue(sql).toInt(), 1);
    QTest::mouseClick(held, Qt::LeftButton, {}, QPoint(8, held->height() / 2));
    EXPECT_EQ(fileValue(sql).toInt(), 0);
}

TEST_F(MainWindowTest, TypedParticipantCellsAreStoredAndRefusalsShown)
{
    start();
    DataGrid *parts = grid(u"DBGrid1"_s);
    const int classification = parts->columns()->columnOf(u"CLASSIFICATION"_s);
    ASSERT_EQ(classification, 7);
    // Petrov is row 2 by surname.
    ASSERT_TRUE(parts->model()->setData(parts->model()->index(2, classification), 7));
    EXPECT_EQ(
        fileValue(u"SELECT CLASSIFICATION FROM T_PART WHERE SURNAME = ?"_s, {u"Петров"_s}).toInt(),
        7);

    const int fights = parts->columns()->columnOf(u"FIGHT"_s);
    EXPECT_FALSE(parts->model()->setData(parts->model()->index(0, fights), u"много"_s));
    QCoreApplication::processEvents(); // the message is shown after the grid's commit
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors.front().contains(u"Боев"_s))
        << prompter.errors.front().toStdString();
}

TEST_F(MainWindowTest, CellEditorsTakeNoMoreThanTheFieldHolds)
{
    start();
    DataGrid *parts = grid(u"DBGrid1"_s);
    const QModelIndex surname = parts->model()->index(0, parts->columns()->columnOf(u"SURNAME"_s));
    parts->setCurrentIndex(surname);
    parts->edit(surname);
    auto *editor = parts->viewport()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->maxLength(), 25);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QString(30, u'W'));
    EXPECT_EQ(editor->text().size(), 25);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'|').toStdString();
    EXPECT_EQ(
        fileValue(u"SELECT COUNT(*) FROM T_PART WHERE SURNAME = ?"_s, {QString(25, u'W')}).toInt(),
        1);
}

TEST_F(MainWindowTest, ACellTypedInTheGridMovesItsRowWhenTheOrderSaysSo)
{
    start();
    selectAspect(1);
    clickRadio(child<QRadioButton>(u"rg1_3"_s)); // by place: Васильева is first
    DataGrid *parts = grid(u"DBGrid1"_s);
    const QModelIndex place = parts->model()->index(0, parts->columns()->columnOf(u"PLACE"_s));
    QWidget *editor = test::typeIntoCell(parts, place, u"6"_s);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(fileValue(u"SELECT PLACE FROM T_PART WHERE SURNAME = ?"_s, {u"Васильева"_s}).toInt(),
              6);
    // The row went to the end of the order and the grid shows it there.
    EXPECT_EQ(columnTexts(parts, 0).last(), u"Васильева"_s);
    EXPECT_TRUE(prompter.errors.isEmpty());
}

TEST_F(MainWindowTest, AboutBoxDoubleClickTogglesEditMode)
{
    start();
    QAction *tables = form->tablesMenu()->menuAction();
    auto *edition = about->findChild<QLabel *>(u"Edition"_s);
    auto *comments = about->findChild<QLabel *>(u"Comments"_s);
    ASSERT_NE(edition, nullptr);
    ASSERT_NE(comments, nullptr);
    EXPECT_FALSE(about->editMode());
    EXPECT_FALSE(tables->isVisible());
    EXPECT_FALSE(edition->isVisibleTo(about.get()));
    EXPECT_EQ(edition->text(), u"Редакция :"_s);

    QTest::mouseDClick(comments, Qt::LeftButton);
    EXPECT_TRUE(about->editMode());
    EXPECT_TRUE(tables->isVisible());
    EXPECT_TRUE(edition->isVisibleTo(about.get()));

    QTest::mouseDClick(comments, Qt::LeftButton);
    EXPECT_FALSE(about->editMode());
    EXPECT_FALSE(tables->isVisible());
    EXPECT_FALSE(edition->isVisibleTo(about.get()));
}

TEST_F(MainWindowTest, AboutBoxShowsTheProductAndClosesWithOk)
{
    start();
    EXPECT_EQ(about->windowTitle(), u"О программе"_s);
    EXPECT_EQ(about->findChild<QLabel *>(u"ProductName"_s)->text(), u"Product Name: Vintrel"_s);
    EXPECT_EQ(about->findChild<QLabel *>(u"Version"_s)->text(), u"Version 1 (12/07/2001)"_s);
    EXPECT_EQ(about->findChild<QLabel *>(u"Comments"_s)->text(),
              u"Программа для обслуживания соревнований по фехтованию"_s);

    QAction *entry = form->findChild<QAction *>(u"actAbout"_s);
    ASSERT_NE(entry, nullptr);
    bool wasShown = false;
    QTimer::singleShot(0, about.get(), [&] {
        wasShown = about->isVisible();
        QTest::mouseClick(about->findChild<QPushButton *>(u"OKButton"_s), Qt::LeftButton);
    });
    entry->trigger(); // returns when OK closed the box
    EXPECT_TRUE(wasShown);
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(about->result(), QDialog::Accepted);
    // A fixed dialog.
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
}

TEST_F(MainWindowTest, EmptyWorkspaceStartsWithNothingCurrent)
{
    start(/*withAspects=*/false);
    EXPECT_TRUE(context->aspectNames().isEmpty());
    EXPECT_FALSE(context->hasAspect());
    EXPECT_TRUE(child<QGroupBox>(u"VID"_s)->findChildren<QRadioButton *>().isEmpty());
    EXPECT_FALSE(grid(u"DBGrid2"_s)->isVisible());
    EXPECT_FALSE(child<QWidget>(u"TourStrip"_s)->isEnabled());
    EXPECT_EQ(child<QLabel>(u"lbl_COUNT"_s)->text(), u"Участников в виде :"_s);
    EXPECT_EQ(child<QLabel>(u"lbl_ASPECT"_s)->text(), QString());
    EXPECT_EQ(child<QLabel>(u"lbl_TOUR"_s)->text(), QString());
    EXPECT_EQ(grid(u"DBGrid1"_s)->model()->rowCount(), 0);
    EXPECT_EQ(grid(u"DBGrid3"_s)->model()->rowCount(), 0);
    // Selecting item 0 of an empty list does nothing.
    context->selectAspect(0);
    EXPECT_FALSE(context->hasAspect());
    EXPECT_TRUE(prompter.errors.isEmpty());
}

namespace {

// A menu as text: each entry's text, "-" for a separator, "(off)" after a disabled entry.
QStringList menuEntries(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions())
        out << (a->isSeparator() ? u"-"_s : a->text() + (a->isEnabled() ? u""_s : u" (off)"_s));
    return out;
}

QMenu *topMenu(QMenuBar *bar, const QString &title)
{
    for (QAction *a : bar->actions())
        if (a->text() == title) return a->menu();
    return nullptr;
}

} // namespace

TEST_F(MainWindowTest, MainMenuHasEveryEntryWithItsHint)
{
    start();
    QMenuBar *bar = form->menuBar();
    QStringList titles;
    for (const QAction *a : bar->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{u"Редактировать"_s, u"Протоколы"_s, u"Таблицы"_s,
                                   u"Соревнование"_s, u"Помощь"_s, u"Выйти"_s}));

    EXPECT_EQ(menuEntries(topMenu(bar, u"Редактировать"_s)),
              (QStringList{u"Информацию о соревновании"_s, u"Справочник людей"_s,
                           u"Организации и их заявки"_s, u"Участников вида"_s, u"Список судей"_s,
                           u"Обслуживающий персонал"_s}));
    EXPECT_EQ(
        menuEntries(topMenu(bar, u"Протоколы"_s)),
        (QStringList{u"Список участников текущего вида по фамилии"_s,
                     u"Список участников текущего вида по организации"_s,
                     u"Предварительный рейтинг участников"_s, u"-"_s,
                     u"Результаты предварительного тура"_s, u"Результаты тура прямого выбывания"_s,
                     u"Результаты тура прямого выбывания с утешением  до 16"_s,
                     u"Результаты тура прямого выбывания с утешением 16"_s, u"Финал"_s, u"-"_s,
                     u"Текущие результаты тура"_s, u"Окончательные результаты текущего вида"_s}));
    EXPECT_EQ(
        menuEntries(topMenu(bar, u"Соревнование"_s)),
        (QStringList{u"Подготовить для публикации в Интернет"_s, u"-"_s, u"Сохранить текущее"_s,
                     u"Восстановить сохраненное"_s, u"Начать новое"_s}));
    EXPECT_EQ(menuEntries(topMenu(bar, u"Помощь"_s)),
              (QStringList{u"Справка по программе"_s, u"-"_s, u"О программе"_s}));

    // "Таблицы": hidden until edit mode; its entries are checked with the table browser.
    QMenu *tables = topMenu(bar, u"Таблицы"_s);
    ASSERT_EQ(tables, form->tablesMenu());
    EXPECT_FALSE(tables->menuAction()->isVisible());
    const QStringList tableEntries = menuEntries(tables);
    ASSERT_FALSE(tableEntries.isEmpty());
    EXPECT_EQ(tableEntries.first(), u"T_COMP - Информация о соревнованиях"_s);

    // Hints show in the status line and as tool tips.
    const auto hint = [bar](const QString &title) {
        for (QAction *a : bar->actions())
            if (a->text() == title) return a->statusTip();
        return u"?"_s;
    };
    EXPECT_EQ(hint(u"Редактировать"_s), u"Редактирование информации"_s);
    EXPECT_EQ(hint(u"Протоколы"_s), u"Создание и распечатка необходимых протоколов"_s);
    EXPECT_EQ(hint(u"Помощь"_s), u"Получить допольнительную информацию по программе"_s);
    EXPECT_EQ(hint(u"Выйти"_s), u"Выйти из программы"_s);
    EXPECT_EQ(hint(u"Соревнование"_s), QString());
    QMenu *help = topMenu(bar, u"Помощь"_s);
    EXPECT_EQ(help->actions()[0]->statusTip(), u"Справочные сведения по работе с программой"_s);
    EXPECT_EQ(help->actions()[0]->toolTip(), u"Справочные сведения по работе с программой"_s);
    EXPECT_EQ(help->actions()[2]->statusTip(), u"Информация о программе"_s);
    EXPECT_TRUE(form->statusBar()->isVisible());
}

TEST_F(MainWindowTest, StatusLineShowsTheHintOfTheHoveredEntry)
{
    start();
    QAction *exit = form->findChild<QAction *>(u"actExit"_s);
    ASSERT_NE(exit, nullptr);
    exit->showStatusText(form->menuBar());
    EXPECT_EQ(form->statusBar()->currentMessage(), u"Выйти из программы"_s);
}

TEST_F(MainWindowTest, ContextMenuOnTheRightButtonAnywhere)
{
    start();
    EXPECT_EQ(menuEntries(form->contextMenu()),
              (QStringList{u"Случайно заполнить классификацию"_s,
                           u"Случайно заполнить классификацию с учетом имеющейся кл-ции"_s, u"-"_s,
                           u"Скопировать классификацию в стартовый номер"_s,
                           u"Скопировать место в стартовый номер"_s, u"-"_s,
                           u"Просмотреть список участников (распечатать)"_s, u"-"_s,
                           u"Обнулить результаты соревнований"_s}));
    // A right click on the participants grid reaches the window's menu.
    QWidget *viewport = grid(u"DBGrid1"_s)->viewport();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            viewport->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(viewport, &click);
    EXPECT_TRUE(form->contextMenu()->isVisible());
    form->contextMenu()->hide();
}

TEST_F(MainWindowTest, ExitClosesTheMainWindow)
{
    start();
    ASSERT_TRUE(form->isVisible());
    form->findChild<QAction *>(u"actExit"_s)->trigger();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, HelpOpensTheWorkspacePageOrSaysItIsMissing)
{
    start();
    QAction *help = form->findChild<QAction *>(u"actHelp"_s);
    ASSERT_NE(help, nullptr);
    const QString page = ws.root() + u"/HELP/index.htm"_s;
    ASSERT_TRUE(QFile::exists(page)); // shipped with every workspace
    help->trigger();                  // VINTREL_NO_OPEN: nothing is opened, nothing said
    EXPECT_TRUE(prompter.errors.isEmpty());

    ASSERT_TRUE(QFile::remove(page));
    help->trigger();
    EXPECT_EQ(prompter.errors, QStringList{u"Файл справки не найден: "_s + page});
}

TEST_F(MainWindowTest, DatesAreTypedWithKeysAndCanBeEmptied)
{
    start();
    auto *date = child<QDateEdit>(u"ed_TOUR_DATE"_s);
    const QString first = u"SELECT TOUR_DATE FROM T_VT WHERE NUM_ASPECT = 0 AND NUM_TOUR = 1"_s;
    date->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(date, u"20042023"_s);
    EXPECT_EQ(date->text(), u"20.04.2023"_s);
    EXPECT_EQ(fileValue(first).toString(), u"2024-03-15"_s);
    QTest::keyClick(date, Qt::Key_Return);
    EXPECT_EQ(fileValue(first).toString(), u"2023-04-20"_s);

    // Into an empty date the first digit starts a new date, day first.
    selectAspect(1);
    clickRow(grid(u"DBGrid2"_s), 1);
    const QString second = u"SELECT TOUR_DATE FROM T_VT WHERE NUM_ASPECT = 1 AND NUM_TOUR = 2"_s;
    QTest::keyClicks(date, u"05042024"_s);
    QTest::keyClick(date, Qt::Key_Return);
    EXPECT_EQ(fileValue(second).toString(), u"2024-04-05"_s);

    // Delete over the whole text empties the date.
    QTest::keyClick(date, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(date, Qt::Key_Delete);
    EXPECT_EQ(date->text().trimmed(), QString());
    QTest::keyClick(date, Qt::Key_Return);
    EXPECT_TRUE(fileValue(second).isNull());
    EXPECT_TRUE(prompter.errors.isEmpty());
}

// The menus show the command tables' entries in their order: a built entry is enabled and a
// click on it runs its command; an entry still to come is there, but disabled.
TEST_F(MainWindowTest, MenusShowTheCommandTablesInOrder)
{
    start();
    for (const QString &menuName : {u"menuEdit"_s, u"menuReports"_s, u"menuTables"_s,
                                    u"menuCompetition"_s, u"menuHelp"_s, u"PopupMenu1"_s}) {
        const auto *menu = child<QMenu>(menuName);
        QStringList shown, listed;
        for (const QAction *action : menu->actions())
            if (!action->isSeparator())
                shown << action->objectName() + (action->isEnabled() ? u"+"_s : u"-"_s);
        for (const CommandEntry &entry : entriesOf(menuName))
            if (entry.kind != CommandEntry::Separator)
                listed << entry.id + (entry.built ? u"+"_s : u"-"_s);
        EXPECT_EQ(shown, listed) << menuName.toStdString();
    }
    EXPECT_EQ(child<QAction>(u"actPlaceToStart"_s)->text(),
              u"Скопировать место в стартовый номер"_s);
    EXPECT_TRUE(child<QAction>(u"actCompetition"_s)->isEnabled());
    EXPECT_TRUE(child<QAction>(u"actArchive"_s)->isEnabled());
    EXPECT_EQ(child<QAction>(u"actHelp"_s)->statusTip(),
              u"Справочные сведения по работе с программой"_s);

    // The context menu's entry runs the very function its table names.
    prompter.defaultAnswer = true;
    child<QAction>(u"actPlaceToStart"_s)->trigger();
    ASSERT_EQ(prompter.confirms.size(), 1);
    EXPECT_EQ(prompter.confirms[0],
              u"Скопировать место в поле стартового номера на следующий тур?"_s);
    EXPECT_EQ(fileValue(u"SELECT START FROM T_PART WHERE SURNAME = ?"_s, {u"Сидоров"_s}).toInt(),
              2);
}

// "Подвести итоги" ranks the tour, shows the places in the table browser and, once the browser
// is closed, marks the tour as held.
TEST_F(MainWindowTest, SummaryShowsThePlacesAndThenHoldsTheTour)
{
    start();
    prompter.answers = {true, false}; // all bouts are in; no recalculation
    QString heading;
    int shownRows = -1;
    QTimer::singleShot(0, form.get(), [&] {
        QWidget *browser = QApplication::activeModalWidget();
        ASSERT_NE(browser, nullptr);
        heading = browser->windowTitle();
        if (auto *grid = browser->findChild<QTableView *>(u"DBGrid1"_s))
            shownRows = grid->model()->rowCount();
        EXPECT_EQ(
            fileValue(u"SELECT STATE FROM T_VT WHERE NUM_ASPECT = 0 AND NUM_TOUR = 1"_s).toInt(),
            0);
        browser->close();
    });
    QTest::mouseClick(child<QPushButton>(u"BitBtn1"_s), Qt::LeftButton);
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u' ').toStdString();
    EXPECT_EQ(heading, u"Просмотр результатов текущих результатов"_s);
    EXPECT_EQ(shownRows, 4);
    EXPECT_EQ(fileValue(u"SELECT STATE FROM T_VT WHERE NUM_ASPECT = 0 AND NUM_TOUR = 1"_s).toInt(),
              1);
}
