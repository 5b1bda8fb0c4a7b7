#include "fieldbinder.h"

#include "datefieldedit.h"
#include "app/prompter.h"

#include "data/storeerror.h"
#include "data/table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace vintrel {

FieldBinder::FieldBinder(QWidget *editor, Table &table, const QString &field, Prompter &prompter)
    : QObject(editor), m_table(&table), m_field(field), m_prompter(prompter)
{
    connect(&table, &DataSet::afterScroll, this, &FieldBinder::refresh);
    connect(&table, &DataSet::rowsReset, this, &FieldBinder::refresh);
    connect(&table, &DataSet::rowChanged, this, &FieldBinder::refresh);
    connect(&table, &Table::stateChanged, this, &FieldBinder::refresh);
    editor->installEventFilter(this);
}

void FieldBinder::refresh()
{
    if (m_writing || !m_table) return;
    m_showing = true;
    showValue(m_table->isEmpty() ? QVariant() : m_table->value(m_field));
    m_showing = false;
}

void FieldBinder::typed(const QVariant &value)
{
    if (m_showing || !m_table) return;
    m_writing = true;
    try {
        m_table->edit();
        m_table->setValue(m_field, value);
    } catch (const StoreError &e) {
        m_writing = false;
        m_prompter.error(e.message());
        refresh();
        return;
    }
    m_writing = false;
}

bool FieldBinder::post()
{
    if (!m_table) return false;
    try {
        m_table->post();
        return true;
    } catch (const StoreError &e) {
        m_prompter.error(e.message());
        return false;
    }
}

bool FieldBinder::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_table && m_table->isEditing()) {
            post();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

namespace {

class LineEditBinder : public FieldBinder {
public:
    LineEditBinder(QLineEdit *edit, Table &table, const QString &field, Prompter &prompter)
        : FieldBinder(edit, table, field, prompter), m_edit(edit)
    {
        if (const FieldDef *f = table.def().field(field); f && f->isText() && f->size > 0)
            edit->setMaxLength(f->size);
        connect(edit, &QLineEdit::textEdited, this, [this](const QString &text) { typed(text); });
        refresh();
    }

protected:
    void showValue(const QVariant &value) override
    {
        const QString text = value.toString();
        if (m_edit->text() != text) m_edit->setText(text);
    }

private:
    QLineEdit *m_edit;
};

class DateEditBinder : public FieldBinder {
public:
    DateEditBinder(DateFieldEdit *edit, Table &table, const QString &field, Prompter &prompter)
        : FieldBinder(edit, table, field, prompter), m_edit(edit)
    {
        connect(edit, &QDateEdit::dateChanged, this, [this] {
            const QDate date = m_edit->fieldDate();
            typed(date.isValid() ? QVariant(date) : QVariant());
        });
        refresh();
    }

protected:
    void showValue(const QVariant &value) override { m_edit->setFieldDate(value.toDate()); }

private:
    DateFieldEdit *m_edit;
};

class CheckBoxBinder : public FieldBinder {
public:
    CheckBoxBinder(QCheckBox *box, Table &table, const QString &field, Prompter &prompter)
        : FieldBinder(box, table, field, prompter), m_box(box)
    {
        connect(box, &QCheckBox::clicked, this, [this](bool on) { typed(on); });
        refresh();
    }

protected:
    void showValue(const QVariant &value) override { m_box->setChecked(value.toBool()); }

private:
    QCheckBox *m_box;
};

} // namespace

FieldBinder *bindLineEdit(QLineEdit *edit, Table &table, const QString &field, Prompter &prompter)
{
    return new LineEditBinder(edit, table, field, prompter);
}

FieldBinder *bindDateEdit(DateFieldEdit *edit, Table &table, const QString &field,
                          Prompter &prompter)
{
    return new DateEditBinder(edit, table, field, prompter);
}

FieldBinder *bindCheckBox(QCheckBox *box, Table &table, const QString &field, Prompter &prompter)
{
    return new CheckBoxBinder(box, table, field, prompter);
}

LookupComboBinder::LookupComboBinder(QComboBox *combo, Table &table, const QString &field,
                                     Prompter &prompter)
    : FieldBinder(combo, table, field, prompter), m_combo(combo)
{
    combo->setEditable(false);
    connect(combo, &QComboBox::activated, this,
            [this](int index) { typed(m_combo->itemData(index)); });
    refresh();
}

void LookupComboBinder::setChoices(const QList<std::pair<QString, QVariant>> &choices)
{
    m_showing = true;
    m_combo->clear();
    for (const auto &[text, key] : choices)
        m_combo->addItem(text, key);
    m_showing = false;
    refresh();
}

void LookupComboBinder::showValue(const QVariant &value)
{
    // An empty key shows as the choice without a key, when the list offers one.
    int index = -1;
    for (int i = 0; i < m_combo->count() && index < 0; ++i) {
        const QVariant key = m_combo->itemData(i);
        if (value.isNull() ? key.isNull() : !key.isNull() && key.toInt() == value.toInt())
            index = i;
    }
    m_combo->setCurrentIndex(index);
}

} // namespace vintrel
