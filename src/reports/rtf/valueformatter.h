#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace vintrel {

// The format functions a marker may wrap its reference in: NAME(reference[,argument]).
enum class FormatFunction { None, NoFormat, Exp, Fix, Num, Cur, Img, Lnk, FixR, NumR, Dtm };

struct FormatCall {
    FormatFunction function = FormatFunction::None;
    QString name;     // upper case, as recognised
    QString argument; // as typed; for FDTM the name of the pattern variable
    int precision = 18;
    int digits = 2;
    bool digitsGiven = false;
};

// Recognition of format functions and the formatting of numbers and dates. Protocols are
// Russian whatever the machine's locale: decimal comma, dates as dd.MM.yyyy.
class ValueFormatter {
public:
    static const QLocale &locale(); // Russian (Russia)

    // Splits NAME(reference[,argument]) when NAME is a format function; otherwise returns
    // false and leaves the text whole. Throws EIllegalFunctionUse or EConvertError for an
    // argument the function cannot take.
    static bool parse(const QString &text, FormatCall &call, QString &reference);

    static bool isNumeric(FormatFunction function);
    // Formats a number's text by a numeric function; a text that is no number comes back
    // unchanged.
    static QString formatNumber(const QString &text, const FormatCall &call);
    static QString formatNumber(double value, const FormatCall &call);
    // Money notation: the decimal separator becomes "-", a zero fraction is dropped for "=".
    static QString moneyNotation(const QString &formatted);

    static QString formatDateTime(const QDateTime &value, const QString &pattern);
    static QDateTime toDateTime(const QString &text); // throws EConvertError
    static bool toNumber(const QString &text, double &value);
    static double toNumberOrThrow(const QString &text); // empty counts as 0
    static QString shortestText(double value);
};

} // namespace vintrel
