#pragma once

#include <QList>
#include <QString>

#include <utility>

namespace vintrel {

class TDM;

// What the organizations window does with T_ORG, free of widgets.

// The window shows the organizations in short-name order.
void showOrganizations(TDM &dm);

// Makes organization `org` (T_ORG.NUM) the current row; refused when there is none.
void chooseOrganization(TDM &dm, int org);

// A new organization typed and posted; returns its number. A missing short name or a text
// longer than its field is refused and nothing is stored.
int addOrganization(TDM &dm, const QString &shortName, const QString &city,
                    const QString &fullName);

// The stored fields of organization `org` edited (an empty value empties the field), then
// posted; refused as a whole when a field is unknown or a value does not fit.
void setOrganizationFields(TDM &dm, int org, const QList<std::pair<QString, QString>> &fields);

// Posts the organization being edited; a refusal keeps it in editing.
void postOrganization(TDM &dm);

} // namespace vintrel
