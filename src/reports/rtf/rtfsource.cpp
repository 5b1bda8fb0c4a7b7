#include "rtfsource.h"

#include "cp1251.h"

#include <cstring>
#include <vector>

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

// The length of a \'XX escape at pos (up to two hexadecimal digits), and its code when
// both digits are there.
qsizetype hexEscape(const char *s, qsizetype size, qsizetype pos, int &code)
{
    code = -1;
    qsizetype p = pos + 2;
    int value = 0;
    int digits = 0;
    while (digits < 2 && p < size && hexValue(s[p]) >= 0) {
        value = value * 16 + hexValue(s[p]);
        ++p;
        ++digits;
    }
    if (digits == 2) code = value;
    return p - pos;
}

// The character of a \uN parameter (negative numbers count from 65536), null when none.
QChar unicodeChar(qint64 n)
{
    if (n < 0) n += 65536;
    return n > 0 && n <= 0xFFFF ? QChar(char16_t(n)) : QChar();
}

// Destinations outside the starred ones whose words are not printed.
bool isHiddenDestination(const char *s, const RtfSource::Control &word)
{
    static const char *const names[] = {"stylesheet", "info",   "fonttbl",          "colortbl",
                                        "listtable",  "revtbl", "listoverridetable"};
    for (const char *name : names)
        if (word.is(s, name)) return true;
    return false;
}

// Control words that print a character of their own.
bool isPrintingWord(const char *s, const RtfSource::Control &word)
{
    static const char *const names[] = {"bullet",    "emdash",    "endash", "lquote", "rquote",
                                        "ldblquote", "rdblquote", "chpgn",  "chdate", "chtime"};
    for (const char *name : names)
        if (word.is(s, name)) return true;
    return false;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0xA0);
}

} // namespace

bool RtfSource::Control::is(const char *data, const char *word) const
{
    const qsizetype length = qsizetype(std::strlen(word));
    return nameLength == length && std::memcmp(data + name, word, size_t(length)) == 0;
}

RtfSource::Control RtfSource::readControl(const char *s, qsizetype size, qsizetype pos)
{
    Control c;
    qsizetype p = pos + 1;
    if (p >= size) {
        c.end = size;
        return c;
    }
    if (!isLetter(s[p])) {
        c.end = p + 1;
        return c;
    }
    c.name = p;
    while (p < size && isLetter(s[p]))
        ++p;
    c.nameLength = p - c.name;
    bool negative = false;
    if (p + 1 < size && s[p] == '-' && isDigit(s[p + 1])) {
        negative = true;
        ++p;
    }
    while (p < size && isDigit(s[p])) {
        c.hasParameter = true;
        c.parameter = std::min<qint64>(c.parameter * 10 + (s[p] - '0'), qint64(1) << 32);
        ++p;
    }
    if (negative) c.parameter = -c.parameter;
    if (p < size && s[p] == ' ') ++p;
    c.end = p;
    return c;
}

qsizetype RtfSource::skipFallback(const char *s, qsizetype size, qsizetype pos, qint64 count)
{
    qsizetype p = pos;
    for (qint64 n = 0; n < count && p < size;) {
        const char c = s[p];
        if (c == '{' || c == '}') break;
        if (c == '\r' || c == '\n') { // line ends in the source are not characters
            ++p;
            continue;
        }
        if (c == '\\') {
            int code = 0;
            p = p + 1 < size && s[p + 1] == '\'' ? p + hexEscape(s, size, p, code)
                                                 : readControl(s, size, p).end;
        } else {
            ++p;
        }
        ++n;
    }
    return p;
}

qsizetype RtfSource::groupEnd(const char *s, qsizetype size, qsizetype pos)
{
    int depth = 0;
    qsizetype p = pos;
    while (p < size) {
        const char c = s[p];
        if (c == '{') {
            ++depth;
            ++p;
        } else if (c == '}') {
            ++p;
            if (--depth == 0) return p;
        } else if (c == '\\') {
            const Control word = readControl(s, size, p);
            p = word.end;
            if (word.is(s, "bin") && word.parameter > 0)
                p += std::min<qint64>(word.parameter, size - p);
        } else {
            ++p;
        }
    }
    return -1;
}

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
    if (at(pos + 1) == '\'') {
        int code = 0;
        return pos + hexEscape(m_data, m_size, pos, code);
    }
    return readControl(m_data, m_size, pos).end;
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

bool RtfSource::starredGroupAt(qsizetype pos) const
{
    return at(pos) == '{' && at(pos + 1) == '\\' && at(pos + 2) == '*';
}

bool RtfSource::breaksMarker(qsizetype pos) const
{
    static const char *const words[] = {"trowd", "row", "cell", "page", "sect", "line", "par"};
    if (at(pos) != '\\') return false;
    for (const char *word : words)
        if (controlWordIs(pos, word, true)) return true;
    return false;
}

bool RtfSource::endsParagraph(qsizetype pos) const
{
    return controlWordIs(pos, "par") || controlWordIs(pos, "sect") || controlWordIs(pos, "cell") ||
           controlWordIs(pos, "row");
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

bool RtfSource::hasVisibleText(qsizetype from, qsizetype to) const
{
    to = std::min(to, m_size);
    qsizetype p = std::max<qsizetype>(from, 0);
    // One pass, nothing followed twice: inside a hidden destination (from the depth where it
    // opened until it closes) nothing counts.
    qsizetype depth = 0;
    qsizetype hiddenDepth = -1;
    while (p < to) {
        const unsigned char c = static_cast<unsigned char>(m_data[p]);
        if (c == '{') {
            ++depth;
            if (hiddenDepth < 0 &&
                (starredGroupAt(p) ||
                 (at(p + 1) == '\\' &&
                  isHiddenDestination(m_data, readControl(m_data, m_size, p + 1)))))
                hiddenDepth = depth;
            ++p;
            continue;
        }
        if (c == '}') {
            if (depth == hiddenDepth) hiddenDepth = -1;
            --depth;
            ++p;
            continue;
        }
        if (c != '\\') {
            if (hiddenDepth < 0 && c > ' ') return true;
            ++p;
            continue;
        }
        const char next = at(p + 1);
        if (next == '\'') {
            int code = 0;
            p += hexEscape(m_data, m_size, p, code);
            if (hiddenDepth < 0 && code > 0 && code != 0x20 && code != 0xA0) return true;
            continue;
        }
        if (next == '{' || next == '}' || next == '\\' || next == '_') {
            if (hiddenDepth < 0) return true;
            p += 2;
            continue;
        }
        const Control word = readControl(m_data, m_size, p);
        p = word.end;
        if (hiddenDepth >= 0) continue;
        if (word.is(m_data, "u")) {
            const QChar ch = unicodeChar(word.parameter);
            if (!ch.isNull() && !isBlank(ch)) return true;
            p = skipFallback(m_data, m_size, word.end, 1);
            continue;
        }
        if (isPrintingWord(m_data, word)) return true;
    }
    return false;
}

void RtfSource::splitMarker(const char *s, qsizetype size, qint64 unicodeSkip, QString &text,
                            QByteArray &codes)
{
    // \ucN holds until the end of the group that set it.
    std::vector<qint64> skips{unicodeSkip};
    qsizetype i = 0;
    while (i < size) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '\\') {
            if (i + 1 >= size) {
                codes += '\\';
                break;
            }
            const char next = s[i + 1];
            if (next == '\'') {
                int code = 0;
                const qsizetype length = hexEscape(s, size, i, code);
                if (code < 0) {
                    codes.append(s + i, length);
                } else if (const QChar ch = Cp1251::toUnicode(static_cast<unsigned char>(code));
                           code != 0 && !ch.isNull()) {
                    text += ch;
                }
                i += length;
            } else if (next == '{' || next == '}' || next == '\\') {
                text += QChar(char16_t(next));
                i += 2;
            } else if (next == '~') {
                text += u' ';
                i += 2;
            } else if (next == '_') { // a non-breaking hyphen
                text += u'-';
                i += 2;
            } else {
                const Control word = readControl(s, size, i);
                if (word.is(s, "u") && word.hasParameter) {
                    if (const QChar ch = unicodeChar(word.parameter); !ch.isNull()) text += ch;
                    // The fallback characters stand for the same letter: neither text nor codes.
                    i = skipFallback(s, size, word.end, skips.back());
                    continue;
                }
                if (word.is(s, "uc") && word.hasParameter) skips.back() = word.parameter;
                codes.append(s + i, word.end - i);
                i = word.end;
            }
        } else if (c == '{') {
            if (i + 2 < size && s[i + 1] == '\\' && s[i + 2] == '*') {
                // A destination (a bookmark, say) goes whole into the codes.
                qsizetype end = groupEnd(s, size, i);
                if (end < 0) end = size;
                codes.append(s + i, end - i);
                i = end;
                continue;
            }
            codes += '{';
            skips.push_back(skips.back());
            ++i;
        } else if (c == '}') {
            codes += '}';
            if (skips.size() > 1) skips.pop_back();
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

QByteArray RtfSource::withoutBlanks(const QByteArray &stretch)
{
    const char *s = stretch.constData();
    const qsizetype size = stretch.size();
    QByteArray out;
    out.reserve(size);
    qsizetype i = 0;
    while (i < size) {
        const char c = s[i];
        if (c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        if (c != '\\') {
            out += c;
            ++i;
            continue;
        }
        const char next = i + 1 < size ? s[i + 1] : '\0';
        if (next == '~') {
            i += 2;
            continue;
        }
        if (next == '\'') {
            int code = 0;
            const qsizetype length = hexEscape(s, size, i, code);
            if (code != 0x20 && code != 0xA0) out.append(s + i, length);
            i += length;
            continue;
        }
        const Control word = readControl(s, size, i);
        if (word.is(s, "tab")) {
            i = word.end;
            continue;
        }
        if (word.is(s, "u") && isBlank(unicodeChar(word.parameter))) {
            i = skipFallback(s, size, word.end, 1);
            continue;
        }
        out.append(s + i, word.end - i);
        i = word.end;
    }
    return out;
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

bool RtfSource::hasBlankOutsideBrackets(const QString &text)
{
    bool bracketed = false;
    for (const QChar c : text) {
        if (c == u'[')
            bracketed = true;
        else if (c == u']')
            bracketed = false;
        else if (c == u' ' && !bracketed)
            return true;
    }
    return false;
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
