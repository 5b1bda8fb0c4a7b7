#include "valueformatter.h"

#include "rtferrors.h"

#include <QLocale>

#include <cmath>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

// Doubles carry about 15 significant decimal digits; further requested digits are zeros.
constexpr int kExactDigits = 15;
constexpr int kMaxPrecision = 18;
constexpr int kMaxDigits = 18;

FormatFunction functionByName(const QString &upper)
{
    static const struct {
        const char16_t *name;
        FormatFunction function;
    } names[] = {
        {u"NOFORMAT", FormatFunction::NoFormat}, {u"FEXP", FormatFunction::Exp},
        {u"FFIX", FormatFunction::Fix},          {u"FNUM", FormatFunction::Num},
        {u"FCUR", FormatFunction::Cur},          {u"FIMG", FormatFunction::Img},
        {u"FLNK", FormatFunction::Lnk},          {u"FFIXR", FormatFunction::FixR},
        {u"FNUMR", FormatFunction::NumR},        {u"FDTM", FormatFunction::Dtm},
    };
    for (const auto &n : names)
        if (upper == QStringView(n.name)) return n.function;
    return FormatFunction::None;
}

int toIntOrThrow(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) throw EConvertError(u"'"_s + text + u"' is not a valid integer value"_s);
    return value;
}

QString withLocalePoint(QString text)
{
    const QString point = ValueFormatter::locale().decimalPoint();
    if (point != u"."_s) text.replace(u'.', point);
    return text;
}

QString exponentText(double value, int precision, int digits)
{
    const int significant = std::clamp(precision, 1, kMaxPrecision);
    QString s = QString::number(value, 'e', std::min(significant, kExactDigits) - 1);
    const qsizetype e = s.indexOf(u'e');
    QString mantissa = s.left(e);
    int exponent = s.mid(e + 1).toInt();
    if (significant > kExactDigits) {
        if (!mantissa.contains(u'.')) mantissa += u'.';
        mantissa += QString(significant - kExactDigits, u'0');
    }
    QString exp = QString::number(std::abs(exponent));
    const int minDigits = std::clamp(digits, 0, 4);
    if (exp.size() < minDigits) exp = QString(minDigits - exp.size(), u'0') + exp;
    return withLocalePoint(mantissa) + u'E' + (exponent < 0 ? u'-' : u'+') + exp;
}

double roundedToSignificant(double value, int precision)
{
    const int significant = std::clamp(precision, 1, kExactDigits);
    return QString::number(value, 'g', significant).toDouble();
}

} // namespace

const QLocale &ValueFormatter::locale()
{
    static const QLocale russian(QLocale::Russian, QLocale::Russia);
    return russian;
}

bool ValueFormatter::parse(const QString &text, FormatCall &call, QString &reference)
{
    const qsizetype open = text.indexOf(u'(');
    if (open < 4 || !text.endsWith(u')')) return false;
    const QString name = text.left(open).toUpper();
    const FormatFunction function = functionByName(name);
    if (function == FormatFunction::None) return false;
    const qsizetype comma = text.indexOf(u',');
    QString ref, argument;
    if (comma < 0) {
        ref = text.mid(open + 1, text.size() - open - 2);
    } else {
        if (comma < open) return false;
        ref = text.mid(open + 1, comma - open - 1);
        argument = text.mid(comma + 1, text.size() - comma - 2);
        if (argument.isEmpty()) return false;
    }
    if (ref.isEmpty()) return false;

    FormatCall result;
    result.function = function;
    result.name = name;
    result.argument = argument;
    const auto illegal = [&](const QString &why) {
        return EIllegalFunctionUse(u"Illegal use of format function "_s + name +
                                   u" in expression "_s + text + u" - "_s + why);
    };
    if (comma >= 0 && (function == FormatFunction::NoFormat || function == FormatFunction::Lnk))
        throw illegal(u"second argument not expected"_s);
    if (isNumeric(function) && comma >= 0) {
        if (argument.startsWith(u':') || argument.endsWith(u':'))
            throw illegal(u"cannot understand argument "_s + argument);
        const qsizetype colon = argument.indexOf(u':');
        if (colon >= 0) {
            const int precision = toIntOrThrow(argument.left(colon));
            const int digits = toIntOrThrow(argument.mid(colon + 1));
            if (precision > 0) result.precision = std::min(precision, kMaxPrecision);
            result.digits = std::clamp(digits, 0, kMaxDigits);
        } else {
            result.digits = std::clamp(toIntOrThrow(argument), 0, kMaxDigits);
        }
        result.digitsGiven = true;
    }
    call = result;
    reference = ref;
    return true;
}

bool ValueFormatter::isNumeric(FormatFunction function)
{
    switch (function) {
    case FormatFunction::Exp:
    case FormatFunction::Fix:
    case FormatFunction::Num:
    case FormatFunction::Cur:
    case FormatFunction::FixR:
    case FormatFunction::NumR:
        return true;
    default:
        return false;
    }
}

QString ValueFormatter::formatNumber(const QString &text, const FormatCall &call)
{
    double value = 0;
    if (!toNumber(text.trimmed(), value)) return text;
    return formatNumber(value, call);
}

QString ValueFormatter::formatNumber(double value, const FormatCall &call)
{
    const FormatFunction f = call.function;
    if (f == FormatFunction::Exp) return exponentText(value, call.precision, call.digits);
    // A number with more integer digits than the precision is shown in scientific notation.
    if (value != 0 && std::floor(std::log10(std::abs(value))) + 1 > call.precision)
        return exponentText(value, call.precision, 0);
    const double rounded = roundedToSignificant(value, call.precision);
    QLocale locale = ValueFormatter::locale();
    if (f == FormatFunction::Cur)
        return locale.toCurrencyString(rounded, QString(), call.digitsGiven ? call.digits : -1);
    const bool grouped = f == FormatFunction::Num || f == FormatFunction::NumR;
    locale.setNumberOptions(grouped ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    QString s = locale.toString(rounded, 'f', call.digits);
    if (f == FormatFunction::FixR || f == FormatFunction::NumR) s = moneyNotation(s);
    return s;
}

QString ValueFormatter::moneyNotation(const QString &formatted)
{
    const QString point = ValueFormatter::locale().decimalPoint();
    const qsizetype at = formatted.lastIndexOf(point);
    if (at < 0) return formatted + u'=';
    const QString fraction = formatted.mid(at + point.size());
    bool zero = true;
    for (const QChar c : fraction)
        if (c != u'0') zero = false;
    if (zero) return formatted.left(at) + u'=';
    return formatted.left(at) + u'-' + fraction;
}

QString ValueFormatter::formatDateTime(const QDateTime &value, const QString &pattern)
{
    const QLocale &locale = ValueFormatter::locale();
    if (pattern.isEmpty()) {
        QString s = locale.toString(value.date(), QLocale::ShortFormat);
        if (value.time() != QTime(0, 0)) s += u' ' + value.time().toString(u"HH:mm:ss"_s);
        return s;
    }
    return locale.toString(value, pattern);
}

QDateTime ValueFormatter::toDateTime(const QString &input)
{
    const QString text = input.trimmed();
    const QLocale &locale = ValueFormatter::locale();
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString dateTimeFormats[] = {
        u"yyyy-MM-ddTHH:mm:ss"_s,   u"yyyy-MM-dd HH:mm:ss"_s, u"yyyy-MM-dd HH:mm"_s,
        shortDate + u" HH:mm:ss"_s, shortDate + u" HH:mm"_s,  u"dd.MM.yyyy HH:mm:ss"_s,
        u"dd.MM.yyyy HH:mm"_s,
    };
    for (const QString &format : dateTimeFormats) {
        const QDateTime dt = QDateTime::fromString(text, format);
        if (dt.isValid()) return dt;
    }
    const QString dateFormats[] = {u"yyyy-MM-dd"_s, shortDate, u"dd.MM.yyyy"_s};
    for (const QString &format : dateFormats) {
        const QDate d = QDate::fromString(text, format);
        if (d.isValid()) return QDateTime(d, QTime(0, 0));
    }
    throw EConvertError(u"'"_s + input + u"' is not a valid date and time"_s);
}

bool ValueFormatter::toNumber(const QString &text, double &value)
{
    bool ok = false;
    double v = locale().toDouble(text, &ok);
    if (!ok) v = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(v)) return false;
    value = v;
    return true;
}

double ValueFormatter::toNumberOrThrow(const QString &input)
{
    const QString text = input.trimmed();
    if (text.isEmpty()) return 0;
    double value = 0;
    if (!toNumber(text, value))
        throw EConvertError(u"'"_s + input + u"' is not a valid floating point value"_s);
    return value;
}

QString ValueFormatter::shortestText(double value)
{
    if (value == 0) return u"0"_s;
    const double magnitude = std::abs(value);
    const char format = magnitude >= 1e15 || magnitude < 1e-4 ? 'g' : 'f';
    return withLocalePoint(QString::number(value, format, QLocale::FloatingPointShortest));
}

} // namespace vintrel
