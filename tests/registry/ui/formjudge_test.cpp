// The judges and staff windows: picking people by click, double-click and Enter, removing.

#include "datatestutil.h"
#include "mainwindowfixture.h"
#include "typetext.h"

#include "app/currentcontext.h"
#include "data/dm.h"
#include "registry/ui/tformjudge.h"
#include "registry/ui/tformobsl.h"
#include "widgets/datagrid.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class PickWindowTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        startMainWindow([](Store &store) {
            store.exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (0, 'Шпага', 2)"_s);
            store.exec(u"INSERT INTO T_ORG (NUM, ORG_SHORT) VALUES (3, 'Динамо')"_s);
            store.exec(u"INSERT INTO T_PERSON (NUM, SURNAME, NAME, PATRONYMIC, NUM_ORG, STATE) "
                       u"VALUES (2, 'Ковалёва', 'Наталья', 'Юрьевна', 3, 'судья ВК'), "
                       u"(3, 'Яковлев', 'Андрей', 'Михайлович', NULL, 'Врач соревнований'), "
                       u"(4, 'Чернов', 'Валерий', NULL, 3, NULL)"_s);
        });
    }
    void open(QDialog *window)
    {
        current = window;
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    template <class T> T *child(const QString &name) const
    {
        T *w = current->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QModelIndex personRow(const QString &surname) const
    {
        auto *grid = child<DataGrid>(u"DBGrid1"_s);
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            if (grid->model()->index(r, 0).data().toString() == surname)
                return grid->model()->index(r, 0);
        return {};
    }
    void clickPerson(const QString &surname, bool twice = false) const
    {
        auto *grid = child<DataGrid>(u"DBGrid1"_s);
        const QModelIndex index = personRow(surname);
        ASSERT_TRUE(index.isValid()) << surname.toStdString();
        const QPoint at = grid->visualRect(index).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        if (twice) QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    }
    void click(const QString &button) const
    {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    // The rows of the right-hand list as the operator reads them.
    QStringList listed() const
    {
        auto *grid = child<DataGrid>(u"DBGrid2"_s);
        QStringList rows;
        for (int r = 0; r < grid->model()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                cells << grid->model()->index(r, c).data().toString();
            rows << cells.join(u'|');
        }
        return rows;
    }

    QDialog *current = nullptr;
};

TEST_F(PickWindowTest, JudgesAreAddedOnceByButtonDoubleClickAndEnter)
{
    open(form->formJudge());
    EXPECT_EQ(current->windowTitle(), u"Ввод и редактирование списка судей"_s);
    EXPECT_EQ(child<QLabel>(u"lbl_Heading"_s)->text(), u"ВВОД СУДЕЙ ОБСЛУЖИВАЮЩИХ СОРЕВНОВАНИЯ"_s);
    EXPECT_EQ(child<QPushButton>(u"btn_AddJudge"_s)->toolTip(),
              u"Добавить человека из левого списка в правый"_s);

    clickPerson(u"Ковалёва"_s);
    click(u"btn_AddJudge"_s);
    click(u"btn_AddJudge"_s);
    EXPECT_EQ(listed(), QStringList({u"Ковалёва|Наталья|Динамо"_s}));

    // No organization: the judge's organization is empty.
    clickPerson(u"Яковлев"_s, true);
    EXPECT_EQ(listed(), QStringList({u"Ковалёва|Наталья|Динамо"_s, u"Яковлев|Андрей|"_s}));

    auto *search = child<QLineEdit>(u"edt_Search"_s);
    search->setFocus();
    typeText(search, u"Чернов"_s);
    EXPECT_EQ(dm->tbl_PERSON->text(u"SURNAME"_s), u"Чернов"_s);
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_TRUE(search->text().isEmpty());
    EXPECT_EQ(listed().size(), 3);
    EXPECT_EQ(fileCount(ws.databaseFile(), u"T_JUDGE"_s), 3);
    EXPECT_TRUE(
        fileValue(ws.databaseFile(), u"SELECT ORG FROM T_JUDGE WHERE NUM_PERS = 3"_s).isNull());

    // "Удалить" removes the chosen row of the right list at once.
    auto *right = child<DataGrid>(u"DBGrid2"_s);
    QTest::mouseClick(right->viewport(), Qt::LeftButton, {},
                      right->visualRect(right->model()->index(1, 0)).center());
    click(u"btn_DelJudge"_s);
    EXPECT_EQ(listed(), QStringList({u"Ковалёва|Наталья|Динамо"_s, u"Яковлев|Андрей|"_s}));
    EXPECT_TRUE(prompter.confirms.isEmpty());
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

TEST_F(PickWindowTest, StaffTakeTheGradeAsTheirJob)
{
    open(form->formObsl());
    EXPECT_EQ(current->windowTitle(),
              u"Ввод/редактирование списка обслуживающего персонала соревнований"_s);
    EXPECT_EQ(child<QLabel>(u"lbl_Heading"_s)->text(), u"ВВОД ОБСЛУЖИВАЮЩЕГО ПЕРСОНАЛА "_s);
    clickPerson(u"Яковлев"_s);
    click(u"btn_AddObsl"_s);
    clickPerson(u"Чернов"_s, true);
    clickPerson(u"Яковлев"_s, true);
    EXPECT_EQ(listed(), QStringList({u"Яковлев|Андрей|Михайлович|Врач соревнований"_s,
                                     u"Чернов|Валерий||"_s}));
    click(u"btn_DelObsl"_s); // the current row: the last added
    EXPECT_EQ(fileCount(ws.databaseFile(), u"T_OBSL"_s), 1);
}

TEST_F(PickWindowTest, MenuEntriesOpenThemAndClosingRunsNoAspectChange)
{
    QSignalSpy aspectChanges(context, &CurrentContext::aspectSelected);
    for (const auto &[action, window] :
         {std::pair<QString, QDialog *>{u"actJudges"_s, form->formJudge()},
          std::pair<QString, QDialog *>{u"actStaff"_s, form->formObsl()}}) {
        current = window;
        QTimer::singleShot(0, window, [this, window] {
            EXPECT_TRUE(window->isVisible());
            click(u"btn_Close"_s);
        });
        QAction *entry = form->findChild<QAction *>(action);
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry->isEnabled()) << action.toStdString();
        entry->trigger();
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_EQ(aspectChanges.count(), 0);
}

} // namespace
