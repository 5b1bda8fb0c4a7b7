#pragma once

#include <QByteArray>
#include <QString>

namespace vintrel {

// Reading helpers over the template's bytes. Every position is checked against the end, so
// a truncated or malformed template is read as far as it goes and never beyond.
class RtfSource {
public:
    explicit RtfSource(const QByteArray &bytes) : m_data(bytes.constData()), m_size(bytes.size()) {}

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
    // The position after the group opened at pos, raw \bin data skipped; -1 when the
    // template ends inside it.
    qsizetype groupEnd(qsizetype pos) const;
    // \trowd, \row, \cell, \page, \sect, \line or \par at pos (any case): a marker cannot
    // run across them.
    bool breaksMarker(qsizetype pos) const;
    // The first control word `word` at or after from (not followed by a letter), or -1.
    qsizetype findControlWord(const char *word, qsizetype from) const;

    // A marker's source split into its text and its formatting codes.
    static void splitMarker(const char *data, qsizetype size, QString &text, QByteArray &codes);
    // Trims, removes spaces outside square brackets and the brackets themselves.
    static QString cleanText(const QString &text);
    // Unescaped "{" minus unescaped "}".
    static int braceBalance(const char *data, qsizetype size);
    static void appendBraces(const char *data, qsizetype size, QByteArray &out);

private:
    const char *m_data;
    qsizetype m_size;
};

} // namespace vintrel
