#include "datatestutil.h"
#include "mainwindowfixture.h"
#include "recordingprompter.h"
#include "typetext.h"

#include "app/ui/aboutbox.h"
#include "app/currentcontext.h"
#include "widgets/datagrid.h"
#include "widgets/dbnavigator.h"
#include "app/ui/tformmain.h"
#include "registry/competition.h"
#include "registry/ui/tformcomp.h"

#include <QFile>
#include <QAction>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

// The main window on a competition of two aspects (0: variant 2, 1: variant 1) without tour
// rows, and its competition window.
class FormCompTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        startMainWindow([](Store &store) {
            store.exec(u"UPDATE T_COMP SET NAME = 'Кубок города', DATA1 = '2025-05-17'"_s);
            store.exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (0, 'Шпага', 2), "
                       u"(1, 'Рапира', 1)"_s);
            store.exec(u"INSERT INTO T_PERSON (SURNAME, NAME) VALUES ('Орлов', 'Олег'), "
                       u"('Белов', 'Борис')"_s);
        });
        comp = form->formComp();
        ASSERT_NE(comp, nullptr);
    }

    // Shown without a modal loop, so the test can click it; "Закрыть" runs the same close.
    void openComp()
    {
        comp->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(comp));
    }

    template <class T> T *compChild(const QString &name) const
    {
        T *w = comp->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    DataGrid *aspectsGrid() const { return compChild<DataGrid>(u"DBGrid1"_s); }
    void clickNavigator(DBNavigator::Button b) const
    {
        QToolButton *button = compChild<DBNavigator>(u"DBNavigator1"_s)->button(b);
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Types text into a cell of the aspects grid and presses Enter, as the operator does.
    void typeCell(int row, int column, const QString &text) const
    {
        DataGrid *grid = aspectsGrid();
        const QModelIndex index = grid->model()->index(row, column);
        ASSERT_TRUE(index.isValid());
        grid->setFocus();
        grid->setCurrentIndex(index);
        QTest::keyClick(grid, Qt::Key_F2);
        // A text cell opens a line edit, a number that has a value a spin box.
        QWidget *editor = QApplication::focusWidget();
        ASSERT_NE(editor, nullptr) << "no cell editor opened";
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            line->selectAll();
        else if (auto *spin = qobject_cast<QAbstractSpinBox *>(editor))
            spin->selectAll();
        else
            FAIL() << "unexpected cell editor " << editor->metaObject()->className();
        typeText(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the grid stores the cell after the key
    }
    QString cell(int row, int column) const
    {
        return aspectsGrid()->model()->index(row, column).data().toString();
    }
    QString radioText(int item) const
    {
        auto *radio = form->findChild<QRadioButton *>(u"VID_%1"_s.arg(item));
        return radio ? radio->text() : QString();
    }
    bool radioChecked(int item) const
    {
        auto *radio = form->findChild<QRadioButton *>(u"VID_%1"_s.arg(item));
        return radio && radio->isChecked();
    }
    QVariant fileValue(const QString &sql) const { return test::fileValue(ws.databaseFile(), sql); }

    TFormComp *comp = nullptr;
};

TEST_F(FormCompTest, ShowsTheCompetitionEveryAspectAndTheLegend)
{
    openComp();
    EXPECT_EQ(comp->windowTitle(), u"Соревнования"_s);
    EXPECT_EQ(compChild<QLabel>(u"lbl_Heading"_s)->text(),
              u"ИНФОРМАЦИЯ О  ПРОВОДИМОМ СОРЕВНОВАНИИ"_s);
    EXPECT_EQ(compChild<QLabel>(u"lbl_NAME"_s)->text(), u"Кубок города"_s);
    EXPECT_EQ(compChild<QLineEdit>(u"ed_NAME"_s)->text(), u"Кубок города"_s);
    EXPECT_EQ(compChild<QLineEdit>(u"ed_NAME1"_s)->toolTip(),
              u"Название соревнований в шапке - 1 строка"_s);
    EXPECT_EQ(compChild<QLineEdit>(u"ed_NAME1"_s)->maxLength(), 80);

    // Every aspect, not only the current one.
    EXPECT_EQ(aspectsGrid()->model()->rowCount(), 2);
    EXPECT_EQ(cell(1, 1), u"Рапира"_s);
    EXPECT_EQ(aspectsGrid()->model()->headerData(2, Qt::Horizontal).toString(), u"Вариант"_s);

    QStringList legend;
    for (QLabel *label : compChild<QFrame>(u"pnl_Legend"_s)->findChildren<QLabel *>())
        legend << label->text();
    EXPECT_EQ(legend, variantLegend());
    EXPECT_EQ(legend.size(), 15);

    QStringList people;
    auto *judge = compChild<QComboBox>(u"cb_JUDGE_NUM"_s);
    for (int i = 0; i < judge->count(); ++i)
        people << judge->itemText(i);
    EXPECT_EQ(people, QStringList({u"Белов"_s, u"Орлов"_s}));
    EXPECT_EQ(judge->toolTip(), u"Выбор из списка главного судьи"_s);
}

TEST_F(FormCompTest, RenamedAspectReachesTheMainWindowOnRefreshAndOnClosing)
{
    openComp();
    typeCell(0, 1, u"Шпага, юниоры"_s);
    clickNavigator(DBNavigator::Refresh);
    EXPECT_EQ(radioText(0), u"Шпага, юниоры"_s);
    EXPECT_EQ(fileValue(u"SELECT NAME FROM T_ASPECT WHERE NUM = 0"_s), u"Шпага, юниоры"_s);

    typeCell(1, 1, u"Рапира, юниорки"_s);
    QTest::mouseClick(compChild<QPushButton>(u"btn_Close"_s), Qt::LeftButton);
    EXPECT_FALSE(comp->isVisible());
    EXPECT_EQ(radioText(1), u"Рапира, юниорки"_s);
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

TEST_F(FormCompTest, ClosingSelectsAspectZeroAndGeneratesItsTours)
{
    selectAspect(1);
    ASSERT_EQ(context->currentAspect(), 1);

    // The menu entry opens the window modally; it is closed as the operator closes it.
    QTimer::singleShot(0, comp, [this] {
        QTest::mouseClick(compChild<QPushButton>(u"btn_Close"_s), Qt::LeftButton);
    });
    QAction *entry = form->findChild<QAction *>(u"actCompetition"_s);
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(entry->isEnabled());
    entry->trigger();

    EXPECT_FALSE(comp->isVisible());
    EXPECT_EQ(context->currentAspect(), 0);
    EXPECT_TRUE(radioChecked(0));
    EXPECT_FALSE(radioChecked(1));
    EXPECT_EQ(form->findChild<QLabel *>(u"lbl_TOUR"_s)->text(), u"1 предварительный тур"_s);
    EXPECT_EQ(fileValue(u"SELECT COUNT(*) FROM T_VT"_s).toInt(), 5);
    EXPECT_EQ(fileValue(u"SELECT TOUR_DATE FROM T_VT WHERE NUM_ASPECT = 1 AND NUM_TOUR = 2"_s),
              u"2025-05-17"_s);
}

TEST_F(FormCompTest, DoubleClickOnTheHeadingOpensTheWindow)
{
    QTimer::singleShot(0, comp, [this] {
        EXPECT_TRUE(comp->isVisible());
        comp->close(); // the title bar's close runs the same steps
    });
    QTest::mouseDClick(form->findChild<QLabel *>(u"lbl_NAME"_s), Qt::LeftButton);
    EXPECT_FALSE(comp->isVisible());
    EXPECT_EQ(fileValue(u"SELECT COUNT(*) FROM T_VT"_s).toInt(), 5);
}

TEST_F(FormCompTest, RefusedAspectNumberKeepsTheRowInEditing)
{
    openComp();
    clickNavigator(DBNavigator::Insert);
    ASSERT_EQ(aspectsGrid()->model()->rowCount(), 3);
    typeCell(2, 0, u"5"_s);
    typeCell(2, 1, u"Сабля"_s);
    typeCell(2, 2, u"3"_s);
    clickNavigator(DBNavigator::Post);

    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_EQ(prompter.errors[0], u"Номер вида 5 недопустим: виды нумеруются подряд с нуля, без "
                                  u"пропусков — этому виду подходит номер 2."_s);
    EXPECT_EQ(dm->tbl_ASPECT->state(), Table::State::Insert);
    EXPECT_EQ(cell(2, 0), u"5"_s);
    EXPECT_EQ(cell(2, 1), u"Сабля"_s);
    EXPECT_EQ(fileValue(u"SELECT COUNT(*) FROM T_ASPECT"_s).toInt(), 2);

    // Moving to another row stores the row first: refused again, the row stays current.
    aspectsGrid()->setCurrentIndex(aspectsGrid()->model()->index(0, 1));
    QCoreApplication::processEvents();
    EXPECT_EQ(prompter.errors.size(), 2);
    EXPECT_EQ(dm->tbl_ASPECT->state(), Table::State::Insert);
    EXPECT_EQ(aspectsGrid()->currentIndex().row(), 2);

    // Closing cannot lose it either: the window stays open with the message.
    QTest::mouseClick(compChild<QPushButton>(u"btn_Close"_s), Qt::LeftButton);
    EXPECT_TRUE(comp->isVisible());
    EXPECT_EQ(prompter.errors.size(), 3);

    typeCell(2, 0, u"2"_s);
    clickNavigator(DBNavigator::Post);
    EXPECT_EQ(dm->tbl_ASPECT->state(), Table::State::Browse);
    EXPECT_EQ(fileValue(u"SELECT NAME FROM T_ASPECT WHERE NUM = 2"_s), u"Сабля"_s);
    QTest::mouseClick(compChild<QPushButton>(u"btn_Close"_s), Qt::LeftButton);
    EXPECT_FALSE(comp->isVisible());
    EXPECT_EQ(radioText(2), u"Сабля"_s);
    EXPECT_EQ(fileValue(u"SELECT COUNT(*) FROM T_VT WHERE NUM_ASPECT = 2"_s).toInt(), 1);
}

TEST_F(FormCompTest, CompetitionFieldsAreStoredOnEnterAndOfficialsByPersonNumber)
{
    openComp();
    auto *name = compChild<QLineEdit>(u"ed_NAME"_s);
    name->setFocus();
    name->selectAll();
    typeText(name, u"Первенство области"_s);
    EXPECT_EQ(dm->tbl_COMP->state(), Table::State::Edit);
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(dm->tbl_COMP->state(), Table::State::Browse);
    EXPECT_EQ(fileValue(u"SELECT NAME FROM T_COMP"_s), u"Первенство области"_s);
    EXPECT_EQ(compChild<QLabel>(u"lbl_NAME"_s)->text(), u"Первенство области"_s);
    EXPECT_EQ(form->findChild<QLabel *>(u"lbl_NAME"_s)->text(), u"Первенство области"_s);

    // Orlov is person 1; the list shows him second, after Belov.
    auto *judge = compChild<QComboBox>(u"cb_JUDGE_NUM"_s);
    judge->setFocus();
    QTest::keyClick(judge, Qt::Key_Down);
    QTest::keyClick(judge, Qt::Key_Down);
    EXPECT_EQ(judge->currentText(), u"Орлов"_s);
    auto *place = compChild<QLineEdit>(u"ed_PLACE"_s);
    typeText(place, u"г. Тверь"_s);
    QTest::mouseClick(compChild<QPushButton>(u"btn_Close"_s), Qt::LeftButton);
    EXPECT_EQ(fileValue(u"SELECT JUDGE_NUM FROM T_COMP"_s).toInt(), 1);
    EXPECT_EQ(fileValue(u"SELECT PLACE FROM T_COMP"_s), u"г. Тверь"_s);
}

} // namespace

// F1 opens the page of the window in front: here a missing page, so its name shows.
TEST_F(FormCompTest, F1OpensThePageOfTheWindowInFront)
{
    QFile::remove(ws.workspace().path(u"HELP/index.htm"_s));
    QFile::remove(ws.workspace().path(u"HELP/comp.htm"_s));
    QTest::keyClick(form.get(), Qt::Key_F1);
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].endsWith(u"/HELP/index.htm"_s))
        << prompter.errors[0].toStdString();

    QTimer::singleShot(0, comp, [this] {
        QTest::keyClick(comp, Qt::Key_F1);
        comp->close();
    });
    form->findChild<QAction *>(u"actCompetition"_s)->trigger();
    ASSERT_EQ(prompter.errors.size(), 2);
    EXPECT_TRUE(prompter.errors[1].endsWith(u"/HELP/comp.htm"_s))
        << prompter.errors[1].toStdString();
}
