#include "filter.h"

#include "storeerror.h"

#include <QRegularExpression>

namespace vintrel {

using namespace Qt::StringLiterals;

Filter Filter::parse(const QString &text)
{
    Filter filter;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return filter;
    static const QRegularExpression term(u"^([A-Za-z_][A-Za-z0-9_]*)=(-?[0-9]{1,18})$"_s);
    for (const QString &part : trimmed.split(u" AND "_s)) {
        const auto m = term.match(part);
        if (!m.hasMatch())
            throw StoreError(u"Неверное условие фильтра: «%1». Допустимы только условия вида "
                             u"ПОЛЕ=число, соединенные словом AND."_s.arg(text));
        filter.m_terms.push_back({m.captured(1), m.captured(2).toLongLong()});
    }
    return filter;
}

bool Filter::valueMatches(const QVariant &value, qint64 number)
{
    if (value.isNull() || !value.isValid()) return false;
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok && d == double(number);
}

} // namespace vintrel
