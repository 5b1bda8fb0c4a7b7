#include "cliverb.h"

#include "cliprompter.h"

#include "app/command.h"
#include "data/dm.h"
#include "data/schema.h"
#include "registry/judges.h"
#include "registry/people.h"

#include <QDate>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

const QString kPersonAdd =
    u"person add SURNAME [--name N] [--patronymic P] [--org ORG] [--state TEXT] "
    u"[--birthday YYYY-MM-DD] [--trainer] [--trainer1 PERSON] [--trainer2 PERSON]"_s;
const QString kPersonSet = u"person set PERSON FIELD=VALUE..."_s;

QDate parseDate(const QString &text, const QString &what)
{
    const QDate date = QDate::fromString(text, u"yyyy-MM-dd"_s);
    if (text.size() != 10 || !date.isValid())
        throw UsageError{u"%1: ожидалась дата вида ГГГГ-ММ-ДД, получено «%2»"_s.arg(what, text)};
    return date;
}

int personAdd(CliCall &c)
{
    const QStringList &a = c.args;
    if (a.size() < 2 || a[1].startsWith(u"--"_s))
        throw UsageError{u"использование: vintrel-cli %1"_s.arg(kPersonAdd)};
    PersonValues values{{u"SURNAME"_s, a[1]}};
    for (int i = 2; i < a.size(); ++i) {
        const QString &option = a[i];
        if (option == u"--trainer"_s) {
            values.append({u"TRAINER"_s, true});
            continue;
        }
        static const QHash<QString, QString> fields{
            {u"--name"_s, u"NAME"_s},          {u"--patronymic"_s, u"PATRONYMIC"_s},
            {u"--org"_s, u"NUM_ORG"_s},        {u"--state"_s, u"STATE"_s},
            {u"--birthday"_s, u"BIRTHDAY"_s},  {u"--trainer1"_s, u"NUM_TRAIN1"_s},
            {u"--trainer2"_s, u"NUM_TRAIN2"_s}};
        const auto field = fields.find(option);
        if (field == fields.end())
            throw UsageError{u"person add: неизвестный параметр %1"_s.arg(option)};
        if (i + 1 >= a.size()) throw UsageError{u"после %1 нужно значение"_s.arg(option)};
        const QString &text = a[++i];
        QVariant value = text;
        if (*field == u"BIRTHDAY"_s)
            value = parseDate(text, option);
        else if (field->startsWith(u"NUM_"_s))
            value = parseNumber(text, option);
        values.append({*field, value});
    }
    int num = 0;
    if (runCommand(c.prompter, [&] {
            num = addPerson(c.dm, values);
            return true;
        }))
        c.out << num << Qt::endl;
    return ExitOk;
}

// FIELD=VALUE as `list` prints it: dates YYYY-MM-DD, booleans 1 or 0; empty empties the field.
std::pair<QString, QVariant> parseAssignment(const QString &arg)
{
    const qsizetype eq = arg.indexOf(u'=');
    if (eq <= 0) throw UsageError{u"person set: ожидалось ПОЛЕ=ЗНАЧЕНИЕ, получено «%1»"_s.arg(arg)};
    const QString name = arg.left(eq).toUpper();
    const QString text = arg.mid(eq + 1);
    const FieldDef *f = schemaTable(u"T_PERSON"_s)->field(name);
    if (!f || !f->isStored() || f->type == FieldType::AutoInc)
        throw UsageError{u"person set: в T_PERSON нет изменяемого поля %1"_s.arg(arg.left(eq))};
    if (text.isEmpty()) return {f->name, QVariant()};
    switch (f->type) {
    case FieldType::Date:
        return {f->name, parseDate(text, f->name)};
    case FieldType::Boolean:
        if (text != u"0"_s && text != u"1"_s)
            throw UsageError{u"%1: ожидалось 0 или 1, получено «%2»"_s.arg(f->name, text)};
        return {f->name, text == u"1"_s};
    case FieldType::Integer:
    case FieldType::SmallInt:
        return {f->name, parseNumber(text, f->name)};
    default:
        return {f->name, text};
    }
}

int personSet(CliCall &c)
{
    if (c.args.size() < 3) throw UsageError{u"использование: vintrel-cli %1"_s.arg(kPersonSet)};
    const int person = parseNumber(c.args[1], u"PERSON"_s);
    PersonValues values;
    for (const QString &arg : c.args.mid(2))
        values.append(parseAssignment(arg));
    runCommand(c.prompter, [&] {
        editPerson(c.dm, person, values);
        return true;
    });
    return ExitOk;
}

int person(CliCall &c)
{
    const QString sub = c.args.value(0);
    if (sub == u"add"_s) return personAdd(c);
    if (sub == u"set"_s) return personSet(c);
    throw UsageError{u"ожидалась одна из подкоманд add, set"_s};
}

// "judge add|remove PERSON", "staff add|remove PERSON".
int addOrRemove(CliCall &c, const QString &verb, bool (*add)(TDM &, int),
                void (*remove)(TDM &, int))
{
    const QString usage = u"%1 add|remove PERSON"_s.arg(verb);
    if (c.args.size() != 2 || (c.args[0] != u"add"_s && c.args[0] != u"remove"_s))
        throw UsageError{u"использование: vintrel-cli %1"_s.arg(usage)};
    const int num = parseNumber(c.args[1], u"PERSON"_s);
    const bool adding = c.args[0] == u"add"_s;
    runCommand(c.prompter, [&] {
        if (adding)
            add(c.dm, num);
        else
            remove(c.dm, num);
        return true;
    });
    return ExitOk;
}

} // namespace

QList<CliVerb> personVerbs()
{
    return {
        // One verb, one subcommand a line in --help.
        {u"person"_s, kPersonAdd + u"\n  "_s + kPersonSet,
         u"новый человек справочника людей или правка его полей"_s, person},
        {u"judge"_s, u"judge add PERSON\n  judge remove PERSON"_s,
         u"добавить человека в список судей или удалить из него"_s,
         [](CliCall &c) { return addOrRemove(c, u"judge"_s, addJudge, removeJudge); }},
        {u"staff"_s, u"staff add PERSON\n  staff remove PERSON"_s,
         u"добавить человека в обслуживающий персонал или удалить из него"_s,
         [](CliCall &c) { return addOrRemove(c, u"staff"_s, addStaff, removeStaff); }},
    };
}

} // namespace vintrel
