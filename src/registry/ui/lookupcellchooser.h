#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>
#include <utility>

class QComboBox;

namespace vintrel {

class DataGrid;

// A choice list over one lookup column of a grid: a double-click on the cell, or F2 or Enter
// on it, opens a list of the names it offers; choosing one hands its stored value on. The
// grid itself cannot edit a lookup field, which shows a name but stores a number.
class LookupCellChooser : public QObject {
    Q_OBJECT
public:
    using Choices = QList<std::pair<QString, QVariant>>;

    LookupCellChooser(DataGrid *grid, const QString &field, std::function<Choices()> choices,
                      std::function<void(const QVariant &stored)> chosen);

    // Opens the list over the current cell when it is in the lookup column.
    bool openAtCurrentCell();
    QComboBox *list() const { return m_combo; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void close();

    DataGrid *m_grid;
    QString m_field;
    std::function<Choices()> m_choices;
    std::function<void(const QVariant &)> m_chosen;
    QComboBox *m_combo;
};

} // namespace vintrel
