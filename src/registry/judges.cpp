#include "judges.h"

#include "people.h"

#include "app/command.h"
#include "data/dm.h"
#include "data/refusal.h"

#include <QSqlQuery>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

struct PersonRow {
    QVariant surname, name, patronymic, org, orgShort, state;
};

PersonRow readPerson(TDM &dm, int person)
{
    requirePerson(dm, person);
    PersonRow p;
    QSqlQuery q = dm.store().exec(u"SELECT p.SURNAME, p.NAME, p.PATRONYMIC, p.NUM_ORG, "
                                  u"o.ORG_SHORT, p.STATE FROM T_PERSON p "
                                  u"LEFT JOIN T_ORG o ON o.NUM = p.NUM_ORG WHERE p.NUM = ?"_s,
                                  {person});
    if (q.next()) p = {q.value(0), q.value(1), q.value(2), q.value(3), q.value(4), q.value(5)};
    return p;
}

bool listed(TDM &dm, const QString &table, int person)
{
    QSqlQuery q =
        dm.store().exec(u"SELECT 1 FROM %1 WHERE NUM_PERS = ? LIMIT 1"_s.arg(table), {person});
    return q.next();
}

// A copied text is cut to what the target field holds (a grade of 40 characters becomes a
// job of 30), as a looked-up value is.
QVariant fitted(const Table &table, const QString &field, const QVariant &value)
{
    const FieldDef *f = table.def().field(field);
    if (value.isNull() || !f || f->size <= 0) return value;
    const QString text = value.toString();
    return text.size() <= f->size ? text : text.left(f->size).trimmed();
}

void setCopied(Table &table, const QString &field, const QVariant &value)
{
    // Empty names and organizations stay empty rather than becoming empty texts.
    if (!value.isNull() && !value.toString().isEmpty())
        table.setValue(field, fitted(table, field, value));
}

void removeRowsOf(TDM &dm, Table &table, int person, const QString &notListed)
{
    requirePerson(dm, person);
    if (!listed(dm, table.def().name, person)) throw RuleError(notListed);
    atomically(dm.store(), [&] {
        table.post();
        while (table.locate(u"NUM_PERS"_s, person))
            table.remove();
        // Rows the table object does not show (a filter) go as well.
        dm.store().exec(u"DELETE FROM %1 WHERE NUM_PERS = ?"_s.arg(table.def().name), {person});
    });
}

void removeCurrent(TDM &dm, Table &table)
{
    if (table.isEmpty()) return;
    atomically(dm.store(), [&] { table.remove(); });
}

} // namespace

bool addJudge(TDM &dm, int person)
{
    const PersonRow p = readPerson(dm, person);
    if (listed(dm, u"T_JUDGE"_s, person)) return false;
    Table &judges = *dm.tbl_JUDGE;
    atomically(dm.store(), [&] {
        judges.post();
        judges.append();
        try {
            judges.setValue(u"NUM_PERS"_s, person);
            judges.setValue(u"NUM_ORG"_s, p.org);
            judges.setValue(u"SURNAME"_s, p.surname);
            setCopied(judges, u"NAME"_s, p.name);
            setCopied(judges, u"PATRONYMIC"_s, p.patronymic);
            setCopied(judges, u"ORG"_s, p.orgShort);
            judges.post();
        } catch (...) {
            judges.cancel();
            throw;
        }
    });
    return true;
}

void removeJudge(TDM &dm, int person)
{
    removeRowsOf(dm, *dm.tbl_JUDGE, person, u"Человека № %1 нет в списке судей."_s.arg(person));
}

void removeCurrentJudge(TDM &dm)
{
    removeCurrent(dm, *dm.tbl_JUDGE);
}

bool addStaff(TDM &dm, int person)
{
    const PersonRow p = readPerson(dm, person);
    if (listed(dm, u"T_OBSL"_s, person)) return false;
    Table &staff = *dm.tbl_OBSL;
    atomically(dm.store(), [&] {
        staff.post();
        staff.append();
        try {
            staff.setValue(u"NUM_PERS"_s, person);
            staff.setValue(u"SURNAME"_s, p.surname);
            setCopied(staff, u"NAME"_s, p.name);
            setCopied(staff, u"PATRONYMIC"_s, p.patronymic);
            setCopied(staff, u"JOB"_s, p.state);
            staff.post();
        } catch (...) {
            staff.cancel();
            throw;
        }
    });
    return true;
}

void removeStaff(TDM &dm, int person)
{
    removeRowsOf(dm, *dm.tbl_OBSL, person,
                 u"Человека № %1 нет в списке обслуживающего персонала."_s.arg(person));
}

void removeCurrentStaff(TDM &dm)
{
    removeCurrent(dm, *dm.tbl_OBSL);
}

} // namespace vintrel
