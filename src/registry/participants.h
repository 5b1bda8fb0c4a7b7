#pragma once

class QString;

namespace vintrel {

class CurrentContext;
class Prompter;
class TDM;

// What the participants window of the current aspect does, free of widgets. It works on
// T_PART as the main window left it: filtered to the current aspect.

// Activation: the people list shows everyone, in surname order.
void showAllPeople(TDM &dm);

// "Добавить": the current person of the people list becomes a participant of the current
// aspect, unless already one. Refused when there is no current aspect.
bool addParticipant(TDM &dm, CurrentContext &context, Prompter &prompter);

// "Удалить": the current participant leaves the aspect at once; their pool and elimination
// rows stay.
bool removeParticipant(TDM &dm, CurrentContext &context, Prompter &prompter);

// The command line's way of pointing at rows: person `person` in the people list, and that
// person's row among the aspect's participants; refused when there is none.
void choosePerson(TDM &dm, int person);

// Quick search of a people list: the first person whose surname is the whole text typed
// becomes current; otherwise the list stays where it is.
void quickSearchPerson(TDM &dm, const QString &typed);
void chooseParticipant(TDM &dm, int person);

} // namespace vintrel
