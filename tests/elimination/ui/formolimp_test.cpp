#include "eliminationaspects.h"
#include "filevalue.h"
#include "gridtest.h"
#include "mainwindowfixture.h"

#include "data/datasource.h"
#include "data/dm.h"
#include "elimination/ui/tformolimp.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class FormOlimpTest : public MainWindowFixture {
protected:
    template <class T> T *child(QWidget *parent, const QString &name)
    {
        T *w = parent->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void click(QWidget *parent, const QString &name)
    {
        auto *b = child<QPushButton>(parent, name);
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->isEnabled()) << name.toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Opens the elimination window with "Проведение тура"; `work` runs while it is shown.
    void inEliminationWindow(const std::function<void(TFormOlimp *)> &work)
    {
        TFormOlimp *olimp = form->formOlimp();
        ASSERT_NE(olimp, nullptr);
        bool ran = false;
        QTimer::singleShot(0, olimp, [&] {
            ran = true;
            work(olimp);
            QTest::mouseClick(olimp->findChild<QPushButton *>(u"BitBtn1"_s), Qt::LeftButton);
        });
        click(form.get(), u"Button1"_s);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(olimp->isVisible());
    }
    QString column(QWidget *olimp, int col)
    {
        return modelColumn(*child<QTableView>(olimp, u"DBGrid1"_s)->model(), col).join(u' ');
    }
    void typeTouches(QWidget *olimp, int row, const QString &text)
    {
        auto *grid = child<QTableView>(olimp, u"DBGrid1"_s);
        const QModelIndex cell = grid->model()->index(row, 4);
        // The keys go to the cell's editor itself: the offscreen platform may leave the focus
        // in the main window under the modal one.
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        auto *editor = qobject_cast<QLineEdit *>(grid->indexWidget(cell));
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::qWait(20); // the refusal's message is queued
    }
};

} // namespace

TEST_F(FormOlimpTest, PrepareOpenBuildTypeTotalAndCarryThroughTheButtons)
{
    startMainWindow([](Store &s) { addEliminationAspect(s, 0, 7, 5); });
    click(form.get(), u"Button2"_s);
    EXPECT_EQ(prompter.infos, QStringList{u"Все готово для проведения тура прямого выбывания!"_s});
    EXPECT_EQ(child<QTableView>(form.get(), u"DBGrid3"_s)->model()->rowCount(), 3);

    inEliminationWindow([&](TFormOlimp *olimp) {
        EXPECT_EQ(olimp->windowTitle(), u"Проведение тура прямого выбывания"_s);
        EXPECT_EQ(child<QLabel>(olimp, u"DBText1"_s)->text(), u"Вид 0"_s);
        EXPECT_EQ(child<QLabel>(olimp, u"DBText2"_s)->text(), u"Тур прямого выбывания"_s);
        auto *spin = child<QSpinBox>(olimp, u"RxSpinEdit1"_s);
        EXPECT_EQ(spin->value(), 1);
        EXPECT_EQ(spin->maximum(), 3);
        EXPECT_FALSE(spin->isReadOnly());

        click(olimp, u"BitBtn8"_s);
        EXPECT_EQ(column(olimp, 0), u"1 2 2 3 4"_s);
        EXPECT_EQ(column(olimp, 1), u"1 5 4 3 2"_s);
        EXPECT_EQ(column(olimp, 2).section(u' ', 0, 0), u"Фехтовальщик1"_s);
        auto *grid = child<QTableView>(olimp, u"DBGrid1"_s);
        // Odd pairs pale cyan, even pairs pale green, on the current row too.
        const QImage drawn = grid->viewport()->grab().toImage();
        const auto background = [&](int row) {
            const QRect cell = grid->visualRect(grid->model()->index(row, 1));
            return drawn.pixelColor(cell.right() - 3, cell.center().y());
        };
        EXPECT_EQ(background(0), QColor(204, 255, 255));
        EXPECT_EQ(background(1), QColor(204, 255, 204));
        EXPECT_EQ(background(2), QColor(204, 255, 204));
        EXPECT_EQ(background(3), QColor(204, 255, 255));
        EXPECT_EQ(background(4), QColor(204, 255, 204));

        typeTouches(olimp, 1, u"5"_s);
        typeTouches(olimp, 2, u"3"_s);
        typeTouches(olimp, 2, u"100"_s); // refused: the cell keeps 3
        EXPECT_EQ(prompter.errors.size(), 1);
        EXPECT_TRUE(prompter.errors.value(0).contains(u"от 0 до 99"_s));
        EXPECT_EQ(column(olimp, 4), u" 5 3  "_s);
        // Only the touches are typed into.
        grid->edit(grid->model()->index(1, 1));
        EXPECT_EQ(grid->indexWidget(grid->model()->index(1, 1)), nullptr);

        click(olimp, u"BitBtn3"_s);
        EXPECT_EQ(prompter.infos.last(), u"Итоги круга успешно подведены!"_s);
        EXPECT_EQ(column(olimp, 5), u" 3 5  "_s);

        click(olimp, u"BitBtn6"_s);
        EXPECT_EQ(spin->value(), 2);
        EXPECT_EQ(column(olimp, 1), u"1 5 3 2"_s);
        EXPECT_EQ(dm->tbl_TOUR_OLIMP->intValue(u"NUM_CIRCLE"_s), 2);

        spin->stepDown(); // back to circle 1
        EXPECT_EQ(column(olimp, 1), u"1 5 4 3 2"_s);
        spin->setValue(3);
        EXPECT_FALSE(child<QPushButton>(olimp, u"BitBtn6"_s)->isEnabled()); // the last circle
    });
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT COUNT(*) FROM REZ_OLIMP"_s).toInt(), 9);
}

TEST_F(FormOlimpTest, WrongStartNumbersKeepTheWindowClosed)
{
    startMainWindow([](Store &s) {
        addEliminationAspect(s, 0, 7, 4);
        s.exec(u"UPDATE T_PART SET START=5 WHERE START=3"_s);
    });
    click(form.get(), u"Button2"_s);
    bool opened = false;
    QTimer::singleShot(0, form->formOlimp(), [&] {
        opened = form->formOlimp()->isVisible();
        form->formOlimp()->reject();
    });
    click(form.get(), u"Button1"_s);
    QCoreApplication::processEvents();
    EXPECT_FALSE(opened);
    EXPECT_EQ(prompter.errors, QStringList{u"Проверьте порядок стартовых номеров !!! Номер: 4."_s});
}

TEST_F(FormOlimpTest, OneCircleMakesTheSelectorReadOnlyAndClearingAsksFirst)
{
    startMainWindow([](Store &s) { addEliminationAspect(s, 0, 7, 2); });
    click(form.get(), u"Button2"_s);
    inEliminationWindow([&](TFormOlimp *olimp) {
        EXPECT_TRUE(child<QSpinBox>(olimp, u"RxSpinEdit1"_s)->isReadOnly());
        click(olimp, u"BitBtn8"_s);
        EXPECT_EQ(column(olimp, 1), u"1 2"_s);
        prompter.answers = {false, true};
        click(olimp, u"BitBtn7"_s);
        EXPECT_EQ(column(olimp, 1), u"1 2"_s);
        click(olimp, u"BitBtn7"_s);
        EXPECT_EQ(column(olimp, 1), u""_s);
        EXPECT_EQ(prompter.confirms.size(), 2);
        click(olimp, u"btnHELP"_s);
    });
}
