#include "aboutbox.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

QLabel *makeLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

AboutBox::AboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"AboutBox"_s);
    setWindowTitle(u"О программе"_s);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto *panel = new QFrame(this);
    panel->setObjectName(u"Panel1"_s);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);

    auto *icon = makeLabel(u"ProgramIcon"_s, {}, panel);
    icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    auto *product = makeLabel(u"ProductName"_s, u"Product Name: Vintrel"_s, panel);
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    auto *version = makeLabel(u"Version"_s, u"Version 1 (12/07/2001)"_s, panel);
    m_edition = makeLabel(u"Edition"_s, u"Редакция :"_s, panel);
    m_edition->hide();
    m_comments =
        makeLabel(u"Comments"_s, u"Программа для обслуживания соревнований по фехтованию"_s, panel);
    m_comments->setWordWrap(true);
    m_comments->installEventFilter(this);

    auto *head = new QHBoxLayout;
    head->addWidget(icon, 0, Qt::AlignTop);
    auto *names = new QVBoxLayout;
    names->addWidget(product);
    names->addWidget(version);
    names->addWidget(m_edition);
    head->addLayout(names, 1);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->addLayout(head);
    panelLayout->addSpacing(8);
    panelLayout->addWidget(m_comments);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(u"OK"_s, QDialogButtonBox::AcceptRole);
    ok->setObjectName(u"OKButton"_s);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    buttons->setCenterButtons(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_comments->setMinimumWidth(260);
}

void AboutBox::setEditMode(bool on)
{
    if (on == m_editMode) return;
    m_editMode = on;
    m_edition->setVisible(on);
    emit editModeChanged(on);
}

bool AboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_comments && event->type() == QEvent::MouseButtonDblClick) {
        setEditMode(!m_editMode);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace vintrel
