#pragma once

#include <QDate>

namespace vintrel {

class TDM;
class CurrentContext;
class Prompter;

// The strip under the tour's name in the main window: the current tour's date, its number of
// participants and its "held" flag. Each command writes the one visible T_VT row (the current
// tour's) and posts it as one command; with no current tour it says so and writes nothing.
// They return true when the row was written; a refusal of the store cancels the edit and is
// passed on to the front end's runCommand().

// "Участников в туре :" + Enter. A number outside 0..32767 is refused with a message.
bool setTourParticipants(TDM &dm, CurrentContext &context, int kol, Prompter &prompter);

// "Дата проведения тура :" + Enter. A null date empties the tour's date.
bool setTourDate(TDM &dm, CurrentContext &context, const QDate &date, Prompter &prompter);

// The check box "Тур проведен".
bool setTourHeld(TDM &dm, CurrentContext &context, bool held, Prompter &prompter);

} // namespace vintrel
