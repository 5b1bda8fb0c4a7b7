#pragma once

#include "data/table.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QToolButton;

namespace vintrel {

class Prompter;

// The row navigator of a window: ten buttons over one table, each shown or hidden per window.
// A refusal of the store is shown through the prompter; the row stays as it was.
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    static constexpr int ButtonCount = 10;

    explicit DBNavigator(QWidget *parent = nullptr);

    void bind(Table *table, Prompter *prompter);
    // Over a query's rows only the moves work; the editing buttons stay disabled.
    void bind(DataSet *set, Prompter *prompter);
    Table *table() const { return m_table; }
    // Off: only the moves work, as over a query (a browser outside edit mode).
    void setEditingAllowed(bool on);

    void setButtonVisible(Button button, bool visible);
    QToolButton *button(Button button) const { return m_buttons[size_t(button)]; }

    // Replaces what a button does (a window's own refresh, say); the store's refusals are
    // still shown.
    void setAction(Button button, std::function<void()> action);

    // Runs the button's action as a click does.
    void trigger(Button button);

    static QString hint(Button button);

private:
    void runDefault(Button button);
    void updateButtons();

    QPointer<DataSet> m_set;
    QPointer<Table> m_table;
    Prompter *m_prompter = nullptr;
    bool m_editingAllowed = true;
    std::array<QToolButton *, ButtonCount> m_buttons{};
    std::array<std::function<void()>, ButtonCount> m_actions{};
    QList<QMetaObject::Connection> m_connections;
};

} // namespace vintrel
