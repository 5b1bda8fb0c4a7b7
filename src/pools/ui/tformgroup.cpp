#include "tformgroup.h"

#include "boutcelldelegate.h"
#include "widgets/forwardingprompter.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "data/dm.h"
#include "pools/distribution.h"
#include "pools/grouptotals.h"
#include "pools/poolsheet.h"
#include "reports/protocols.h"
#include "widgets/datagrid.h"
#include "widgets/dbnavigator.h"
#include "widgets/documentviewer.h"
#include "widgets/fieldbinder.h"
#include "widgets/fieldcolumns.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

const QStringList kSheetColumns{
    u"NUM_START"_s, u"famname"_s, u"nameorg"_s,     u"F1"_s,    u"F2"_s,         u"F3"_s,
    u"F4"_s,        u"F5"_s,      u"F6"_s,          u"F7"_s,    u"F8"_s,         u"F9"_s,
    u"FIGHT"_s,     u"VICTORY"_s, u"VIC_FIGHT_A"_s, u"PRICK"_s, u"PRICK_PASS"_s, u"nupu"_s};

QPushButton *namedButton(const QString &name, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

void setHint(QWidget *w, const QString &hint)
{
    w->setToolTip(hint);
    w->setStatusTip(hint);
}

QList<std::pair<QString, QVariant>> judgeChoices(const TDM &dm)
{
    const Table &judges = *dm.tbl_JUDGE;
    const int key = judges.fieldIndex(u"NUM"_s);
    const int name = judges.fieldIndex(u"famnamej"_s);
    QList<std::pair<QString, QVariant>> choices;
    for (int r = 0; r < judges.recordCount(); ++r)
        choices.append({judges.cell(r, name).toString(), judges.cell(r, key)});
    return choices;
}

} // namespace

TFormGroup::TFormGroup(TDM &dm, CurrentContext &context, const Workspace &workspace,
                       Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_context(context), m_workspace(workspace),
      m_prompter(std::make_unique<ForwardingPrompter>(prompter))
{
    setObjectName(u"FormGroup"_s);
    setWindowTitle(u"Группы"_s);
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildTop());

    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(u"DBGrid1"_s);
    DBGrid1->bind(dm.DS_REZ_TOUR, kSheetColumns);
    DBGrid1->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                             QAbstractItemView::DoubleClicked);
    for (int n = 1; n <= 9; ++n) {
        const int column = DBGrid1->columns()->columnOf(u"F%1"_s.arg(n));
        DBGrid1->setItemDelegateForColumn(
            column,
            new BoutCellDelegate(
                n, [this](int row, int cell, const QString &text) { storeCell(row, cell, text); },
                DBGrid1));
    }
    // The whole sheet in view: narrow cells and totals, the names take what is left.
    QHeaderView *header = DBGrid1->horizontalHeader();
    header->setMinimumSectionSize(24);
    for (int column = 0; column < kSheetColumns.size(); ++column) {
        const QString &field = kSheetColumns[column];
        const bool cell = field.size() == 2 && field.startsWith(u'F');
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        DBGrid1->setColumnWidth(column, cell ? 30 : field == u"nameorg"_s ? 96 : 52);
    }
    DBGrid1->setColumnWidth(0, 30);
    header->setSectionResizeMode(DBGrid1->columns()->columnOf(u"famname"_s), QHeaderView::Stretch);
    connect(
        dm.DS_REZ_TOUR, &DataSource::editFailed, this,
        [this](const QString &message) { m_prompter->error(message); }, Qt::QueuedConnection);
    layout->addWidget(DBGrid1, 3);

    DBNavigator1 = new DBNavigator(this);
    DBNavigator1->setObjectName(u"DBNavigator1"_s);
    DBNavigator1->bind(dm.tbl_REZ_TOUR, m_prompter.get());
    layout->addWidget(DBNavigator1);
    layout->addWidget(buildParticipants(), 2);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    btn_Itog = namedButton(u"btn_Itog"_s, u"Подвести итоги"_s, this);
    BitBtn1 = namedButton(u"BitBtn1"_s, u"Печать группы"_s, this);
    btnHELP = namedButton(u"btnHELP"_s, u"Справка"_s, this);
    btnCLOSE = namedButton(u"btnCLOSE"_s, u"Закрыть"_s, this);
    for (QPushButton *b : {btn_Itog, BitBtn1, btnHELP, btnCLOSE})
        bottom->addWidget(b);
    layout->addLayout(bottom);

    connect(btn_Itog, &QPushButton::clicked, this, &TFormGroup::totals);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormGroup::printGroup);
    connect(btnHELP, &QPushButton::clicked, this,
            [this] { showHelpPage(m_workspace, u"group.htm"_s, *m_prompter); });
    connect(btnCLOSE, &QPushButton::clicked, this, &QDialog::accept);
    resize(1000, 640);
}

TFormGroup::~TFormGroup() = default;

QWidget *TFormGroup::buildTop()
{
    auto *box = new QWidget(this);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    Label1 = namedLabel(u"Label1"_s, u"ГРУППА №"_s, box);
    row->addWidget(Label1);
    RxSpinEdit1 = new QSpinBox(box);
    RxSpinEdit1->setObjectName(u"RxSpinEdit1"_s);
    RxSpinEdit1->setMinimum(1);
    RxSpinEdit1->findChild<QLineEdit *>()->setReadOnly(
        true); // the group is stepped through, never typed
    RxSpinEdit1->setStyleSheet(u"QSpinBox { color: white; background: red; font-weight: bold; }"_s);
    connect(RxSpinEdit1, &QSpinBox::valueChanged, this, &TFormGroup::groupChanged);
    row->addWidget(RxSpinEdit1);
    lbl_KOL = namedLabel(u"lbl_KOL"_s, {}, box);
    row->addWidget(lbl_KOL);
    Label2 = namedLabel(u"Label2"_s, u"участников в текущей группе"_s, box);
    row->addWidget(Label2);
    row->addStretch(1);
    chkorg = new QCheckBox(u"с учетом орг-ций"_s, box);
    chkorg->setObjectName(u"chkorg"_s);
    row->addWidget(chkorg);
    auto *dealing = new QVBoxLayout;
    Button1 = namedButton(u"Button1"_s, u"Разнести по группам "_s, box);
    setHint(Button1, u"Разнести по группам согласно рейтинга (змейкой)"_s);
    connect(Button1, &QPushButton::clicked, this, &TFormGroup::distribute);
    dealing->addWidget(Button1);
    progress = new QProgressBar(box);
    progress->setObjectName(u"progress"_s);
    progress->setRange(0, 1);
    progress->setValue(0);
    progress->setTextVisible(false);
    progress->setMaximumHeight(10);
    dealing->addWidget(progress);
    row->addLayout(dealing);
    return box;
}

QWidget *TFormGroup::buildParticipants()
{
    auto *box = new QWidget(this);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);

    auto *list = new QVBoxLayout;
    edt_search = new QLineEdit(box);
    edt_search->setObjectName(u"edt_search"_s);
    setHint(edt_search, u"Быстрый поиск по фамилии, введите первые буквы"_s);
    connect(edt_search, &QLineEdit::textEdited, this,
            [this](const QString &text) { locateSurnamePrefix(m_dm, text); });
    connect(edt_search, &QLineEdit::returnPressed, this, &TFormGroup::addSelectedParticipant);
    list->addWidget(edt_search);
    DBGrid2 = new DataGrid(box);
    DBGrid2->setObjectName(u"DBGrid2"_s);
    DBGrid2->setReadOnly(true);
    DBGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid2->bind(m_dm.DS_PART, {u"SURNAME"_s, u"NAME"_s, u"ORG"_s});
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    connect(DBGrid2, &QAbstractItemView::doubleClicked, this, &TFormGroup::addSelectedParticipant);
    list->addWidget(DBGrid2, 1);
    row->addLayout(list, 2);

    auto *jury = new QGridLayout;
    auto *label3 = namedLabel(u"Label3"_s, u"ЖЮРИ"_s, box);
    label3->setStyleSheet(u"font-weight: bold;"_s);
    jury->addWidget(label3, 0, 0, 1, 2);
    jury->addWidget(namedLabel(u"Label4"_s, u"Ст.судья"_s, box), 1, 0);
    DBLookupComboBox2 = new QComboBox(box);
    DBLookupComboBox2->setObjectName(u"DBLookupComboBox2"_s);
    DBLookupComboBox2->setMinimumWidth(220);
    m_judge = new LookupComboBinder(DBLookupComboBox2, *m_dm.tbl_TOUR_PR, u"JUDGE"_s, *m_prompter);
    jury->addWidget(DBLookupComboBox2, 1, 1);
    jury->setRowStretch(2, 1);
    row->addLayout(jury, 1);
    return box;
}

void TFormGroup::setPrompter(Prompter &prompter)
{
    static_cast<ForwardingPrompter *>(m_prompter.get())->setTarget(prompter);
}

void TFormGroup::showEvent(QShowEvent *event)
{
    // Each opening starts from the current group of the tour, read again.
    const PoolSheetView view = activatePoolSheet(m_dm, *m_prompter);
    {
        const QSignalBlocker blocker(RxSpinEdit1);
        RxSpinEdit1->setMaximum(qMax(view.lastGroup, 1));
        RxSpinEdit1->setValue(qMax(view.group, 1));
        RxSpinEdit1->setReadOnly(view.lastGroup <= 1);
    }
    showView(view.kol);
    chkorg->setVisible(view.firstTour);
    chkorg->setChecked(view.firstTour);
    m_judge->setChoices(judgeChoices(m_dm));
    m_judge->refresh();
    edt_search->clear();
    progress->setValue(0);
    QDialog::showEvent(event);
}

void TFormGroup::done(int result)
{
    commitGridEditor();
    if (!m_judge->post()) return; // a refused judge keeps the window open
    closePoolSheet(m_dm, m_context);
    QDialog::done(result);
}

void TFormGroup::showView(int kol)
{
    lbl_KOL->setText(QString::number(kol));
}

void TFormGroup::groupChanged(int group)
{
    if (!m_judge->post()) return;
    commitGridEditor();
    const PoolSheetView view = showPoolGroup(m_dm, group, *m_prompter);
    showView(view.kol);
    m_judge->refresh();
}

void TFormGroup::commitGridEditor()
{
    if (QWidget *editor = DBGrid1->indexWidget(DBGrid1->currentIndex()))
        emit DBGrid1->itemDelegateForIndex(DBGrid1->currentIndex())->commitData(editor);
}

void TFormGroup::distribute()
{
    commitGridEditor();
    const DistributionProgress shown = [this](int placed, int total) {
        progress->setMaximum(qMax(total, 1));
        progress->setValue(placed);
        progress->repaint();
    };
    runCommand(*m_prompter, [&] {
        return distributeIntoPools(m_dm, m_context, chkorg->isChecked(), *m_prompter, shown);
    });
    progress->setValue(0);
}

void TFormGroup::addSelectedParticipant()
{
    commitGridEditor();
    runCommand(*m_prompter, [this] { return addParticipantToGroup(m_dm, m_context, *m_prompter); });
    edt_search->clear();
}

void TFormGroup::storeCell(int row, int cell, const QString &text)
{
    runCommand(*m_prompter,
               [&] { return enterBoutCell(m_dm, m_context, row, cell, text, *m_prompter); });
}

void TFormGroup::printGroup()
{
    commitGridEditor();
    runCommand(*m_prompter,
               [this] { return printAndOpen<Protocol::PoolSheet>(m_dm, m_context, *m_prompter); });
}

void TFormGroup::totals()
{
    commitGridEditor();
    runCommand(*m_prompter, [this] { return totalCurrentGroup(m_dm, m_context, *m_prompter); });
}

} // namespace vintrel
