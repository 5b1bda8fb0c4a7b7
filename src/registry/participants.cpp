#include "participants.h"

#include "copiedfields.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "data/dm.h"
#include "data/refusal.h"

#include <QSqlQuery>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

QString orgShortName(TDM &dm, const QVariant &org)
{
    if (org.isNull()) return {};
    QSqlQuery q = dm.store().exec(u"SELECT ORG_SHORT FROM T_ORG WHERE NUM = ?"_s, {org});
    return q.next() ? q.value(0).toString() : QString();
}

} // namespace

void showAllPeople(TDM &dm)
{
    Table &people = *dm.tbl_PERSON;
    people.setFiltered(false);
    people.setIndexName(u"ind_surname"_s);
}

bool addParticipant(TDM &dm, CurrentContext &context, Prompter &)
{
    Table &aspect = *dm.tbl_ASPECT;
    if (!context.hasAspect() || aspect.isEmpty())
        throw RuleError(u"Не выбран текущий вид: участника некуда добавить."_s);
    const Table &person = *dm.tbl_PERSON;
    if (person.isEmpty()) return false;
    Table &part = *dm.tbl_PART;
    part.post();
    const QVariant p = person.value(u"NUM"_s);
    if (part.locate(u"NUM_PERS"_s, p)) return false;
    const int a = aspect.intValue(u"NUM"_s);
    const QString orgShort = orgShortName(dm, person.value(u"NUM_ORG"_s));
    try {
        atomically(dm.store(), [&] {
            part.append();
            part.setValue(u"NUM_ASPECT"_s, a);
            copyPersonIntoParticipant(person, part, orgShort);
            part.post();
        });
    } catch (...) {
        part.cancel();
        throw;
    }
    return true;
}

bool removeParticipant(TDM &dm, CurrentContext &, Prompter &)
{
    Table &part = *dm.tbl_PART;
    if (part.isEmpty()) return false;
    atomically(dm.store(), [&] { part.remove(); });
    return true;
}

void choosePerson(TDM &dm, int person)
{
    if (!dm.tbl_PERSON->locate(u"NUM"_s, person))
        throw RuleError(u"Нет человека с номером %1."_s.arg(person));
}

void quickSearchPerson(TDM &dm, const QString &typed)
{
    if (!typed.isEmpty()) dm.tbl_PERSON->locate(u"SURNAME"_s, typed);
}

void chooseParticipant(TDM &dm, int person)
{
    if (!dm.tbl_PART->locate(u"NUM_PERS"_s, person))
        throw RuleError(u"Человек с номером %1 не участник текущего вида."_s.arg(person));
}

} // namespace vintrel
