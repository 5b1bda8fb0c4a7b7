#include "dataset.h"

#include "storeerror.h"

#include <QDate>

namespace vintrel {

using namespace Qt::StringLiterals;

int DataSet::fieldIndex(const QString &name) const
{
    return m_byName.value(name.toLower(), -1);
}

int DataSet::requireField(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0) throw StoreError(u"Поле «%1» не найдено в «%2»."_s.arg(name, objectName()));
    return i;
}

void DataSet::setFields(const QStringList &names, const QStringList &titles)
{
    m_names = names;
    m_titles = titles;
    m_byName.clear();
    for (int i = 0; i < names.size(); ++i)
        m_byName.insert(names[i].toLower(), i);
}

void DataSet::setRows(std::vector<Row> rows, int current)
{
    m_rows = std::move(rows);
    m_current = m_rows.empty() ? -1 : std::clamp(current, 0, int(m_rows.size()) - 1);
    m_eof = m_bof = m_rows.empty();
    emit rowsReset();
    emit afterScroll();
}

void DataSet::moveCursor(int row)
{
    m_current = row;
    emit afterScroll();
}

void DataSet::first()
{
    checkBrowseMode();
    m_bof = true;
    m_eof = m_rows.empty();
    moveCursor(m_rows.empty() ? -1 : 0);
}

void DataSet::next()
{
    checkBrowseMode();
    m_bof = false;
    if (m_current + 1 >= int(m_rows.size())) {
        m_eof = true;
        return;
    }
    m_eof = false;
    moveCursor(m_current + 1);
}

void DataSet::prior()
{
    checkBrowseMode();
    m_eof = false;
    if (m_current <= 0) {
        m_bof = true;
        return;
    }
    m_bof = false;
    moveCursor(m_current - 1);
}

void DataSet::last()
{
    checkBrowseMode();
    m_eof = true;
    m_bof = m_rows.empty();
    moveCursor(int(m_rows.size()) - 1);
}

void DataSet::setRecNo(int recNo)
{
    moveTo(recNo - 1);
}

bool DataSet::moveTo(int row)
{
    checkBrowseMode();
    if (row < 0 || row >= int(m_rows.size())) return false;
    m_eof = m_bof = false;
    moveCursor(row);
    return true;
}

Bookmark DataSet::bookmark() const
{
    return m_current < 0 ? 0 : m_rows[size_t(m_current)].rowid;
}

bool DataSet::gotoBookmark(Bookmark bookmark)
{
    checkBrowseMode();
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].rowid == bookmark) return moveTo(int(i));
    return false;
}

bool DataSet::locate(const QString &fields, const QVariantList &values)
{
    const QStringList names = fields.split(u';', Qt::SkipEmptyParts);
    if (names.size() != values.size())
        throw StoreError(u"Число полей поиска не совпадает с числом значений."_s);
    checkBrowseMode();
    std::vector<int> columns;
    for (const QString &name : names)
        columns.push_back(requireField(name.trimmed()));
    for (size_t i = 0; i < m_rows.size(); ++i) {
        bool all = true;
        for (size_t k = 0; k < columns.size() && all; ++k)
            all = sameValue(m_rows[i].values[columns[k]], values[int(k)]);
        if (all) return moveTo(int(i));
    }
    return false;
}

QVariant DataSet::value(const QString &field) const
{
    return value(requireField(field));
}

QVariant DataSet::value(int field) const
{
    if (m_current < 0 || field < 0 || field >= fieldCount()) return {};
    return currentValue(field);
}

QVariant DataSet::currentValue(int field) const
{
    return m_rows[size_t(m_current)].values[field];
}

QVariant DataSet::cell(int row, int field) const
{
    if (row < 0 || row >= int(m_rows.size()) || field < 0 || field >= fieldCount()) return {};
    if (row == m_current) return currentValue(field);
    return m_rows[size_t(row)].values[field];
}

namespace {

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool isEmptyValue(const QVariant &v)
{
    return !v.isValid() || v.isNull() ||
           (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

} // namespace

bool DataSet::sameValue(const QVariant &a, const QVariant &b)
{
    return compareValues(a, b) == 0;
}

int DataSet::compareValues(const QVariant &a, const QVariant &b)
{
    if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString) {
        // The common case of sorting by names, without copying the texts.
        const auto &sa = *static_cast<const QString *>(a.constData());
        const auto &sb = *static_cast<const QString *>(b.constData());
        if (sa.isEmpty() || sb.isEmpty()) return int(sb.isEmpty()) - int(sa.isEmpty());
        const int c = sa.compare(sb);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    const bool ea = isEmptyValue(a), eb = isEmptyValue(b);
    if (ea || eb) return int(eb) - int(ea); // empty values come first
    if (isNumber(a) || isNumber(b)) {
        bool oka = false, okb = false;
        const double da = a.toDouble(&oka), db = b.toDouble(&okb);
        if (oka && okb) return da < db ? -1 : (da > db ? 1 : 0);
    }
    if (a.typeId() == QMetaType::QDate && b.typeId() == QMetaType::QDate) {
        const QDate x = a.toDate(), y = b.toDate();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    const QString sa =
        a.typeId() == QMetaType::QDate ? a.toDate().toString(Qt::ISODate) : a.toString();
    const QString sb =
        b.typeId() == QMetaType::QDate ? b.toDate().toString(Qt::ISODate) : b.toString();
    const int c = sa.compare(sb);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace vintrel
