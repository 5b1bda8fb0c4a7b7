#pragma once

#include "dataset.h"

#include <QAbstractTableModel>
#include <QPointer>

namespace vintrel {

class DataSet;
class Table;

// The data source of a table or query: an item model that grids bind to. One column per
// field in field order; the current row follows the data set's cursor. A bulk command
// detaches it (setEnabled(false)) so grids do not follow every step, and reattaches it after.
class DataSource : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSource(DataSet *dataSet, QObject *parent = nullptr);

    DataSet *dataSet() const { return m_set; }
    Table *table() const; // null for a query

    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }
    void setReadOnly(bool on) { m_readOnly = on; }
    bool isReadOnly() const { return m_readOnly; }
    // By default a typed cell is stored at once. A source whose rows are entered field by
    // field (a new aspect needs its number, name and variant) keeps the row in editing
    // instead; it is posted when the cursor leaves the row or on the navigator's post.
    void setPostEachCell(bool on) { m_postEachCell = on; }

    int fieldColumn(const QString &field) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    static QString displayText(const QVariant &value);

    // The longest text a cell's field holds (0: no limit), for editors to stop typing there.
    static constexpr int MaxLengthRole = Qt::UserRole + 1;

signals:
    void currentRowChanged(int row);
    void editFailed(const QString &message); // a typed value the store refused

private:
    void reset();

    QPointer<DataSet> m_set;
    bool m_enabled = true;
    bool m_readOnly = false;
    bool m_postEachCell = true;
    int m_rowCount = 0;
    int m_columnCount = 0;
};

// Detaches a data source for the life of a bulk command: grids over it do not follow every
// step, and show the rows as the command left them once it ends.
class DetachedSource {
public:
    explicit DetachedSource(DataSource &source) : m_source(source), m_was(source.isEnabled())
    {
        m_source.setEnabled(false);
    }
    ~DetachedSource() { m_source.setEnabled(m_was); }
    DetachedSource(const DetachedSource &) = delete;
    DetachedSource &operator=(const DetachedSource &) = delete;

private:
    DataSource &m_source;
    bool m_was;
};

} // namespace vintrel
