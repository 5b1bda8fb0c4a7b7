#include "copiedfields.h"

#include "data/table.h"

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

// An empty text of the person stays an empty field of the copy.
void copyText(const Table &from, const QString &fromField, Table &to, const QString &toField)
{
    const QString text = from.text(fromField);
    if (!text.isEmpty()) to.setValue(toField, text);
}

void copyTrainer(const Table &person, Table &part, int which)
{
    const QString n = QString::number(which);
    const QVariant trainer = person.value(u"NUM_TRAIN"_s + n);
    // 1 and empty both mean "no trainer": the number becomes 1 and the names stay empty.
    const bool none = trainer.isNull() || !trainer.isValid() || trainer.toInt() == 1;
    part.setValue(u"NUM_PERS"_s + n, none ? 1 : trainer.toInt());
    if (none) return;
    for (const QString &name : {u"SURNAME"_s, u"NAME"_s, u"PATRONYMIC"_s})
        copyText(person, name + n, part, name + n);
}

} // namespace

void copyPersonIntoParticipant(const Table &person, Table &part, const QString &orgShort)
{
    part.setValue(u"NUM_PERS"_s, person.value(u"NUM"_s));
    part.setValue(u"NUM_ORG"_s, person.value(u"NUM_ORG"_s));
    part.setValue(u"SURNAME"_s, person.value(u"SURNAME"_s));
    copyText(person, u"NAME"_s, part, u"NAME"_s);
    if (!orgShort.isEmpty()) part.setValue(u"ORG"_s, orgShort);
    copyTrainer(person, part, 1);
    copyTrainer(person, part, 2);
}

void copyPersonIntoRegisterRow(const Table &person, Table &row, const QString &orgShort)
{
    row.setValue(u"NUM_PERS"_s, person.value(u"NUM"_s));
    row.setValue(u"NUM_ORG"_s, person.value(u"NUM_ORG"_s));
    row.setValue(u"SURNAME"_s, person.value(u"SURNAME"_s));
    copyText(person, u"NAME"_s, row, u"NAME"_s);
    copyText(person, u"PATRONYMIC"_s, row, u"PATRONYMIC"_s);
    if (!orgShort.isEmpty()) row.setValue(u"ORG"_s, orgShort);
}

} // namespace vintrel
