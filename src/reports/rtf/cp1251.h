#pragma once

#include <QChar>

namespace vintrel {

// Windows-1251, the code page of the templates' escapes (\'XX) and of written values.
class Cp1251 {
public:
    // The character of a byte; a null character for the one unassigned code (0x98).
    static QChar toUnicode(unsigned char byte);
    // The byte of a character, or -1 when the code page has none.
    static int fromUnicode(char16_t ch);
};

} // namespace vintrel
