#pragma once

#include <QByteArray>
#include <QString>

namespace vintrel {

// Texts of the HTML pages and text exports, which are Windows-1251 files.
class PageEncoding {
public:
    // Windows-1251 bytes; a character the code page lacks becomes "&#N;", so nothing is lost.
    static QByteArray html(const QString &text);
    // Windows-1251 bytes; a character the code page lacks becomes "?".
    static QByteArray plain(const QString &text);
    // "&", "<" and ">" as entities, so a value can neither break the page nor run in it.
    static QString escaped(const QString &text);
};

} // namespace vintrel
