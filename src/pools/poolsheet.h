#pragma once

#include <QString>

namespace vintrel {

class CurrentContext;
class Prompter;
class TDM;

// What the pool window shows of the current group.
struct PoolSheetView {
    int group = 0;          // NUM_GROUP of the current TOUR_PR row
    int kol = 0;            // its KOL
    int lastGroup = 0;      // NUM_GROUP of the tour's last group: the group selector's maximum
    bool firstTour = false; // the organization option is offered (and ticked) only then
};

// "Проведение тура" on a pool tour, before the pool window opens: false after the error
// "Группы не заданы! …" when the tour has no groups.
bool poolGroupsDefined(TDM &dm, CurrentContext &context, Prompter &prompter);

// The pool window's activation: the current group's rows are shown (an error when its row has
// no aspect number) and the participant list is put in surname order.
PoolSheetView activatePoolSheet(TDM &dm, Prompter &prompter);

// The group selector moved to `group`.
PoolSheetView showPoolGroup(TDM &dm, int group, Prompter &prompter);

// Adds the participant that tbl_PART stands on to the current group at the next position,
// with "--" on its diagonal. A full group takes nobody (silently): false then.
bool addParticipantToGroup(TDM &dm, CurrentContext &context, Prompter &prompter);

// Moves tbl_PART to the first participant whose surname begins with `text`, ignoring case;
// false (the cursor stays) when there is none.
bool locateSurnamePrefix(TDM &dm, const QString &text);

// The score row of position `position` among the rows tbl_REZ_TOUR shows, -1 when none.
int poolRowOfPosition(const TDM &dm, int position);

// Typing `typed` into bout cell F`cell` of row `row` of the shown group: the text is checked
// (checkedBoutCellInput), the diagonal cannot be changed, and a result beyond the group's
// size is refused. True when the cell was stored.
bool enterBoutCell(TDM &dm, CurrentContext &context, int row, int cell, const QString &typed,
                   Prompter &prompter);

// "Закрыть": the participants are put back in the main window's order.
void closePoolSheet(TDM &dm, CurrentContext &context);

} // namespace vintrel
