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
    for (const auto &c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_table = table;
    m_prompter = prompter;
    if (table) {
        m_connections << connect(table, &DataSet::afterScroll, this, &DBNavigator::updateButtons)
                      << connect(table, &DataSet::rowsReset, this, &DBNavigator::updateButtons)
                      << connect(table, &Table::stateChanged, this, &DBNavigator::updateButtons);
    }
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
    if (!m_table || !m_buttons[size_t(b)]->isEnabled()) return;
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
    Table &t = *m_table;
    switch (b) {
    case First:
        t.first();
        break;
    case Prior:
        t.prior();
        break;
    case Next:
        t.next();
        break;
    case Last:
        t.last();
        break;
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
    case Refresh:
        t.refresh();
        break;
    }
}

void DBNavigator::updateButtons()
{
    const bool open = m_table && m_table->isOpen();
    const bool editing = open && m_table->isEditing();
    const bool hasRows = open && !m_table->isEmpty();
    const bool atFirst = !hasRows || m_table->currentRow() <= 0;
    const bool atLast = !hasRows || m_table->currentRow() >= m_table->recordCount() - 1;
    const auto enable = [this](Button b, bool on) { m_buttons[size_t(b)]->setEnabled(on); };
    enable(First, !atFirst);
    enable(Prior, !atFirst);
    enable(Next, !atLast);
    enable(Last, !atLast);
    enable(Insert, open);
    enable(Delete, hasRows);
    enable(Edit, hasRows && !editing);
    enable(Post, editing);
    enable(Cancel, editing);
    enable(Refresh, open);
}

} // namespace vintrel
