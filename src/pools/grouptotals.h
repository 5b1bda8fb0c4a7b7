#pragma once

namespace vintrel {

class CurrentContext;
class Prompter;
class TDM;

// "Подвести итоги" of the pool window: the totals of the current group (the current TOUR_PR
// row; its score rows are those tbl_REZ_TOUR shows) from its cells F1 … Fk, k its KOL. Every
// cell is checked first: a "V" or "D" without a digit is refused with a message naming the
// group, the position and the cell, and nothing changes. Bouts whose two cells disagree are
// listed afterwards in one information message.
bool totalCurrentGroup(TDM &dm, CurrentContext &context, Prompter &prompter);

// The totals of every group of the tour, in group order, as one command: a malformed cell in
// any group refuses the whole recalculation. tbl_REZ_TOUR is left on the last group. The tour
// summary runs this before it copies the totals.
bool recalculateAllGroups(TDM &dm, CurrentContext &context, Prompter &prompter);

} // namespace vintrel
