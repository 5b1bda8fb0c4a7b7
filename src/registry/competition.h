#pragma once

#include <QList>
#include <QStringList>
#include <QString>
#include <QVariant>

#include <utility>

namespace vintrel {

class CurrentContext;
class Prompter;
class TDM;

// What the competition window does with the competition row, the aspects and their tours,
// free of widgets: the window, vintrel-cli and the tests call these.

// The people an official can be chosen from: surname shown, person number stored, in
// surname order.
QList<std::pair<QString, QVariant>> officialChoices(TDM &dm);

// The variant legend beside the aspects grid, line by line.
QStringList variantLegend();

// On activation the aspects grid shows every aspect, not just the current one.
void showAllAspects(TDM &dm);

// Posts a pending edit of the aspect and of the competition row (a refusal is thrown as
// StoreError and the row stays in editing) and rebuilds the main window's aspect list from
// T_ASPECT; no item is selected afterwards. The aspects' data source is detached meanwhile.
void storeAndRelistAspects(TDM &dm, CurrentContext &context);

// The navigator's refresh: store and relist, then re-read T_ASPECT from the file.
void refreshAspects(TDM &dm, CurrentContext &context);

// Adds the missing T_VT row of every tour of every aspect's variant (date: the competition's
// start date, no participants, not held), in one transaction, and returns how many it added.
// Existing rows are kept as they are; nothing is ever removed. The filters of T_VT and
// T_ASPECT are as before afterwards, T_ASPECT with filtering off.
int generateTourRows(TDM &dm);

// Closing the competition window: store and relist, select aspect 0, generate the tour
// rows, then the main window's aspect change for the selected item. A refusal (a pending row
// that cannot be posted) is passed on and the window stays open.
bool closeCompetition(TDM &dm, CurrentContext &context, Prompter &prompter);

} // namespace vintrel
