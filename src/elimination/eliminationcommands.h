#pragma once

#include <QString>
#include <QVariant>

namespace vintrel {

class CurrentContext;
class Prompter;
class TDM;

// The commands of a direct-elimination tour. Each works on the current aspect and tour of the
// main window; those of the elimination window take the circle it shows. Each writes in one
// transaction and refuses bad input or an unfinished circle with a message, changing nothing.

// "Подготовка к туру" on a direct-elimination tour: the circles of the tour for its number of
// participants replace the tour's circle rows. A tour kind above 8 does nothing.
bool prepareEliminationTour(TDM &dm, CurrentContext &context, Prompter &prompter);

// "Проведение тура" on a direct-elimination tour: the start numbers of the aspect must run
// 1 … KOL; true when the elimination window may open.
bool openEliminationTour(TDM &dm, CurrentContext &context, Prompter &prompter);

// Shows circle `circle` of the current tour: TOUR_OLIMP on its row, REZ_OLIMP filtered to it
// in pair order. False (nothing changed) when the tour has no such circle.
bool showCircle(TDM &dm, CurrentContext &context, int circle);
// The number of circles of the current tour (its visible TOUR_OLIMP rows).
int eliminationCircleCount(TDM &dm);

// "Сформировать 1 круг" with circle `circle` shown.
bool buildFirstCircle(TDM &dm, CurrentContext &context, int circle, Prompter &prompter);

// Touches typed into PRICK of the row of circle `circle` whose NUM_START is `start`; an empty
// text clears them.
bool setCircleTouches(TDM &dm, CurrentContext &context, int circle, int start,
                      const QString &touches, Prompter &prompter);

// "Подвести итоги круга".
bool totalCircle(TDM &dm, CurrentContext &context, int circle, Prompter &prompter);

// "Сформировать след-щий круг". `shownCircle`, when given, receives the circle to show
// afterwards: the next one when rows were written, else `circle`.
bool buildNextCircle(TDM &dm, CurrentContext &context, int circle, Prompter &prompter,
                     int *shownCircle = nullptr);

// "Добавить рез-ты к итоговым".
bool addCircleToTotals(TDM &dm, CurrentContext &context, int circle, Prompter &prompter);

// "Вывести итоговое место".
bool giveCirclePlaces(TDM &dm, CurrentContext &context, int circle, Prompter &prompter);

// "Удалить участников тура": the aspect's rows of that circle number, in every
// direct-elimination tour of the aspect, after confirmation.
bool clearCircle(TDM &dm, CurrentContext &context, int circle, Prompter &prompter);

// Touches are empty (no bout, or a bye) or a whole number 0 … 99. Throws StoreError with the
// operator's message otherwise; returns the value to store.
QVariant checkedTouches(const QVariant &typed);
// Installs that rule on REZ_OLIMP's posts, for touches typed into a grid.
void guardTypedTouches(TDM &dm);

} // namespace vintrel
