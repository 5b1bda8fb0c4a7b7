#include "datasetadapter.h"

#include "data/dataset.h"
#include "data/datasource.h"

namespace vintrel {

DataSetAdapter::DataSetAdapter(DataSet &dataSet, DataSource *source)
    : m_set(dataSet), m_source(source)
{
}

QString DataSetAdapter::name() const
{
    return m_set.objectName();
}

void DataSetAdapter::first()
{
    m_set.first();
}

void DataSetAdapter::next()
{
    m_set.next();
}

bool DataSetAdapter::eof() const
{
    return m_set.eof() || m_set.currentRow() < 0;
}

int DataSetAdapter::fieldCount() const
{
    return m_set.fieldCount();
}

int DataSetAdapter::fieldIndex(const QString &name) const
{
    return m_set.fieldIndex(name);
}

RepDataSet::FieldKind DataSetAdapter::fieldKind(int field) const
{
    return kindOf(m_set.value(field));
}

QVariant DataSetAdapter::fieldValue(int field) const
{
    return m_set.value(field);
}

bool DataSetAdapter::controlsDisabled() const
{
    return m_source && !m_source->isEnabled();
}

void DataSetAdapter::setControlsDisabled(bool disabled)
{
    if (m_source) m_source->setEnabled(!disabled);
}

} // namespace vintrel
