#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace vintrel {

// The editor of a bout cell: what is typed goes to `store` (row, cell number 1 … 9, text)
// instead of straight into the row, so the pool's rules check it; a refused text leaves the
// cell as it was.
class BoutCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using Store = std::function<void(int row, int cell, const QString &text)>;
    BoutCellDelegate(int cell, Store store, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

private:
    int m_cell;
    Store m_store;
};

} // namespace vintrel
