#include "table.h"

#include "store.h"
#include "storeerror.h"

#include <QDate>
#include <QSqlQuery>

#include <algorithm>
#include <optional>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

QVariant fromSql(FieldType type, const QVariant &v)
{
    if (v.isNull() || !v.isValid()) return {};
    switch (type) {
    case FieldType::Date: {
        const QDate d = QDate::fromString(v.toString().left(10), Qt::ISODate);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Boolean:
        return v.toLongLong() != 0;
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::SmallInt:
        return int(v.toLongLong());
    case FieldType::Float:
        return v.toDouble();
    case FieldType::String:
        return v.toString();
    }
    return v;
}

QVariant toSql(FieldType type, const QVariant &v)
{
    if (v.isNull() || !v.isValid()) return {};
    switch (type) {
    case FieldType::Date:
        return v.toDate().toString(Qt::ISODate);
    case FieldType::Boolean:
        return v.toBool() ? 1 : 0;
    default:
        return v;
    }
}

QString textLimit(const FieldDef &f, const QString &expr)
{
    return f.isText() && f.size > 0 ? u"substr(%1, 1, %2)"_s.arg(expr).arg(f.size) : expr;
}

} // namespace

QString fieldSqlExpression(const TableDef &table, const FieldDef &field, const QString &alias,
                           int &aliasCounter)
{
    switch (field.kind) {
    case FieldKind::Stored:
        return alias + u'.' + field.name;
    case FieldKind::Calculated: {
        QString expr = field.expression;
        return textLimit(field, expr.replace(u"$."_s, alias + u'.'));
    }
    case FieldKind::Lookup: {
        const TableDef *source = schemaTable(field.sourceTable);
        const FieldDef *result = source ? source->field(field.resultField) : nullptr;
        const FieldDef *key = table.field(field.keyField);
        if (!result || !key || !key->isStored())
            throw StoreError(u"Неверное описание поля подстановки %1."_s.arg(field.name));
        const QString inner = u"s"_s + QString::number(++aliasCounter);
        const QString value = fieldSqlExpression(*source, *result, inner, aliasCounter);
        return u"(SELECT %1 FROM %2 %3 WHERE %3.%4 = %5.%6 LIMIT 1)"_s.arg(
            textLimit(field, value), source->name, inner, field.sourceKey, alias, key->name);
    }
    }
    return {};
}

Table::Table(Store &store, const TableDef &def, QObject *parent)
    : DataSet(parent), m_store(store), m_def(def), m_indexName(def.defaultIndex)
{
    setObjectName(def.objectName);
    QStringList names, titles, exprs{u"t.rowid"_s};
    int aliases = 0;
    for (const FieldDef &f : def.fields) {
        names << f.name;
        titles << f.title();
        exprs << fieldSqlExpression(def, f, u"t"_s, aliases);
    }
    setFields(names, titles);
    m_selectSql = u"SELECT %1 FROM %2 t"_s.arg(exprs.join(u", "_s), def.name);
    m_order = orderFields();
    m_store.registerDataSet(this);
}

Table::~Table()
{
    m_store.unregisterDataSet(this);
}

void Table::open()
{
    if (isOpen()) return;
    m_state = State::Browse;
    try {
        reload(0);
    } catch (...) {
        m_state = State::Inactive;
        throw;
    }
}

void Table::close()
{
    m_state = State::Inactive;
    m_buffer.clear();
    m_insertIndex = -1;
    setRows({}, -1);
    emit stateChanged();
}

Filter Table::checkedFilter(const QString &text) const
{
    Filter parsed = Filter::parse(text);
    for (const FilterTerm &term : parsed.terms()) {
        const FieldDef *f = m_def.field(term.field);
        if (!f || !f->isStored())
            throw StoreError(u"Неверное условие фильтра: в таблице %1 нет поля %2."_s.arg(
                m_def.name, term.field));
    }
    return parsed;
}

void Table::setFilterText(const QString &text)
{
    Filter parsed = checkedFilter(text);
    if (m_filtered && isOpen()) checkBrowseMode();
    m_filter = std::move(parsed);
    m_filterText = text;
    if (m_filtered && isOpen()) reload(bookmark());
}

void Table::setFiltered(bool on)
{
    if (on == m_filtered) return;
    if (isOpen()) checkBrowseMode();
    m_filtered = on;
    if (isOpen()) reload(bookmark());
}

void Table::applyFilter(const QString &text)
{
    // A refused text leaves the filter as it was, switched on or off.
    Filter parsed = checkedFilter(text);
    if (isOpen()) checkBrowseMode();
    m_filter = std::move(parsed);
    m_filterText = text;
    m_filtered = true;
    if (isOpen()) reload(0);
}

void Table::setIndexName(const QString &name)
{
    if (!name.isEmpty() && !m_def.index(name))
        throw StoreError(u"В таблице %1 нет индекса %2."_s.arg(m_def.name, name));
    if (isOpen()) checkBrowseMode();
    m_indexName = name;
    m_order = orderFields();
    if (isOpen()) {
        const Bookmark keep = bookmark();
        std::vector<Row> rows = std::move(m_rows);
        sortRows(rows);
        setRows(std::move(rows), 0);
        gotoBookmark(keep);
    }
}

std::vector<int> Table::orderFields() const
{
    QStringList names = m_def.defaultOrder;
    if (const IndexDef *ix = m_indexName.isEmpty() ? nullptr : m_def.index(m_indexName))
        names = ix->fields;
    std::vector<int> out;
    for (const QString &n : names)
        out.push_back(m_def.fieldIndex(n));
    return out;
}

bool Table::rowLess(const Row &a, const Row &b) const
{
    for (int f : m_order) {
        const int c = compareValues(a.values[f], b.values[f]);
        if (c != 0) return c < 0;
    }
    return a.rowid < b.rowid; // equal keys keep the order of adding
}

void Table::sortRows(std::vector<Row> &rows) const
{
    std::sort(rows.begin(), rows.end(),
              [this](const Row &a, const Row &b) { return rowLess(a, b); });
}

Row Table::convertRow(const QSqlQuery &q) const
{
    Row row;
    row.rowid = q.value(0).toLongLong();
    row.values.reserve(int(m_def.fields.size()));
    for (size_t i = 0; i < m_def.fields.size(); ++i)
        row.values << fromSql(m_def.fields[i].type, q.value(int(i) + 1));
    return row;
}

std::vector<Row> Table::readRows(const QString &where, const QVariantList &values) const
{
    QSqlQuery q =
        m_store.exec(where.isEmpty() ? m_selectSql : m_selectSql + u" WHERE "_s + where, values);
    std::vector<Row> rows;
    while (q.next())
        rows.push_back(convertRow(q));
    return rows;
}

void Table::reload(qint64 keepRowid)
{
    QStringList conditions;
    QVariantList values;
    if (m_filtered) {
        for (const FilterTerm &term : m_filter.terms()) {
            conditions << u"t.%1 = ?"_s.arg(m_def.field(term.field)->name);
            values << term.value;
        }
    }
    std::vector<Row> rows = readRows(conditions.join(u" AND "_s), values);
    sortRows(rows);
    int current = 0;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].rowid == keepRowid) current = int(i);
    m_insertIndex = -1;
    setRows(std::move(rows), current);
}

bool Table::rowMatchesFilter(const Row &row) const
{
    if (!m_filtered) return true;
    for (const FilterTerm &term : m_filter.terms())
        if (!Filter::valueMatches(row.values[m_def.fieldIndex(term.field)], term.value))
            return false;
    return true;
}

void Table::refresh()
{
    if (!isOpen()) return;
    checkBrowseMode(); // a pending edit is stored, never thrown away
    reload(bookmark());
}

void Table::reloadAfterRollback()
{
    if (!isOpen()) return;
    // A pending edit survives the undo of the command around it: the operator's typing is kept.
    const State state = m_state;
    const QVariantList buffer = m_buffer;
    const Bookmark keep = m_insertIndex >= 0 ? 0 : bookmark();
    m_state = State::Browse;
    reload(keep);
    if (state == State::Edit && gotoBookmark(keep)) {
        m_buffer = buffer;
        m_state = State::Edit;
    } else if (state == State::Insert) {
        append();
        m_buffer = buffer;
    }
    emit stateChanged();
}

void Table::checkBrowseMode()
{
    // The pending edit belongs to the current row: it is stored before the cursor or the
    // visible rows change, so it can never land on another row.
    // While the rows are re-read after an undo nothing is written: the edit stays pending.
    if (isEditing() && !m_store.isRereading()) post();
}

QVariant Table::currentValue(int field) const
{
    if (isEditing()) return m_buffer.value(field);
    return DataSet::currentValue(field);
}

void Table::setState(State state)
{
    if (m_state == state) return;
    m_state = state;
    emit stateChanged();
}

void Table::append()
{
    if (!isOpen()) throw StoreError(u"Таблица %1 не открыта."_s.arg(m_def.name));
    if (isEditing()) post();
    m_buffer = QVariantList();
    for (size_t i = 0; i < m_def.fields.size(); ++i)
        m_buffer << QVariant();
    Row phantom;
    phantom.values = m_buffer;
    m_rows.push_back(phantom);
    m_insertIndex = int(m_rows.size()) - 1;
    m_eof = m_bof = false;
    m_state = State::Insert;
    emit rowsReset();
    moveCursor(m_insertIndex);
    emit stateChanged();
}

void Table::edit()
{
    if (isEditing()) return;
    if (!isOpen()) throw StoreError(u"Таблица %1 не открыта."_s.arg(m_def.name));
    if (m_current < 0)
        throw StoreError(u"В таблице %1 нет записи для изменения."_s.arg(m_def.name));
    m_buffer = m_rows[size_t(m_current)].values;
    setState(State::Edit);
}

QVariant Table::normalizedInput(const FieldDef &f, const QVariant &v) const
{
    if (!v.isValid() || v.isNull()) return {};
    const auto refuse = [&f](const QString &what) {
        return StoreError(u"Значение поля «%1» %2."_s.arg(f.title(), what));
    };
    if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty() &&
        (f.type != FieldType::String || v.toString().isEmpty()))
        return {};
    switch (f.type) {
    case FieldType::String:
        return v.toString();
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::SmallInt: {
        bool ok = false;
        const double d = v.typeId() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok)
                                                          : v.toDouble(&ok);
        if (!ok || d != double(qint64(d))) throw refuse(u"должно быть целым числом"_s);
        if (d < -2147483648.0 || d > 2147483647.0) throw refuse(u"вне допустимых пределов"_s);
        return int(d);
    }
    case FieldType::Float: {
        bool ok = false;
        const double d = v.typeId() == QMetaType::QString
                             ? v.toString().trimmed().replace(u',', u'.').toDouble(&ok)
                             : v.toDouble(&ok);
        if (!ok) throw refuse(u"должно быть числом"_s);
        return d;
    }
    case FieldType::Date: {
        QDate d = v.toDate();
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed();
            d = QDate::fromString(s, Qt::ISODate);
            if (!d.isValid()) d = QDate::fromString(s, u"dd.MM.yyyy"_s);
        }
        if (!d.isValid()) throw refuse(u"не является датой"_s);
        return d;
    }
    case FieldType::Boolean: {
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed().toLower();
            if (s == u"1"_s || s == u"true"_s || s == u"да"_s) return true;
            if (s == u"0"_s || s == u"false"_s || s == u"нет"_s) return false;
            throw refuse(u"должно быть «да» или «нет»"_s);
        }
        return v.toBool();
    }
    }
    return v;
}

void Table::setValue(const QString &field, const QVariant &value)
{
    const int i = requireField(field);
    const FieldDef &f = m_def.fields[size_t(i)];
    if (!isEditing()) throw StoreError(u"Таблица %1 не в режиме редактирования."_s.arg(m_def.name));
    if (!f.isStored() || f.type == FieldType::AutoInc)
        throw StoreError(u"Поле «%1» нельзя изменить."_s.arg(f.title()));
    m_buffer[i] = normalizedInput(f, value);
    emit rowChanged(m_current);
}

void Table::validateBuffer() const
{
    for (size_t i = 0; i < m_def.fields.size(); ++i) {
        const FieldDef &f = m_def.fields[i];
        if (!f.isStored() || f.type == FieldType::AutoInc) continue;
        const QVariant &v = m_buffer[int(i)];
        const bool empty = v.isNull() || !v.isValid() || (f.isText() && v.toString().isEmpty());
        if (f.required && empty)
            throw StoreError(u"Поле «%1» должно быть заполнено."_s.arg(f.title()));
        if (empty) continue;
        if (f.isText() && f.size > 0 && v.toString().size() > f.size)
            throw StoreError(
                u"Значение поля «%1» длиннее %2 символов."_s.arg(f.title()).arg(f.size));
        if (f.type == FieldType::SmallInt && (v.toInt() < -32768 || v.toInt() > 32767))
            throw StoreError(
                u"Значение поля «%1» должно быть в пределах от -32768 до 32767."_s.arg(f.title()));
    }
}

void Table::writeBuffer()
{
    QStringList columns;
    QVariantList values;
    for (size_t i = 0; i < m_def.fields.size(); ++i) {
        const FieldDef &f = m_def.fields[i];
        if (!f.isStored() || (f.type == FieldType::AutoInc && m_state == State::Insert)) continue;
        columns << f.name;
        values << toSql(f.type, m_buffer[int(i)]);
    }
    qint64 rowid = 0;
    if (m_state == State::Insert) {
        QStringList marks(columns.size(), u"?"_s);
        m_store.execPrepared(u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(
                                 m_def.name, columns.join(u", "_s), marks.join(u", "_s)),
                             values,
                             [&rowid](QSqlQuery &q) { rowid = q.lastInsertId().toLongLong(); });
    } else {
        rowid = m_rows[size_t(m_current)].rowid;
        QStringList sets;
        for (const QString &c : columns)
            sets << c + u" = ?"_s;
        values << rowid;
        m_store.execPrepared(
            u"UPDATE %1 SET %2 WHERE rowid = ?"_s.arg(m_def.name, sets.join(u", "_s)), values);
    }
    std::optional<Row> fresh;
    m_store.execPrepared(m_selectSql + u" WHERE t.rowid = ?"_s, {rowid}, [&](QSqlQuery &q) {
        if (q.next()) fresh = convertRow(q);
    });
    if (!fresh) throw StoreError(u"Запись таблицы %1 не найдена после записи."_s.arg(m_def.name));
    m_lastPosted = *fresh;
    const int old = m_current;
    m_insertIndex = -1;
    m_state = State::Browse;
    placeRow(std::move(*fresh), old);
}

void Table::placeRow(Row row, int oldIndex)
{
    const auto fitsAt = [this, &row](int i) {
        return (i == 0 || !rowLess(row, m_rows[size_t(i - 1)])) &&
               (i + 1 >= int(m_rows.size()) || !rowLess(m_rows[size_t(i + 1)], row));
    };
    if (rowMatchesFilter(row) && fitsAt(oldIndex)) {
        // Most edits leave the row where it stands: no need to move thousands of rows.
        m_rows[size_t(oldIndex)] = std::move(row);
        m_eof = m_bof = false;
        emit rowChanged(oldIndex);
        moveCursor(oldIndex);
        return;
    }
    m_rows.erase(m_rows.begin() + oldIndex);
    if (!rowMatchesFilter(row)) {
        // The row left the filter: the cursor stays where the row was.
        setRows(std::move(m_rows), oldIndex);
        return;
    }
    auto pos = std::upper_bound(m_rows.begin(), m_rows.end(), row,
                                [this](const Row &a, const Row &b) { return rowLess(a, b); });
    const int index = int(pos - m_rows.begin());
    m_rows.insert(pos, std::move(row));
    m_eof = m_bof = false;
    if (index == oldIndex)
        emit rowChanged(index);
    else
        emit rowsReset();
    moveCursor(index);
}

void Table::post()
{
    if (!isEditing()) return;
    if (beforePost) beforePost(*this);
    validateBuffer();
    const State editing = m_state;
    const QVariantList typed = m_buffer;
    const Bookmark edited = editing == State::Edit ? bookmark() : 0;
    try {
        Transaction tx(m_store);
        writeBuffer();
        if (afterPost) afterPost(*this);
        tx.commit();
    } catch (...) {
        // The command was undone and the rows re-read; what the operator typed stays in
        // editing for another try.
        if (m_state == State::Browse) {
            if (editing == State::Insert)
                append();
            else if (gotoBookmark(edited))
                m_state = State::Edit;
            if (isEditing()) m_buffer = typed;
            emit stateChanged();
        }
        throw;
    }
    m_buffer.clear();
    emit stateChanged();
}

QVariant Table::postedValue(const QString &field) const
{
    return m_lastPosted.values.value(requireField(field));
}

void Table::cancel()
{
    if (m_state == State::Insert && m_insertIndex >= 0) {
        m_rows.erase(m_rows.begin() + m_insertIndex);
        const int back = std::max(0, m_insertIndex - 1);
        m_insertIndex = -1;
        m_buffer.clear();
        m_state = State::Browse;
        setRows(std::move(m_rows), back);
        emit stateChanged();
        return;
    }
    if (m_state == State::Edit) {
        m_buffer.clear();
        setState(State::Browse);
        emit rowChanged(m_current);
    }
}

void Table::remove()
{
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_current < 0) throw StoreError(u"В таблице %1 нет записи для удаления."_s.arg(m_def.name));
    if (beforeRemove) beforeRemove(*this);
    if (m_state == State::Edit) cancel();
    Transaction tx(m_store);
    m_store.exec(u"DELETE FROM %1 WHERE rowid = ?"_s.arg(m_def.name),
                 {m_rows[size_t(m_current)].rowid});
    tx.commit();
    const int at = m_current;
    m_rows.erase(m_rows.begin() + at);
    setRows(std::move(m_rows), at);
}

} // namespace vintrel
