#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <utility>

namespace vintrel {

class Prompter;
class TDM;

// What the entry window of one organization does, free of widgets. The organization is the
// current row of T_ORG; the window's people list is T_PERSON filtered to it.
enum class EntryPage { Participants, Trainers, Judges };

// Activation: T_PERSON, T_PART, T_TRAIN and T_JUDGE show this organization's rows only,
// T_ASPECT shows every aspect, and T_PART is re-read from the file.
void openEntry(TDM &dm);

// Closing: pending rows posted (a refusal keeps the window open), the four filters switched
// off and T_ASPECT filtered again. When some of the organization's participants still have no
// aspect the operator is told how many (they are on no aspect's list yet).
bool closeEntry(TDM &dm, Prompter &prompter);

// How many of the organization's participants (T_PART as filtered) have no aspect.
int participantsWithoutAspect(TDM &dm);

// "Добавить" for the current person of the people list on that page. A person already on the
// page is not added again. Trainers are refused with a message.
bool addToEntry(TDM &dm, EntryPage page, Prompter &prompter);

// "Удалить": the page's current row goes at once. Trainers are refused with a message.
bool removeFromEntry(TDM &dm, EntryPage page, Prompter &prompter);

// Ctrl+Del in a page's grid: the same deletion, after the operator confirms it.
bool deleteEntryRowConfirmed(TDM &dm, EntryPage page, Prompter &prompter);

// Every aspect for the aspect column: name shown, NUM stored, in number order.
QList<std::pair<QString, QVariant>> entryAspectChoices(TDM &dm);

// Choosing aspect `aspect` (T_ASPECT.NUM) in the aspect column of the current participant.
bool setEntryAspect(TDM &dm, int aspect);

// The command line's way of pointing at rows: the person `person` in the people list (refused
// when the person belongs to another organization or does not exist), and that person's row
// on a page (refused when there is none).
void chooseEntryPerson(TDM &dm, int person);
void chooseEntryRow(TDM &dm, EntryPage page, int person);

} // namespace vintrel
