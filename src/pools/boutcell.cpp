#include "boutcell.h"

#include "data/refusal.h"

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

BoutCell BoutCell::read(const QString &stored)
{
    if (stored.isEmpty()) return {};
    const QChar letter = stored.front();
    if (letter != u'V' && letter != u'D') return {};
    if (stored.size() < 2 || !isDigit(stored[1])) return {Malformed, 0};
    return {letter == u'V' ? Victory : Defeat, stored[1].digitValue()};
}

QString checkedBoutCellInput(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty()) return {};
    for (const QChar c : text)
        if (c.script() == QChar::Script_Cyrillic)
            throw RuleError(u"Введите V или D латинскими буквами: «%1» набрано в русской "
                            u"раскладке клавиатуры. Результат боя — V (победа) или D "
                            u"(поражение) и одна цифра, например V5 или D3."_s.arg(text));
    const QString upper = text.toUpper();
    if (upper.size() == 2 && (upper[0] == u'V' || upper[0] == u'D') && isDigit(upper[1]))
        return upper;
    throw RuleError(u"«%1» — не результат боя. Введите V (победа) или D (поражение) и одну "
                    u"цифру — число нанесённых уколов, например V5 или D3."_s.arg(text));
}

} // namespace vintrel
