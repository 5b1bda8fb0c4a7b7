#pragma once

#include <QString>

namespace vintrel {

class CurrentContext;
class Prompter;
class TDM;

// The main window's "Подвести итоги" of a pool tour, in two steps around the preview.
//
// summarizeTour asks whether every bout is in and whether to total every group again, then,
// as one command, copies each participant's pool totals into T_PART and ranks the tour into
// T_PART.PLACE (standard competition ranking: a place is shared only when bouts, victories,
// touches scored and received are all equal; participants without bouts come last). It leaves
// qr_Temp open on the preview and returns true; the caller shows it and then runs
// finishTourSummary, which marks the tour as held. On an elimination tour it only says that
// those are totalled in their own window and returns false.
bool summarizeTour(TDM &dm, CurrentContext &context, Prompter &prompter);
bool finishTourSummary(TDM &dm, CurrentContext &context, Prompter &prompter);

// The heading of the preview in the table browser.
QString summaryPreviewHeading();

} // namespace vintrel
