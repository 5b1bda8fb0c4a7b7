#include "olimpcelldelegate.h"

#include "data/dataset.h"

#include <QLineEdit>
#include <QPalette>

namespace vintrel {

using namespace Qt::StringLiterals;

OlimpCellDelegate::OlimpCellDelegate(const DataSet &rows, int editableColumn, QObject *parent)
    : QStyledItemDelegate(parent), m_rows(rows), m_editableColumn(editableColumn)
{
}

QColor OlimpCellDelegate::pairColor(int pair)
{
    return pair % 2 == 0 ? QColor(204, 255, 204) : QColor(204, 255, 255);
}

QWidget *OlimpCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    if (index.column() != m_editableColumn) return nullptr;
    // A text editor for the number, so that whatever is typed reaches the touches rule and
    // gets its message, rather than a spin box silently keeping some keys out.
    auto *editor = new QLineEdit(parent);
    editor->setFont(option.font);
    return editor;
}

void OlimpCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(index.data(Qt::DisplayRole).toString());
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void OlimpCellDelegate::initStyleOption(QStyleOptionViewItem *option,
                                        const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const int pair = m_rows.cell(index.row(), m_rows.fieldIndex(u"NUM_PAIR"_s)).toInt();
    option->backgroundBrush = pairColor(pair);
    option->state &= ~QStyle::State_Selected; // the pair colour holds on the current row too
    option->palette.setColor(QPalette::Text, Qt::black);
    option->font.setBold(false);
    option->font.setItalic(false);
    option->displayAlignment = Qt::AlignLeft | Qt::AlignTop;
}

} // namespace vintrel
