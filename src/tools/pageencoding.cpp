#include "pageencoding.h"

#include "reports/rtf/cp1251.h"

namespace vintrel {

namespace {

template <typename Missing> QByteArray encode(const QString &text, Missing missing)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        const int byte = Cp1251::fromUnicode(ch);
        if (byte >= 0) {
            out += char(byte);
            continue;
        }
        char32_t code = ch;
        if (QChar::isHighSurrogate(ch) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(ch, text[++i].unicode());
        missing(out, code);
    }
    return out;
}

} // namespace

QByteArray PageEncoding::html(const QString &text)
{
    return encode(text, [](QByteArray &out, char32_t code) {
        out += "&#" + QByteArray::number(quint32(code)) + ';';
    });
}

QByteArray PageEncoding::plain(const QString &text)
{
    return encode(text, [](QByteArray &out, char32_t) { out += '?'; });
}

QString PageEncoding::escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        if (ch == u'&')
            out += QStringLiteral("&amp;");
        else if (ch == u'<')
            out += QStringLiteral("&lt;");
        else if (ch == u'>')
            out += QStringLiteral("&gt;");
        else
            out += ch;
    }
    return out;
}

} // namespace vintrel
