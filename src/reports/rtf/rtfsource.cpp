#include "rtfsource.h"

#include "cp1251.h"

#include <cstring>

namespace vintrel {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Characters that never belong to a marker's text.
bool isFormattingChar(unsigned char c)
{
    return (c >= 59 && c <= 64) || c == 94 || c == 96 || c == 124 || c == 126 || c >= 127;
}

} // namespace

QByteArray RtfSource::bytes(qsizetype from, qsizetype to) const
{
    from = std::clamp<qsizetype>(from, 0, m_size);
    to = std::clamp<qsizetype>(to, from, m_size);
    return QByteArray(m_data + from, to - from);
}

qsizetype RtfSource::delimiterAt(qsizetype pos) const
{
    if (at(pos) != '\\') return 0;
    qsizetype length = 0;
    if (at(pos + 1) == '\\')
        length = 2;
    else if (at(pos + 1) == '\'' && at(pos + 2) == '5' && lower(at(pos + 3)) == 'c')
        length = 4;
    if (length && at(pos + length) == '*') return 0;
    return length;
}

qsizetype RtfSource::skipControl(qsizetype pos) const
{
    qsizetype p = pos + 1;
    if (p >= m_size) return m_size;
    const char c = m_data[p];
    if (isLetter(c)) {
        while (p < m_size && isLetter(m_data[p]))
            ++p;
        if (p + 1 < m_size && m_data[p] == '-' && isDigit(m_data[p + 1])) ++p;
        while (p < m_size && isDigit(m_data[p]))
            ++p;
        if (p < m_size && m_data[p] == ' ') ++p;
        return p;
    }
    if (c == '\'') {
        ++p;
        for (int i = 0; i < 2 && p < m_size && hexValue(m_data[p]) >= 0; ++i)
            ++p;
        return p;
    }
    return p + 1;
}

bool RtfSource::controlWordIs(qsizetype pos, const char *word, bool ignoreCase) const
{
    if (at(pos) != '\\') return false;
    const qsizetype length = qsizetype(std::strlen(word));
    if (pos + 1 + length > m_size) return false;
    for (qsizetype i = 0; i < length; ++i) {
        const char c = m_data[pos + 1 + i];
        if ((ignoreCase ? lower(c) : c) != word[i]) return false;
    }
    return !isLetter(at(pos + 1 + length));
}

bool RtfSource::groupStartsAt(qsizetype pos) const
{
    return at(pos) == '{' && (controlWordIs(pos + 1, "field") || controlWordIs(pos + 1, "pict") ||
                              controlWordIs(pos + 1, "object"));
}

qsizetype RtfSource::groupEnd(qsizetype pos) const
{
    int depth = 0;
    qsizetype p = pos;
    while (p < m_size) {
        const char c = m_data[p];
        if (c == '{') {
            ++depth;
            ++p;
        } else if (c == '}') {
            ++p;
            if (--depth == 0) return p;
        } else if (c == '\\') {
            if (controlWordIs(p, "bin")) {
                qsizetype q = p + 4;
                qint64 count = 0;
                while (q < m_size && isDigit(m_data[q])) {
                    count = std::min<qint64>(count * 10 + (m_data[q] - '0'), m_size);
                    ++q;
                }
                if (q < m_size && m_data[q] == ' ') ++q;
                p = q + std::min<qint64>(count, m_size - q);
            } else {
                p = skipControl(p);
            }
        } else {
            ++p;
        }
    }
    return -1;
}

bool RtfSource::breaksMarker(qsizetype pos) const
{
    static const char *const words[] = {"trowd", "row", "cell", "page", "sect", "line", "par"};
    if (at(pos) != '\\') return false;
    for (const char *word : words)
        if (controlWordIs(pos, word, true)) return true;
    return false;
}

qsizetype RtfSource::findControlWord(const char *word, qsizetype from) const
{
    const qsizetype length = qsizetype(std::strlen(word));
    for (qsizetype p = std::max<qsizetype>(from, 0); p + length < m_size; ++p) {
        const void *hit = std::memchr(m_data + p, '\\', size_t(m_size - p));
        if (!hit) return -1;
        p = static_cast<const char *>(hit) - m_data;
        if (controlWordIs(p, word)) return p;
    }
    return -1;
}

void RtfSource::splitMarker(const char *s, qsizetype size, QString &text, QByteArray &codes)
{
    qsizetype i = 0;
    while (i < size) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '\\') {
            if (i + 1 >= size) {
                codes += '\\';
                break;
            }
            const char next = s[i + 1];
            if (next == '\'' && i + 3 < size && hexValue(s[i + 2]) >= 0 &&
                hexValue(s[i + 3]) >= 0) {
                const int code = hexValue(s[i + 2]) * 16 + hexValue(s[i + 3]);
                const QChar ch = Cp1251::toUnicode(static_cast<unsigned char>(code));
                if (code != 0 && !ch.isNull()) text += ch;
                i += 4;
            } else if (next == '{' || next == '}' || next == '\\') {
                text += QChar(char16_t(next));
                i += 2;
            } else if (next == '~') {
                text += u' ';
                i += 2;
            } else {
                qsizetype j = i + 1;
                while (j < size && s[j] != ' ' && s[j] != '\\' && s[j] != '{' && s[j] != '}')
                    ++j;
                if (j < size && s[j] == ' ') ++j;
                codes.append(s + i, j - i);
                i = j;
            }
        } else if (c == '{' || c == '}') {
            codes += char(c);
            ++i;
        } else if (c < 32) {
            if (c == '\n' || c == '\t') codes += char(c);
            ++i;
        } else if (isFormattingChar(c)) {
            codes += char(c);
            ++i;
        } else {
            text += QChar(char16_t(c));
            ++i;
        }
    }
}

QString RtfSource::cleanText(const QString &text)
{
    const QString trimmed = text.trimmed();
    QString out;
    out.reserve(trimmed.size());
    bool bracketed = false;
    for (const QChar c : trimmed) {
        if (c == u'[') {
            bracketed = true;
        } else if (c == u']') {
            bracketed = false;
        } else if (c == u' ' && !bracketed) {
            continue;
        } else {
            out += c;
        }
    }
    return out.trimmed();
}

int RtfSource::braceBalance(const char *data, qsizetype size)
{
    int balance = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i] == '\\')
            ++i;
        else if (data[i] == '{')
            ++balance;
        else if (data[i] == '}')
            --balance;
    }
    return balance;
}

void RtfSource::appendBraces(const char *data, qsizetype size, QByteArray &out)
{
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i] == '\\')
            ++i;
        else if (data[i] == '{' || data[i] == '}')
            out += data[i];
    }
}

} // namespace vintrel
