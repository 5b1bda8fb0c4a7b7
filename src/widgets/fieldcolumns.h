#pragma once

#include "data/datasource.h" // QPointer<DataSource> needs the complete type

#include <QAbstractProxyModel>
#include <QPointer>
#include <QStringList>

#include <vector>

namespace vintrel {

// Chosen fields of a data source as the columns of a grid, in the order given, with the
// source's captions. Rows are the source's rows one for one, so a grid row is the data set's
// row. The source can be switched at run time (one grid showing pools or circles).
class FieldColumns : public QAbstractProxyModel {
    Q_OBJECT
public:
    explicit FieldColumns(QObject *parent = nullptr);
    FieldColumns(DataSource *source, const QStringList &fields, QObject *parent = nullptr);

    // Shows `fields` of `source`; a field the source lacks throws StoreError.
    void setSource(DataSource *source, const QStringList &fields);
    DataSource *source() const { return m_source; }
    QStringList fields() const { return m_fields; }
    int columnOf(const QString &field) const; // -1 when not shown (case-insensitive)

    // A read-only view of an editable source: no cell can be edited through it.
    void setReadOnly(bool on) { m_readOnly = on; }
    bool isReadOnly() const { return m_readOnly; }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    void disconnectSource();
    void sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                           const QList<int> &roles);

    QPointer<DataSource> m_source;
    QStringList m_fields;
    std::vector<int> m_sourceColumns; // source column of each shown column
    bool m_readOnly = false;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace vintrel
