#include "tformorg.h"

#include "tforminorg.h"

#include "app/command.h"
#include "app/prompter.h"
#include "data/dm.h"
#include "registry/organizations.h"
#include "widgets/dialogframe.h"
#include "widgets/datagrid.h"
#include "widgets/dbnavigator.h"
#include "widgets/documentviewer.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vintrel {

using namespace Qt::StringLiterals;

TFormORG::TFormORG(TDM &dm, const Workspace &workspace, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_workspace(workspace), m_prompter(&prompter),
      m_formInOrg(new TFormInOrg(dm, workspace, prompter, this))
{
    setUpModalWindow(this, u"FormORG"_s, u"Ввод/редактирование справочника организаций"_s);

    auto *layout = new QVBoxLayout(this);
    addHeading(layout, this, u"ВВОД И РЕДАКТИРОВАНИЕ ИНФОРМАЦИИ ОБ ОРГАНИЗАЦИИ"_s);

    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(u"DBGrid1"_s);
    // A new organization is typed field by field; it is stored when the row is left or posted,
    // so a city typed before the short name is not refused half-way.
    m_dm.DS_ORG->setPostEachCell(false);
    DBGrid1->bind(m_dm.DS_ORG, {u"ORG_SHORT"_s, u"CITY"_s, u"ORG_FULL"_s});
    DBGrid1->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    DBGrid1->setColumnWidth(0, 120);
    DBGrid1->setColumnWidth(1, 160);
    connect(
        m_dm.DS_ORG, &DataSource::editFailed, this,
        [this](const QString &message) {
            if (isVisible()) m_prompter->error(message);
        },
        Qt::QueuedConnection);
    layout->addWidget(DBGrid1, 1);

    auto *bottom = new QHBoxLayout;
    DBNavigator1 = new DBNavigator(this);
    DBNavigator1->setObjectName(u"DBNavigator1"_s);
    DBNavigator1->bind(dm.tbl_ORG, m_prompter);
    DBNavigator1->setButtonVisible(DBNavigator::Delete, false); // organizations stay
    bottom->addWidget(DBNavigator1);
    bottom->addStretch(1);
    btn_InOrg = new QPushButton(u"Заявка"_s, this);
    btn_InOrg->setObjectName(u"btn_InOrg"_s);
    btn_Close = new QPushButton(u"Закрыть"_s, this);
    btn_Close->setObjectName(u"btn_Close"_s);
    btn_Help = new QPushButton(u"Справка"_s, this);
    btn_Help->setObjectName(u"btn_Help"_s);
    for (QPushButton *b : {btn_InOrg, btn_Close, btn_Help}) {
        b->setAutoDefault(false);
        bottom->addWidget(b);
    }
    connect(btn_InOrg, &QPushButton::clicked, this, &TFormORG::openEntry);
    connect(btn_Close, &QPushButton::clicked, this, &QDialog::accept);
    connect(btn_Help, &QPushButton::clicked, this,
            [this] { showHelpPage(m_workspace, u"org.htm"_s, *m_prompter); });
    layout->addLayout(bottom);

    setFixedSize(640, 460);
}

void TFormORG::setPrompter(Prompter &prompter)
{
    m_prompter = &prompter;
    DBNavigator1->bind(m_dm.tbl_ORG, m_prompter);
    m_formInOrg->setPrompter(prompter);
}

bool TFormORG::postTyped()
{
    if (QWidget *editor = DBGrid1->indexWidget(DBGrid1->currentIndex()))
        emit DBGrid1->itemDelegate()->commitData(editor);
    return runCommand(*m_prompter, [this] {
        postOrganization(m_dm);
        return true;
    });
}

void TFormORG::openEntry()
{
    if (!postTyped() || m_dm.tbl_ORG->isEmpty()) return;
    const int recNo = m_dm.tbl_ORG->recNo();
    m_formInOrg->exec();
    m_dm.tbl_ORG->setRecNo(recNo);
}

void TFormORG::showEvent(QShowEvent *event)
{
    showOrganizations(m_dm);
    QDialog::showEvent(event);
}

void TFormORG::done(int result)
{
    if (!postTyped()) return;
    QDialog::done(result);
}

} // namespace vintrel
