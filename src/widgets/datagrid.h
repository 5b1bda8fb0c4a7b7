#pragma once

#include <QTableView>

#include <functional>

namespace vintrel {

class DataSource;
class FieldColumns;

// A grid over chosen fields of a data source. It follows the data set's current row, and the
// operator's move to another row (click or keys) moves the data set's cursor there.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);

    // Shows `fields` of `source`; calling it again switches the grid to another source.
    void bind(DataSource *source, const QStringList &fields);
    DataSource *source() const;
    FieldColumns *columns() const { return m_columns; }

    // A read-only grid never edits through its source, even an editable one.
    void setReadOnly(bool on);

    // What the operator's move to row `row` does; by default the data set moves there.
    void setRowPicker(std::function<void(int row)> pick) { m_pick = std::move(pick); }

protected:
    bool viewportEvent(QEvent *event) override;

private:
    void followSource(int row);
    void operatorMoved(const QModelIndex &current);

    FieldColumns *m_columns;
    QMetaObject::Connection m_followConnection;
    std::function<void(int)> m_pick;
    bool m_following = false;
};

} // namespace vintrel
