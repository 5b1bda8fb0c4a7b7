#pragma once

#include <QString>

namespace vintrel {

class CurrentContext;
class Prompter;
class TDM;

// What the pool commands read off the current context: the tour's kind, its participant count
// and the current group (the current TOUR_PR row, whose score rows tbl_REZ_TOUR shows).

// The first tour: NUM_TOUR of the current T_VT row is 1 or less.
bool isFirstTour(const TDM &dm);

// The tour's participants: every participant of the aspect in the first tour, KOL of the
// tour's T_VT row in later tours (the participants with start numbers 1 … KOL).
int tourParticipantCount(const TDM &dm);

// Refuses (RuleError) unless an aspect and one of its pool tours are current.
void requirePoolTour(const CurrentContext &context);

// The filter of one group's score rows, from the current TOUR_PR row; empty when that row has
// no aspect number.
QString currentGroupFilter(const TDM &dm);

// Shows the score rows of the current group in tbl_REZ_TOUR. A group row without an aspect
// number is told through `prompter` when one is given ("Вид неопределен! Задайте вид!") and
// leaves the filter empty.
void filterCurrentGroup(TDM &dm, Prompter *prompter);

// Makes group `group` of the tour current (its TOUR_PR row) and shows its score rows; false
// when the tour has no such group.
bool selectPoolGroup(TDM &dm, int group, Prompter *prompter);

} // namespace vintrel
