#pragma once

#include <QDialog>

class QLabel;

namespace vintrel {

// "О программе": product, version and description. Double-clicking the description switches
// edit mode on and off; edit mode shows "Редакция :" here and the menu "Таблицы" of the main
// window. It is never stored: every run starts with it off.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);

    bool editMode() const { return m_editMode; }
    void setEditMode(bool on);

signals:
    void editModeChanged(bool on);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_comments;
    QLabel *m_edition;
    bool m_editMode = false;
};

} // namespace vintrel
