#include "recordingprompter.h"
#include "tempworkspace.h"
#include "typetext.h"

#include "widgets/datefieldedit.h"
#include "widgets/dbnavigator.h"
#include "widgets/fieldbinder.h"
#include "data/dm.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

// Editors bound to the organizations and people, with a navigator, as a register window
// would have them.
class FieldBinderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm->store().exec(u"INSERT INTO T_ORG (ORG_SHORT, CITY) VALUES ('Динамо', 'Москва'), "
                         u"('Спартак', 'Тула')"_s);
        dm->store().exec(u"INSERT INTO T_PERSON (SURNAME, NAME) VALUES ('Орлов', 'Олег')"_s);
        dm->store().refreshAll();
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(orgName = new QLineEdit);
        layout->addWidget(birthday = new DateFieldEdit);
        layout->addWidget(trainer = new QCheckBox(u"Тренер"_s));
        layout->addWidget(navigator = new DBNavigator);
        bindLineEdit(orgName, *dm->tbl_ORG, u"ORG_SHORT"_s, prompter);
        bindDateEdit(birthday, *dm->tbl_PERSON, u"BIRTHDAY"_s, prompter);
        bindCheckBox(trainer, *dm->tbl_PERSON, u"TRAINER"_s, prompter);
        navigator->bind(dm->tbl_ORG, &prompter);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void click(DBNavigator::Button b) { QTest::mouseClick(navigator->button(b), Qt::LeftButton); }
    QVariant file(const QString &sql) const
    {
        QSqlQuery q = Store(ws.databaseFile()).exec(sql);
        return q.next() ? q.value(0) : QVariant();
    }

    test::TempWorkspace ws;
    std::unique_ptr<TDM> dm = ws.openDm();
    test::RecordingPrompter prompter;
    QWidget window;
    QLineEdit *orgName;
    DateFieldEdit *birthday;
    QCheckBox *trainer;
    DBNavigator *navigator;
};

TEST_F(FieldBinderTest, EditorFollowsTheRowAndEnterStoresWhatWasTyped)
{
    EXPECT_EQ(orgName->text(), u"Динамо"_s);
    EXPECT_EQ(orgName->maxLength(), 12);
    EXPECT_FALSE(navigator->button(DBNavigator::Prior)->isEnabled());
    click(DBNavigator::Next);
    EXPECT_EQ(orgName->text(), u"Спартак"_s);
    EXPECT_FALSE(navigator->button(DBNavigator::Next)->isEnabled());

    orgName->setFocus();
    orgName->selectAll();
    test::typeText(orgName, u"Зенит"_s);
    EXPECT_EQ(dm->tbl_ORG->state(), Table::State::Edit);
    EXPECT_TRUE(navigator->button(DBNavigator::Post)->isEnabled());
    QTest::keyClick(orgName, Qt::Key_Return);
    EXPECT_EQ(dm->tbl_ORG->state(), Table::State::Browse);
    EXPECT_EQ(file(u"SELECT GROUP_CONCAT(ORG_SHORT) FROM T_ORG"_s), u"Динамо,Зенит"_s);
}

TEST_F(FieldBinderTest, RefusedValueStaysTypedThroughEnterAndRowMoves)
{
    orgName->setFocus();
    orgName->selectAll();
    QTest::keyClick(orgName, Qt::Key_Delete);
    QTest::keyClick(orgName, Qt::Key_Return);
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].contains(u"Название"_s)) << prompter.errors[0].toStdString();
    EXPECT_EQ(dm->tbl_ORG->state(), Table::State::Edit);

    click(DBNavigator::Next); // the row cannot be left with the required name missing
    EXPECT_EQ(prompter.errors.size(), 2);
    EXPECT_EQ(dm->tbl_ORG->currentRow(), 0);
    EXPECT_EQ(orgName->text(), QString());

    click(DBNavigator::Cancel);
    EXPECT_EQ(orgName->text(), u"Динамо"_s);
    EXPECT_EQ(file(u"SELECT ORG_SHORT FROM T_ORG WHERE NUM = 1"_s), u"Динамо"_s);
}

TEST_F(FieldBinderTest, NavigatorInsertsAndDeletesAfterAskingAndCheckBoxAndDateEdit)
{
    click(DBNavigator::Insert);
    EXPECT_EQ(orgName->text(), QString());
    test::typeText(orgName, u"ЦСКА"_s);
    click(DBNavigator::Post);
    EXPECT_EQ(file(u"SELECT COUNT(*) FROM T_ORG"_s).toInt(), 3);

    prompter.answers = {false};
    click(DBNavigator::Delete);
    EXPECT_EQ(file(u"SELECT COUNT(*) FROM T_ORG"_s).toInt(), 3);
    prompter.answers = {true};
    click(DBNavigator::Delete);
    EXPECT_EQ(prompter.confirms, QStringList({u"Удалить запись?"_s, u"Удалить запись?"_s}));
    EXPECT_EQ(file(u"SELECT COUNT(*) FROM T_ORG"_s).toInt(), 2);

    // A ticked box is a typed value; the trainer rules run when the row is posted.
    QTest::mouseClick(trainer, Qt::LeftButton, {}, QPoint(8, trainer->height() / 2));
    EXPECT_EQ(dm->tbl_PERSON->state(), Table::State::Edit);
    birthday->setFocus();
    birthday->setFieldDate(QDate(2008, 2, 29));
    QTest::keyClick(birthday, Qt::Key_Return);
    EXPECT_EQ(dm->tbl_PERSON->state(), Table::State::Browse);
    EXPECT_EQ(file(u"SELECT BIRTHDAY FROM T_PERSON"_s), u"2008-02-29"_s);
    EXPECT_EQ(file(u"SELECT COUNT(*) FROM T_TRAIN"_s).toInt(), 1);
    EXPECT_TRUE(trainer->isChecked());
}

} // namespace
