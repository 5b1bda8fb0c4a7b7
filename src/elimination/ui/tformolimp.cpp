#include "tformolimp.h"

#include "olimpcelldelegate.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "app/helppage.h"
#include "app/prompter.h"
#include "data/datasource.h"
#include "data/dm.h"
#include "elimination/eliminationcommands.h"
#include "widgets/datagrid.h"
#include "widgets/documentviewer.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

const QStringList kColumns{u"NUM_PAIR"_s, u"NUM_START"_s,  u"famname"_s, u"nameorg"_s,
                           u"PRICK"_s,    u"PRICK_PASS"_s, u"VICTORY"_s};

QLabel *titleLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignHCenter);
    QFont font(u"Arial"_s);
    font.setBold(true);
    font.setPointSize(11);
    label->setFont(font);
    label->setStyleSheet(u"color: purple;"_s);
    return label;
}

} // namespace

TFormOlimp::TFormOlimp(TDM &dm, CurrentContext &context, const Workspace &workspace,
                       Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_context(context), m_workspace(workspace), m_prompter(&prompter)
{
    setObjectName(u"FormOlimp"_s);
    setWindowTitle(u"Проведение тура прямого выбывания"_s);
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildTopPanel());
    auto *middle = new QHBoxLayout;
    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(u"DBGrid1"_s);
    DBGrid1->bind(dm.DS_REZ_OLIMP, kColumns);
    DBGrid1->setItemDelegate(
        new OlimpCellDelegate(*dm.tbl_REZ_OLIMP, int(kColumns.indexOf(u"PRICK"_s)), DBGrid1));
    DBGrid1->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                             QAbstractItemView::DoubleClicked);
    // The names take what the numbers leave.
    for (int column = 0; column < int(kColumns.size()); ++column)
        if (column == 2)
            DBGrid1->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
        else
            DBGrid1->setColumnWidth(column, column == 3 ? 100 : 62);
    middle->addWidget(DBGrid1, 1);
    middle->addWidget(buildRightPanel());
    layout->addLayout(middle, 1);
    layout->addWidget(buildBottomPanel());

    guardTypedTouches(dm);
    connect(
        dm.DS_REZ_OLIMP, &DataSource::editFailed, this,
        [this](const QString &message) { m_prompter->error(message); },
        Qt::QueuedConnection); // not from inside the grid's commit of the cell
    connect(RxSpinEdit1, &QSpinBox::valueChanged, this, &TFormOlimp::circleChanged);
    resize(760, 560);
}

QWidget *TFormOlimp::buildTopPanel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(u"Panel1"_s);
    panel->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(panel);
    DBText1 = titleLabel(u"DBText1"_s, panel);
    DBText2 = titleLabel(u"DBText2"_s, panel);
    layout->addWidget(DBText1);
    layout->addWidget(DBText2);

    auto *row = new QHBoxLayout;
    Label1 = new QLabel(u"Круг :"_s, panel);
    Label1->setObjectName(u"Label1"_s);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setStyleSheet(u"color: red;"_s);
    RxSpinEdit1 = new QSpinBox(panel);
    RxSpinEdit1->setObjectName(u"RxSpinEdit1"_s);
    RxSpinEdit1->setMinimum(1);
    RxSpinEdit1->setMaximum(1);
    RxSpinEdit1->setValue(1);
    if (auto *typed = RxSpinEdit1->findChild<QLineEdit *>())
        typed->setReadOnly(true); // stepped with the arrows only
    RxSpinEdit1->setStyleSheet(u"QSpinBox { background: red; color: white; font-weight: bold; }"_s);
    RxSpinEdit1->setMinimumWidth(60);
    Label9 = new QLabel(panel);
    Label9->setObjectName(u"Label9"_s);
    row->addWidget(Label1);
    row->addWidget(RxSpinEdit1);
    row->addWidget(Label9, 1);
    layout->addLayout(row);
    return panel;
}

QPushButton *TFormOlimp::addButton(QWidget *panel, const QString &name, const QString &text)
{
    auto *b = new QPushButton(text, panel);
    b->setObjectName(name);
    b->setAutoDefault(false);
    panel->layout()->addWidget(b);
    return b;
}

QWidget *TFormOlimp::buildRightPanel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(u"Panel3"_s);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    BitBtn7 = addButton(panel, u"BitBtn7"_s, u"Удалить участников тура"_s);
    BitBtn8 = addButton(panel, u"BitBtn8"_s, u"Сформировать 1 круг"_s);
    BitBtn3 = addButton(panel, u"BitBtn3"_s, u"Подвести итоги круга"_s);
    BitBtn4 = addButton(panel, u"BitBtn4"_s, u"Добавить рез-ты к итоговым"_s);
    BitBtn5 = addButton(panel, u"BitBtn5"_s, u"Вывести итоговое место"_s);
    BitBtn6 = addButton(panel, u"BitBtn6"_s, u"Сформировать след-щий круг"_s);
    BitBtn2 = addButton(panel, u"BitBtn2"_s, u"Печать протоколов боя"_s);
    layout->addStretch(1);

    connect(BitBtn7, &QPushButton::clicked, this, [this] { runOnShownCircle(clearCircle); });
    connect(BitBtn8, &QPushButton::clicked, this, [this] { runOnShownCircle(buildFirstCircle); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { runOnShownCircle(totalCircle); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { runOnShownCircle(addCircleToTotals); });
    connect(BitBtn5, &QPushButton::clicked, this, [this] { runOnShownCircle(giveCirclePlaces); });
    connect(BitBtn6, &QPushButton::clicked, this, &TFormOlimp::nextCircleClicked);
    // The bout protocols are printed from the main window's menu "Протоколы".
    return panel;
}

QWidget *TFormOlimp::buildBottomPanel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(u"Panel4"_s);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    BitBtn1 = addButton(panel, u"BitBtn1"_s, u"Закрыть"_s);
    btnHELP = addButton(panel, u"btnHELP"_s, u"Справка"_s);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        commitTypedCell();
        accept();
    });
    connect(btnHELP, &QPushButton::clicked, this,
            [this] { showHelpPage(m_workspace, helpPageOfWindow(objectName()), *m_prompter); });
    return panel;
}

int TFormOlimp::shownCircle() const
{
    return RxSpinEdit1->value();
}

void TFormOlimp::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    activate();
}

void TFormOlimp::activate()
{
    DBText1->setText(m_dm.tbl_ASPECT->text(u"NAME"_s));
    DBText2->setText(m_dm.tbl_VT->text(u"NAME_TOUR"_s));
    Table &circles = *m_dm.tbl_TOUR_OLIMP;
    const int current = circles.isEmpty() ? 1 : circles.intValue(u"NUM_CIRCLE"_s);
    int last = 1;
    if (!circles.isEmpty())
        last = circles.cell(circles.recordCount() - 1, circles.fieldIndex(u"NUM_CIRCLE"_s)).toInt();
    {
        const QSignalBlocker blocker(RxSpinEdit1);
        RxSpinEdit1->setMaximum(qMax(1, last));
        RxSpinEdit1->setValue(qMax(1, current));
    }
    RxSpinEdit1->setReadOnly(RxSpinEdit1->maximum() == 1);
    circleChanged(RxSpinEdit1->value());
}

void TFormOlimp::circleChanged(int circle)
{
    showCircle(m_dm, m_context, circle);
    BitBtn6->setEnabled(circle < RxSpinEdit1->maximum()); // the last circle has no next one
}

void TFormOlimp::commitTypedCell()
{
    if (QWidget *editor = DBGrid1->indexWidget(DBGrid1->currentIndex()))
        emit DBGrid1->itemDelegate()->commitData(editor);
}

void TFormOlimp::runOnShownCircle(CircleCommand command)
{
    commitTypedCell();
    const int circle = shownCircle();
    runCommand(*m_prompter, [&] { return command(m_dm, m_context, circle, *m_prompter); });
    showCircle(m_dm, m_context, circle);
}

void TFormOlimp::nextCircleClicked()
{
    commitTypedCell();
    const int circle = shownCircle();
    int shown = circle;
    runCommand(*m_prompter,
               [&] { return buildNextCircle(m_dm, m_context, circle, *m_prompter, &shown); });
    if (shown != circle)
        RxSpinEdit1->setValue(shown); // shows that circle
    else
        showCircle(m_dm, m_context, circle);
}

} // namespace vintrel
