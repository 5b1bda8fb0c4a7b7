#pragma once

#include <QStyledItemDelegate>

namespace vintrel {

class DataSet;

// The cells of the elimination grid: pale green for even pairs, pale cyan for odd ones, so
// the two rows of a pair stand together; black plain text. Only the touches column is typed
// into.
class OlimpCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    OlimpCellDelegate(const DataSet &rows, int editableColumn, QObject *parent = nullptr);

    static QColor pairColor(int pair);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    const DataSet &m_rows;
    int m_editableColumn;
};

} // namespace vintrel
