#include "fieldcolumns.h"

#include "data/dataset.h" // DataSource::dataSet() needs the complete type
#include "data/datasource.h"
#include "data/storeerror.h"

namespace vintrel {

using namespace Qt::StringLiterals;

FieldColumns::FieldColumns(QObject *parent) : QAbstractProxyModel(parent) {}

FieldColumns::FieldColumns(DataSource *source, const QStringList &fields, QObject *parent)
    : QAbstractProxyModel(parent)
{
    setSource(source, fields);
}

void FieldColumns::disconnectSource()
{
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
}

void FieldColumns::setSource(DataSource *source, const QStringList &fields)
{
    std::vector<int> columns;
    for (const QString &field : fields) {
        const int column = source ? source->fieldColumn(field) : -1;
        if (column < 0)
            throw StoreError(u"Поле «%1» не найдено в «%2»."_s.arg(
                field, source ? source->objectName() : u"?"_s));
        columns.push_back(column);
    }

    beginResetModel();
    disconnectSource();
    m_source = source;
    m_fields = fields;
    m_sourceColumns = std::move(columns);
    QAbstractProxyModel::setSourceModel(source);
    if (source) {
        // Rows are the source's rows one for one; only the columns are chosen.
        m_connections
            << connect(source, &QAbstractItemModel::modelAboutToBeReset, this,
                       [this] { beginResetModel(); })
            << connect(source, &QAbstractItemModel::modelReset, this, [this] { endResetModel(); })
            << connect(source, &QAbstractItemModel::layoutAboutToBeChanged, this,
                       [this] { beginResetModel(); })
            << connect(source, &QAbstractItemModel::layoutChanged, this,
                       [this] { endResetModel(); })
            << connect(source, &QAbstractItemModel::rowsAboutToBeInserted, this,
                       [this](const QModelIndex &, int first, int last) {
                           beginInsertRows({}, first, last);
                       })
            << connect(source, &QAbstractItemModel::rowsInserted, this, [this] { endInsertRows(); })
            << connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                       [this](const QModelIndex &, int first, int last) {
                           beginRemoveRows({}, first, last);
                       })
            << connect(source, &QAbstractItemModel::rowsRemoved, this, [this] { endRemoveRows(); })
            << connect(source, &QAbstractItemModel::dataChanged, this,
                       &FieldColumns::sourceDataChanged)
            << connect(source, &QAbstractItemModel::headerDataChanged, this,
                       [this](Qt::Orientation orientation, int, int) {
                           const int n = orientation == Qt::Horizontal ? columnCount() : rowCount();
                           if (n > 0) emit headerDataChanged(orientation, 0, n - 1);
                       });
    }
    endResetModel();
}

void FieldColumns::sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                     const QList<int> &roles)
{
    if (m_sourceColumns.empty() || !topLeft.isValid() || !bottomRight.isValid()) return;
    // Which of our columns fall in the source range does not matter much: the rows do.
    emit dataChanged(index(topLeft.row(), 0), index(bottomRight.row(), columnCount() - 1), roles);
}

int FieldColumns::columnOf(const QString &field) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(field, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QModelIndex FieldColumns::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex FieldColumns::parent(const QModelIndex &) const
{
    return {};
}

int FieldColumns::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_source ? 0 : m_source->rowCount();
}

int FieldColumns::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_source ? 0 : int(m_sourceColumns.size());
}

QModelIndex FieldColumns::mapToSource(const QModelIndex &proxyIndex) const
{
    if (!m_source || !proxyIndex.isValid() || proxyIndex.model() != this ||
        proxyIndex.column() >= int(m_sourceColumns.size()))
        return {};
    return m_source->index(proxyIndex.row(), m_sourceColumns[size_t(proxyIndex.column())]);
}

QModelIndex FieldColumns::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!m_source || !sourceIndex.isValid() || sourceIndex.model() != m_source) return {};
    for (size_t i = 0; i < m_sourceColumns.size(); ++i)
        if (m_sourceColumns[i] == sourceIndex.column()) return index(sourceIndex.row(), int(i));
    return {};
}

QVariant FieldColumns::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!m_source) return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= int(m_sourceColumns.size())) return {};
        return m_source->headerData(m_sourceColumns[size_t(section)], orientation, role);
    }
    return m_source->headerData(section, orientation, role);
}

Qt::ItemFlags FieldColumns::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractProxyModel::flags(index);
    if (m_readOnly) f &= ~Qt::ItemIsEditable;
    return f;
}

bool FieldColumns::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!(flags(index) & Qt::ItemIsEditable)) return false;
    return QAbstractProxyModel::setData(index, value, role);
}

} // namespace vintrel
