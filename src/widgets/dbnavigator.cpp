#include "dbnavigator.h"

#include "app/command.h"
#include "app/prompter.h"

#include "data/storeerror.h"
#include "data/table.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

struct ButtonLook {
    const char16_t *name;
    const char16_t *glyph;
    const char16_t *hint;
};

// Glyphs rather than theme icons: they look the same on every desktop.
constexpr ButtonLook kLooks[DBNavigator::ButtonCount] = {
    {u"nbFirst", u"|◀", u"Первая запись"},      {u"nbPrior", u"◀", u"Предыдущая запись"},
    {u"nbNext", u"▶", u"Следующая запись"},     {u"nbLast", u"▶|", u"Последняя запись"},
    {u"nbInsert", u"+", u"Добавить запись"},    {u"nbDelete", u"−", u"Удалить запись"},
    {u"nbEdit", u"▲", u"Изменить запись"},      {u"nbPost", u"✔", u"Сохранить изменения"},
    {u"nbCancel", u"✘", u"Отменить изменения"}, {u"nbRefresh", u"↻", u"Обновить данные"},
};

} // namespace

DBNavigator::DBNavigator(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (int b = 0; b < ButtonCount; ++b) {
        auto *button = new QToolButton(this);
        const ButtonLook &look = kLooks[b];
        button->setObjectName(QString::fromUtf16(look.name));
        button->setText(QString::fromUtf16(look.glyph));
        button->setToolTip(QString::fromUtf16(look.hint));
        button->setStatusTip(QString::fromUtf16(look.hint));
        button->setMinimumSize(28, 24);
        button->setFocusPolicy(Qt::NoFocus); // a click must not take focus from a typed value
        connect(button, &QToolButton::clicked, this, [this, b] { trigger(Button(b)); });
        layout->addWidget(button);
        m_buttons[size_t(b)] = button;
    }
    updateButtons();
}

QString DBNavigator::hint(Button button)
{
    return QString::fromUtf16(kLooks[button].hint);
}

void DBNavigator::bind(Table *table, Prompter *prompter)
{
    bind(static_cast<DataSet *>(table), prompter);
}

void DBNavigator::bind(DataSet *set, Prompter *prompter)
{
    for (const auto &c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_set = set;
    m_table = qobject_cast<Table *>(set);
    m_prompter = prompter;
    if (set) {
        m_connections << connect(set, &DataSet::afterScroll, this, &DBNavigator::updateButtons)
                      << connect(set, &DataSet::rowsReset, this, &DBNavigator::updateButtons);
    }
    if (m_table)
        m_connections << connect(m_table, &Table::stateChanged, this, &DBNavigator::updateButtons);
    updateButtons();
}

void DBNavigator::setEditingAllowed(bool on)
{
    m_editingAllowed = on;
    updateButtons();
}

void DBNavigator::setButtonVisible(Button b, bool visible)
{
    m_buttons[size_t(b)]->setVisible(visible);
}

void DBNavigator::setAction(Button b, std::function<void()> action)
{
    m_actions[size_t(b)] = std::move(action);
}

void DBNavigator::trigger(Button b)
{
    if (!m_set || !m_buttons[size_t(b)]->isEnabled()) return;
    const auto run = [this, b] {
        if (m_actions[size_t(b)])
            m_actions[size_t(b)]();
        else
            runDefault(b);
        return true;
    };
    if (m_prompter)
        runCommand(*m_prompter, run);
    else
        run();
    updateButtons();
}

void DBNavigator::runDefault(Button b)
{
    switch (b) {
    case First:
        m_set->first();
        return;
    case Prior:
        m_set->prior();
        return;
    case Next:
        m_set->next();
        return;
    case Last:
        m_set->last();
        return;
    case Refresh:
        if (m_table) m_table->refresh();
        return;
    default:
        break;
    }
    if (!m_table || !m_editingAllowed) return;
    Table &t = *m_table;
    switch (b) {
    case Insert:
        t.append();
        break;
    case Delete:
        if (!m_prompter || m_prompter->confirm(u"Удалить запись?"_s)) t.remove();
        break;
    case Edit:
        t.edit();
        break;
    case Post:
        t.post();
        break;
    case Cancel:
        t.cancel();
        break;
    default:
        break;
    }
}

void DBNavigator::updateButtons()
{
    const bool open = m_set && (!m_table || m_table->isOpen());
    const bool editable = open && m_table && m_editingAllowed;
    const bool editing = editable && m_table->isEditing();
    const bool hasRows = open && !m_set->isEmpty();
    const bool atFirst = !hasRows || m_set->currentRow() <= 0;
    const bool atLast = !hasRows || m_set->currentRow() >= m_set->recordCount() - 1;
    const auto enable = [this](Button b, bool on) { m_buttons[size_t(b)]->setEnabled(on); };
    enable(First, !atFirst);
    enable(Prior, !atFirst);
    enable(Next, !atLast);
    enable(Last, !atLast);
    enable(Insert, editable);
    enable(Delete, editable && hasRows);
    enable(Edit, editable && hasRows && !editing);
    enable(Post, editing);
    enable(Cancel, editing);
    enable(Refresh, open && m_table);
}

} // namespace vintrel
