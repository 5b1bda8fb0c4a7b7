#pragma once

#include <QDateEdit>

namespace vintrel {

// A date edit for a date field that may be empty. The empty date shows as an empty field;
// the first digit or arrow key typed into it starts from today, Delete or Backspace over the
// whole text empties it again, and the calendar opens on the current month.
class DateFieldEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit DateFieldEdit(QWidget *parent = nullptr);

    void setFieldDate(const QDate &date); // an invalid date: empty
    QDate fieldDate() const;              // invalid when empty
    bool isEmpty() const { return date() == minimumDate(); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace vintrel
