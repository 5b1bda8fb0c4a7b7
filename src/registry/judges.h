#pragma once

namespace vintrel {

class TDM;

// What the judges and staff windows do, free of widgets: the windows, vintrel-cli and the
// tests call these. Each runs as one command of the store.

// "Добавить" of the judges window: person `person` becomes a judge, with the person's names,
// organization and its short name copied, unless the person is a judge already. Returns
// whether a row was added. A number that names no person is refused.
bool addJudge(TDM &dm, int person);
// The judge rows of person `person` go; refused when the person is not a judge.
void removeJudge(TDM &dm, int person);
// "Удалить" of the judges window: the current row of the judges list goes, at once.
void removeCurrentJudge(TDM &dm);

// The same for the service staff; the job is copied from the person's grade.
bool addStaff(TDM &dm, int person);
void removeStaff(TDM &dm, int person);
void removeCurrentStaff(TDM &dm);

} // namespace vintrel
