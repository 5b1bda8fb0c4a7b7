#include "tformkolgroup.h"

#include "widgets/forwardingprompter.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "data/dm.h"
#include "pools/poolcontext.h"
#include "pools/poolcount.h"
#include "pools/poolsizes.h"
#include "widgets/datagrid.h"
#include "widgets/dbnavigator.h"
#include "widgets/documentviewer.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QPushButton *namedButton(const QString &name, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TFormKolGroup::TFormKolGroup(TDM &dm, CurrentContext &context, const Workspace &workspace,
                             Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_context(context), m_workspace(workspace),
      m_prompter(std::make_unique<ForwardingPrompter>(prompter))
{
    setObjectName(u"FormKolGroup"_s);
    setWindowTitle(u"Определение групп и количества участников в каждой группе"_s);
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    Label10 = namedLabel(u"Label10"_s, u"ОПРЕДЕЛЕНИЕ ГРУПП И КОЛИЧЕСТВА УЧАСТНИКОВ"_s, this);
    Label10->setAlignment(Qt::AlignHCenter);
    Label10->setStyleSheet(u"color: red; font-weight: bold;"_s);
    layout->addWidget(Label10);
    DBText1 = namedLabel(u"DBText1"_s, {}, this);
    DBText1->setAlignment(Qt::AlignHCenter);
    layout->addWidget(DBText1);

    auto *middle = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(namedLabel(u"Label2"_s, u"Введите количество групп, для определения "_s, this));
    left->addWidget(namedLabel(u"Label5"_s, u"количества участников в каждой группе."_s, this));
    auto *entry = new QHBoxLayout;
    kol = new QSpinBox(this);
    kol->setObjectName(u"kol"_s);
    // 0 shows a tour without groups; "Пересчет" then says that the count cannot be zero.
    kol->setRange(0, kMaxPools);
    kol->setToolTip(u"Количество групп в туре"_s);
    kol->setStatusTip(kol->toolTip());
    entry->addWidget(kol);
    btnKol = namedButton(u"btnKol"_s, u"Пересчет"_s, this);
    entry->addWidget(btnKol);
    entry->addStretch(1);
    left->addLayout(entry);

    auto *summary = new QGridLayout;
    summary->addWidget(namedLabel(u"Label1"_s, u"Участников в предв. туре :"_s, this), 0, 0);
    lbl_ALL = namedLabel(u"lbl_ALL"_s, {}, this);
    summary->addWidget(lbl_ALL, 0, 1);
    summary->addWidget(namedLabel(u"Label3"_s, u"Групп в предв. туре :"_s, this), 1, 0);
    lbl_GROUP = namedLabel(u"lbl_GROUP"_s, {}, this);
    summary->addWidget(lbl_GROUP, 1, 1);
    left->addLayout(summary);

    auto *warning = namedLabel(u"Label6"_s, u"Предупреждение : "_s, this);
    warning->setStyleSheet(u"font-weight: bold;"_s);
    left->addWidget(warning);
    left->addWidget(namedLabel(u"Label7"_s, u"В каждой группе может быть от 4 до 7 чел.,"_s, this));
    left->addWidget(namedLabel(u"Label8"_s, u"кроме финального тура в котором может "_s, this));
    left->addWidget(namedLabel(u"Label11"_s, u"быть от 4 до 9 человек."_s, this));
    left->addStretch(1);
    middle->addLayout(left, 1);

    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(u"DBGrid1"_s);
    DBGrid1->setReadOnly(true);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->bind(dm.DS_TOUR_PR, {u"NUM_GROUP"_s, u"KOL"_s});
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    middle->addWidget(DBGrid1, 1);
    layout->addLayout(middle, 1);

    auto *bottom = new QHBoxLayout;
    DBNavigator1 = new DBNavigator(this);
    DBNavigator1->setObjectName(u"DBNavigator1"_s);
    DBNavigator1->bind(dm.tbl_TOUR_PR, m_prompter.get());
    DBNavigator1->hide();
    bottom->addWidget(DBNavigator1);
    bottom->addStretch(1);
    btnHELP = namedButton(u"btnHELP"_s, u"Справка"_s, this);
    bottom->addWidget(btnHELP);
    BitBtn1 = namedButton(u"BitBtn1"_s, u"Закрыть"_s, this);
    bottom->addWidget(BitBtn1);
    layout->addLayout(bottom);

    connect(btnKol, &QPushButton::clicked, this, &TFormKolGroup::recount);
    connect(btnHELP, &QPushButton::clicked, this,
            [this] { showHelpPage(m_workspace, u"kolgroup.htm"_s, *m_prompter); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        closePoolCount(m_dm);
        accept();
    });
    resize(560, 400);
}

TFormKolGroup::~TFormKolGroup() = default;

void TFormKolGroup::setPrompter(Prompter &prompter)
{
    static_cast<ForwardingPrompter *>(m_prompter.get())->setTarget(prompter);
}

void TFormKolGroup::showEvent(QShowEvent *event)
{
    // What the window shows is read again each time it opens.
    DBText1->setText(m_dm.tbl_ASPECT->text(u"NAME"_s));
    kol->setValue(m_dm.tbl_TOUR_PR->recordCount());
    refreshSummary();
    QDialog::showEvent(event);
}

void TFormKolGroup::refreshSummary()
{
    lbl_ALL->setText(QString::number(tourParticipantCount(m_dm)));
    lbl_GROUP->setText(QString::number(m_dm.tbl_TOUR_PR->recordCount()));
}

void TFormKolGroup::recount()
{
    kol->interpretText();
    const int groups = kol->value();
    runCommand(*m_prompter, [&] { return recountPools(m_dm, m_context, groups, *m_prompter); });
    refreshSummary();
}

} // namespace vintrel
