#include "datefieldedit.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {
// Below every real date: the edit shows it as its empty text.
const QDate kEmpty(1900, 1, 1);
} // namespace

DateFieldEdit::DateFieldEdit(QWidget *parent) : QDateEdit(parent)
{
    setDisplayFormat(u"dd.MM.yyyy"_s);
    setMinimumDate(kEmpty);
    setSpecialValueText(u" "_s);
    setCalendarPopup(true);
    setKeyboardTracking(false);
    setDate(kEmpty);
    calendarWidget()->installEventFilter(this);
}

void DateFieldEdit::setFieldDate(const QDate &date)
{
    setDate(date.isValid() && date > kEmpty ? date : kEmpty);
}

QDate DateFieldEdit::fieldDate() const
{
    return isEmpty() ? QDate() : date();
}

void DateFieldEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool digit = key >= Qt::Key_0 && key <= Qt::Key_9;
    const bool step = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                      key == Qt::Key_PageDown;
    if (isEmpty() && (digit || step)) {
        // Typing into the empty field starts from today's date, day first.
        setDate(QDate::currentDate());
        setSelectedSection(QDateTimeEdit::DaySection);
        if (step) {
            event->accept();
            return;
        }
    }
    const bool erase = key == Qt::Key_Delete || key == Qt::Key_Backspace;
    if (erase && !isEmpty() && lineEdit()->selectedText() == lineEdit()->text()) {
        setDate(kEmpty);
        event->accept();
        return;
    }
    QDateEdit::keyPressEvent(event);
}

bool DateFieldEdit::eventFilter(QObject *watched, QEvent *event)
{
    // From the empty field the calendar opens on today's month, not on 1900.
    if (watched == calendarWidget() && event->type() == QEvent::Show && isEmpty()) {
        const QDate today = QDate::currentDate();
        calendarWidget()->setCurrentPage(today.year(), today.month());
    }
    return QDateEdit::eventFilter(watched, event);
}

} // namespace vintrel
