#include "query.h"

#include "store.h"
#include "storeerror.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace vintrel {

using namespace Qt::StringLiterals;

Query::Query(Store &store, QObject *parent) : DataSet(parent), m_store(store) {}

void Query::clear()
{
    close();
    m_lines.clear();
}

void Query::add(const QString &line)
{
    m_lines << line;
}

void Query::open()
{
    close();
    QSqlQuery q = m_store.exec(text());
    const QSqlRecord record = q.record();
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    setFields(names, names);
    m_allRows.clear();
    qint64 n = 0;
    while (q.next()) {
        Row row;
        row.rowid = ++n;
        for (int i = 0; i < names.size(); ++i)
            row.values << q.value(i);
        m_allRows.push_back(std::move(row));
    }
    m_open = true;
    try {
        applyFilter();
    } catch (...) {
        close(); // a filter naming a column this query lacks
        throw;
    }
}

int Query::exec()
{
    close();
    QSqlQuery q = m_store.exec(text());
    return q.numRowsAffected();
}

void Query::close()
{
    m_open = false;
    m_allRows.clear();
    setRows({}, -1);
}

void Query::setFilterText(const QString &text)
{
    Filter parsed = Filter::parse(text);
    if (m_open)
        for (const FilterTerm &term : parsed.terms())
            requireField(term.field); // a refused text keeps the filter as it was
    m_filter = std::move(parsed);
    m_filterText = text;
    if (m_open) applyFilter();
}

void Query::setFiltered(bool on)
{
    m_filtered = on;
    if (m_open) applyFilter();
}

void Query::applyFilter()
{
    std::vector<int> columns;
    if (m_filtered)
        for (const FilterTerm &term : m_filter.terms())
            columns.push_back(requireField(term.field));
    std::vector<Row> visible;
    for (const Row &row : m_allRows) {
        bool ok = true;
        for (size_t k = 0; k < columns.size() && ok; ++k)
            ok = Filter::valueMatches(row.values[columns[k]], m_filter.terms()[k].value);
        if (ok) visible.push_back(row);
    }
    setRows(std::move(visible), 0);
}

} // namespace vintrel
