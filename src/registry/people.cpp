#include "people.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "data/dm.h"
#include "data/refusal.h"
#include "data/storeerror.h"

#include <QHash>
#include <QSqlQuery>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

constexpr int kNoTrainer = 1;

const QHash<QString, QString> &captions()
{
    static const QHash<QString, QString> byField{
        {u"SURNAME"_s, u"Фамилия"_s},
        {u"NAME"_s, u"Имя"_s},
        {u"PATRONYMIC"_s, u"Отчество"_s},
        {u"BIRTHDAY"_s, u"Дата рождения"_s},
        {u"PLACE_BIRTH"_s, u"Место рождения"_s},
        {u"PASSPORT"_s, u"Паспорт"_s},
        {u"P_SER"_s, u"Серия"_s},
        {u"P_NUM"_s, u"№"_s},
        {u"P_DATA"_s, u"Выдан : когда"_s},
        {u"P_KEM"_s, u"кем"_s},
        {u"DOMICILE"_s, u"Место жительства :"_s},
        {u"VISA"_s, u"Место прописки :"_s},
        {u"INN"_s, u"ИНН №"_s},
        {u"INSURANCE"_s, u"Страховое свидетельство"_s},
        {u"TEL_HOME"_s, u"Телефон: дом. "_s},
        {u"TEL_WORK"_s, u"раб."_s},
        {u"STATE"_s, u"Разряд, Категория, Должность"_s},
        {u"NUM_ORG"_s, u"Организация"_s},
        {u"TRAINER"_s, u"Тренер"_s},
        {u"NUM_TRAIN1"_s, u"Тренер 1"_s},
        {u"NUM_TRAIN2"_s, u"Тренер 2"_s},
    };
    return byField;
}

bool exists(TDM &dm, const QString &sql, const QVariant &key)
{
    bool found = false;
    dm.store().execPrepared(sql, {key}, [&found](QSqlQuery &q) { found = q.next(); });
    return found;
}

void requireOrganization(TDM &dm, const QVariant &org)
{
    if (org.isNull()) return;
    if (!exists(dm, u"SELECT 1 FROM T_ORG WHERE NUM = ?"_s, org))
        throw RuleError(u"Организации № %1 нет в списке организаций."_s.arg(org.toInt()));
}

// A trainer is chosen from the trainers table by the trainer's person number.
void requireTrainer(TDM &dm, const QString &field, const QVariant &trainer)
{
    if (trainer.isNull() || trainer.toInt() == kNoTrainer) return;
    const int num = trainer.toInt();
    if (exists(dm, u"SELECT 1 FROM T_TRAIN WHERE NUM_PERS = ?"_s, num)) return;
    const QString caption = personFieldCaption(field);
    if (!exists(dm, u"SELECT 1 FROM T_PERSON WHERE NUM = ?"_s, num))
        throw RuleError(u"«%1»: человека № %2 нет в справочнике людей."_s.arg(caption).arg(num));
    throw RuleError(
        u"«%1»: человек № %2 не тренер — тренера выбирают из списка тренеров."_s.arg(caption).arg(
            num));
}

// The typed values go into the row being edited, checked as the window's editors check them:
// no more characters than the field holds, and only organizations and trainers that exist.
void typeValues(TDM &dm, Table &people, const PersonValues &values)
{
    for (const auto &[field, value] : values) {
        const FieldDef *f = people.def().field(field);
        if (!f || !f->isStored() || f->type == FieldType::AutoInc)
            throw RuleError(u"В справочнике людей нет изменяемого поля %1."_s.arg(field));
        if (f->isText() && f->size > 0 && value.toString().size() > f->size)
            throw RuleError(u"«%1»: не более %2 символов, введено %3."_s.arg(
                personFieldCaption(f->name), QString::number(f->size),
                QString::number(value.toString().size())));
        people.setValue(f->name, value);
        // Only what is chosen now is checked: a trainer who has stopped being one stays in
        // the pupils' rows until someone else is chosen.
        if (f->name == u"NUM_ORG"_s) requireOrganization(dm, people.value(f->name));
        if (f->name == u"NUM_TRAIN1"_s || f->name == u"NUM_TRAIN2"_s)
            requireTrainer(dm, f->name, people.value(f->name));
    }
}

} // namespace

QString personFieldCaption(const QString &field)
{
    return captions().value(field.toUpper(), field);
}

QList<std::pair<QString, QVariant>> organizationChoices(TDM &dm)
{
    QList<std::pair<QString, QVariant>> choices{{QString(), QVariant()}};
    QSqlQuery q = dm.store().exec(u"SELECT NUM, ORG_SHORT FROM T_ORG ORDER BY ORG_SHORT, NUM"_s);
    while (q.next())
        choices.append({q.value(1).toString(), q.value(0)});
    return choices;
}

QList<std::pair<QString, QVariant>> trainerChoices(TDM &dm)
{
    struct Trainer {
        QString surname, name;
        QVariant person;
    };
    QList<Trainer> trainers;
    QHash<QString, int> surnames;
    QSqlQuery q = dm.store().exec(u"SELECT NUM_PERS, SURNAME, NAME FROM T_TRAIN "
                                  u"WHERE NUM_PERS IS NOT NULL AND NUM_PERS <> ? "
                                  u"ORDER BY SURNAME, NAME, NUM"_s,
                                  {kNoTrainer});
    while (q.next()) {
        trainers.append({q.value(1).toString(), q.value(2).toString(), q.value(0)});
        ++surnames[trainers.back().surname];
    }
    QList<std::pair<QString, QVariant>> choices{{QString(), QVariant()}};
    for (const Trainer &t : trainers) {
        // Namesakes would look the same in the list.
        const bool shared = surnames.value(t.surname) > 1 && !t.name.isEmpty();
        choices.append({shared ? t.surname + u' ' + t.name : t.surname, t.person});
    }
    return choices;
}

bool findSurname(Table &people, const QString &text)
{
    if (text.isEmpty()) return false;
    const int column = people.fieldIndex(u"SURNAME"_s);
    for (int row = 0; row < people.recordCount(); ++row)
        if (people.cell(row, column).toString() == text) return people.moveTo(row);
    return false;
}

void beginNewPerson(TDM &dm)
{
    Table &people = *dm.tbl_PERSON;
    people.append();
    people.setValue(u"TRAINER"_s, false);
}

void chooseOrganization(TDM &dm, const QVariant &org)
{
    requireOrganization(dm, org);
    Table &people = *dm.tbl_PERSON;
    if (people.isEmpty()) return;
    people.edit();
    people.setValue(u"NUM_ORG"_s, org);
    // The trainers-table upkeep reads the organization of a new trainer from here too.
    if (!org.isNull()) dm.tbl_ORG->locate(u"NUM"_s, org);
}

bool closePeople(TDM &dm, CurrentContext &context, Prompter &)
{
    dm.tbl_PERSON->post();
    context.selectAspect(context.currentAspect());
    return true;
}

void requirePerson(TDM &dm, int person)
{
    if (!exists(dm, u"SELECT 1 FROM T_PERSON WHERE NUM = ?"_s, person))
        throw RuleError(u"Человека № %1 нет в справочнике людей."_s.arg(person));
}

int addPerson(TDM &dm, const PersonValues &values)
{
    Table &people = *dm.tbl_PERSON;
    int num = 0;
    atomically(dm.store(), [&] {
        people.post(); // a pending edit is stored first, never thrown away
        try {
            beginNewPerson(dm);
            typeValues(dm, people, values);
            people.post();
        } catch (...) {
            people.cancel();
            throw;
        }
        num = people.postedValue(u"NUM"_s).toInt();
    });
    return num;
}

void editPerson(TDM &dm, int person, const PersonValues &values)
{
    requirePerson(dm, person);
    Table &people = *dm.tbl_PERSON;
    atomically(dm.store(), [&] {
        people.post();
        if (!people.locate(u"NUM"_s, person))
            throw RuleError(u"Человек № %1 не показан в справочнике людей."_s.arg(person));
        try {
            people.edit();
            typeValues(dm, people, values);
            people.post();
        } catch (...) {
            people.cancel();
            throw;
        }
    });
}

} // namespace vintrel
