// The sample competition of `vintrel-cli init --demo`: a city championship with two aspects,
// an epee event run as pools followed by direct elimination and a foil event run as direct
// elimination only. Everything a secretary enters before the first tour is there (people,
// organizations, trainers, judges, staff, entries with their classification, the tour rows),
// so a newcomer can run the pools and the tables to the end and print every protocol.

#include "workspace.h"

#include "schema.h"
#include "store.h"
#include "storeerror.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <span>
#include <utility>
#include <vector>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

constexpr int kNone = -1;     // no organization / no trainer in the tables below
constexpr int kNoTrainer = 1; // the stored trainer reference that means "no trainer"

// The sample is kept as tables, one row a line.
// clang-format off

struct DemoOrg {
    const char16_t *shortName;
    const char16_t *city;
    const char16_t *fullName;
};

// Index into kOrgs.
enum Org { SSHOR, Dinamo, Klinok, Rapira, Atlant, Garda };

const DemoOrg kOrgs[] = {
    {u"СШОР №1", u"Светлогорск", u"Спортивная школа олимпийского резерва №1 г. Светлогорска"},
    {u"Динамо", u"Светлогорск", u"Светлогорское городское отделение общества «Динамо»"},
    {u"Клинок", u"Светлогорск", u"Фехтовальный клуб «Клинок»"},
    {u"Рапира", u"Приозёрск", u"Детско-юношеская спортивная школа «Рапира» г. Приозёрска"},
    {u"Атлант", u"Каменск", u"Спортивный клуб «Атлант»"},
    {u"Гарда", u"Лесногорск", u"Центр фехтования «Гарда» г. Лесногорска"},
};

struct DemoPerson {
    const char16_t *surname;
    const char16_t *name;
    const char16_t *patronymic;
    int org;
    const char16_t *state;
    const char16_t *birthday;
};

// The competition posts of T_COMP that point at a person.
enum class Post { None, ChiefJudge, Deputy1, Deputy2, ChiefSecretary };

struct DemoOfficial {
    DemoPerson person;
    Post post;
    bool judge;          // a row in T_JUDGE
    const char16_t *job; // non-empty: a row in T_OBSL with this position
};

// Entered before the trainers: person number 1, which trainer references reserve for
// "no trainer", goes to the chief judge.
const DemoOfficial kOfficials[] = {
    {{u"Григорьев", u"Павел", u"Андреевич", SSHOR, u"судья ВК", u"1958-02-15"},
     Post::ChiefJudge, false, u""},
    {{u"Ковалёва", u"Наталья", u"Юрьевна", Dinamo, u"судья ВК", u"1965-07-22"},
     Post::Deputy1, true, u""},
    {{u"Степанов", u"Олег", u"Викторович", Klinok, u"судья 1 кат.", u"1970-10-05"},
     Post::Deputy2, true, u""},
    {{u"Афанасьев", u"Роман", u"Ильич", Rapira, u"судья 1 кат.", u"1976-03-11"},
     Post::None, true, u""},
    {{u"Бондаренко", u"Юлия", u"Сергеевна", Atlant, u"судья 2 кат.", u"1983-08-29"},
     Post::None, true, u""},
    {{u"Дмитриев", u"Игорь", u"Валерьевич", Garda, u"судья 2 кат.", u"1981-12-02"},
     Post::None, true, u""},
    {{u"Широкова", u"Марина", u"Александровна", SSHOR, u"судья 1 кат.", u"1974-05-17"},
     Post::ChiefSecretary, false, u"Главный секретарь"},
    {{u"Яковлев", u"Андрей", u"Михайлович", Dinamo, u"врач", u"1969-09-30"},
     Post::None, false, u"Врач соревнований"},
    {{u"Чернов", u"Валерий", u"Степанович", Klinok, u"инструктор", u"1962-04-08"},
     Post::None, false, u"Комендант"},
};

// Index into kTrainers.
enum Trainer { Kuznetsov, Smirnova, Orlov, Volkova, Morozov };

const DemoPerson kTrainers[] = {
    {u"Кузнецов", u"Виктор", u"Петрович", SSHOR, u"тренер высшей кат.", u"1968-04-12"},
    {u"Смирнова", u"Елена", u"Васильевна", Rapira, u"тренер высшей кат.", u"1972-09-03"},
    {u"Орлов", u"Сергей", u"Николаевич", Dinamo, u"тренер 1 кат.", u"1975-01-20"},
    {u"Волкова", u"Ирина", u"Геннадьевна", Klinok, u"тренер 1 кат.", u"1979-06-08"},
    {u"Морозов", u"Алексей", u"Борисович", Garda, u"тренер 2 кат.", u"1984-11-27"},
};

struct DemoFencer {
    DemoPerson person;
    int trainer1; // index into kTrainers or kNone
    int trainer2 = kNone;
};

// Each aspect's entries in the order of their classification (the first is classified 1).
const DemoFencer kEpeeMen[] = {
    {{u"Воронцов", u"Андрей", u"Игоревич", SSHOR, u"КМС", u"2006-03-14"}, Kuznetsov, Volkova},
    {{u"Белов", u"Кирилл", u"Сергеевич", Dinamo, u"КМС", u"2006-07-02"}, Orlov},
    {{u"Тихонов", u"Максим", u"Алексеевич", Klinok, u"1 разряд", u"2007-01-25"}, Volkova},
    {{u"Гусев", u"Артём", u"Дмитриевич", Rapira, u"1 разряд", u"2006-11-09"}, Smirnova},
    {{u"Ершов", u"Никита", u"Павлович", Atlant, u"1 разряд", u"2007-05-30"}, kNone},
    {{u"Журавлёв", u"Денис", u"Олегович", Garda, u"1 разряд", u"2007-09-17"}, Morozov},
    {{u"Зайцев", u"Илья", u"Викторович", SSHOR, u"1 разряд", u"2008-02-03"}, Kuznetsov},
    {{u"Калинин", u"Егор", u"Андреевич", Dinamo, u"2 разряд", u"2008-04-21"}, Orlov, Kuznetsov},
    {{u"Лапин", u"Тимофей", u"Романович", Klinok, u"2 разряд", u"2007-12-11"}, Volkova},
    {{u"Макаров", u"Глеб", u"Николаевич", Rapira, u"2 разряд", u"2008-06-08"}, Smirnova},
    {{u"Назаров", u"Степан", u"Ильич", Atlant, u"2 разряд", u"2008-08-19"}, kNone},
    {{u"Осипов", u"Владислав", u"Юрьевич", Garda, u"2 разряд", u"2008-10-27"}, Morozov},
    {{u"Панкратов", u"Даниил", u"Евгеньевич", SSHOR, u"2 разряд", u"2009-01-05"}, Kuznetsov},
    {{u"Рябов", u"Семён", u"Константинович", Dinamo, u"3 разряд", u"2009-03-16"}, Orlov},
    {{u"Соболев", u"Арсений", u"Максимович", Klinok, u"3 разряд", u"2009-05-22"}, Volkova},
    {{u"Трофимов", u"Лев", u"Антонович", Rapira, u"3 разряд", u"2009-07-13"}, Smirnova},
    {{u"Ушаков", u"Матвей", u"Вадимович", Atlant, u"3 разряд", u"2009-09-29"}, kNone},
    {{u"Фомин", u"Георгий", u"Артурович", Garda, u"3 разряд", u"2009-11-04"}, Morozov},
};

const DemoFencer kFoilWomen[] = {
    {{u"Абрамова", u"Алина", u"Сергеевна", Rapira, u"КМС", u"2007-02-18"}, Smirnova, Kuznetsov},
    {{u"Власова", u"Дарья", u"Андреевна", SSHOR, u"КМС", u"2007-06-23"}, Kuznetsov},
    {{u"Горбунова", u"Полина", u"Игоревна", Klinok, u"1 разряд", u"2008-01-09"}, Volkova},
    {{u"Денисова", u"Ксения", u"Олеговна", Dinamo, u"1 разряд", u"2008-03-30"}, Orlov},
    {{u"Ефимова", u"Варвара", u"Денисовна", Rapira, u"1 разряд", u"2008-09-12"}, Smirnova},
    {{u"Жукова", u"Софья", u"Романовна", Garda, u"2 разряд", u"2009-04-04"}, Morozov},
    {{u"Исаева", u"Милана", u"Викторовна", Atlant, u"2 разряд", u"2009-06-15"}, kNone},
    {{u"Козлова", u"Вероника", u"Павловна", SSHOR, u"2 разряд", u"2009-08-01"}, Kuznetsov, Orlov},
    {{u"Лебедева", u"Арина", u"Максимовна", Klinok, u"3 разряд", u"2010-02-26"}, Volkova},
    {{u"Мельникова", u"Ева", u"Артёмовна", Dinamo, u"3 разряд", u"2010-05-07"}, Orlov},
    {{u"Никитина", u"Ульяна", u"Алексеевна", Garda, u"3 разряд", u"2010-10-19"}, Morozov},
};

struct DemoAspect {
    int num;
    const char16_t *name;
    int variant; // variant 2: a pool tour, then direct elimination; variant 3: elimination only
    std::span<const DemoFencer> entries;
};

const DemoAspect kAspects[] = {
    {0, u"Шпага, мужчины", 2, kEpeeMen},
    {1, u"Рапира, женщины", 3, kFoilWomen},
};

const char16_t *const kFirstDay = u"2025-04-12";
const char16_t *const kLastDay = u"2025-04-13";

// clang-format on

// Empty texts are stored as NULL, as the table store stores an emptied field.
QVariant text(const char16_t *s)
{
    return s && *s ? QVariant(QString::fromUtf16(s)) : QVariant();
}

using Values = std::vector<std::pair<QString, QVariant>>;

// Refuses a column the table lacks and a text longer than its field, so the sample can never
// hold what the windows would not let an operator type.
void checkValues(const QString &table, const Values &values)
{
    const TableDef *def = schemaTable(table);
    if (!def) throw StoreError(u"Нет таблицы %1."_s.arg(table));
    for (const auto &[column, value] : values) {
        const FieldDef *f = def->field(column);
        if (!f || !f->isStored() || f->type == FieldType::AutoInc)
            throw StoreError(u"В таблице %1 нет записываемого поля %2."_s.arg(table, column));
        if (f->isText() && f->size > 0 && value.toString().size() > f->size)
            throw StoreError(u"Значение поля %1.%2 длиннее %3 символов: %4"_s.arg(
                table, column, QString::number(f->size), value.toString()));
    }
}

// Appends one row and returns its row number (the autoinc NUM where the table has one).
int insertRow(Store &store, const QString &table, const Values &values)
{
    checkValues(table, values);
    QStringList columns, marks;
    QVariantList binds;
    for (const auto &[column, value] : values) {
        columns << column;
        marks << u"?"_s;
        binds << value;
    }
    QSqlQuery q = store.exec(
        u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(table, columns.join(u", "_s), marks.join(u", "_s)),
        binds);
    return q.lastInsertId().toInt();
}

void updateAllRows(Store &store, const QString &table, const Values &values)
{
    checkValues(table, values);
    QStringList sets;
    QVariantList binds;
    for (const auto &[column, value] : values) {
        sets << column + u" = ?"_s;
        binds << value;
    }
    store.exec(u"UPDATE %1 SET %2"_s.arg(table, sets.join(u", "_s)), binds);
}

// A trainer reference with the trainer's names, as a person row and its entries carry them;
// "no trainer" unless filled.
struct TrainerRef {
    QVariant num{kNoTrainer};
    QVariant surname, name, patronymic;
};

class DemoBuilder {
public:
    explicit DemoBuilder(Store &store) : m_store(store) {}

    void run()
    {
        addOrganizations();
        addOfficials();
        addTrainers();
        for (const DemoAspect &aspect : kAspects)
            addAspect(aspect);
        addTourRows();
    }

private:
    void addOrganizations()
    {
        for (const DemoOrg &org : kOrgs)
            m_orgNums.push_back(insertRow(m_store, u"T_ORG"_s,
                                          {{u"ORG_SHORT"_s, text(org.shortName)},
                                           {u"CITY"_s, text(org.city)},
                                           {u"ORG_FULL"_s, text(org.fullName)}}));
    }

    QVariant orgNum(int org) const { return org == kNone ? QVariant() : m_orgNums[size_t(org)]; }
    QVariant orgShort(int org) const
    {
        return org == kNone ? QVariant() : text(kOrgs[org].shortName);
    }

    TrainerRef trainerRef(int trainer) const
    {
        if (trainer == kNone) return {};
        const DemoPerson &t = kTrainers[trainer];
        return {m_trainerNums[size_t(trainer)], text(t.surname), text(t.name), text(t.patronymic)};
    }

    int addPerson(const DemoPerson &p, bool trainer, const TrainerRef &t1, const TrainerRef &t2)
    {
        Values values{{u"SURNAME"_s, text(p.surname)},       {u"NAME"_s, text(p.name)},
                      {u"PATRONYMIC"_s, text(p.patronymic)}, {u"NUM_ORG"_s, orgNum(p.org)},
                      {u"STATE"_s, text(p.state)},           {u"BIRTHDAY"_s, text(p.birthday)},
                      {u"TRAINER"_s, trainer ? 1 : 0}};
        // A trainer's own trainer references are left as they are; everyone else carries
        // both references, 1 when there is none, with the trainers' names beside them.
        if (!trainer) {
            values.insert(values.end(), {{u"NUM_TRAIN1"_s, t1.num},
                                         {u"SURNAME1"_s, t1.surname},
                                         {u"NAME1"_s, t1.name},
                                         {u"PATRONYMIC1"_s, t1.patronymic},
                                         {u"NUM_TRAIN2"_s, t2.num},
                                         {u"SURNAME2"_s, t2.surname},
                                         {u"NAME2"_s, t2.name},
                                         {u"PATRONYMIC2"_s, t2.patronymic}});
        }
        return insertRow(m_store, u"T_PERSON"_s, values);
    }

    // The names, organization and person of a row in T_TRAIN or T_JUDGE.
    Values registerRow(const DemoPerson &p, int personNum) const
    {
        return {{u"SURNAME"_s, text(p.surname)},
                {u"NAME"_s, text(p.name)},
                {u"PATRONYMIC"_s, text(p.patronymic)},
                {u"ORG"_s, orgShort(p.org)},
                {u"NUM_PERS"_s, personNum},
                {u"NUM_ORG"_s, orgNum(p.org)}};
    }

    void addOfficials()
    {
        Values posts;
        for (const DemoOfficial &o : kOfficials) {
            const int num = addPerson(o.person, false, {}, {});
            switch (o.post) {
            case Post::None:
                break;
            case Post::ChiefJudge:
                posts.emplace_back(u"JUDGE_NUM"_s, num);
                break;
            case Post::Deputy1:
                posts.emplace_back(u"JUD1_NUM"_s, num);
                break;
            case Post::Deputy2:
                posts.emplace_back(u"JUD2_NUM"_s, num);
                break;
            case Post::ChiefSecretary:
                posts.emplace_back(u"SECR_NUM"_s, num);
                break;
            }
            if (o.judge) insertRow(m_store, u"T_JUDGE"_s, registerRow(o.person, num));
            if (o.job && *o.job)
                insertRow(m_store, u"T_OBSL"_s,
                          {{u"NUM_PERS"_s, num},
                           {u"SURNAME"_s, text(o.person.surname)},
                           {u"NAME"_s, text(o.person.name)},
                           {u"PATRONYMIC"_s, text(o.person.patronymic)},
                           {u"JOB"_s, text(o.job)}});
        }

        Values comp{{u"NAME1"_s, u"Управление по физической культуре и спорту г. Светлогорска"_s},
                    {u"NAME2"_s, u"Федерация фехтования г. Светлогорска"_s},
                    {u"NAME3"_s, u"Первенство города по фехтованию среди юниоров и юниорок"_s},
                    {u"NAME"_s, u"Первенство города по фехтованию"_s},
                    {u"PLACE"_s, u"Дворец спорта «Олимп»"_s},
                    {u"DATA1"_s, text(kFirstDay)},
                    {u"DATA2"_s, text(kLastDay)}};
        comp.insert(comp.end(), posts.begin(), posts.end());
        updateAllRows(m_store, u"T_COMP"_s, comp);
    }

    void addTrainers()
    {
        for (const DemoPerson &t : kTrainers) {
            const int num = addPerson(t, true, {}, {});
            // Person number 1 would read as "no trainer" wherever it is referenced.
            if (num == kNoTrainer)
                throw StoreError(u"Тренер получил номер 1, означающий «нет тренера»."_s);
            m_trainerNums.push_back(num);
            insertRow(m_store, u"T_TRAIN"_s, registerRow(t, num));
        }
    }

    void addAspect(const DemoAspect &aspect)
    {
        insertRow(m_store, u"T_ASPECT"_s,
                  {{u"NUM"_s, aspect.num},
                   {u"NAME"_s, text(aspect.name)},
                   {u"VARIANT"_s, aspect.variant}});
        int classification = 0;
        for (const DemoFencer &f : aspect.entries) {
            const TrainerRef t1 = trainerRef(f.trainer1), t2 = trainerRef(f.trainer2);
            const int num = addPerson(f.person, false, t1, t2);
            insertRow(m_store, u"T_PART"_s,
                      {{u"NUM_ASPECT"_s, aspect.num},
                       {u"SURNAME"_s, text(f.person.surname)},
                       {u"NAME"_s, text(f.person.name)},
                       {u"ORG"_s, orgShort(f.person.org)},
                       {u"NUM_PERS"_s, num},
                       {u"NUM_ORG"_s, orgNum(f.person.org)},
                       {u"CLASSIFICATION"_s, ++classification},
                       {u"NUM_PERS1"_s, t1.num},
                       {u"SURNAME1"_s, t1.surname},
                       {u"NAME1"_s, t1.name},
                       {u"PATRONYMIC1"_s, t1.patronymic},
                       {u"NUM_PERS2"_s, t2.num},
                       {u"SURNAME2"_s, t2.surname},
                       {u"NAME2"_s, t2.name},
                       {u"PATRONYMIC2"_s, t2.patronymic}});
        }
    }

    // One row per tour of each aspect's variant, as closing the competition window makes
    // them. The first tour of each aspect admits every entry of the aspect.
    void addTourRows()
    {
        m_store.exec(u"INSERT INTO T_VT (NUM_ASPECT, NUM_TOUR, NAME_TOUR, TOUR_DATE, KOL, STATE) "
                     "SELECT A.NUM, V.NUM_TOUR, N.NAME, C.DATA1, 0, 0 "
                     "FROM T_ASPECT A JOIN VARIANT V ON V.NUM = A.VARIANT "
                     "JOIN NAME_TOUR N ON N.NUM = V.NUM_TOUR CROSS JOIN T_COMP C "
                     "ORDER BY A.NUM, V.NUM_TOUR"_s);
        m_store.exec(u"UPDATE T_VT SET KOL = (SELECT COUNT(*) FROM T_PART P "
                     "WHERE P.NUM_ASPECT = T_VT.NUM_ASPECT) "
                     "WHERE NUM_TOUR = (SELECT MIN(F.NUM_TOUR) FROM T_VT F "
                     "WHERE F.NUM_ASPECT = T_VT.NUM_ASPECT)"_s);
    }

    Store &m_store;
    std::vector<int> m_orgNums;
    std::vector<int> m_trainerNums;
};

} // namespace

void fillDemoCompetition(Store &store)
{
    Transaction tx(store);
    DemoBuilder(store).run();
    tx.commit();
}

} // namespace vintrel
