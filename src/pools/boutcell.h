#pragma once

#include <QString>

namespace vintrel {

// One bout cell of a pool sheet (F1 … F9): "V" or "D" and the touches the row's fencer scored
// (one digit), "--" on the diagonal, empty while the bout is not fenced.
struct BoutCell {
    enum Kind {
        NoBout,    // empty, the diagonal, or anything not starting with V or D
        Victory,   // "V" + digit
        Defeat,    // "D" + digit
        Malformed, // "V" or "D" without a digit after it
    };
    Kind kind = NoBout;
    int touches = 0;

    bool isBout() const { return kind == Victory || kind == Defeat; }

    // How the totals read a stored cell.
    static BoutCell read(const QString &stored);
};

// The diagonal, where a fencer would meet itself: never a bout.
inline QString diagonalCell()
{
    return QStringLiteral("--");
}

// What the operator typed into a bout cell, as it is stored: empty, or "V"/"D" and one digit
// (lower-case v and d become capitals). Anything else is refused with a RuleError whose
// message says what to type; a Cyrillic letter is refused with a word on the keyboard layout,
// since "в" may be the Latin D typed in the Russian layout or the initial of "выиграл".
QString checkedBoutCellInput(const QString &typed);

} // namespace vintrel
