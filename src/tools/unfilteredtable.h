#pragma once

#include "data/dataset.h"

#include <QPointer>

namespace vintrel {

class Table;

// Shows every row of a table for as long as it lives: filtering is switched off, and put back
// afterwards with the row that was current, so the main window's context is as it was.
class UnfilteredTable {
public:
    explicit UnfilteredTable(Table &table);
    ~UnfilteredTable();
    UnfilteredTable(const UnfilteredTable &) = delete;
    UnfilteredTable &operator=(const UnfilteredTable &) = delete;

private:
    QPointer<Table> m_table;
    bool m_wasFiltered;
    bool m_hadRow;
    Bookmark m_row;
};

} // namespace vintrel
