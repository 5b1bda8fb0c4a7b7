#include "datasource.h"

#include "storeerror.h"
#include "table.h"

#include <QDate>

namespace vintrel {

using namespace Qt::StringLiterals;

DataSource::DataSource(DataSet *dataSet, QObject *parent)
    : QAbstractTableModel(parent), m_set(dataSet)
{
    m_rowCount = m_set->recordCount();
    m_columnCount = m_set->fieldCount();
    connect(m_set, &DataSet::rowsReset, this, [this] {
        if (m_enabled) reset();
    });
    connect(m_set, &DataSet::rowChanged, this, [this](int row) {
        if (m_enabled && row >= 0 && row < m_rowCount)
            emit dataChanged(index(row, 0), index(row, m_columnCount - 1));
    });
    connect(m_set, &DataSet::afterScroll, this, [this] {
        if (m_enabled) emit currentRowChanged(m_set->currentRow());
    });
}

Table *DataSource::table() const
{
    return qobject_cast<Table *>(m_set.data());
}

void DataSource::reset()
{
    beginResetModel();
    m_rowCount = m_set ? m_set->recordCount() : 0;
    m_columnCount = m_set ? m_set->fieldCount() : 0;
    endResetModel();
}

void DataSource::setEnabled(bool on)
{
    if (on == m_enabled) return;
    m_enabled = on;
    if (on) {
        reset();
        emit currentRowChanged(m_set->currentRow());
    }
}

int DataSource::fieldColumn(const QString &field) const
{
    return m_set ? m_set->fieldIndex(field) : -1;
}

int DataSource::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int DataSource::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columnCount;
}

QString DataSource::displayText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(u"dd.MM.yyyy"_s);
    case QMetaType::Bool:
        return value.toBool() ? u"Да"_s : u"Нет"_s;
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 10).replace(u'.', u',');
    default:
        return value.toString();
    }
}

QVariant DataSource::data(const QModelIndex &index, int role) const
{
    // While detached the data set may hold other rows than the model announced.
    if (!m_set || !index.isValid() || index.row() >= m_set->recordCount()) return {};
    if (role == MaxLengthRole) {
        const Table *t = table();
        const FieldDef *field = t ? &t->def().fields[size_t(index.column())] : nullptr;
        return field && field->isText() ? field->size : 0;
    }
    const QVariant v = m_set->cell(index.row(), index.column());
    if (role == Qt::DisplayRole) return displayText(v);
    if (role == Qt::EditRole) return v;
    return {};
}

QVariant DataSource::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || !m_set)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal) return m_set->fieldTitle(section);
    return section + 1;
}

Qt::ItemFlags DataSource::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    const Table *t = table();
    if (!t || m_readOnly || !index.isValid()) return f;
    const FieldDef &field = t->def().fields[size_t(index.column())];
    if (field.isStored() && field.type != FieldType::AutoInc) f |= Qt::ItemIsEditable;
    return f;
}

bool DataSource::setData(const QModelIndex &index, const QVariant &value, int role)
{
    Table *t = table();
    if (role != Qt::EditRole || !t || !(flags(index) & Qt::ItemIsEditable)) return false;
    try {
        if (t->currentRow() != index.row()) {
            t->post(); // a pending edit of another row lands first
            t->moveTo(index.row());
        }
        t->edit();
        t->setValue(t->fieldName(index.column()), value);
        if (m_postEachCell) t->post();
        return true;
    } catch (const StoreError &e) {
        if (m_postEachCell) t->cancel();
        emit editFailed(e.message());
        return false;
    }
}

} // namespace vintrel
