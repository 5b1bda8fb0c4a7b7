#include "tforminvid.h"

#include "app/command.h"
#include "app/prompter.h"
#include "data/dm.h"
#include "registry/participants.h"
#include "widgets/dialogframe.h"
#include "widgets/datagrid.h"
#include "widgets/documentviewer.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

void setHint(QWidget *w, const QString &hint)
{
    w->setToolTip(hint);
    w->setStatusTip(hint);
}

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TFormInVid::TFormInVid(TDM &dm, CurrentContext &context, const Workspace &workspace,
                       Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_context(context), m_workspace(workspace), m_prompter(&prompter)
{
    setUpModalWindow(this, u"FormInVid"_s, u"Ввод и редактирование участников текущего вида"_s);

    auto *layout = new QVBoxLayout(this);
    addHeading(layout, this, u"ВВОД УЧАСТНИКОВ ТЕКУЩЕГО ВИДА СОРЕВНОВНОВАНИЙ"_s);
    lbl_NAME = new QLabel(this);
    lbl_NAME->setObjectName(u"lbl_NAME"_s);
    lbl_NAME->setAlignment(Qt::AlignHCenter);
    layout->addWidget(lbl_NAME);

    auto *middle = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    edt_Search = new QLineEdit(this);
    edt_Search->setObjectName(u"edt_Search"_s);
    setHint(edt_Search, u"Быстрый поиск по первной букве фамилии"_s);
    connect(edt_Search, &QLineEdit::textChanged, this,
            [this](const QString &typed) { quickSearchPerson(m_dm, typed); });
    connect(edt_Search, &QLineEdit::returnPressed, this, &TFormInVid::add);
    left->addWidget(edt_Search);
    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(u"DBGrid1"_s);
    DBGrid1->bind(m_dm.DS_PERSON, {u"SURNAME"_s, u"NAME"_s});
    DBGrid1->setReadOnly(true);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    setHint(DBGrid1, u"Можно дважды щелкнув на человеке перенести его из левого списка в правый"_s);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, &TFormInVid::add);
    left->addWidget(DBGrid1, 1);
    middle->addLayout(left, 2);

    DBGrid2 = new DataGrid(this);
    DBGrid2->setObjectName(u"DBGrid2"_s);
    DBGrid2->bind(m_dm.DS_PART, {u"SURNAME"_s, u"NAME"_s, u"ORG"_s, u"SURNAME1"_s, u"SURNAME2"_s});
    DBGrid2->setReadOnly(true);
    DBGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    middle->addWidget(DBGrid2, 3);
    layout->addLayout(middle, 1);

    auto *bottom = new QHBoxLayout;
    btn_Add = button(u"btn_Add"_s, u"Добавить"_s, this);
    setHint(btn_Add, u"Добавить человека из левого списка в правый"_s);
    btn_Del = button(u"btn_Del"_s, u"Удалить"_s, this);
    setHint(btn_Del, u"Удалить человека из правого списка"_s);
    btn_Close = button(u"btn_Close"_s, u"Закрыть"_s, this);
    btn_Help = button(u"btn_Help"_s, u"Справка"_s, this);
    connect(btn_Add, &QPushButton::clicked, this, &TFormInVid::add);
    connect(btn_Del, &QPushButton::clicked, this, &TFormInVid::remove);
    connect(btn_Close, &QPushButton::clicked, this, &QDialog::accept);
    connect(btn_Help, &QPushButton::clicked, this,
            [this] { showHelpPage(m_workspace, u"invid.htm"_s, *m_prompter); });
    bottom->addWidget(btn_Add);
    bottom->addWidget(btn_Del);
    bottom->addStretch(1);
    bottom->addWidget(btn_Close);
    bottom->addWidget(btn_Help);
    layout->addLayout(bottom);

    setFixedSize(900, 560);
}

void TFormInVid::add()
{
    runCommand(*m_prompter, [this] { return addParticipant(m_dm, m_context, *m_prompter); });
    edt_Search->clear();
}

void TFormInVid::remove()
{
    runCommand(*m_prompter, [this] { return removeParticipant(m_dm, m_context, *m_prompter); });
}

void TFormInVid::showEvent(QShowEvent *event)
{
    showAllPeople(m_dm);
    lbl_NAME->setText(m_dm.tbl_ASPECT->text(u"NAME"_s));
    edt_Search->clear();
    QDialog::showEvent(event);
}

} // namespace vintrel
