#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace vintrel {

// One row as read: its store row id and a value per field, in field order.
struct Row {
    qint64 rowid = 0;
    QVariantList values;
};

using Bookmark = qint64;

// Rows walked with a cursor: what tables and queries share. The visible rows are held in
// memory in their order; the current row is an index into them.
class DataSet : public QObject {
    Q_OBJECT
public:
    explicit DataSet(QObject *parent = nullptr) : QObject(parent) {}

    int fieldCount() const { return int(m_names.size()); }
    QString fieldName(int field) const { return m_names.value(field); }
    QString fieldTitle(int field) const { return m_titles.value(field); }
    QStringList fieldNames() const { return m_names; }
    int fieldIndex(const QString &name) const; // -1 when absent, case-insensitive

    int recordCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    int currentRow() const { return m_current; } // -1 when there is no row

    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    int recNo() const { return m_current + 1; } // 1-based, 0 when empty
    void setRecNo(int recNo);
    bool moveTo(int row);

    Bookmark bookmark() const;
    bool gotoBookmark(Bookmark bookmark);

    // Moves to the first visible row whose fields ("A" or "A;B") equal the values.
    bool locate(const QString &fields, const QVariantList &values);
    bool locate(const QString &field, const QVariant &value)
    {
        return locate(field, QVariantList{value});
    }

    // Values of the current row (empty when there is none).
    QVariant value(const QString &field) const;
    QVariant value(int field) const;
    QString text(const QString &field) const { return value(field).toString(); }
    int intValue(const QString &field) const { return value(field).toInt(); } // empty counts as 0
    QVariant cell(int row, int field) const;

    // Re-reads the rows after a command was undone; a data set without a file does nothing.
    virtual void reloadAfterRollback() {}

    static bool sameValue(const QVariant &a, const QVariant &b);
    static int compareValues(const QVariant &a, const QVariant &b);

signals:
    void afterScroll();       // the cursor arrived at a row
    void rowsReset();         // the visible rows were re-read or reordered
    void rowChanged(int row); // one row's values changed in place

protected:
    void setFields(const QStringList &names, const QStringList &titles);
    int requireField(const QString &name) const; // throws StoreError when absent
    void setRows(std::vector<Row> rows, int current);
    virtual QVariant currentValue(int field) const;
    // Runs before a caller moves the cursor; a table posts its pending edit here.
    virtual void checkBrowseMode() {}
    void moveCursor(int row); // sets the current row and tells the watchers

    std::vector<Row> m_rows;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;

private:
    QStringList m_names;
    QStringList m_titles;
    QHash<QString, int> m_byName; // lower-case name -> field
};

} // namespace vintrel
