#include "lookupcellchooser.h"

#include "widgets/datagrid.h"
#include "widgets/fieldcolumns.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace vintrel {

using namespace Qt::StringLiterals;

LookupCellChooser::LookupCellChooser(DataGrid *grid, const QString &field,
                                     std::function<Choices()> choices,
                                     std::function<void(const QVariant &)> chosen)
    : QObject(grid), m_grid(grid), m_field(field), m_choices(std::move(choices)),
      m_chosen(std::move(chosen)), m_combo(new QComboBox(grid->viewport()))
{
    m_combo->setObjectName(u"cb_"_s + field);
    m_combo->hide();
    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
    m_combo->installEventFilter(this);
    connect(m_combo, &QComboBox::activated, this, [this](int item) {
        const QVariant stored = m_combo->itemData(item);
        close();
        m_chosen(stored);
    });
}

bool LookupCellChooser::openAtCurrentCell()
{
    const QModelIndex cell = m_grid->currentIndex();
    const int column = m_grid->columns()->columnOf(m_field);
    if (!cell.isValid() || column < 0 || cell.column() != column) return false;
    // The key field behind the lookup says which name is chosen now.
    const FieldColumns *columns = m_grid->columns();
    const QModelIndex source = columns->mapToSource(cell);
    const QString shown = source.data().toString();
    m_combo->clear();
    for (const auto &[name, stored] : m_choices())
        m_combo->addItem(name, stored);
    m_combo->setCurrentIndex(m_combo->findText(shown));
    m_combo->setGeometry(m_grid->visualRect(cell));
    m_combo->show();
    m_combo->setFocus();
    m_combo->showPopup();
    return true;
}

void LookupCellChooser::close()
{
    m_combo->hidePopup();
    m_combo->hide();
    m_grid->setFocus();
}

bool LookupCellChooser::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex cell = m_grid->indexAt(mouse->position().toPoint());
        if (cell.isValid() && cell.column() == m_grid->columns()->columnOf(m_field)) {
            m_grid->setCurrentIndex(cell);
            return openAtCurrentCell();
        }
    }
    // Leaving the list without a choice puts it away; its own popup taking the focus (which
    // some platforms report as a change of active window) does not.
    if (watched == m_combo && event->type() == QEvent::FocusOut)
        QTimer::singleShot(0, m_combo, [this] {
            if (!m_combo->hasFocus() && !m_combo->view()->isVisible()) m_combo->hide();
        });
    if (watched == m_combo && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_F2 || key == Qt::Key_Return || key == Qt::Key_Enter) &&
            openAtCurrentCell())
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vintrel
