#pragma once

#include "dataset.h"
#include "filter.h"
#include "schema.h"

#include <functional>

namespace vintrel {

class Store;
}
class QSqlQuery;
namespace vintrel {

// A table object: the visible rows of one table (filtered and ordered by an index), a
// current row, and the editing states. Lookup and calculated fields are read with the rows.
class Table : public DataSet {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    Table(Store &store, const TableDef &def, QObject *parent = nullptr);
    ~Table() override;

    const TableDef &def() const { return m_def; }
    Store &store() const { return m_store; }

    void open();
    void close();
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }

    // Filtering: the text is checked when set; switching filtering off keeps it for later.
    void setFilterText(const QString &text);
    QString filterText() const { return m_filterText; }
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }
    void applyFilter(const QString &text); // off, new text, on: one re-read

    void setIndexName(const QString &name); // empty: the table's identifying order
    QString indexName() const { return m_indexName; }

    void append();
    void edit();
    void setValue(const QString &field, const QVariant &value);
    void post();
    void cancel();
    void remove(); // deletes the current row
    void refresh();

    // Run inside post(): before the checks of required fields and sizes, and after the row
    // is written (inside the same command).
    std::function<void(Table &)> beforePost;
    std::function<void(Table &)> afterPost;
    // Run by remove() before the current row is deleted; throwing keeps the row.
    std::function<void(Table &)> beforeRemove;

    void reloadAfterRollback() override;

    // The row as the last post wrote it (read back, lookups included), for afterPost: a row
    // that left the filter is no longer the current one.
    QVariant postedValue(const QString &field) const;

signals:
    void stateChanged();

protected:
    QVariant currentValue(int field) const override;
    void checkBrowseMode() override; // posts a pending edit before the rows or the cursor move

private:
    Filter checkedFilter(const QString &text) const;
    void reload(qint64 keepRowid);
    std::vector<Row> readRows(const QString &where, const QVariantList &values) const;
    Row convertRow(const QSqlQuery &q) const;
    void placeRow(Row row, int oldIndex);
    bool rowMatchesFilter(const Row &row) const;
    bool rowLess(const Row &a, const Row &b) const;
    void sortRows(std::vector<Row> &rows) const;
    void validateBuffer() const;
    void writeBuffer();
    void setState(State state);
    QVariant normalizedInput(const FieldDef &field, const QVariant &value) const;
    std::vector<int> orderFields() const;
    Row *currentRowPtr();

    Store &m_store;
    const TableDef &m_def;
    QString m_selectSql;
    State m_state = State::Inactive;
    QString m_filterText;
    Filter m_filter;
    bool m_filtered = false;
    QString m_indexName;
    std::vector<int> m_order; // fields of the current order
    QVariantList m_buffer;    // values being edited or inserted
    int m_insertIndex = -1;   // the row shown for an insert until it is posted
    Row m_lastPosted;
};

QString fieldSqlExpression(const TableDef &table, const FieldDef &field, const QString &alias,
                           int &aliasCounter);

} // namespace vintrel
