// The people window clicked and typed through: insert, trainers, quick search, refusals.

#include "datatestutil.h"
#include "mainwindowfixture.h"
#include "typetext.h"

#include "app/currentcontext.h"
#include "data/dm.h"
#include "registry/ui/tformperson.h"
#include "widgets/datagrid.h"
#include "widgets/datefieldedit.h"
#include "widgets/dbnavigator.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class FormPersonTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        startMainWindow([](Store &store) {
            store.exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (0, 'Шпага', 2)"_s);
            store.exec(u"INSERT INTO T_ORG (NUM, ORG_SHORT) VALUES (3, 'Динамо'), (5, 'ЦСКА')"_s);
            store.exec(u"INSERT INTO T_PERSON (NUM, SURNAME, NAME, NUM_ORG, TRAINER, NUM_TRAIN1, "
                       u"NUM_TRAIN2) VALUES (2, 'Орлов', 'Олег', 3, 0, 1, 1), "
                       u"(3, 'Белов', 'Борис', 5, 0, 1, 1), (4, 'Ор', 'Ян', NULL, 0, 1, 1)"_s);
        });
        window = form->formPerson();
        ASSERT_NE(window, nullptr);
    }
    void open()
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    void close() { QTest::mouseClick(child<QPushButton>(u"btn_Close"_s), Qt::LeftButton); }
    template <class T> T *child(const QString &name) const
    {
        T *w = window->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void clickNavigator(DBNavigator::Button b) const
    {
        QToolButton *button = child<DBNavigator>(u"DBNavigator1"_s)->button(b);
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Clicks the row of the people list that shows this surname.
    void pickPerson(const QString &surname) const
    {
        auto *grid = child<DataGrid>(u"DBGrid1"_s);
        for (int r = 0; r < grid->model()->rowCount(); ++r) {
            const QModelIndex index = grid->model()->index(r, 0);
            if (index.data().toString() == surname) {
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                                  grid->visualRect(index).center());
                return;
            }
        }
        FAIL() << "no row " << surname.toStdString();
    }
    void typeInto(const QString &editName, const QString &text) const
    {
        auto *edit = child<QLineEdit>(editName);
        edit->setFocus();
        edit->selectAll();
        typeText(edit, text);
    }
    // Chooses an entry of a drop-down list with the keyboard, as the operator can.
    void choose(const QString &comboName, const QString &text) const
    {
        auto *combo = child<QComboBox>(comboName);
        ASSERT_GE(combo->findText(text), 0) << text.toStdString();
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 0; i < combo->count() && combo->currentText() != text; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
        ASSERT_EQ(combo->currentText(), text);
    }
    // Clicks a check box on its box, as the operator does.
    void tick(const QString &name) const
    {
        auto *box = child<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    QStringList items(const QString &comboName) const
    {
        QStringList out;
        auto *combo = child<QComboBox>(comboName);
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }
    QVariant file(const QString &sql) const { return fileValue(ws.databaseFile(), sql); }

    TFormPerson *window = nullptr;
};

TEST_F(FormPersonTest, ShowsTheLayoutWithItsHintsAndNoDelete)
{
    open();
    EXPECT_EQ(window->windowTitle(), u"Человек"_s);
    EXPECT_EQ(child<QLabel>(u"lbl_Heading"_s)->text(),
              u"ВВОД И РЕДАКТИРОВАНИЕ ИНФОРМАЦИИ О ЧЕЛОВЕКЕ"_s);
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(u"ed_SURNAME"_s));
    EXPECT_EQ(child<QLineEdit>(u"edt_search"_s)->toolTip(),
              u"Быстрый поиск по фамилии, введите первые буквы"_s);
    EXPECT_EQ(child<QLineEdit>(u"ed_SURNAME"_s)->maxLength(), 25);
    EXPECT_EQ(child<QLineEdit>(u"ed_P_NUM"_s)->maxLength(), 6);
    EXPECT_TRUE(child<DateFieldEdit>(u"ed_BIRTHDAY"_s)->calendarPopup());
    EXPECT_EQ(items(u"cb_NUM_ORG"_s), QStringList({QString(), u"Динамо"_s, u"ЦСКА"_s}));

    auto *nav = child<DBNavigator>(u"DBNavigator1"_s);
    EXPECT_FALSE(nav->button(DBNavigator::Delete)->isVisible());
    EXPECT_FALSE(nav->button(DBNavigator::Refresh)->isVisible());
    EXPECT_EQ(nav->button(DBNavigator::First)->toolTip(), u"Перейти к первому"_s);
    EXPECT_EQ(nav->button(DBNavigator::Edit)->toolTip(), u"Редактировать данные текущего"_s);
    EXPECT_EQ(nav->button(DBNavigator::Insert)->toolTip(), u"Добавить нового"_s);

    // The main window hooks the organizations window in; the button then opens what it is given.
    auto *orgs = child<QPushButton>(u"btn_Org"_s);
    EXPECT_EQ(orgs->text(), u"Список организаций"_s);
    EXPECT_TRUE(orgs->isEnabled());
    int opened = 0;
    window->setOrganizationsOpener([&opened] { ++opened; });
    QTest::mouseClick(orgs, Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(child<QLabel>(u"lbl_RecNo"_s)->text(), u"№ 3"_s); // Белов, the first in order
    close();
}

TEST_F(FormPersonTest, TabKeyReachesEveryFieldInReadingOrder)
{
    open();
    QStringList order;
    QWidget *const start = child<QLineEdit>(u"ed_SURNAME"_s);
    QWidget *w = start;
    do {
        // The date edits' inner line edits belong to them; disabled buttons take no focus.
        if (!w->objectName().startsWith(u"qt_"_s) && (w->focusPolicy() & Qt::TabFocus) &&
            w->isVisible() && w->isEnabled())
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != start && order.size() < 100);
    const QStringList fields{
        u"ed_SURNAME"_s,     u"ed_NAME"_s,      u"ed_PATRONYMIC"_s, u"ed_BIRTHDAY"_s,
        u"ed_PLACE_BIRTH"_s, u"cb_PASSPORT"_s,  u"ed_P_SER"_s,      u"ed_P_NUM"_s,
        u"ed_P_DATA"_s,      u"ed_P_KEM"_s,     u"ed_DOMICILE"_s,   u"ed_VISA"_s,
        u"ed_INN"_s,         u"ed_INSURANCE"_s, u"ed_TEL_HOME"_s,   u"ed_TEL_WORK"_s,
        u"ed_STATE"_s,       u"cb_NUM_ORG"_s,   u"cb_TRAINER"_s,    u"cb_NUM_TRAIN1"_s,
        u"cb_NUM_TRAIN2"_s,  u"btn_Org"_s,      u"btn_Help"_s,      u"btn_Close"_s,
        u"edt_search"_s,     u"DBGrid1"_s};
    EXPECT_EQ(order, fields);
}

TEST_F(FormPersonTest, NewPersonWithoutTrainerStoresOneAndOneWithEmptyNames)
{
    open();
    clickNavigator(DBNavigator::Insert);
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(u"ed_SURNAME"_s));
    typeText(child<QLineEdit>(u"ed_SURNAME"_s), u"Новиков"_s);
    typeInto(u"ed_NAME"_s, u"Никита"_s);
    choose(u"cb_NUM_ORG"_s, u"ЦСКА"_s);
    EXPECT_EQ(dm->tbl_ORG->intValue(u"NUM"_s), 5); // the organization's row follows
    clickNavigator(DBNavigator::Post);
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
    EXPECT_EQ(file(u"SELECT NUM || '|' || NAME || '|' || NUM_ORG || '|' || TRAINER || '|' || "
                   u"NUM_TRAIN1 || '|' || NUM_TRAIN2 || '|' || IFNULL(SURNAME1, '-') || "
                   u"IFNULL(SURNAME2, '-') FROM T_PERSON WHERE SURNAME = 'Новиков'"_s),
              u"5|Никита|5|0|1|1|--"_s);
    EXPECT_EQ(child<QLabel>(u"lbl_RecNo"_s)->text(), u"№ 5"_s);
}

TEST_F(FormPersonTest, TickedTrainerIsOfferedNextTimeAndPupilsFollowTheTrainerRow)
{
    open();
    pickPerson(u"Орлов"_s);
    tick(u"cb_TRAINER"_s);
    close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
    EXPECT_EQ(file(u"SELECT SURNAME || '|' || ORG FROM T_TRAIN WHERE NUM_PERS = 2"_s),
              u"Орлов|Динамо"_s);

    open();
    EXPECT_EQ(items(u"cb_NUM_TRAIN1"_s), QStringList({QString(), u"Орлов"_s}));
    EXPECT_EQ(items(u"cb_NUM_TRAIN2"_s), QStringList({QString(), u"Орлов"_s}));
    pickPerson(u"Белов"_s);
    choose(u"cb_NUM_TRAIN1"_s, u"Орлов"_s);
    clickNavigator(DBNavigator::Post);
    EXPECT_EQ(file(u"SELECT NUM_TRAIN1 || '|' || SURNAME1 || '|' || NAME1 || '|' || NUM_TRAIN2 "
                   u"FROM T_PERSON WHERE NUM = 3"_s),
              u"2|Орлов|Олег|1"_s);

    // The trainer row changed behind the window: the pupil's next post copies it again.
    dm->store().exec(u"UPDATE T_TRAIN SET NAME = 'Олег-Младший'"_s);
    dm->tbl_TRAIN->refresh();
    typeInto(u"ed_STATE"_s, u"КМС"_s);
    clickNavigator(DBNavigator::Post);
    EXPECT_EQ(file(u"SELECT NAME1 FROM T_PERSON WHERE NUM = 3"_s), u"Олег-Младший"_s);

    // Unticking removes the trainer row, ticking again makes a new one.
    const int firstRow = file(u"SELECT NUM FROM T_TRAIN"_s).toInt();
    pickPerson(u"Орлов"_s);
    tick(u"cb_TRAINER"_s);
    clickNavigator(DBNavigator::Post);
    EXPECT_EQ(fileCount(ws.databaseFile(), u"T_TRAIN"_s), 0);
    EXPECT_EQ(items(u"cb_NUM_TRAIN1"_s), QStringList({QString()}));
    tick(u"cb_TRAINER"_s);
    clickNavigator(DBNavigator::Post);
    EXPECT_GT(file(u"SELECT NUM FROM T_TRAIN WHERE NUM_PERS = 2"_s).toInt(), firstRow);
    close();
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

TEST_F(FormPersonTest, QuickSearchMovesOnlyOnAWholeSurnameAndEnterCloses)
{
    open();
    pickPerson(u"Белов"_s);
    auto *search = child<QLineEdit>(u"edt_search"_s);
    search->setFocus();
    typeText(search, u"О"_s);
    EXPECT_EQ(dm->tbl_PERSON->text(u"SURNAME"_s), u"Белов"_s);
    typeText(search, u"р"_s); // "Ор" is a whole surname too
    EXPECT_EQ(dm->tbl_PERSON->text(u"SURNAME"_s), u"Ор"_s);
    typeText(search, u"ло"_s);
    EXPECT_EQ(dm->tbl_PERSON->text(u"SURNAME"_s), u"Ор"_s);
    typeText(search, u"в"_s);
    EXPECT_EQ(dm->tbl_PERSON->text(u"SURNAME"_s), u"Орлов"_s);
    EXPECT_EQ(child<QLineEdit>(u"ed_NAME"_s)->text(), u"Олег"_s);

    // An edit pending when Enter is pressed in the search edit is stored, then the window closes.
    typeInto(u"ed_STATE"_s, u"МС"_s);
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(file(u"SELECT STATE FROM T_PERSON WHERE NUM = 2"_s), u"МС"_s);
}

TEST_F(FormPersonTest, RefusedPostsKeepTheRowInEditingWithWhatWasTyped)
{
    open();
    clickNavigator(DBNavigator::Insert);
    typeInto(u"ed_NAME"_s, u"Безфамильный"_s);
    clickNavigator(DBNavigator::Post);
    EXPECT_EQ(prompter.errors, QStringList({u"Поле «Фамилия» должно быть заполнено."_s}));
    EXPECT_TRUE(dm->tbl_PERSON->isEditing());
    EXPECT_EQ(child<QLineEdit>(u"ed_NAME"_s)->text(), u"Безфамильный"_s);

    // The editor takes no more than the field holds.
    typeInto(u"ed_SURNAME"_s, QString(30, u'Я'));
    EXPECT_EQ(child<QLineEdit>(u"ed_SURNAME"_s)->text(), QString(25, u'Я'));

    // A birthday a year ahead: from the empty field the arrow starts today, then the year goes up.
    auto *birthday = child<DateFieldEdit>(u"ed_BIRTHDAY"_s);
    birthday->setFocus();
    QTest::keyClick(birthday, Qt::Key_Up);
    birthday->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClick(birthday, Qt::Key_Up);
    const QDate nextYear = QDate::currentDate().addYears(1);
    ASSERT_EQ(birthday->fieldDate(), nextYear);
    prompter.errors.clear();
    clickNavigator(DBNavigator::Post);
    EXPECT_EQ(prompter.errors,
              QStringList({u"Дата рождения %1 ещё не наступила: проверьте дату."_s.arg(
                  nextYear.toString(u"dd.MM.yyyy"_s))}));
    EXPECT_TRUE(dm->tbl_PERSON->isEditing());
    EXPECT_EQ(birthday->fieldDate(), nextYear);
    EXPECT_EQ(child<QLineEdit>(u"ed_SURNAME"_s)->text(), QString(25, u'Я'));
    EXPECT_EQ(fileCount(ws.databaseFile(), u"T_PERSON"_s), 3);

    // "Закрыть" tries to post as well and stays open on the refusal.
    prompter.errors.clear();
    close();
    EXPECT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(window->isVisible());
    clickNavigator(DBNavigator::Cancel);
    close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(fileCount(ws.databaseFile(), u"T_PERSON"_s), 3);
}

TEST_F(FormPersonTest, MenuEntryOpensTheWindowAndClosingRunsTheAspectChange)
{
    QSignalSpy aspectChanges(context, &CurrentContext::aspectSelected);
    QTimer::singleShot(0, window, [this] {
        EXPECT_TRUE(window->isVisible());
        close();
    });
    QAction *entry = form->findChild<QAction *>(u"actPeople"_s);
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(entry->isEnabled());
    entry->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(aspectChanges.count(), 1);
}

} // namespace
