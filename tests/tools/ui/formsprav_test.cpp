#include "datatestutil.h"
#include "gridtest.h"
#include "mainwindowfixture.h"
#include "twoaspects.h"

#include "app/ui/aboutbox.h"
#include "tools/ui/tformsprav.h"
#include "widgets/datagrid.h"
#include "widgets/dbnavigator.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <functional>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class FormSpravTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        startMainWindow([](Store &store) { addTwoAspects(store); });
        sprav = form->formSprav();
        ASSERT_NE(sprav, nullptr);
    }

    template <class T> T *spravChild(const QString &name) const
    {
        T *w = sprav->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    // Triggers a menu entry that shows the browser modally; `look` runs while it is shown,
    // then "Закрыть" is clicked. Returns whether the browser was shown at all.
    bool whileShown(const QString &action, const std::function<void()> &look)
    {
        bool shown = false;
        QTimer::singleShot(0, sprav, [&] {
            shown = sprav->isVisible();
            if (shown) look();
            QTest::mouseClick(spravChild<QPushButton>(u"btn_Close"_s), Qt::LeftButton);
        });
        auto *entry = form->findChild<QAction *>(action);
        EXPECT_NE(entry, nullptr) << action.toStdString();
        EXPECT_TRUE(entry && entry->isEnabled()) << action.toStdString();
        if (entry) entry->trigger();
        EXPECT_FALSE(sprav->isVisible());
        return shown;
    }

    DataGrid *grid() const { return spravChild<DataGrid>(u"DBGrid1"_s); }
    QString status() const { return spravChild<QLabel>(u"lbl_Status"_s)->text(); }

    TFormSprav *sprav = nullptr;
};

} // namespace

TEST_F(FormSpravTest, TablesMenuHasTheBrowsedTablesWithSeparators)
{
    QStringList entries;
    for (const QAction *a : form->tablesMenu()->actions())
        entries << (a->isSeparator() ? u"-"_s : a->text() + (a->isEnabled() ? u""_s : u" (off)"_s));
    EXPECT_EQ(entries,
              (QStringList{u"T_COMP - Информация о соревнованиях"_s,
                           u"VARIANT - Справочник вариантов проведения соревнования"_s,
                           u"T_ASPECT - Справочник видов соревнований"_s,
                           u"NAME_TOUR - Справочник названий туров"_s,
                           u"T_VT - Информация о турах в соответствии с вариантом проведения"_s,
                           u"-"_s,
                           u"T_PERSON - Справочник людей"_s,
                           u"T_ORG - Справочник организаций"_s,
                           u"-"_s,
                           u"T_PART - Участники соревнований"_s,
                           u"T_TRAIN - Тренеры"_s,
                           u"T_JUDGE - Судьи"_s,
                           u"T_OBSL - Обслуживающий персонал"_s,
                           u"-"_s,
                           u"TOUR_PR - Предварительные туры (кол-во участников и групп)"_s,
                           u"TOUR_OLIMP - Тур прямого выбывания (Кол-во кругов)"_s,
                           u"REZ_TOUR - Результаты предварительных туров"_s,
                           u"REZ_OLIMP - Результаты тура прямого выбывания"_s,
                           u"-"_s,
                           u"SQL-запрос - Получение любого отчета"_s}));
}

// The participants of every aspect while browsing; the main window's aspect afterwards.
TEST_F(FormSpravTest, BrowsingParticipantsShowsAllAspectsThenTheContextComesBack)
{
    ASSERT_EQ(dm->tbl_PART->recordCount(), 4);
    const bool shown = whileShown(u"actTable_T_PART"_s, [&] {
        EXPECT_EQ(sprav->windowTitle(), u"Справочник участников соревнований"_s);
        EXPECT_EQ(spravChild<QLabel>(u"lbl_Name"_s)->text(), sprav->windowTitle());
        EXPECT_EQ(grid()->model()->rowCount(), 9);
        EXPECT_EQ(grid()->model()->columnCount(), dm->tbl_PART->fieldCount());
        for (int f = 0; f < dm->tbl_PART->fieldCount(); ++f)
            EXPECT_EQ(grid()->model()->headerData(f, Qt::Horizontal).toString(),
                      dm->tbl_PART->fieldTitle(f));
        // The row that was current stays current: the status names it among all nine.
        EXPECT_EQ(status(), u"(%1:9)"_s.arg(dm->tbl_PART->recNo()));
        auto *nav = spravChild<DBNavigator>(u"DBNavigator1"_s);
        QTest::mouseClick(nav->button(DBNavigator::Last), Qt::LeftButton);
        EXPECT_EQ(status(), u"(9:9)"_s);
        // Outside edit mode nothing can be changed here.
        EXPECT_FALSE(grid()->model()->flags(grid()->model()->index(0, 1)) & Qt::ItemIsEditable);
        EXPECT_FALSE(nav->button(DBNavigator::Insert)->isEnabled());
        EXPECT_FALSE(nav->button(DBNavigator::Delete)->isEnabled());
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(dm->tbl_PART->recordCount(), 4);
    EXPECT_TRUE(dm->tbl_PART->isFiltered());
    EXPECT_EQ(form->findChild<DataGrid *>(u"DBGrid1"_s)->model()->rowCount(), 4);
}

TEST_F(FormSpravTest, EditModeMakesTheGridEditable)
{
    QTest::mouseDClick(about->findChild<QLabel *>(u"Comments"_s), Qt::LeftButton);
    ASSERT_TRUE(about->editMode());
    whileShown(u"actTable_T_PART"_s, [&] {
        auto *nav = spravChild<DBNavigator>(u"DBNavigator1"_s);
        EXPECT_TRUE(nav->button(DBNavigator::Insert)->isEnabled());
        const int surname = dm->tbl_PART->fieldIndex(u"SURNAME"_s);
        ASSERT_GE(surname, 0);
        const QModelIndex cell = grid()->model()->index(8, surname);
        grid()->setCurrentIndex(cell);
        grid()->edit(cell);
        auto *editor = qobject_cast<QLineEdit *>(grid()->indexWidget(cell));
        ASSERT_NE(editor, nullptr); // the cell opened its editor: the grid is editable
        editor->selectAll();
        QTest::keyClicks(editor, u"Ilina"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the grid stores the cell once Enter is handled
        EXPECT_TRUE(columnTexts(*dm->tbl_PART, u"SURNAME"_s).contains(u"Ilina"_s))
            << prompter.errors.join(u'|').toStdString();
    });
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT COUNT(*) FROM T_PART WHERE SURNAME = 'Ilina'"_s)
                  .toInt(),
              1);
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'|').toStdString();
}

TEST_F(FormSpravTest, PrintWritesThePageOfWhatIsShown)
{
    const QString path = ws.root() + u"/HTML/part.htm"_s;
    QFile::remove(path);
    whileShown(u"actTable_T_VT"_s,
               [&] { QTest::mouseClick(spravChild<QPushButton>(u"btn_Print"_s), Qt::LeftButton); });
    QFile page(path);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray bytes = page.readAll();
    EXPECT_TRUE(bytes.startsWith("<HTML>\r\n"));
    EXPECT_EQ(bytes.count("<tr>\r\n"), 5);
    EXPECT_EQ(bytes.count("</tr>\r\n"), 5 + 1);
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'|').toStdString();
}

TEST_F(FormSpravTest, ParticipantListFromTheContextMenuIsReadOnlyAndTitledBySort)
{
    selectAspect(1);
    clickRadio(form->findChild<QAbstractButton *>(u"rg1_3"_s));                    // "месту"
    QTest::mouseDClick(about->findChild<QLabel *>(u"Comments"_s), Qt::LeftButton); // edit mode
    whileShown(u"actPreviewList"_s, [&] {
        EXPECT_EQ(sprav->windowTitle(), u"Список участников по месту"_s);
        EXPECT_EQ(modelColumn(*grid()->model(), 1),
                  (QStringList{u"Васильева"_s, u"Борисова"_s, u"Дмитриева"_s, u"Абрамова"_s,
                               u"Григорьева"_s}));
        EXPECT_EQ(grid()->model()->headerData(0, Qt::Horizontal).toString(), u"Место"_s);
        EXPECT_FALSE(grid()->model()->flags(grid()->model()->index(0, 1)) & Qt::ItemIsEditable);
        auto *nav = spravChild<DBNavigator>(u"DBNavigator1"_s);
        EXPECT_FALSE(nav->button(DBNavigator::Insert)->isEnabled());
        QTest::mouseClick(nav->button(DBNavigator::Next), Qt::LeftButton);
        EXPECT_EQ(status(), u"(2:5)"_s);
    });
    EXPECT_TRUE(prompter.errors.isEmpty());
}

// Another command shows its rows in the browser and goes on once the operator closes it.
TEST_F(FormSpravTest, ShowDataReturnsWhenTheBrowserCloses)
{
    int closed = 0;
    QObject::connect(sprav, &TFormSprav::closed, sprav, [&] { ++closed; });
    dm->qr_Temp->clear();
    dm->qr_Temp->add(u"SELECT SURNAME FROM T_PART WHERE NUM_ASPECT = 0 ORDER BY SURNAME"_s);
    dm->qr_Temp->open();
    QTimer::singleShot(0, sprav, [&] {
        EXPECT_TRUE(sprav->isVisible());
        EXPECT_EQ(closed, 0);
        QTest::mouseClick(spravChild<QPushButton>(u"btn_Close"_s), Qt::LeftButton);
    });
    sprav->showData(dm->DS_Temp, u"Итоги тура"_s, true);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(sprav->title(), u"Итоги тура"_s);
}
