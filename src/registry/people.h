#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <utility>

namespace vintrel {

class CurrentContext;
class Prompter;
class Table;
class TDM;

// What the people window does with the register of people, free of widgets: the window,
// vintrel-cli and the tests call these. The rules that run on every post of a person
// (trainer names, the trainers table, dates) are the data module's.

// Field name and value, in the order they are typed.
using PersonValues = QList<std::pair<QString, QVariant>>;

// The caption the people window gives a field of T_PERSON ("Серия" for P_SER); the field
// name itself when the window does not show it.
QString personFieldCaption(const QString &field);

// The organizations a person can belong to: short name shown, number stored, in short-name
// order, after an empty choice for "no organization".
QList<std::pair<QString, QVariant>> organizationChoices(TDM &dm);

// The trainers a person can be given: surname shown, the trainer's person number stored, in
// surname order (a surname two trainers share gets the first name too), after an empty choice
// for "no trainer". A person numbered 1 is never offered: 1 means "no trainer".
QList<std::pair<QString, QVariant>> trainerChoices(TDM &dm);

// The quick search: moves `people` to the first row (in its order) whose surname is exactly
// `text`; true when found. Otherwise, and for an empty text, the position stays.
bool findSurname(Table &people, const QString &text);

// The navigator's insert: a new person row, not a trainer.
void beginNewPerson(TDM &dm);

// Choosing an organization in the people window: the person being edited (editing starts if
// needed) gets it, and T_ORG moves to it. An empty value means none; a number that names no
// organization is refused.
void chooseOrganization(TDM &dm, const QVariant &org);

// Closing the people window: a pending edit of the person is posted (a refusal is passed on
// and the window stays open), then the main window's aspect change runs again.
bool closePeople(TDM &dm, CurrentContext &context, Prompter &prompter);

// A new person with those stored fields, posted (the person rules run), in one command;
// returns the new person's number. A refusal leaves nothing behind and no row in editing.
int addPerson(TDM &dm, const PersonValues &values);

// Those stored fields of person `person` edited, then posted, in one command; an empty value
// empties the field. A refusal leaves the person as the file holds it.
void editPerson(TDM &dm, int person, const PersonValues &values);

// Refuses a person number that names no row of T_PERSON.
void requirePerson(TDM &dm, int person);

} // namespace vintrel
