#include "repdataset.h"

#include "valueformatter.h"

#include <QDateTime>
#include <QLocale>

namespace vintrel {

using namespace Qt::StringLiterals;

QString RepDataSet::fieldText(int field) const
{
    return textOf(fieldValue(field), fieldKind(field));
}

QString RepDataSet::textOf(const QVariant &value, FieldKind kind)
{
    if (!value.isValid() || value.isNull()) return {};
    const QLocale &locale = ValueFormatter::locale();
    switch (kind) {
    case FieldKind::Date:
        return locale.toString(value.toDate(), QLocale::ShortFormat);
    case FieldKind::DateTime: {
        const QDateTime dt = value.toDateTime();
        return locale.toString(dt.date(), QLocale::ShortFormat) + u' ' +
               dt.time().toString(u"HH:mm:ss"_s);
    }
    case FieldKind::Time:
        return value.toTime().toString(u"HH:mm:ss"_s);
    case FieldKind::Float:
        return ValueFormatter::shortestText(value.toDouble());
    case FieldKind::Boolean:
        return value.toBool() ? u"True"_s : u"False"_s;
    case FieldKind::Graphic:
        return {};
    default:
        return value.toString();
    }
}

RepDataSet::FieldKind RepDataSet::kindOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return FieldKind::Text;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return FieldKind::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return FieldKind::Float;
    case QMetaType::Bool:
        return FieldKind::Boolean;
    case QMetaType::QDate:
        return FieldKind::Date;
    case QMetaType::QDateTime:
        return FieldKind::DateTime;
    case QMetaType::QTime:
        return FieldKind::Time;
    case QMetaType::QByteArray:
        return FieldKind::Graphic;
    default:
        return FieldKind::Other;
    }
}

} // namespace vintrel
