#pragma once

#include <QString>
#include <QVariant>

class QIODevice;

namespace vintrel {

class DataSet;

// The table browser's printed page: the data set's fields as headings and its rows, from the
// first to the last, as a Windows-1251 HTML page with CR LF line ends. The cursor is not moved.
void writeHtmlTable(QIODevice &out, const DataSet &set, const QString &title);

// A value as the browser prints it: as the grid shows it, booleans "True" or "False".
QString printedText(const QVariant &value);

} // namespace vintrel
