#pragma once

#include "reports/rtf/reprtf.h"

#include <QString>

#include <memory>
#include <vector>

namespace vintrel {

class DataSet;
class DataSetAdapter;
class DataSource;
class Query;
class Table;
class TDM;

// The template engine as the main window's RepRTF1 is set up for every protocol: Cyrillic
// charset 204, Russian language 1049, pictures written binary, a dot in a row field taken as a
// colon; the datasets are handed over in the order they were added (aliases A, B, C …).
class ProtocolEngine {
public:
    explicit ProtocolEngine(TDM &dm);
    ~ProtocolEngine();

    TRepRTF RepRTF1;

    // The next alias shows a table object as it stands (filter, order, current row).
    void addTable(Table &table);
    // The next alias shows a data set of the data module (qr_Temp) as it stands.
    void addDataSet(DataSet &set, DataSource *source);
    // The next alias shows the rows of a SELECT statement, read by a query of this run's own.
    void addQuery(const QString &sql);

    // Fills RepRTF1.Infile into RepRTF1.OutFile with the datasets added so far, then opens the
    // result; a failure leaves as a RepError.
    void executeAndOpen(int showCommand);

private:
    TDM &m_dm;
    std::vector<std::unique_ptr<Query>> m_queries;
    std::vector<std::unique_ptr<DataSetAdapter>> m_datasets;
};

} // namespace vintrel
