#include "unfilteredtable.h"

#include "data/table.h"

namespace vintrel {

UnfilteredTable::UnfilteredTable(Table &table)
    : m_table(&table), m_wasFiltered(table.isFiltered()), m_hadRow(!table.isEmpty()),
      m_row(table.bookmark())
{
    if (m_wasFiltered) table.setFiltered(false);
}

UnfilteredTable::~UnfilteredTable()
{
    if (!m_table) return;
    try {
        m_table->post(); // what was typed in the browser is kept
    } catch (...) {
        m_table->cancel();
    }
    try {
        if (m_wasFiltered) m_table->setFiltered(true);
        // Back on the row that was current: for VARIANT this is the tour change, which
        // filters the tour tables again as they were.
        if (m_hadRow && m_table->bookmark() != m_row) m_table->gotoBookmark(m_row);
    } catch (...) {
    }
}

} // namespace vintrel
