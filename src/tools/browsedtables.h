#pragma once

#include <QList>
#include <QString>

namespace vintrel {

// One entry of the menu "Таблицы": the table the browser opens and the heading it shows.
// An entry with an empty table stands for a separator.
struct BrowsedTable {
    QString table; // "T_PERSON"
    QString text;  // the menu entry
    QString title; // the browser's heading
    bool isSeparator() const { return table.isEmpty(); }
};

// The menu "Таблицы" in its order, separators included (the SQL console's entry aside).
const QList<BrowsedTable> &browsedTables();

// The heading the browser shows for a table: its menu title, else the table's name.
QString browserTitle(const QString &table);

} // namespace vintrel
