#include "guiprompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

QString title()
{
    return QApplication::applicationDisplayName();
}

void show(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box(icon, title(), text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText); // each line break of a message stays a line break
    box.addButton(u"OK"_s, QMessageBox::AcceptRole);
    box.exec();
}

} // namespace

void GuiPrompter::info(const QString &text)
{
    show(m_parent, QMessageBox::Information, text);
}

void GuiPrompter::error(const QString &text)
{
    show(m_parent, QMessageBox::Critical, text);
}

bool GuiPrompter::confirm(const QString &text)
{
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::NoButton, m_parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *yes = box.addButton(u"Да"_s, QMessageBox::YesRole);
    QPushButton *no = box.addButton(u"Нет"_s, QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace vintrel
