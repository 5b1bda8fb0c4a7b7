#pragma once

#include <QString>

namespace vintrel {

class CurrentContext;
class DataSet;
class TDM;
class Workspace;

// Where the table browser's "Печать" writes its page: ROOT/HTML/part.htm.
QString tablePagePath(const Workspace &workspace);

// "Печать" of the table browser: the page of what the data set shows, written to `path`
// (a table's pending edit is stored first). Throws a Refusal when the file cannot be written.
void printDataSet(DataSet &set, const QString &title, const QString &path);

// The same for a table opened from the menu "Таблицы": every row, filtering off while it is
// printed. Throws RuleError for a name that is no table.
void printTable(TDM &dm, const QString &table, const QString &path);

// "Просмотреть список участников (распечатать)": the participants of the current aspect in
// qr_Temp, ordered by the main window's sort choice; returns the browser's heading.
QString openParticipantList(TDM &dm, const CurrentContext &context);

} // namespace vintrel
