// Judges and service staff picked from the people register.

#include "datatestutil.h"
#include "recordingprompter.h"

#include "app/command.h"
#include "data/dm.h"
#include "registry/judges.h"

#include <QSqlRecord>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class JudgesTest : public DmTest {
protected:
    void SetUp() override
    {
        dm->store().exec(u"INSERT INTO T_ORG (NUM, ORG_SHORT) VALUES (3, 'Динамо')"_s);
        dm->store().exec(
            u"INSERT INTO T_PERSON (NUM, SURNAME, NAME, PATRONYMIC, NUM_ORG, STATE) VALUES "
            u"(2, 'Ковалёва', 'Наталья', 'Юрьевна', 3, 'судья ВК'), "
            u"(3, 'Яковлев', 'Андрей', NULL, NULL, 'Врач соревнований'), "
            u"(4, 'Длинный', NULL, NULL, 7, ?)"_s,
            {u"Заместитель главного судьи по размещению и питанию"_s});
        dm->store().refreshAll();
    }
    QStringList rows(const QString &sql) const
    {
        Store store(ws.databaseFile());
        QSqlQuery q = store.exec(sql);
        QStringList out;
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.record().count(); ++i)
                cells << (q.value(i).isNull() ? u"-"_s : q.value(i).toString());
            out << cells.join(u'|');
        }
        return out;
    }
    QString refusal(const std::function<void()> &command)
    {
        RecordingPrompter prompter;
        runCommand(prompter, [&] {
            command();
            return true;
        });
        return prompter.errors.join(u'\n');
    }
};

TEST_F(JudgesTest, AJudgeCarriesTheNamesAndOrganizationAndIsAddedOnce)
{
    EXPECT_TRUE(addJudge(*dm, 2));
    EXPECT_FALSE(addJudge(*dm, 2));
    EXPECT_TRUE(addJudge(*dm, 3));
    // Organization 7 does not exist: its short name stays empty.
    EXPECT_TRUE(addJudge(*dm, 4));
    EXPECT_EQ(rows(u"SELECT NUM_PERS, SURNAME, NAME, PATRONYMIC, ORG, NUM_ORG FROM T_JUDGE "
                   u"ORDER BY NUM"_s),
              QStringList({u"2|Ковалёва|Наталья|Юрьевна|Динамо|3"_s, u"3|Яковлев|Андрей|-|-|-"_s,
                           u"4|Длинный|-|-|-|7"_s}));
    EXPECT_EQ(dm->tbl_JUDGE->recordCount(), 3);
    EXPECT_EQ(columnTexts(*dm->tbl_JUDGE, u"SURNAME"_s),
              QStringList({u"Длинный"_s, u"Ковалёва"_s, u"Яковлев"_s}));
}

TEST_F(JudgesTest, StaffGetTheGradeAsTheirJobCutToItsField)
{
    EXPECT_TRUE(addStaff(*dm, 3));
    EXPECT_FALSE(addStaff(*dm, 3));
    EXPECT_TRUE(addStaff(*dm, 4));
    EXPECT_EQ(rows(u"SELECT NUM_PERS, SURNAME, NAME, JOB FROM T_OBSL ORDER BY NUM"_s),
              QStringList({u"3|Яковлев|Андрей|Врач соревнований"_s,
                           u"4|Длинный|-|Заместитель главного судьи по"_s}));
}

TEST_F(JudgesTest, RemovingByPersonOrCurrentRowAndTheRefusals)
{
    addJudge(*dm, 2);
    addJudge(*dm, 3);
    addStaff(*dm, 2);
    removeJudge(*dm, 3);
    EXPECT_EQ(rows(u"SELECT NUM_PERS FROM T_JUDGE"_s), QStringList({u"2"_s}));
    EXPECT_EQ(dm->tbl_JUDGE->recordCount(), 1);
    EXPECT_EQ(refusal([&] { removeJudge(*dm, 3); }), u"Человека № 3 нет в списке судей."_s);
    EXPECT_EQ(refusal([&] { removeStaff(*dm, 3); }),
              u"Человека № 3 нет в списке обслуживающего персонала."_s);
    EXPECT_EQ(refusal([&] { addJudge(*dm, 99); }), u"Человека № 99 нет в справочнике людей."_s);
    EXPECT_EQ(refusal([&] { addStaff(*dm, 99); }), u"Человека № 99 нет в справочнике людей."_s);
    EXPECT_EQ(count(u"T_JUDGE"_s), 1);
    EXPECT_EQ(count(u"T_OBSL"_s), 1);

    removeCurrentStaff(*dm);
    EXPECT_EQ(count(u"T_OBSL"_s), 0);
    removeCurrentStaff(*dm); // an empty list: nothing to remove, no message
    removeCurrentJudge(*dm);
    EXPECT_EQ(count(u"T_JUDGE"_s), 0);
}

} // namespace
