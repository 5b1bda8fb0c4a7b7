#include "tformcomp.h"

#include "app/command.h"
#include "registry/competition.h"

#include "app/currentcontext.h"
#include "app/helppage.h"
#include "widgets/datagrid.h"
#include "widgets/datefieldedit.h"
#include "widgets/dbnavigator.h"
#include "widgets/documentviewer.h"
#include "widgets/fieldbinder.h"
#include "app/prompter.h"
#include "data/datasource.h"
#include "data/dm.h"
#include "data/storeerror.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

class ForwardingPrompter : public Prompter {
public:
    explicit ForwardingPrompter(Prompter &to) : m_to(&to) {}
    void setTarget(Prompter &to) { m_to = &to; }
    void info(const QString &text) override { m_to->info(text); }
    void error(const QString &text) override { m_to->error(text); }
    bool confirm(const QString &text) override { return m_to->confirm(text); }

private:
    Prompter *m_to;
};

void setHint(QWidget *w, const QString &hint)
{
    w->setToolTip(hint);
    w->setStatusTip(hint);
}

QLabel *boldLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

TFormComp::TFormComp(TDM &dm, CurrentContext &context, const Workspace &workspace,
                     Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_context(context), m_workspace(workspace),
      m_prompter(std::make_unique<ForwardingPrompter>(prompter))
{
    setObjectName(u"FormComp"_s);
    setWindowTitle(u"Соревнования"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    auto *heading = boldLabel(u"ИНФОРМАЦИЯ О  ПРОВОДИМОМ СОРЕВНОВАНИИ"_s, this);
    heading->setObjectName(u"lbl_Heading"_s);
    heading->setAlignment(Qt::AlignHCenter);
    layout->addWidget(heading);
    lbl_NAME = new QLabel(this);
    lbl_NAME->setObjectName(u"lbl_NAME"_s);
    lbl_NAME->setAlignment(Qt::AlignHCenter);
    lbl_NAME->setWordWrap(true);
    layout->addWidget(lbl_NAME);
    layout->addWidget(buildCompetitionFields());
    layout->addWidget(buildAspects(), 1);

    auto *bottom = new QHBoxLayout;
    DBNavigator1 = new DBNavigator(this);
    DBNavigator1->setObjectName(u"DBNavigator1"_s);
    DBNavigator1->bind(dm.tbl_ASPECT, m_prompter.get());
    DBNavigator1->setAction(DBNavigator::Refresh, [this] { refreshAspects(m_dm, m_context); });
    bottom->addWidget(DBNavigator1);
    bottom->addStretch(1);
    btn_Help = new QPushButton(u"Справка"_s, this);
    btn_Help->setObjectName(u"btn_Help"_s);
    btn_Help->setAutoDefault(false);
    connect(btn_Help, &QPushButton::clicked, this,
            [this] { showHelpPage(m_workspace, helpPageOfWindow(objectName()), *m_prompter); });
    bottom->addWidget(btn_Help);
    btn_Close = new QPushButton(u"Закрыть"_s, this);
    btn_Close->setObjectName(u"btn_Close"_s);
    btn_Close->setAutoDefault(false);
    connect(btn_Close, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(btn_Close);
    layout->addLayout(bottom);

    connect(dm.tbl_COMP, &DataSet::rowsReset, this, &TFormComp::refreshName);
    connect(dm.tbl_COMP, &DataSet::rowChanged, this, &TFormComp::refreshName);
    refreshName();
    setFixedSize(760, 600);
}

TFormComp::~TFormComp() = default;

void TFormComp::setPrompter(Prompter &prompter)
{
    static_cast<ForwardingPrompter *>(m_prompter.get())->setTarget(prompter);
}

QWidget *TFormComp::buildCompetitionFields()
{
    auto *box = new QFrame(this);
    box->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(box);
    Table &comp = *m_dm.tbl_COMP;
    int row = 0;
    const auto addEdit = [&](const QString &caption, const QString &field, const QString &hint) {
        auto *edit = new QLineEdit(box);
        edit->setObjectName(u"ed_"_s + field);
        setHint(edit, hint);
        grid->addWidget(new QLabel(caption, box), row, 0);
        grid->addWidget(edit, row++, 1, 1, 3);
        m_binders << bindLineEdit(edit, comp, field, *m_prompter);
    };
    addEdit(u"Краткое название"_s, u"NAME"_s, u"Краткое название соревнований"_s);
    addEdit(u"Название в шапке"_s, u"NAME1"_s, u"Название соревнований в шапке - 1 строка"_s);
    addEdit(QString(), u"NAME2"_s, u"Название соревнований в шапке - 2 строка"_s);
    addEdit(QString(), u"NAME3"_s, u"Название соревнований в шапке - 3 строка"_s);
    addEdit(u"Место проведения"_s, u"PLACE"_s, u"Место проведения"_s);

    const auto addDate = [&](const QString &caption, const QString &field, const QString &hint,
                             int column) {
        auto *edit = new DateFieldEdit(box);
        edit->setObjectName(u"ed_"_s + field);
        setHint(edit, hint);
        grid->addWidget(new QLabel(caption, box), row, column);
        grid->addWidget(edit, row, column + 1);
        m_binders << bindDateEdit(edit, comp, field, *m_prompter);
    };
    addDate(u"Дата начала"_s, u"DATA1"_s, u"Дата начала соревнований"_s, 0);
    addDate(u"Дата окончания"_s, u"DATA2"_s, u"Дата окончания соревнований"_s, 2);
    ++row;

    const auto addOfficial = [&](const QString &caption, const QString &field, const QString &hint,
                                 int column) {
        auto *combo = new QComboBox(box);
        combo->setObjectName(u"cb_"_s + field);
        combo->setMinimumWidth(200);
        setHint(combo, hint);
        grid->addWidget(new QLabel(caption, box), row, column);
        grid->addWidget(combo, row, column + 1);
        auto *binder = new LookupComboBinder(combo, comp, field, *m_prompter);
        m_binders << binder;
        m_officials << binder;
    };
    addOfficial(u"Главный судья"_s, u"JUDGE_NUM"_s, u"Выбор из списка главного судьи"_s, 0);
    addOfficial(u"Главный секретарь"_s, u"SECR_NUM"_s, u"Выбор из списка главного секретаря"_s, 2);
    ++row;
    addOfficial(u"Зам. главного судьи"_s, u"JUD1_NUM"_s,
                u"Выбор из списка первого зам.главного судьи"_s, 0);
    addOfficial(u"Зам. главного судьи"_s, u"JUD2_NUM"_s,
                u"Выбор из списка второго зам.главного судьи"_s, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return box;
}

QWidget *TFormComp::buildAspects()
{
    auto *box = new QWidget(this);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);

    DBGrid1 = new DataGrid(box);
    DBGrid1->setObjectName(u"DBGrid1"_s);
    setHint(DBGrid1, u"Ввод видов соревнования"_s);
    // A new aspect is typed field by field; the row is stored when it is complete.
    m_dm.DS_ASPECT->setPostEachCell(false);
    DBGrid1->bind(m_dm.DS_ASPECT, {u"NUM"_s, u"NAME"_s, u"VARIANT"_s});
    DBGrid1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    DBGrid1->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    DBGrid1->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    connect(m_dm.DS_ASPECT, &DataSource::editFailed, this,
            [this](const QString &message) { m_prompter->error(message); });
    row->addWidget(DBGrid1, 1);

    const QStringList legend = variantLegend();
    auto *panel = new QFrame(box);
    panel->setObjectName(u"pnl_Legend"_s);
    panel->setFrameShape(QFrame::StyledPanel);
    auto *lines = new QVBoxLayout(panel);
    lines->setSpacing(1);
    for (const QString &text : legend) {
        const bool heading = !text.front().isDigit();
        QLabel *label = heading ? boldLabel(text, panel) : new QLabel(text, panel);
        if (text == legend.front()) label->setAlignment(Qt::AlignHCenter);
        lines->addWidget(label);
    }
    lines->addStretch(1);
    row->addWidget(panel);
    return box;
}

void TFormComp::refreshName()
{
    lbl_NAME->setText(m_dm.tbl_COMP->text(u"NAME"_s));
}

void TFormComp::showEvent(QShowEvent *event)
{
    // What the window shows is read again each time it opens.
    showAllAspects(m_dm);
    const auto choices = officialChoices(m_dm);
    for (LookupComboBinder *official : m_officials)
        official->setChoices(choices);
    for (FieldBinder *binder : m_binders)
        binder->refresh();
    refreshName();
    QDialog::showEvent(event);
}

void TFormComp::done(int result)
{
    if (!runCommand(*m_prompter, [this] { return closeCompetition(m_dm, m_context, *m_prompter); }))
        return;
    QDialog::done(result);
}

} // namespace vintrel
