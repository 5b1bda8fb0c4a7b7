#include "tformmain.h"

#include "aboutbox.h"
#include "app/command.h"
#include "pools/toursummary.h"
#include "app/commandtable.h"
#include "app/currentcontext.h"
#include "widgets/datagrid.h"
#include "widgets/datefieldedit.h"
#include "widgets/documentviewer.h"
#include "widgets/guiprompter.h"
#include "widgets/helpkey.h"
#include "app/helppage.h"
#include "app/tourstrip.h"

#include "pools/poolsheet.h"
#include "pools/ui/tformgroup.h"
#include "pools/ui/tformkolgroup.h"
#include "elimination/eliminationcommands.h"
#include "elimination/ui/tformolimp.h"
#include "registry/ui/tformcomp.h"
#include "tools/browsedtables.h"
#include "tools/competitioncommands.h"
#include "tools/toolcommands.h"
#include "tools/ui/archivedialog.h"
#include "tools/ui/tformsprav.h"
#include "tools/ui/tformsql.h"
#include "registry/ui/tformjudge.h"
#include "registry/ui/tformobsl.h"
#include "registry/ui/tformperson.h"
#include "registry/ui/tforminvid.h"
#include "registry/ui/tformorg.h"

#include "data/dm.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

const QStringList kPartColumns{u"SURNAME"_s, u"NAME"_s,  u"ORG"_s,        u"FIGHT"_s,
                               u"VICTORY"_s, u"PRICK"_s, u"PRICK_PASS"_s, u"CLASSIFICATION"_s,
                               u"PLACE"_s,   u"START"_s};

// A fixed-width column of the window with its controls stacked.
QWidget *sidePanel(const QString &name, int width)
{
    auto *panel = new QWidget;
    panel->setObjectName(name);
    panel->setFixedWidth(width);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    return panel;
}

// A read-only grid selecting whole rows (the tour list, the pools or circles).
DataGrid *rowGrid(const QString &name, QWidget *parent)
{
    auto *grid = new DataGrid(parent);
    grid->setObjectName(name);
    grid->setReadOnly(true);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    return grid;
}

QMenu *addMenu(QMenuBar *bar, const QString &name, const QString &title, const QString &hint = {})
{
    QMenu *menu = bar->addMenu(title);
    menu->setObjectName(name);
    menu->setToolTipsVisible(true);
    if (!hint.isEmpty()) {
        menu->menuAction()->setStatusTip(hint);
        menu->menuAction()->setToolTip(hint);
    }
    return menu;
}

QLabel *makeLabel(const QString &name, QWidget *parent, Qt::Alignment align)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

QString dateText(const QVariant &value)
{
    const QDate d = value.toDate();
    return d.isValid() ? d.toString(u"dd.MM.yyyy"_s) : QString();
}

} // namespace

TFormMain::TFormMain(QWidget *parent)
    : QMainWindow(parent), m_ownPrompter(std::make_unique<GuiPrompter>(this)),
      m_prompter(m_ownPrompter.get())
{
    setObjectName(u"FormMain"_s);
    setWindowTitle(u"Программа для обслуживания соревнований по фехтованию"_s);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(buildTopPanel());
    auto *middle = new QHBoxLayout;
    middle->setSpacing(4);
    middle->addWidget(buildLeftPanel());
    DBGrid1 = new DataGrid(central);
    DBGrid1->setObjectName(u"DBGrid1"_s);
    // Ten columns share the centre of a 780-pixel window: a compact font keeps them all in view.
    QFont compact = DBGrid1->font();
    compact.setPointSizeF(std::min(8.0, compact.pointSizeF()));
    DBGrid1->setFont(compact);
    DBGrid1->horizontalHeader()->setFont(compact);
    DBGrid1->horizontalHeader()->setTextElideMode(Qt::ElideRight);
    DBGrid1->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                             QAbstractItemView::SelectedClicked);
    middle->addWidget(DBGrid1, 1);
    middle->addWidget(buildRightPanel());
    layout->addLayout(middle, 1);
    layout->addWidget(buildBottomPanel());
    setCentralWidget(central);

    m_openers = {
        {u"actCompetition"_s, [this] { openCompetition(); }},
        // Closing the people window runs the aspect change; the judges and staff windows not.
        {u"actPeople"_s,
         [this] {
             if (m_formPerson) m_formPerson->exec();
         }},
        {u"actJudges"_s,
         [this] {
             if (m_formJudge) m_formJudge->exec();
         }},
        {u"actStaff"_s,
         [this] {
             if (m_formObsl) m_formObsl->exec();
         }},
        {u"actOrganizations"_s, [this] { openOrganizations(); }},
        {u"actParticipants"_s, [this] { openParticipants(); }},
        {u"actHelp"_s, [this] { openHelp(); }},
        {u"actAbout"_s, [this] { showAbout(); }},
        {u"actExit"_s, [this] { close(); }},
        {u"actPreviewList"_s,
         [this] {
             if (m_formSprav && m_dm) m_formSprav->browseParticipantList(*m_dm, *m_context);
         }},
        {u"actPublish"_s, [this] { showPublicationNotice(*m_prompter); }},
        {u"actRestore"_s, [this] { showRestoreNotice(*m_prompter); }},
        {u"actSql"_s,
         [this] {
             if (!m_formSql) return;
             m_formSql->show(); // not modal: the main window stays usable
             m_formSql->raise();
             m_formSql->activateWindow();
         }},
        {u"actArchive"_s,
         [this] {
             if (m_dm && m_workspace) saveCompetitionAs(*m_dm, *m_workspace, *m_prompter, this);
         }},
    };
    for (const BrowsedTable &t : browsedTables())
        if (!t.isSeparator())
            m_openers.insert(tableEntryId(t.table), [this, t] {
                if (m_formSprav && m_dm) m_formSprav->browseTable(*m_dm, t.table, t.title);
            });
    buildMainMenu();
    buildContextMenu();
    statusBar()->setObjectName(u"StatusBar1"_s);

    resize(780, 580);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TFormMain::~TFormMain()
{
    // Child widgets still emit while Qt deletes them (an edit losing focus finishes editing);
    // by then this window is no longer whole, so nothing may reach it.
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
    if (m_dm) {
        m_dm->disconnect(this);
        for (QObject *owned : m_dm->children()) // its tables and data sources
            owned->disconnect(this);
    }
    if (m_context) m_context->disconnect(this);
}

QWidget *TFormMain::buildTopPanel()
{
    auto *panel = new QFrame;
    panel->setObjectName(u"Panel1"_s);
    panel->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(2);

    m_compName = makeLabel(u"lbl_NAME"_s, panel, Qt::AlignHCenter);
    QFont bold = m_compName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() + 2);
    m_compName->setFont(bold);
    m_compName->setWordWrap(true);
    layout->addWidget(m_compName);

    auto *placeRow = new QHBoxLayout;
    m_compPlace = makeLabel(u"lbl_PLACE"_s, panel, Qt::AlignLeft);
    m_compDates = makeLabel(u"lbl_DATA"_s, panel, Qt::AlignRight);
    placeRow->addWidget(m_compPlace, 1);
    placeRow->addWidget(m_compDates);
    layout->addLayout(placeRow);

    m_aspectName = makeLabel(u"lbl_ASPECT"_s, panel, Qt::AlignHCenter);
    QFont aspectFont = m_aspectName->font();
    aspectFont.setBold(true);
    m_aspectName->setFont(aspectFont);
    layout->addWidget(m_aspectName);
    m_tourName = makeLabel(u"lbl_TOUR"_s, panel, Qt::AlignHCenter);
    layout->addWidget(m_tourName);

    m_tourStrip = new QWidget(panel);
    m_tourStrip->setObjectName(u"TourStrip"_s);
    auto *strip = new QHBoxLayout(m_tourStrip);
    strip->setContentsMargins(0, 2, 0, 0);
    strip->addStretch(1);
    strip->addWidget(new QLabel(u"Дата проведения тура : "_s, m_tourStrip));
    m_tourDate = new DateFieldEdit(m_tourStrip);
    m_tourDate->setObjectName(u"ed_TOUR_DATE"_s);
    strip->addWidget(m_tourDate);
    strip->addSpacing(16);
    strip->addWidget(new QLabel(u"Участников в туре :"_s, m_tourStrip));
    m_tourKol = new QLineEdit(m_tourStrip);
    m_tourKol->setObjectName(u"ed_KOL"_s);
    m_tourKol->setValidator(
        new QRegularExpressionValidator(QRegularExpression(u"-?\\d{0,6}"_s), m_tourKol));
    m_tourKol->setMaximumWidth(60);
    strip->addWidget(m_tourKol);
    strip->addSpacing(16);
    m_tourHeld = new QCheckBox(u"Тур проведен"_s, m_tourStrip);
    m_tourHeld->setObjectName(u"cb_STATE"_s);
    strip->addWidget(m_tourHeld);
    strip->addStretch(1);
    layout->addWidget(m_tourStrip);
    m_tourStrip->setEnabled(false);

    connect(m_tourDate, &QDateEdit::editingFinished, this, &TFormMain::tourDateEntered);
    connect(m_tourKol, &QLineEdit::editingFinished, this, &TFormMain::tourParticipantsEntered);
    connect(m_tourHeld, &QCheckBox::clicked, this, &TFormMain::tourHeldClicked);
    // A double-click on the heading or any of its texts opens the competition window.
    for (QWidget *w : std::initializer_list<QWidget *>{panel, m_compName, m_compPlace, m_compDates,
                                                       m_aspectName, m_tourName})
        w->installEventFilter(this);
    return panel;
}

QWidget *TFormMain::buildLeftPanel()
{
    auto *panel = sidePanel(u"PanelLeft"_s, 155);
    auto *layout = static_cast<QVBoxLayout *>(panel->layout());

    VID = new QGroupBox(u"Вид соревнований"_s, panel);
    VID->setObjectName(u"VID"_s);
    m_vidLayout = new QVBoxLayout(VID);
    m_vidLayout->setSpacing(2);
    m_vidLayout->setContentsMargins(4, 4, 2, 4);
    m_vidButtons = new QButtonGroup(VID);
    m_vidButtons->setObjectName(u"VIDButtons"_s);
    layout->addWidget(VID);

    DBGrid2 = rowGrid(u"DBGrid2"_s, panel);
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(DBGrid2, 1);
    layout->addStretch(0); // keeps the aspect list compact while the tour list is hidden
    return panel;
}

QWidget *TFormMain::buildRightPanel()
{
    auto *panel = sidePanel(u"PanelRight"_s, 132);
    auto *layout = static_cast<QVBoxLayout *>(panel->layout());

    DBGrid3 = rowGrid(u"DBGrid3"_s, panel);
    DBGrid3->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(DBGrid3, 1);

    const auto button = [panel, layout](const QString &name, const QString &text) {
        auto *b = new QPushButton(text, panel);
        b->setObjectName(name);
        b->setEnabled(false); // its command comes with the pool and elimination windows
        layout->addWidget(b);
        return b;
    };
    Button2 = button(u"Button2"_s, u"Подготовка к туру"_s);
    Button1 = button(u"Button1"_s, u"Проведение тура"_s);
    BitBtn1 = button(u"BitBtn1"_s, u"Подвести итоги"_s);
    return panel;
}

QWidget *TFormMain::buildBottomPanel()
{
    auto *panel = new QWidget;
    panel->setObjectName(u"PanelBottom"_s);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *rg1 = new QGroupBox(u"Сортировать по :"_s, panel);
    rg1->setObjectName(u"rg1"_s);
    auto *row = new QHBoxLayout(rg1);
    row->setContentsMargins(8, 2, 8, 2);
    m_sortButtons = new QButtonGroup(rg1);
    m_sortButtons->setObjectName(u"rg1Buttons"_s);
    const QStringList items = CurrentContext::sortItems();
    for (int i = 0; i < items.size(); ++i) {
        auto *radio = new QRadioButton(items[i], rg1);
        radio->setObjectName(u"rg1_%1"_s.arg(i));
        m_sortButtons->addButton(radio, i);
        row->addWidget(radio);
    }
    m_sortButtons->button(0)->setChecked(true);
    connect(m_sortButtons, &QButtonGroup::idClicked, this, [this](int item) {
        if (m_context) m_context->setSortOrder(item);
    });
    layout->addWidget(rg1);
    layout->addStretch(1);

    lbl_COUNT = new QLabel(u"Участников в виде :"_s, panel);
    lbl_COUNT->setObjectName(u"lbl_COUNT"_s);
    layout->addWidget(lbl_COUNT);
    layout->addSpacing(8);
    return panel;
}

void TFormMain::buildMainMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(u"MainMenu1"_s);

    fillMenu(addMenu(bar, u"menuEdit"_s, u"Редактировать"_s, u"Редактирование информации"_s));
    fillMenu(addMenu(bar, u"menuReports"_s, u"Протоколы"_s,
                     u"Создание и распечатка необходимых протоколов"_s));
    m_tablesMenu = addMenu(bar, u"menuTables"_s, u"Таблицы"_s);
    fillMenu(m_tablesMenu);
    m_tablesMenu->menuAction()->setVisible(false); // shown in edit mode only
    fillMenu(addMenu(bar, u"menuCompetition"_s, u"Соревнование"_s));
    fillMenu(addMenu(bar, u"menuHelp"_s, u"Помощь"_s,
                     u"Получить допольнительную информацию по программе"_s));
    for (const CommandEntry &entry : entriesOf(bar->objectName()))
        addEntry(bar, entry);
}

void TFormMain::buildContextMenu()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(u"PopupMenu1"_s);
    fillMenu(m_popup);
}

void TFormMain::fillMenu(QMenu *menu)
{
    for (const CommandEntry &entry : entriesOf(menu->objectName()))
        addEntry(menu, entry);
}

void TFormMain::addEntry(QWidget *menu, const CommandEntry &entry)
{
    if (entry.kind == CommandEntry::Separator) {
        if (auto *m = qobject_cast<QMenu *>(menu)) m->addSeparator();
        return;
    }
    auto *action = new QAction(entry.text, menu);
    action->setObjectName(entry.id);
    if (!entry.hint.isEmpty()) {
        action->setStatusTip(entry.hint);
        action->setToolTip(entry.hint);
    }
    menu->addAction(action);

    // Entries whose windows and commands are not built yet stay disabled.
    std::function<void()> handler;
    if (entry.built && entry.run) {
        const ContextCommand command = entry.run;
        handler = [this, command] { runParticipantsCommand(command); };
    } else if (entry.built) {
        handler = m_openers.value(entry.id);
    }
    action->setEnabled(bool(handler));
    if (handler) connect(action, &QAction::triggered, this, handler);
}

void TFormMain::runParticipantsCommand(ContextCommand command)
{
    if (!m_dm || !m_context) return;
    // The cell being typed into hands its text to the table; the command stores it first.
    if (QWidget *editor = DBGrid1->indexWidget(DBGrid1->currentIndex()))
        emit DBGrid1->itemDelegate()->commitData(editor);
    runCommand(*m_prompter, [this, command] { return command(*m_dm, *m_context, *m_prompter); });
}

void TFormMain::attach(TDM &dm, CurrentContext &context, const Workspace &workspace,
                       AboutBox &about)
{
    m_dm = &dm;
    m_context = &context;
    m_workspace = workspace;
    m_about = &about;
    m_formComp = new TFormComp(dm, context, workspace, *m_prompter, this);
    m_formSprav = new TFormSprav(workspace, *m_prompter, this);
    m_formSql = new TFormSQL(workspace, dm.store().filePath(), *m_prompter, this);
    m_formOrg = new TFormORG(dm, workspace, *m_prompter, this);
    m_formInVid = new TFormInVid(dm, context, workspace, *m_prompter, this);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, &TFormMain::openParticipants);
    m_formPerson = new TFormPerson(dm, context, workspace, *m_prompter, this);
    m_formJudge = new TFormJudge(dm, workspace, *m_prompter, this);
    m_formObsl = new TFormObsl(dm, workspace, *m_prompter, this);
    // "Список организаций" of the people window opens the organizations over it.
    m_formPerson->setOrganizationsOpener([this] { m_formOrg->exec(); });
    m_formKolGroup = new TFormKolGroup(dm, context, workspace, *m_prompter, this);
    m_formGroup = new TFormGroup(dm, context, workspace, *m_prompter, this);
    m_formOlimp = new TFormOlimp(dm, context, workspace, *m_prompter, this);
    for (QPushButton *b : {Button2, Button1})
        b->setEnabled(true);
    connect(Button2, &QPushButton::clicked, this, &TFormMain::prepareTour);
    connect(Button1, &QPushButton::clicked, this, &TFormMain::conductTour);
    BitBtn1->setEnabled(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormMain::summarizeTourClicked);
    qApp->installEventFilter(new HelpKey(
        workspace, [this]() -> Prompter & { return *m_prompter; }, this));

    DBGrid1->bind(dm.DS_PART, kPartColumns);
    sizeParticipantColumns();
    connect(
        dm.DS_PART, &DataSource::editFailed, this,
        [this](const QString &message) { m_prompter->error(message); },
        Qt::QueuedConnection); // not from inside the grid's commit of the cell

    DBGrid2->bind(dm.DS_VARIANT, {u"name"_s});
    DBGrid2->setRowPicker([this](int row) { m_context->selectTourRow(row); });

    showTourGrid(TDM::isPoolTour(dm.currentTourKind()));
    connect(&dm, &TDM::tourGridChanged, this, &TFormMain::showTourGrid);

    connect(&context, &CurrentContext::aspectsReloaded, this, &TFormMain::rebuildAspectList);
    connect(&context, &CurrentContext::aspectSelected, this, &TFormMain::showAspectSelected);
    connect(&context, &CurrentContext::countTextChanged, lbl_COUNT, &QLabel::setText);
    connect(m_vidButtons, &QButtonGroup::idClicked, &context, &CurrentContext::selectAspect);
    lbl_COUNT->setText(context.countText());

    connect(dm.tbl_COMP, &DataSet::rowsReset, this, &TFormMain::refreshCompetition);
    connect(dm.tbl_COMP, &DataSet::rowChanged, this, &TFormMain::refreshCompetition);
    connect(dm.tbl_COMP, &DataSet::afterScroll, this, &TFormMain::refreshCompetition);
    connect(dm.tbl_ASPECT, &DataSet::rowsReset, this, &TFormMain::refreshAspectName);
    connect(dm.tbl_ASPECT, &DataSet::rowChanged, this, &TFormMain::refreshAspectName);
    connect(dm.tbl_ASPECT, &DataSet::afterScroll, this, &TFormMain::refreshAspectName);
    connect(dm.tbl_VT, &DataSet::rowsReset, this, &TFormMain::refreshTour);
    connect(dm.tbl_VT, &DataSet::rowChanged, this, &TFormMain::refreshTour);
    connect(dm.tbl_VT, &DataSet::afterScroll, this, &TFormMain::refreshTour);
    connect(dm.tbl_VT, &Table::stateChanged, this, &TFormMain::refreshTour);

    connect(&about, &AboutBox::editModeChanged, this, &TFormMain::setEditMode);
    connect(&about, &AboutBox::editModeChanged, m_formSprav, &TFormSprav::setEditMode);
    m_formSprav->setEditMode(about.editMode());
    setEditMode(about.editMode());

    rebuildAspectList(context.aspectNames());
    if (context.hasAspect()) showAspectSelected(context.currentAspect());
    refreshCompetition();
    refreshAspectName();
    refreshTour();
}

// The numbers take what their captions need; the surname takes what is left, first names
// and organizations are short.
void TFormMain::sizeParticipantColumns()
{
    QHeaderView *header = DBGrid1->horizontalHeader();
    header->setMinimumSectionSize(16);
    const QFontMetrics metrics(header->font());
    const auto captionWidth = [this, &metrics](int column) {
        return metrics.horizontalAdvance(
                   DBGrid1->model()->headerData(column, Qt::Horizontal).toString()) +
               4;
    };
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::Interactive);
    header->resizeSection(1, metrics.horizontalAdvance(u"Андрей"_s) + 18);
    header->setSectionResizeMode(2, QHeaderView::Interactive);
    header->resizeSection(2, captionWidth(2) + 4);
    for (int i = 3; i < kPartColumns.size(); ++i) {
        header->setSectionResizeMode(i, QHeaderView::Interactive);
        header->resizeSection(i, captionWidth(i));
    }
}

void TFormMain::rebuildAspectList(const QStringList &names)
{
    for (QAbstractButton *b : m_vidButtons->buttons()) {
        m_vidButtons->removeButton(b);
        delete b;
    }
    for (int i = 0; i < names.size(); ++i) {
        auto *radio = new QRadioButton(names[i], VID);
        radio->setObjectName(u"VID_%1"_s.arg(i));
        radio->setToolTip(names[i]); // a long name may not fit the panel
        m_vidButtons->addButton(radio, i);
        m_vidLayout->addWidget(radio);
    }
    // Without an aspect there is no variant to list tours of.
    DBGrid2->setVisible(!names.isEmpty());
}

void TFormMain::showAspectSelected(int item)
{
    if (QAbstractButton *b = m_vidButtons->button(item)) b->setChecked(true);
    refreshAspectName();
    refreshTour();
}

void TFormMain::showTourGrid(bool poolTour)
{
    if (!m_dm) return;
    if (poolTour)
        DBGrid3->bind(m_dm->DS_TOUR_PR, {u"NUM_GROUP"_s, u"KOL"_s});
    else
        DBGrid3->bind(m_dm->DS_TOUR_OLIMP, {u"NUM_CIRCLE"_s});
}

void TFormMain::prepareEliminationClicked()
{
    if (!m_dm || TDM::isPoolTour(m_dm->currentTourKind())) return;
    runParticipantsCommand(prepareEliminationTour);
}

void TFormMain::conductEliminationClicked()
{
    if (!m_dm || TDM::isPoolTour(m_dm->currentTourKind())) return;
    bool open = false;
    {
        DetachedSource detached(*m_dm->DS_PART);
        open = runCommand(*m_prompter,
                          [this] { return openEliminationTour(*m_dm, *m_context, *m_prompter); });
    }
    if (!open) return;
    m_formOlimp->exec();
    m_context->setSortOrder(m_context->sortOrder()); // the participants as ordered before
}

void TFormMain::refreshCompetition()
{
    const Table &comp = *m_dm->tbl_COMP;
    m_compName->setText(comp.text(u"NAME"_s));
    m_compPlace->setText(comp.text(u"PLACE"_s));
    const QString from = dateText(comp.value(u"DATA1"_s));
    const QString to = dateText(comp.value(u"DATA2"_s));
    m_compDates->setText(from.isEmpty() && to.isEmpty() ? QString() : from + u" - "_s + to);
}

void TFormMain::refreshAspectName()
{
    const bool shown = m_context && m_context->hasAspect();
    m_aspectName->setText(shown ? m_dm->tbl_ASPECT->text(u"NAME"_s) : QString());
}

void TFormMain::refreshTour()
{
    if (!m_dm || m_applyingStrip) return;
    const Table &tour = *m_dm->tbl_VT;
    const bool hasRow = m_context && m_context->hasAspect() && !tour.isEmpty();
    m_tourName->setText(hasRow ? tour.text(u"NAME_TOUR"_s) : QString());
    m_tourStrip->setEnabled(hasRow);

    const QSignalBlocker blockDate(m_tourDate), blockKol(m_tourKol), blockHeld(m_tourHeld);
    const QDate date = hasRow ? tour.value(u"TOUR_DATE"_s).toDate() : QDate();
    m_tourDate->setFieldDate(date);
    const QVariant kol = hasRow ? tour.value(u"KOL"_s) : QVariant();
    m_tourKol->setText(kol.isNull() ? QString() : QString::number(kol.toInt()));
    m_tourHeld->setChecked(hasRow && tour.value(u"STATE"_s).toBool());
}

void TFormMain::tourDateEntered()
{
    if (!m_dm || !m_tourStrip->isEnabled() || m_applyingStrip) return;
    const QDate typed = m_tourDate->fieldDate();
    if (typed == m_dm->tbl_VT->value(u"TOUR_DATE"_s).toDate())
        return; // nothing was changed: nothing to post
    m_applyingStrip = true;
    runCommand(*m_prompter, [&] { return setTourDate(*m_dm, *m_context, typed, *m_prompter); });
    m_applyingStrip = false;
    refreshTour();
}

void TFormMain::tourParticipantsEntered()
{
    if (!m_dm || !m_tourStrip->isEnabled() || m_applyingStrip) return;
    const QString text = m_tourKol->text().trimmed();
    bool ok = false;
    const int kol = text.toInt(&ok);
    const QVariant stored = m_dm->tbl_VT->value(u"KOL"_s);
    if (ok && !stored.isNull() && stored.toInt() == kol) return;
    if (ok) {
        m_applyingStrip = true;
        runCommand(*m_prompter,
                   [&] { return setTourParticipants(*m_dm, *m_context, kol, *m_prompter); });
        m_applyingStrip = false;
    }
    refreshTour(); // a refused or empty entry shows the stored number again
}

void TFormMain::tourHeldClicked(bool held)
{
    if (!m_dm || m_applyingStrip) return;
    m_applyingStrip = true;
    runCommand(*m_prompter, [&] { return setTourHeld(*m_dm, *m_context, held, *m_prompter); });
    m_applyingStrip = false;
    refreshTour();
}

void TFormMain::setEditMode(bool on)
{
    m_tablesMenu->menuAction()->setVisible(on);
}

void TFormMain::openHelp()
{
    if (m_workspace) showHelpPage(*m_workspace, QString::fromUtf16(kMainHelpPage), *m_prompter);
}

void TFormMain::setPrompter(Prompter &prompter)
{
    m_prompter = &prompter;
    if (m_formComp) m_formComp->setPrompter(prompter);
    if (m_formSprav) m_formSprav->setPrompter(prompter);
    if (m_formSql) m_formSql->setPrompter(prompter);
    if (m_formOrg) m_formOrg->setPrompter(prompter);
    if (m_formInVid) m_formInVid->setPrompter(prompter);
    if (m_formOlimp) m_formOlimp->setPrompter(prompter);
    if (m_formPerson) m_formPerson->setPrompter(prompter);
    if (m_formJudge) m_formJudge->setPrompter(prompter);
    if (m_formObsl) m_formObsl->setPrompter(prompter);
    if (m_formKolGroup) m_formKolGroup->setPrompter(prompter);
    if (m_formGroup) m_formGroup->setPrompter(prompter);
}

void TFormMain::summarizeTourClicked()
{
    if (!m_dm || !m_context) return;
    if (QWidget *editor = DBGrid1->indexWidget(DBGrid1->currentIndex()))
        emit DBGrid1->itemDelegate()->commitData(editor);
    // Places are written and committed before the preview shows them; the tour counts as held
    // once the preview has been closed.
    if (!runCommand(*m_prompter, [this] { return summarizeTour(*m_dm, *m_context, *m_prompter); }))
        return;
    m_formSprav->showData(m_dm->DS_Temp, summaryPreviewHeading(), true);
    runCommand(*m_prompter, [this] { return finishTourSummary(*m_dm, *m_context, *m_prompter); });
}

void TFormMain::prepareTour()
{
    if (!m_dm || !m_context || !m_context->hasTour()) return;
    if (TDM::isPoolTour(m_context->currentTourKind())) {
        m_formKolGroup->exec();
        return;
    }
    prepareEliminationClicked();
}

void TFormMain::conductTour()
{
    if (!m_dm || !m_context || !m_context->hasTour()) return;
    if (TDM::isPoolTour(m_context->currentTourKind())) {
        conductPoolTour();
        return;
    }
    conductEliminationClicked();
}

void TFormMain::conductPoolTour()
{
    // The participants grid lets go of its rows while the pool window works on them.
    DBGrid1->bind(nullptr, {});
    if (runCommand(*m_prompter,
                   [this] { return poolGroupsDefined(*m_dm, *m_context, *m_prompter); }))
        m_formGroup->exec();
    DBGrid1->bind(m_dm->DS_PART, kPartColumns);
    sizeParticipantColumns();
}

void TFormMain::openCompetition()
{
    // Closing the window stores its rows, generates the tours and runs the aspect change.
    if (m_formComp) m_formComp->exec();
}

void TFormMain::openOrganizations()
{
    if (!m_formOrg) return;
    m_formOrg->exec();
    m_context->selectAspect(m_context->currentAspect());
}

void TFormMain::openParticipants()
{
    if (!m_formInVid) return;
    m_formInVid->exec();
    m_context->selectAspect(m_context->currentAspect());
}

bool TFormMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        openCompetition();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFormMain::showAbout()
{
    if (m_about) m_about->exec();
}

void TFormMain::contextMenuEvent(QContextMenuEvent *event)
{
    m_popup->popup(event->globalPos());
    event->accept();
}

void TFormMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The participant order is applied once, when the window is first shown.
    if (m_context && !m_orderApplied) {
        m_orderApplied = true;
        m_context->setSortOrder(m_sortButtons->checkedId());
    }
}

} // namespace vintrel
