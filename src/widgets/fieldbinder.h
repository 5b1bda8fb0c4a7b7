#pragma once

#include <QObject>
#include "data/table.h"

#include <QPointer>
#include <QVariant>

#include <utility>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

namespace vintrel {

class DateFieldEdit;
class Prompter;

// Binds one editor to one field of a table: the editor shows the current row's value and
// follows the row; the operator's first change puts the row into editing and every change
// goes into it; Enter posts. A refusal of the store is shown and what was typed stays.
// The binder lives as long as its editor.
class FieldBinder : public QObject {
    Q_OBJECT
public:
    Table *table() const { return m_table; }
    QString field() const { return m_field; }

    // Shows the table's value again (after the window re-read what it shows).
    void refresh();
    // Posts the row if it is being edited; false (after the message) when refused.
    bool post();

protected:
    FieldBinder(QWidget *editor, Table &table, const QString &field, Prompter &prompter);
    virtual void showValue(const QVariant &value) = 0;
    // The operator changed the editor's value.
    void typed(const QVariant &value);
    bool eventFilter(QObject *watched, QEvent *event) override; // Enter posts
    bool m_showing = false; // the binder itself is setting the editor

private:
    QPointer<Table> m_table;
    QString m_field;
    Prompter &m_prompter;
    bool m_writing = false;
};

FieldBinder *bindLineEdit(QLineEdit *edit, Table &table, const QString &field, Prompter &prompter);
FieldBinder *bindDateEdit(DateFieldEdit *edit, Table &table, const QString &field,
                          Prompter &prompter);
FieldBinder *bindCheckBox(QCheckBox *box, Table &table, const QString &field, Prompter &prompter);

// A drop-down list of choices (shown text, stored key) for a key field; a key that is not
// among the choices shows as no choice, an empty key as the choice with an empty key if any.
class LookupComboBinder : public FieldBinder {
    Q_OBJECT
public:
    LookupComboBinder(QComboBox *combo, Table &table, const QString &field, Prompter &prompter);
    void setChoices(const QList<std::pair<QString, QVariant>> &choices);

protected:
    void showValue(const QVariant &value) override;

private:
    QComboBox *m_combo;
};

} // namespace vintrel
