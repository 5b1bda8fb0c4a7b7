#include "boutcelldelegate.h"

#include <QLineEdit>

namespace vintrel {

BoutCellDelegate::BoutCellDelegate(int cell, Store store, QObject *parent)
    : QStyledItemDelegate(parent), m_cell(cell), m_store(std::move(store))
{
}

QWidget *BoutCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor)) line->setMaxLength(2);
    return editor;
}

void BoutCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const
{
    Q_UNUSED(model);
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line || !m_store) return;
    if (line->text() == index.data(Qt::EditRole).toString()) return; // nothing typed
    m_store(index.row(), m_cell, line->text());
}

} // namespace vintrel
