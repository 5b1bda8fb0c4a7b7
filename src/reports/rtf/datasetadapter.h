#pragma once

#include "repdataset.h"

#include <QPointer>

namespace vintrel {

class DataSet;
class DataSource;

// A table or query of the store seen by the report engine. Field types come from the values
// of the current row. Detaching the controls disables the data source, so grids bound to it
// stop following the cursor until it is enabled again.
class DataSetAdapter : public RepDataSet {
public:
    explicit DataSetAdapter(DataSet &dataSet, DataSource *source = nullptr);

    QString name() const override;
    void first() override;
    void next() override;
    bool eof() const override;
    int fieldCount() const override;
    int fieldIndex(const QString &name) const override;
    FieldKind fieldKind(int field) const override;
    QVariant fieldValue(int field) const override;
    bool controlsDisabled() const override;
    void setControlsDisabled(bool disabled) override;

private:
    DataSet &m_set;
    QPointer<DataSource> m_source;
};

} // namespace vintrel
