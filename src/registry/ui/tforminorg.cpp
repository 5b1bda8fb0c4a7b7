#include "tforminorg.h"

#include "lookupcellchooser.h"

#include "app/command.h"
#include "app/prompter.h"
#include "data/dm.h"
#include "registry/entries.h"
#include "registry/participants.h"
#include "widgets/dialogframe.h"
#include "widgets/datagrid.h"
#include "widgets/documentviewer.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

const QString kDeleteHint = u"Нажав <CTRL>+<DEL> можно удалить человека из списка"_s;

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

TFormInOrg::TFormInOrg(TDM &dm, const Workspace &workspace, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_workspace(workspace), m_prompter(&prompter)
{
    setUpModalWindow(this, u"FormInOrg"_s, u"Ввод/редактирование заявки от организации"_s);

    auto *layout = new QVBoxLayout(this);
    addHeading(layout, this, u"ВВОД И РЕДАКТИРОВАНИЕ ЗАЯВКИ ОТ ВЫБРАННОЙ ОРГАНИЗАЦИИ"_s);
    lbl_ORG_FULL = new QLabel(this);
    lbl_ORG_FULL->setObjectName(u"lbl_ORG_FULL"_s);
    lbl_ORG_FULL->setAlignment(Qt::AlignHCenter);
    lbl_ORG_FULL->setWordWrap(true);
    layout->addWidget(lbl_ORG_FULL);

    auto *middle = new QHBoxLayout;
    middle->addWidget(buildPeople(), 2);
    middle->addWidget(buildPages(), 3);
    layout->addLayout(middle, 1);

    auto *bottom = new QHBoxLayout;
    btn_Add = button(u"btn_Add"_s, u"Добавить"_s, this);
    setHint(btn_Add, u"Добавить человека из левого списка в правый"_s);
    btn_Del = button(u"btn_Del"_s, u"Удалить"_s, this);
    setHint(btn_Del, u"Удалить человека из правого списка"_s);
    btn_Close = button(u"btn_Close"_s, u"Закрыть"_s, this);
    btn_Help = button(u"btn_Help"_s, u"Справка"_s, this);
    connect(btn_Add, &QPushButton::clicked, this, &TFormInOrg::add);
    connect(btn_Del, &QPushButton::clicked, this, &TFormInOrg::remove);
    connect(btn_Close, &QPushButton::clicked, this, &QDialog::accept);
    connect(btn_Help, &QPushButton::clicked, this,
            [this] { showHelpPage(m_workspace, u"inorg.htm"_s, *m_prompter); });
    bottom->addWidget(btn_Add);
    bottom->addWidget(btn_Del);
    bottom->addStretch(1);
    bottom->addWidget(btn_Close);
    bottom->addWidget(btn_Help);
    layout->addLayout(bottom);

    setFixedSize(900, 560);
}

QWidget *TFormInOrg::buildPeople()
{
    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    edt_Search = new QLineEdit(box);
    edt_Search->setObjectName(u"edt_Search"_s);
    setHint(edt_Search, u"Быстрый поиск по первной букве фамилии"_s);
    connect(edt_Search, &QLineEdit::textChanged, this,
            [this](const QString &typed) { quickSearchPerson(m_dm, typed); });
    connect(edt_Search, &QLineEdit::returnPressed, this, &TFormInOrg::add);
    column->addWidget(edt_Search);

    DBGrid1 = new DataGrid(box);
    DBGrid1->setObjectName(u"DBGrid1"_s);
    DBGrid1->bind(m_dm.DS_PERSON, {u"SURNAME"_s, u"NAME"_s});
    DBGrid1->setReadOnly(true);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    setHint(DBGrid1, u"Можно дважды щелкнув на человеке перенести его из левого списка в правый"_s);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, &TFormInOrg::add);
    column->addWidget(DBGrid1, 1);
    return box;
}

DataGrid *TFormInOrg::pageGrid(const QString &name, QWidget *parent)
{
    auto *grid = new DataGrid(parent);
    grid->setObjectName(name);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

QWidget *TFormInOrg::buildPages()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(u"PageControl1"_s);

    DBGrid2 = pageGrid(u"DBGrid2"_s, PageControl1);
    DBGrid2->bind(m_dm.DS_PART,
                  {u"SURNAME"_s, u"NAME"_s, u"aspect"_s, u"SURNAME1"_s, u"SURNAME2"_s});
    setHint(DBGrid2, kDeleteHint);
    m_aspectChooser = new LookupCellChooser(
        DBGrid2, u"aspect"_s, [this] { return entryAspectChoices(m_dm); },
        [this](const QVariant &aspect) {
            runCommand(*m_prompter, [&] { return setEntryAspect(m_dm, aspect.toInt()); });
        });
    PageControl1->addTab(DBGrid2, u"Участники"_s);

    DBGrid3 = pageGrid(u"DBGrid3"_s, PageControl1);
    DBGrid3->bind(m_dm.DS_TRAIN, {u"SURNAME"_s, u"NAME"_s});
    DBGrid3->setReadOnly(true);
    PageControl1->addTab(DBGrid3, u"Тренеры"_s);

    DBGrid4 = pageGrid(u"DBGrid4"_s, PageControl1);
    DBGrid4->bind(m_dm.DS_JUDGE, {u"SURNAME"_s, u"NAME"_s});
    setHint(DBGrid4, kDeleteHint);
    PageControl1->addTab(DBGrid4, u"Судьи"_s);

    DBGrid2->installEventFilter(this);
    DBGrid4->installEventFilter(this);
    // The main window already reports refused cells of the participants; judges' are told here
    // while the window is open.
    connect(
        m_dm.DS_JUDGE, &DataSource::editFailed, this,
        [this](const QString &message) {
            if (isVisible()) m_prompter->error(message);
        },
        Qt::QueuedConnection);
    return PageControl1;
}

EntryPage TFormInOrg::currentPage() const
{
    switch (PageControl1->currentIndex()) {
    case 1:
        return EntryPage::Trainers;
    case 2:
        return EntryPage::Judges;
    default:
        return EntryPage::Participants;
    }
}

void TFormInOrg::commitTyping()
{
    for (DataGrid *grid : {DBGrid2, DBGrid4})
        if (QWidget *editor = grid->indexWidget(grid->currentIndex()))
            emit grid->itemDelegate()->commitData(editor);
}

void TFormInOrg::add()
{
    commitTyping();
    runCommand(*m_prompter, [this] { return addToEntry(m_dm, currentPage(), *m_prompter); });
    edt_Search->clear();
}

void TFormInOrg::remove()
{
    commitTyping();
    runCommand(*m_prompter, [this] { return removeFromEntry(m_dm, currentPage(), *m_prompter); });
}

bool TFormInOrg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == DBGrid2 || watched == DBGrid4)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier) {
            const EntryPage page = watched == DBGrid2 ? EntryPage::Participants : EntryPage::Judges;
            runCommand(*m_prompter,
                       [&] { return deleteEntryRowConfirmed(m_dm, page, *m_prompter); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormInOrg::showEvent(QShowEvent *event)
{
    // The organization's rows are read again each time the window opens.
    openEntry(m_dm);
    lbl_ORG_FULL->setText(m_dm.tbl_ORG->text(u"ORG_FULL"_s));
    PageControl1->setCurrentIndex(0);
    edt_Search->clear();
    QDialog::showEvent(event);
}

void TFormInOrg::done(int result)
{
    commitTyping();
    if (!runCommand(*m_prompter, [this] { return closeEntry(m_dm, *m_prompter); })) return;
    QDialog::done(result);
}

} // namespace vintrel
