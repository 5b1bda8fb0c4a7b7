#include "organizations.h"

#include "app/command.h"
#include "data/dm.h"
#include "data/refusal.h"

namespace vintrel {

using namespace Qt::StringLiterals;

void showOrganizations(TDM &dm)
{
    dm.tbl_ORG->setIndexName(u"ind_org"_s);
}

void chooseOrganization(TDM &dm, int org)
{
    Table &orgs = *dm.tbl_ORG;
    orgs.post();
    if (orgs.locate(u"NUM"_s, org)) return;
    // The organization may only be hidden by a filter another window left.
    orgs.setFiltered(false);
    if (!orgs.locate(u"NUM"_s, org)) throw RuleError(u"Нет организации с номером %1."_s.arg(org));
}

int addOrganization(TDM &dm, const QString &shortName, const QString &city, const QString &fullName)
{
    Table &orgs = *dm.tbl_ORG;
    orgs.post();
    int num = 0;
    try {
        atomically(dm.store(), [&] {
            orgs.append();
            orgs.setValue(u"ORG_SHORT"_s, shortName);
            if (!city.isEmpty()) orgs.setValue(u"CITY"_s, city);
            if (!fullName.isEmpty()) orgs.setValue(u"ORG_FULL"_s, fullName);
            orgs.post();
            num = orgs.postedValue(u"NUM"_s).toInt();
        });
    } catch (...) {
        orgs.cancel();
        throw;
    }
    return num;
}

void setOrganizationFields(TDM &dm, int org, const QList<std::pair<QString, QString>> &fields)
{
    Table &orgs = *dm.tbl_ORG;
    for (const auto &[name, value] : fields) {
        const FieldDef *field = orgs.def().field(name.toUpper());
        if (!field || !field->isStored() || field->type == FieldType::AutoInc)
            throw RuleError(u"У организации нет изменяемого поля %1."_s.arg(name));
    }
    chooseOrganization(dm, org);
    try {
        atomically(dm.store(), [&] {
            orgs.edit();
            for (const auto &[name, value] : fields)
                orgs.setValue(name.toUpper(), value.isEmpty() ? QVariant() : QVariant(value));
            orgs.post();
        });
    } catch (...) {
        orgs.cancel();
        throw;
    }
}

void postOrganization(TDM &dm)
{
    dm.tbl_ORG->post();
}

} // namespace vintrel
