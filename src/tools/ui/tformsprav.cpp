#include "tformsprav.h"

#include "tools/tableprint.h"
#include "tools/unfilteredtable.h"

#include "app/command.h"
#include "app/helppage.h"
#include "app/prompter.h"
#include "data/datasource.h"
#include "data/dm.h"
#include "widgets/datagrid.h"
#include "widgets/dbnavigator.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace vintrel {

using namespace Qt::StringLiterals;

TFormSprav::TFormSprav(const Workspace &workspace, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_workspace(workspace), m_prompter(&prompter)
{
    setObjectName(u"FormSprav"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    lbl_Name = new QLabel(u"Таблица"_s, this);
    lbl_Name->setObjectName(u"lbl_Name"_s);
    lbl_Name->setAlignment(Qt::AlignCenter);
    QFont bold = lbl_Name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() + 2);
    lbl_Name->setFont(bold);
    layout->addWidget(lbl_Name);

    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(u"DBGrid1"_s);
    layout->addWidget(DBGrid1, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(u"(текущая:всего) записей :"_s, this));
    lbl_Status = new QLabel(this);
    lbl_Status->setObjectName(u"lbl_Status"_s);
    lbl_Status->setMinimumWidth(70);
    bottom->addWidget(lbl_Status);
    DBNavigator1 = new DBNavigator(this);
    DBNavigator1->setObjectName(u"DBNavigator1"_s);
    bottom->addWidget(DBNavigator1);
    bottom->addStretch(1);
    btn_Print = new QPushButton(u"Печать"_s, this);
    btn_Print->setObjectName(u"btn_Print"_s);
    btn_Print->setAutoDefault(false);
    connect(btn_Print, &QPushButton::clicked, this, &TFormSprav::print);
    bottom->addWidget(btn_Print);
    btn_Close = new QPushButton(u"Закрыть"_s, this);
    btn_Close->setObjectName(u"btn_Close"_s);
    btn_Close->setAutoDefault(false);
    connect(btn_Close, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(btn_Close);
    layout->addLayout(bottom);

    setFixedSize(820, 560);
}

TFormSprav::~TFormSprav() = default;

void TFormSprav::setPrompter(Prompter &prompter)
{
    m_prompter = &prompter;
    if (m_source) DBNavigator1->bind(m_source->dataSet(), m_prompter);
}

QString TFormSprav::title() const
{
    return lbl_Name->text();
}

void TFormSprav::setEditMode(bool on)
{
    m_editMode = on;
    if (m_source) bindSource();
}

void TFormSprav::showData(DataSource *source, const QString &title, bool readOnly)
{
    m_source = source;
    m_readOnly = readOnly;
    lbl_Name->setText(title);
    bindSource();
    exec();
}

void TFormSprav::browseTable(TDM &dm, const QString &tableName, const QString &title)
{
    Table *table = dm.table(tableName);
    if (!table) return;
    const UnfilteredTable everyRow(*table);
    showData(dm.dataSource(table), title);
    // The grid lets go of the table before its filter is put back.
    DBGrid1->bind(nullptr, {});
    DBNavigator1->bind(static_cast<DataSet *>(nullptr), m_prompter);
    m_source = nullptr;
}

void TFormSprav::browseParticipantList(TDM &dm, const CurrentContext &context)
{
    QString heading;
    if (!runCommand(*m_prompter, [&] {
            heading = openParticipantList(dm, context);
            return true;
        }))
        return;
    showData(dm.DS_Temp, heading, true);
}

void TFormSprav::bindSource()
{
    for (const auto &c : m_statusConnections)
        disconnect(c);
    m_statusConnections.clear();
    DataSet *set = m_source ? m_source->dataSet() : nullptr;
    const bool editable = m_editMode && !m_readOnly;
    DBGrid1->bind(m_source, set ? set->fieldNames() : QStringList{});
    DBGrid1->setReadOnly(!editable);
    if (editable)
        DBGrid1->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed |
                                 QAbstractItemView::DoubleClicked);
    DBGrid1->horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
    DBNavigator1->setEditingAllowed(editable);
    DBNavigator1->bind(set, m_prompter);
    if (set) {
        m_statusConnections << connect(set, &DataSet::afterScroll, this, &TFormSprav::refreshStatus)
                            << connect(set, &DataSet::rowsReset, this, &TFormSprav::refreshStatus);
    }
    if (m_source)
        m_statusConnections << connect(
            m_source, &DataSource::editFailed, this,
            [this](const QString &message) { m_prompter->error(message); }, Qt::QueuedConnection);
    refreshStatus();
}

void TFormSprav::refreshStatus()
{
    const DataSet *set = m_source ? m_source->dataSet() : nullptr;
    lbl_Status->setText(set ? u"(%1:%2)"_s.arg(set->recNo()).arg(set->recordCount()) : QString());
}

void TFormSprav::showEvent(QShowEvent *event)
{
    setWindowTitle(lbl_Name->text());
    refreshStatus();
    QDialog::showEvent(event);
}

void TFormSprav::done(int result)
{
    // A cell still being typed into is stored before the browser closes.
    if (QWidget *editor = DBGrid1->indexWidget(DBGrid1->currentIndex()))
        emit DBGrid1->itemDelegate()->commitData(editor);
    QDialog::done(result);
    emit closed();
}

void TFormSprav::print()
{
    DataSet *set = m_source ? m_source->dataSet() : nullptr;
    if (!set) return;
    const QString path = tablePagePath(m_workspace);
    const bool written = runCommand(*m_prompter, [&] {
        printDataSet(*set, lbl_Name->text(), path);
        return true;
    });
    if (written && documentOpeningAllowed()) QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace vintrel
