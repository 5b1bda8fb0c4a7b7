#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vintrel::test {

// Types text key by key into a widget, Cyrillic included (the test library's own typing
// knows only ASCII keys).
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace vintrel::test
