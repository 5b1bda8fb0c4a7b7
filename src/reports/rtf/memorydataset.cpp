#include "memorydataset.h"

namespace vintrel {

MemoryDataSet::MemoryDataSet(QString name, QStringList fields, std::vector<FieldKind> kinds)
    : m_name(std::move(name)), m_fields(std::move(fields)), m_kinds(std::move(kinds))
{
    m_kinds.resize(size_t(m_fields.size()), FieldKind::Text);
}

void MemoryDataSet::addRow(QVariantList values)
{
    m_rows.push_back(std::move(values));
}

void MemoryDataSet::next()
{
    if (m_current < int(m_rows.size())) ++m_current;
}

int MemoryDataSet::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

RepDataSet::FieldKind MemoryDataSet::fieldKind(int field) const
{
    return field >= 0 && field < int(m_kinds.size()) ? m_kinds[size_t(field)] : FieldKind::Other;
}

QVariant MemoryDataSet::fieldValue(int field) const
{
    if (eof() || field < 0) return {};
    return m_rows[size_t(m_current)].value(field);
}

} // namespace vintrel
