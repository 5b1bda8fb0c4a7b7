#include "entries.h"

#include "copiedfields.h"

#include "app/command.h"
#include "app/prompter.h"
#include "data/dm.h"
#include "data/refusal.h"

#include <QSqlQuery>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

const QString kNoTrainerAdding = u"Для добавления тренеров, воспользуйтесь формой ввода людей."_s;
const QString kNoTrainerRemoving = u"Для удаления тренеров, воспользуйтесь формой ввода людей."_s;

Table &pageTable(TDM &dm, EntryPage page)
{
    switch (page) {
    case EntryPage::Participants:
        return *dm.tbl_PART;
    case EntryPage::Trainers:
        return *dm.tbl_TRAIN;
    case EntryPage::Judges:
        break;
    }
    return *dm.tbl_JUDGE;
}

void postIfEditing(Table &t)
{
    if (t.isEditing()) t.post();
}

// Appends a row, fills it and posts it as one command; a refused post leaves no row behind.
void appendRow(TDM &dm, Table &t, const std::function<void()> &fill)
{
    try {
        atomically(dm.store(), [&] {
            t.append();
            fill();
            t.post();
        });
    } catch (...) {
        t.cancel();
        throw;
    }
}

void removeCurrent(TDM &dm, Table &t)
{
    if (t.isEmpty()) return;
    atomically(dm.store(), [&] { t.remove(); });
}

QString personName(TDM &dm, int person)
{
    QSqlQuery q = dm.store().exec(u"SELECT SURNAME, NAME FROM T_PERSON WHERE NUM = ?"_s, {person});
    if (!q.next()) return {};
    return (q.value(0).toString() + u' ' + q.value(1).toString()).trimmed();
}

} // namespace

void openEntry(TDM &dm)
{
    const QString filter = u"NUM_ORG=%1"_s.arg(dm.tbl_ORG->intValue(u"NUM"_s));
    for (Table *t : {dm.tbl_PERSON, dm.tbl_PART, dm.tbl_TRAIN, dm.tbl_JUDGE}) {
        t->setFiltered(false);
        t->setFilterText(filter);
        t->setFiltered(true);
    }
    dm.tbl_ASPECT->setFiltered(false);
    dm.tbl_PART->refresh();
}

int participantsWithoutAspect(TDM &dm)
{
    const Table &part = *dm.tbl_PART;
    const int column = part.fieldIndex(u"NUM_ASPECT"_s);
    int count = 0;
    for (int row = 0; row < part.recordCount(); ++row) {
        const QVariant aspect = part.cell(row, column);
        if (aspect.isNull() || !aspect.isValid()) ++count;
    }
    return count;
}

bool closeEntry(TDM &dm, Prompter &prompter)
{
    postIfEditing(*dm.tbl_PART);
    postIfEditing(*dm.tbl_JUDGE);
    postIfEditing(*dm.tbl_TRAIN);
    const int withoutAspect = participantsWithoutAspect(dm);
    for (Table *t : {dm.tbl_PART, dm.tbl_TRAIN, dm.tbl_JUDGE, dm.tbl_PERSON})
        t->setFiltered(false);
    dm.tbl_ASPECT->setFiltered(true);
    // Such rows belong to no aspect's list: the operator would not find them anywhere else.
    if (withoutAspect > 0)
        prompter.info(
            u"Участников этой организации без выбранного вида (категории): %1.\n\r"
            u"Они не войдут в список ни одного вида, пока вид не выбран."_s.arg(withoutAspect));
    return true;
}

bool addToEntry(TDM &dm, EntryPage page, Prompter &prompter)
{
    if (page == EntryPage::Trainers) {
        prompter.error(kNoTrainerAdding);
        return false;
    }
    const Table &person = *dm.tbl_PERSON;
    if (person.isEmpty()) return false;
    Table &rows = pageTable(dm, page);
    postIfEditing(rows);
    const QVariant p = person.value(u"NUM"_s);
    // Already on the page: the row keeps what was chosen for it (its aspect, say).
    if (rows.locate(u"NUM_PERS"_s, p)) return false;
    const QString orgShort = dm.tbl_ORG->text(u"ORG_SHORT"_s);
    appendRow(dm, rows, [&] {
        if (page == EntryPage::Participants)
            copyPersonIntoParticipant(person, rows, orgShort);
        else
            copyPersonIntoRegisterRow(person, rows, orgShort);
    });
    return true;
}

bool removeFromEntry(TDM &dm, EntryPage page, Prompter &prompter)
{
    if (page == EntryPage::Trainers) {
        prompter.error(kNoTrainerRemoving);
        return false;
    }
    Table &rows = pageTable(dm, page);
    if (rows.isEmpty()) return false;
    removeCurrent(dm, rows);
    return true;
}

bool deleteEntryRowConfirmed(TDM &dm, EntryPage page, Prompter &prompter)
{
    if (page == EntryPage::Trainers) return false; // the trainers' grid is read-only
    Table &rows = pageTable(dm, page);
    if (rows.isEmpty()) return false;
    if (!prompter.confirm(u"Удалить запись?"_s)) return false;
    removeCurrent(dm, rows);
    return true;
}

QList<std::pair<QString, QVariant>> entryAspectChoices(TDM &dm)
{
    QList<std::pair<QString, QVariant>> choices;
    QSqlQuery q = dm.store().exec(u"SELECT NUM, NAME FROM T_ASPECT ORDER BY NUM"_s);
    while (q.next())
        choices.append({q.value(1).toString(), q.value(0)});
    return choices;
}

bool setEntryAspect(TDM &dm, int aspect)
{
    Table &part = *dm.tbl_PART;
    if (part.isEmpty()) throw RuleError(u"В заявке нет участника, которому выбирают вид."_s);
    QSqlQuery q = dm.store().exec(u"SELECT 1 FROM T_ASPECT WHERE NUM = ?"_s, {aspect});
    if (!q.next()) throw RuleError(u"Нет вида с номером %1."_s.arg(aspect));
    try {
        atomically(dm.store(), [&] {
            part.edit();
            part.setValue(u"NUM_ASPECT"_s, aspect);
            part.post();
        });
    } catch (...) {
        part.cancel();
        throw;
    }
    return true;
}

void chooseEntryPerson(TDM &dm, int person)
{
    if (dm.tbl_PERSON->locate(u"NUM"_s, person)) return;
    const QString name = personName(dm, person);
    if (name.isEmpty()) throw RuleError(u"Нет человека с номером %1."_s.arg(person));
    throw RuleError(u"%1 (№ %2) не из организации «%3»: в её заявку его внести нельзя."_s.arg(
        name, QString::number(person), dm.tbl_ORG->text(u"ORG_SHORT"_s)));
}

void chooseEntryRow(TDM &dm, EntryPage page, int person)
{
    Table &rows = pageTable(dm, page);
    if (rows.locate(u"NUM_PERS"_s, person)) return;
    const QString list = page == EntryPage::Judges ? u"судей"_s : u"участников"_s;
    throw RuleError(u"Человека с номером %1 нет в списке %2 заявки организации «%3»."_s.arg(
        QString::number(person), list, dm.tbl_ORG->text(u"ORG_SHORT"_s)));
}

} // namespace vintrel
