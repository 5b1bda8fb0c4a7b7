#include "pickpeopledialog.h"

#include "widgets/dialogframe.h"
#include "widgets/forwardingprompter.h"

#include "app/command.h"
#include "app/helppage.h"
#include "data/datasource.h"
#include "data/dm.h"
#include "registry/people.h"
#include "widgets/datagrid.h"
#include "widgets/documentviewer.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

void setHint(QWidget *w, const QString &hint)
{
    w->setToolTip(hint);
    w->setStatusTip(hint);
}

QPushButton *button(const QString &text, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

PickPeopleDialog::PickPeopleDialog(TDM &dm, const Workspace &workspace, Prompter &prompter,
                                   const Look &look, std::function<bool(TDM &, int)> add,
                                   std::function<void(TDM &)> remove, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_workspace(workspace),
      m_prompter(std::make_unique<ForwardingPrompter>(prompter)), m_add(std::move(add)),
      m_remove(std::move(remove))
{
    setObjectName(look.objectName);
    setWindowTitle(look.caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    addHeading(layout, this, look.heading);

    auto *lists = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    edt_Search = new QLineEdit(this);
    edt_Search->setObjectName(u"edt_Search"_s);
    setHint(edt_Search, u"Быстрый поиск по первной букве фамилии"_s);
    connect(edt_Search, &QLineEdit::textChanged, this, [this](const QString &text) {
        runCommand(*m_prompter, [&] { return findSurname(*m_dm.tbl_PERSON, text); });
    });
    connect(edt_Search, &QLineEdit::returnPressed, this, &PickPeopleDialog::addCurrentPerson);
    left->addWidget(edt_Search);
    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(u"DBGrid1"_s);
    DBGrid1->bind(dm.DS_PERSON, {u"SURNAME"_s, u"NAME"_s});
    DBGrid1->setReadOnly(true);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    setHint(DBGrid1, u"Можно дважды щелкнув на человеке перенести его из левого списка в правый"_s);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, &PickPeopleDialog::addCurrentPerson);
    left->addWidget(DBGrid1, 1);
    lists->addLayout(left, 2);

    DBGrid2 = new DataGrid(this);
    DBGrid2->setObjectName(u"DBGrid2"_s);
    DBGrid2->bind(look.list, look.columns);
    DBGrid2->setReadOnly(true);
    DBGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    lists->addWidget(DBGrid2, 3);
    layout->addLayout(lists, 1);

    auto *bottom = new QHBoxLayout;
    btn_Add = button(u"Добавить"_s, look.addButton, this);
    setHint(btn_Add, u"Добавить человека из левого списка в правый"_s);
    connect(btn_Add, &QPushButton::clicked, this, &PickPeopleDialog::addCurrentPerson);
    bottom->addWidget(btn_Add);
    btn_Delete = button(u"Удалить"_s, look.removeButton, this);
    setHint(btn_Delete, u"Удалить человека из правого списка"_s);
    connect(btn_Delete, &QPushButton::clicked, this, [this] {
        runCommand(*m_prompter, [this] {
            m_remove(m_dm);
            return true;
        });
    });
    bottom->addWidget(btn_Delete);
    bottom->addStretch(1);
    btn_Close = button(u"Закрыть"_s, u"btn_Close"_s, this);
    connect(btn_Close, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(btn_Close);
    btn_Help = button(u"Справка"_s, u"btn_Help"_s, this);
    connect(btn_Help, &QPushButton::clicked, this,
            [this] { showHelpPage(m_workspace, helpPageOfWindow(objectName()), *m_prompter); });
    bottom->addWidget(btn_Help);
    layout->addLayout(bottom);

    setFixedSize(780, 480);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

PickPeopleDialog::~PickPeopleDialog() = default;

void PickPeopleDialog::setPrompter(Prompter &prompter)
{
    m_prompter->setTarget(prompter);
}

void PickPeopleDialog::addCurrentPerson()
{
    Table &people = *m_dm.tbl_PERSON;
    const QVariant num = people.isEmpty() ? QVariant() : people.value(u"NUM"_s);
    if (num.isNull()) return; // no person, or one not stored yet
    runCommand(*m_prompter, [&] {
        m_add(m_dm, num.toInt());
        return true;
    });
    edt_Search->clear();
}

void PickPeopleDialog::showEvent(QShowEvent *event)
{
    edt_Search->blockSignals(true);
    edt_Search->clear();
    edt_Search->blockSignals(false);
    // Jobs and organizations are read whole; the last column takes what is left.
    DBGrid2->resizeColumnsToContents();
    QDialog::showEvent(event);
    edt_Search->setFocus();
}

} // namespace vintrel
