#include "datagrid.h"

#include "data/dataset.h"
#include "data/datasource.h"
#include "data/storeerror.h"
#include "fieldcolumns.h"

#include <QHelpEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace vintrel {

namespace {

// Text editors of a cell take no more characters than the field holds.
class SizedFieldDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        const int size = index.data(DataSource::MaxLengthRole).toInt();
        if (auto *line = qobject_cast<QLineEdit *>(editor); line && size > 0)
            line->setMaxLength(size);
        return editor;
    }
};

} // namespace

DataGrid::DataGrid(QWidget *parent) : QTableView(parent), m_columns(new FieldColumns(this))
{
    setModel(m_columns);
    setItemDelegate(new SizedFieldDelegate(this));
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &previous) {
                if (!m_following && current.isValid() && current.row() != previous.row())
                    operatorMoved(current);
            });
}

void DataGrid::bind(DataSource *source, const QStringList &fields)
{
    disconnect(m_followConnection);
    m_columns->setSource(source, fields);
    if (!source) return;
    m_followConnection =
        connect(source, &DataSource::currentRowChanged, this, &DataGrid::followSource);
    followSource(source->dataSet() ? source->dataSet()->currentRow() : -1);
}

DataSource *DataGrid::source() const
{
    return m_columns->source();
}

void DataGrid::setReadOnly(bool on)
{
    m_columns->setReadOnly(on);
    if (on) setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void DataGrid::followSource(int row)
{
    m_following = true;
    if (row < 0 || row >= model()->rowCount()) {
        selectionModel()->clear();
    } else {
        const int column = std::max(currentIndex().column(), 0);
        const QModelIndex target = model()->index(row, column);
        if (currentIndex() != target) setCurrentIndex(target);
        scrollTo(target);
    }
    m_following = false;
}

bool DataGrid::viewportEvent(QEvent *event)
{
    // A value cut short by a narrow column shows whole in a tool tip.
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString text = index.data().toString();
        const int room = visualRect(index).width() - 8;
        if (index.isValid() && viewport()->fontMetrics().horizontalAdvance(text) > room)
            QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
        else
            QToolTip::hideText();
        return true;
    }
    return QTableView::viewportEvent(event);
}

void DataGrid::operatorMoved(const QModelIndex &current)
{
    if (m_pick) {
        m_pick(current.row());
        return;
    }
    DataSource *s = source();
    if (!s || !s->dataSet()) return;
    try {
        s->dataSet()->moveTo(current.row());
    } catch (const StoreError &e) {
        // The row being edited could not be stored: it stays current, with what was typed.
        // The grid goes back to it once its own change of row has finished.
        QMetaObject::invokeMethod(
            this, [this, s] { followSource(s->dataSet() ? s->dataSet()->currentRow() : -1); },
            Qt::QueuedConnection);
        emit s->editFailed(e.message());
    }
}

} // namespace vintrel
