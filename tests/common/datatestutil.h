#pragma once

#include "filevalue.h"
#include "tempworkspace.h"

#include "data/storeerror.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <utility>

// Readable failure messages for Qt values.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}
inline void PrintTo(const QVariant &v, std::ostream *os)
{
    *os << "QVariant(" << v.typeName() << ": " << v.toString().toStdString() << ')';
}

namespace vintrel::test {

using FieldValues = std::initializer_list<std::pair<QString, QVariant>>;

// Appends one row with the given values and posts it.
inline void addRow(Table &table, FieldValues values)
{
    table.append();
    for (const auto &[field, value] : values)
        table.setValue(field, value);
    table.post();
}

// The text of one field over the visible rows, in their order; the cursor is not moved.
inline QStringList columnTexts(const DataSet &set, const QString &field)
{
    QStringList out;
    const int column = set.fieldIndex(field);
    for (int row = 0; row < set.recordCount(); ++row)
        out << set.cell(row, column).toString();
    return out;
}

// A workspace made by init with its data module open.
class DmTest : public ::testing::Test {
protected:
    TempWorkspace ws;
    std::unique_ptr<TDM> dm = ws.openDm();

    int count(const QString &table) const { return fileCount(ws.databaseFile(), table); }
};

} // namespace vintrel::test
