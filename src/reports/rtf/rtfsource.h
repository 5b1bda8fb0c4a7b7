#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>

namespace vintrel {

// Reading helpers over the template's bytes. Every position is checked against the end, so
// a truncated or malformed template is read as far as it goes and never beyond.
class RtfSource {
public:
    explicit RtfSource(const QByteArray &bytes) : m_data(bytes.constData()), m_size(bytes.size()) {}

    // A control word (a backslash, letters, an optional signed number and one optional
    // space) or a control symbol (a backslash and one other character).
    struct Control {
        qsizetype end = 0;         // after it, a delimiting space included
        qsizetype name = 0;        // where a control word's letters begin
        qsizetype nameLength = 0;  // 0 for a control symbol
        bool hasParameter = false; // a control word's number, clamped to 32 bits
        qint64 parameter = 0;
        bool is(const char *data, const char *word) const;
    };
    static Control readControl(const char *data, qsizetype size, qsizetype pos);
    // After the \uN at pos: the position past its fallback, `count` characters (\ucN) in
    // which a \'XX escape or any other control counts as one; a brace ends it early.
    static qsizetype skipFallback(const char *data, qsizetype size, qsizetype pos, qint64 count);
    // The position after the group opened at pos, raw \bin data skipped; -1 when the data
    // ends inside it.
    static qsizetype groupEnd(const char *data, qsizetype size, qsizetype pos);

    qsizetype size() const { return m_size; }
    const char *data() const { return m_data; }
    char at(qsizetype pos) const { return pos >= 0 && pos < m_size ? m_data[pos] : '\0'; }
    QByteArray bytes(qsizetype from, qsizetype to) const;

    // Length of a visible backslash that delimits a marker ("\\" or \'5c), 0 when none. A
    // visible backslash followed by an asterisk does not delimit.
    qsizetype delimiterAt(qsizetype pos) const;
    // The position after the control word, control symbol or hexadecimal escape at pos
    // (a backslash); a space ending a control word belongs to it.
    qsizetype skipControl(qsizetype pos) const;
    // Whether a control word spelled `word` (lower case) starts at pos and is not followed by
    // another letter.
    bool controlWordIs(qsizetype pos, const char *word, bool ignoreCase = false) const;
    // An opening brace at pos followed by \field, \pict or \object.
    bool groupStartsAt(qsizetype pos) const;
    // An opening brace at pos followed by \*: a destination that holds no visible text.
    bool starredGroupAt(qsizetype pos) const;
    qsizetype groupEnd(qsizetype pos) const { return groupEnd(m_data, m_size, pos); }
    // The same, -1 also when the group is still open at limit.
    qsizetype groupEnd(qsizetype pos, qsizetype limit) const
    {
        return groupEnd(m_data, std::clamp<qsizetype>(limit, 0, m_size), pos);
    }
    // \trowd, \row, \cell, \page, \sect, \line or \par at pos (any case): a marker cannot
    // run across them.
    bool breaksMarker(qsizetype pos) const;
    // \par, \sect, \cell or \row at pos: the end of a paragraph.
    bool endsParagraph(qsizetype pos) const;
    // The first control word `word` at or after from (not followed by a letter), or -1.
    qsizetype findControlWord(const char *word, qsizetype from) const;
    // Whether [from, to) prints anything: characters other than blanks, escapes, symbols;
    // destinations (starred groups, style sheet, document info) print nothing.
    bool hasVisibleText(qsizetype from, qsizetype to) const;

    // A marker's source split into its text and its formatting codes; `unicodeSkip` is the
    // \ucN in force where the marker starts.
    static void splitMarker(const char *data, qsizetype size, qint64 unicodeSkip, QString &text,
                            QByteArray &codes);
    // The formatting of a stretch that holds no visible text, without its blanks (spaces,
    // tabs, no-break spaces).
    static QByteArray withoutBlanks(const QByteArray &stretch);
    // Trims, removes spaces outside square brackets and the brackets themselves.
    static QString cleanText(const QString &text);
    // Whether a marker's text as typed holds a blank outside square brackets.
    static bool hasBlankOutsideBrackets(const QString &text);
    // Unescaped "{" minus unescaped "}".
    static int braceBalance(const char *data, qsizetype size);
    static void appendBraces(const char *data, qsizetype size, QByteArray &out);

private:
    const char *m_data;
    qsizetype m_size;
};

} // namespace vintrel
