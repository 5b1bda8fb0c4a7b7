#pragma once

#include <QString>

class QIODevice;

namespace vintrel {

class DataSet;

// The SQL console's exports of a result, Windows-1251 with CR LF line ends, from the first row.
// Text: one line per column title, then one line per value ("-" when empty, "?" for a
// character the code page lacks). HTML: the console's page, values escaped, "-" when empty.
void writeTextExport(QIODevice &out, const DataSet &set);
void writeHtmlExport(QIODevice &out, const DataSet &set);

// Query texts of the console: saved with CR LF line ends in Windows-1251, or as UTF-8 with a
// byte-order mark when they hold a character outside it; read back in either form.
QByteArray encodeQueryText(const QString &text);
QString decodeQueryText(const QByteArray &bytes);

} // namespace vintrel
