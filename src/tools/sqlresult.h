#pragma once

#include "data/dataset.h"

namespace vintrel {

// What one run of the SQL console read: the column names and every row.
struct SqlRows {
    QStringList names;
    std::vector<Row> rows;
};

// The console's result as a data set its grid and its exports walk. Column names may repeat
// in a result ("SELECT * FROM A, B"); each column still has a field of its own.
class SqlResult : public DataSet {
    Q_OBJECT
public:
    using DataSet::DataSet;

    void setRows(SqlRows rows);
    void clear(); // no result: nothing to show or export
    bool hasResult() const { return m_hasResult; }

private:
    bool m_hasResult = false;
};

} // namespace vintrel
