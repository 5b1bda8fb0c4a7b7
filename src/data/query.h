#pragma once

#include "dataset.h"
#include "filter.h"

namespace vintrel {

class Store;

// An SQL query built from lines: opened, its rows are walked like a table's (and can be
// filtered by the same expressions); executed, it changes rows.
class Query : public DataSet {
    Q_OBJECT
public:
    explicit Query(Store &store, QObject *parent = nullptr);

    void clear(); // closes the query and empties its text
    void add(const QString &line);
    QStringList lines() const { return m_lines; }
    QString text() const { return m_lines.join(u'\n'); }

    void open(); // runs the text and reads every row; throws StoreError
    int exec();  // runs the text as a change; returns the number of rows changed
    void close();
    bool isOpen() const { return m_open; }

    void setFilterText(const QString &text);
    QString filterText() const { return m_filterText; }
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }

private:
    void applyFilter();

    Store &m_store;
    QStringList m_lines;
    bool m_open = false;
    std::vector<Row> m_allRows;
    QString m_filterText;
    Filter m_filter;
    bool m_filtered = false;
};

} // namespace vintrel
