#include "filevalue.h"
#include "gridtest.h"
#include "mainwindowfixture.h"
#include "poolfield.h"
#include "typetext.h"

#include "data/dm.h"
#include "pools/ui/tformgroup.h"
#include "pools/ui/tformkolgroup.h"
#include "widgets/datagrid.h"
#include "widgets/fieldcolumns.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class PoolWindows : public MainWindowFixture {
protected:
    void start(int entries)
    {
        startMainWindow([entries](Store &s) { addPoolField(s, distinctEntries(entries)); });
    }
    template <typename T> T *child(QWidget *parent, const QString &name)
    {
        T *w = parent->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QPushButton *mainButton(const QString &name) { return child<QPushButton>(form.get(), name); }
    // Clicks `button`, runs `inside` on the modal window it opens, then closes that window
    // (unless `inside` did) so a failing check cannot leave the test waiting.
    template <typename Dialog>
    void withDialog(QPushButton *button, const std::function<void(Dialog &)> &inside)
    {
        bool opened = false;
        QTimer::singleShot(0, form.get(), [&] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            opened = dialog != nullptr;
            if (!dialog) return;
            inside(*dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(opened);
    }
    // The editor of a grid cell with its text selected, as a double-click in the cell opens it.
    static QLineEdit *openEditor(QAbstractItemView *view, const QModelIndex &cell)
    {
        view->setCurrentIndex(cell);
        view->edit(cell);
        auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(cell));
        if (editor) editor->selectAll();
        return editor;
    }
    QVariant file(const QString &sql) const { return fileValue(ws.databaseFile(), sql); }
    void prepareThreePools()
    {
        withDialog<TFormKolGroup>(mainButton(u"Button2"_s), [this](TFormKolGroup &dialog) {
            child<QSpinBox>(&dialog, u"kol"_s)->setValue(3);
            QTest::mouseClick(child<QPushButton>(&dialog, u"btnKol"_s), Qt::LeftButton);
            QTest::mouseClick(child<QPushButton>(&dialog, u"BitBtn1"_s), Qt::LeftButton);
        });
    }
};

} // namespace

TEST_F(PoolWindows, NumberOfPoolsWindowStoresTheSizes)
{
    start(13);
    withDialog<TFormKolGroup>(mainButton(u"Button2"_s), [this](TFormKolGroup &dialog) {
        EXPECT_EQ(dialog.windowTitle(),
                  u"Определение групп и количества участников в каждой группе"_s);
        auto *kol = child<QSpinBox>(&dialog, u"kol"_s);
        EXPECT_EQ(kol->value(), 0);
        EXPECT_EQ(child<QLabel>(&dialog, u"lbl_ALL"_s)->text(), u"13"_s);
        EXPECT_EQ(child<QLabel>(&dialog, u"DBText1"_s)->text(), u"Сабля, мужчины"_s);
        EXPECT_FALSE(child<QWidget>(&dialog, u"DBNavigator1"_s)->isVisible());
        kol->setValue(3);
        QTest::mouseClick(child<QPushButton>(&dialog, u"btnKol"_s), Qt::LeftButton);
        auto *grid = child<DataGrid>(&dialog, u"DBGrid1"_s);
        EXPECT_EQ(modelColumn(*grid->model(), 1), (QStringList{u"5"_s, u"4"_s, u"4"_s}));
        EXPECT_EQ(child<QLabel>(&dialog, u"lbl_GROUP"_s)->text(), u"3"_s);

        kol->setValue(4); // 4, 3, 3, 3
        QTest::mouseClick(child<QPushButton>(&dialog, u"btnKol"_s), Qt::LeftButton);
        EXPECT_EQ(prompter.infos, QStringList{u"Введите другое кол-во групп, т.к. кол-во "
                                              u"участников д.б. в диапазоне от 4 до 9 !"_s});
        EXPECT_EQ(modelColumn(*grid->model(), 1), (QStringList{u"5"_s, u"4"_s, u"4"_s}));
        QTest::mouseClick(child<QPushButton>(&dialog, u"BitBtn1"_s), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(file(u"SELECT group_concat(KOL) FROM TOUR_PR"_s).toString(), u"5,4,4"_s);
}

TEST_F(PoolWindows, PoolWindowNeedsGroups)
{
    start(13);
    QTest::mouseClick(mainButton(u"Button1"_s), Qt::LeftButton);
    EXPECT_EQ(prompter.errors, QStringList{u"Группы не заданы! Задайте кол-во групп в виде!"_s});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(PoolWindows, DealTypeTotalAndClose)
{
    start(13);
    prepareThreePools();
    clickRadio(form->findChild<QAbstractButton *>(u"rg1_4"_s)); // the main window sorts by start
    withDialog<TFormGroup>(mainButton(u"Button1"_s), [this](TFormGroup &dialog) {
        EXPECT_EQ(dialog.windowTitle(), u"Группы"_s);
        auto *spin = child<QSpinBox>(&dialog, u"RxSpinEdit1"_s);
        EXPECT_EQ(spin->maximum(), 3);
        EXPECT_FALSE(spin->isReadOnly());
        auto *chkorg = child<QCheckBox>(&dialog, u"chkorg"_s);
        EXPECT_TRUE(chkorg->isVisible());
        EXPECT_TRUE(chkorg->isChecked());
        EXPECT_EQ(child<QLabel>(&dialog, u"lbl_KOL"_s)->text(), u"5"_s);
        EXPECT_EQ(dm->tbl_PART->indexName(), u"ind_surname"_s);

        QTest::mouseClick(child<QPushButton>(&dialog, u"Button1"_s), Qt::LeftButton);
        EXPECT_EQ(prompter.confirms.size(), 1);
        EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_TOUR"_s), 13);
        EXPECT_EQ(child<QProgressBar>(&dialog, u"progress"_s)->value(), 0);
        auto *grid = child<DataGrid>(&dialog, u"DBGrid1"_s);
        EXPECT_EQ(grid->model()->rowCount(), 5);
        EXPECT_EQ(modelColumn(*grid->model(), 0),
                  (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));

        spin->stepUp();
        EXPECT_EQ(child<QLabel>(&dialog, u"lbl_KOL"_s)->text(), u"4"_s);
        EXPECT_EQ(grid->model()->rowCount(), 4);

        // Group 2: seeds 2, 5, 8, 11 (persons 101, 104, 107, 110).
        const int f2 = grid->columns()->columnOf(u"F2"_s);
        QWidget *editor = openEditor(grid, grid->model()->index(0, f2));
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, u"v5"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the grid commits an edit once the key is handled
        EXPECT_EQ(file(u"SELECT F2 FROM REZ_TOUR WHERE PART = 101"_s).toString(), u"V5"_s);
        editor = openEditor(grid, grid->model()->index(0, f2));
        ASSERT_NE(editor, nullptr);
        typeText(editor, u"в4"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the grid commits an edit once the key is handled
        ASSERT_EQ(prompter.errors.size(), 1);
        EXPECT_TRUE(prompter.errors[0].startsWith(u"Введите V или D латинскими буквами"_s));
        EXPECT_EQ(file(u"SELECT F2 FROM REZ_TOUR WHERE PART = 101"_s).toString(), u"V5"_s);
        EXPECT_EQ(grid->model()->index(0, f2).data().toString(), u"V5"_s);

        QTest::mouseClick(child<QPushButton>(&dialog, u"btn_Itog"_s), Qt::LeftButton);
        EXPECT_EQ(file(u"SELECT PRICK || ' ' || FIGHT FROM REZ_TOUR WHERE PART = 101"_s).toString(),
                  u"5 3"_s);
        EXPECT_EQ(prompter.infos, QStringList{u"Несогласованные результаты боёв: 1-2."_s});

        // The group is full: a double-click adds nobody.
        auto *list = child<DataGrid>(&dialog, u"DBGrid2"_s);
        const QRect first = list->visualRect(list->model()->index(0, 0));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
        EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_TOUR"_s), 13);

        // "Печать группы" prints the group shown; this field has no people register to
        // take the names from, and the protocol says so.
        prompter.errors.clear();
        QTest::mouseClick(child<QPushButton>(&dialog, u"BitBtn1"_s), Qt::LeftButton);
        ASSERT_EQ(prompter.errors.size(), 1);
        EXPECT_TRUE(prompter.errors[0].contains(u"группы 2"_s)) << prompter.errors[0].toStdString();

        QTest::mouseClick(child<QPushButton>(&dialog, u"btnCLOSE"_s), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(dm->tbl_PART->indexName(), u"ind_start"_s);
}

TEST_F(PoolWindows, SearchAndManualAdditionIntoAnEmptyGroup)
{
    start(8);
    withDialog<TFormKolGroup>(mainButton(u"Button2"_s), [this](TFormKolGroup &dialog) {
        child<QSpinBox>(&dialog, u"kol"_s)->setValue(2);
        QTest::mouseClick(child<QPushButton>(&dialog, u"btnKol"_s), Qt::LeftButton);
    });
    withDialog<TFormGroup>(mainButton(u"Button1"_s), [this](TFormGroup &dialog) {
        auto *search = child<QLineEdit>(&dialog, u"edt_search"_s);
        search->setFocus();
        typeText(search, u"участник006"_s);
        EXPECT_EQ(dm->tbl_PART->text(u"SURNAME"_s), u"Участник006"_s);
        QTest::keyClick(search, Qt::Key_Return);
        EXPECT_TRUE(search->text().isEmpty());
        EXPECT_EQ(file(u"SELECT NUM_GROUP || '/' || NUM_START || ' ' || PART || ' ' || F1 "
                       u"FROM REZ_TOUR"_s)
                      .toString(),
                  u"1/1 105 --"_s);
    });
}

TEST_F(PoolWindows, EliminationTourButtonsLeaveThePoolWindowsAlone)
{
    start(8);
    ASSERT_TRUE(context->selectTourKind(7));
    for (const QString &name : {u"Button2"_s, u"Button1"_s}) {
        // Whatever the elimination side opens is closed again; it is never a pool window.
        bool poolWindow = false;
        QTimer::singleShot(0, form.get(), [&] {
            QWidget *modal = QApplication::activeModalWidget();
            poolWindow = qobject_cast<TFormGroup *>(modal) || qobject_cast<TFormKolGroup *>(modal);
            if (auto *dialog = qobject_cast<QDialog *>(modal)) dialog->reject();
        });
        QTest::mouseClick(mainButton(name), Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_FALSE(poolWindow) << name.toStdString();
    }
    EXPECT_EQ(fileCount(ws.databaseFile(), u"TOUR_PR"_s), 0);
    EXPECT_EQ(fileCount(ws.databaseFile(), u"REZ_TOUR"_s), 0);
}
