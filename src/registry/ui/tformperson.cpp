#include "tformperson.h"

#include "widgets/dialogframe.h"
#include "widgets/forwardingprompter.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "app/helppage.h"
#include "data/datasource.h"
#include "data/dm.h"
#include "registry/people.h"
#include "widgets/datagrid.h"
#include "widgets/datefieldedit.h"
#include "widgets/dbnavigator.h"
#include "widgets/documentviewer.h"
#include "widgets/fieldbinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

void setHint(QWidget *w, const QString &hint)
{
    w->setToolTip(hint);
    w->setStatusTip(hint);
}

constexpr auto kRequired = u"Обязательное поле";

} // namespace

TFormPerson::TFormPerson(TDM &dm, CurrentContext &context, const Workspace &workspace,
                         Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_context(context), m_workspace(workspace),
      m_prompter(std::make_unique<ForwardingPrompter>(prompter))
{
    setUpModalWindow(this, u"FormPerson"_s, u"Человек"_s);

    auto *layout = new QVBoxLayout(this);
    addHeading(layout, this, u"ВВОД И РЕДАКТИРОВАНИЕ ИНФОРМАЦИИ О ЧЕЛОВЕКЕ"_s);

    auto *middle = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    edt_search = new QLineEdit(this);
    edt_search->setObjectName(u"edt_search"_s);
    setHint(edt_search, u"Быстрый поиск по фамилии, введите первые буквы"_s);
    connect(edt_search, &QLineEdit::textChanged, this, &TFormPerson::searchChanged);
    // Enter posts the person and closes the window.
    connect(edt_search, &QLineEdit::returnPressed, this, &QDialog::accept);
    left->addWidget(edt_search);
    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(u"DBGrid1"_s);
    DBGrid1->bind(dm.DS_PERSON, {u"SURNAME"_s, u"NAME"_s});
    DBGrid1->setReadOnly(true);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->horizontalHeader()->hide();
    DBGrid1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    DBGrid1->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    DBGrid1->setFixedWidth(250);
    left->addWidget(DBGrid1, 1);
    middle->addLayout(left);
    middle->addWidget(buildFields(), 1);
    layout->addLayout(middle, 1);

    auto *bottom = new QHBoxLayout;
    lbl_RecNo = new QLabel(this);
    lbl_RecNo->setObjectName(u"lbl_RecNo"_s);
    lbl_RecNo->setMinimumWidth(90);
    bottom->addWidget(lbl_RecNo);
    DBNavigator1 = new DBNavigator(this);
    DBNavigator1->setObjectName(u"DBNavigator1"_s);
    DBNavigator1->bind(dm.tbl_PERSON, m_prompter.get());
    // People are never deleted here.
    DBNavigator1->setButtonVisible(DBNavigator::Delete, false);
    DBNavigator1->setButtonVisible(DBNavigator::Refresh, false);
    const std::pair<DBNavigator::Button, QString> hints[] = {
        {DBNavigator::First, u"Перейти к первому"_s},
        {DBNavigator::Prior, u"Перейти к предыдущему"_s},
        {DBNavigator::Next, u"Перейти к следующему"_s},
        {DBNavigator::Last, u"Перейти к последнему"_s},
        {DBNavigator::Insert, u"Добавить нового"_s},
        {DBNavigator::Edit, u"Редактировать данные текущего"_s},
        {DBNavigator::Post, u"Сохранить изменения"_s},
        {DBNavigator::Cancel, u"Отменить изменения"_s},
    };
    for (const auto &[button, hint] : hints)
        setHint(DBNavigator1->button(button), hint);
    DBNavigator1->setAction(DBNavigator::Insert, [this] {
        beginNewPerson(m_dm);
        ed_SURNAME->setFocus();
    });
    bottom->addWidget(DBNavigator1);
    bottom->addStretch(1);
    btn_Org = new QPushButton(u"Список организаций"_s, this);
    btn_Org->setObjectName(u"btn_Org"_s);
    btn_Org->setAutoDefault(false);
    btn_Org->setEnabled(false); // until the organizations window is given
    connect(btn_Org, &QPushButton::clicked, this, [this] {
        if (!m_openOrganizations) return;
        m_openOrganizations();
        refreshChoices(); // organizations may have been added there
    });
    bottom->addWidget(btn_Org);
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

    Table &people = *dm.tbl_PERSON;
    for (auto signal : {&DataSet::afterScroll, &DataSet::rowsReset})
        connect(&people, signal, this, &TFormPerson::refreshRecordNumber);
    connect(&people, &DataSet::rowChanged, this, &TFormPerson::refreshRecordNumber);
    connect(&people, &Table::stateChanged, this, &TFormPerson::refreshRecordNumber);
    // A person ticked or unticked as a trainer shows in the trainer lists at once.
    connect(dm.tbl_TRAIN, &DataSet::rowsReset, this, &TFormPerson::refreshTrainerChoices);
    connect(dm.tbl_TRAIN, &DataSet::rowChanged, this, &TFormPerson::refreshTrainerChoices);

    refreshChoices();
    refreshRecordNumber();
    setFixedSize(860, 560);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TFormPerson::~TFormPerson() = default;

QWidget *TFormPerson::buildFields()
{
    auto *box = new QFrame(this);
    box->setObjectName(u"pnl_Fields"_s);
    box->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(box);
    Table &people = *m_dm.tbl_PERSON;
    Prompter &prompter = *m_prompter;
    int row = 0;
    // Each row: a caption in the first column, then its controls side by side. Widgets are
    // made in reading order, which is the order the Tab key follows.
    QHBoxLayout *line = nullptr;
    const auto newRow = [&](const QString &caption, const QString &captionHint = {}) {
        auto *label = new QLabel(caption, box);
        if (!captionHint.isEmpty()) setHint(label, captionHint);
        grid->addWidget(label, row, 0);
        line = new QHBoxLayout;
        grid->addLayout(line, row++, 1);
        return label;
    };
    const auto caption = [&](const QString &text) {
        auto *label = new QLabel(text, box);
        line->addWidget(label);
        return label;
    };
    const auto edit = [&](const QString &field, const QString &hint, int stretch = 1) {
        auto *e = new QLineEdit(box);
        e->setObjectName(u"ed_"_s + field);
        setHint(e, hint);
        line->addWidget(e, stretch);
        m_binders << bindLineEdit(e, people, field, prompter);
        return e;
    };
    const auto date = [&](const QString &field, const QString &hint) {
        auto *e = new DateFieldEdit(box);
        e->setObjectName(u"ed_"_s + field);
        setHint(e, hint);
        e->setMinimumWidth(110);
        line->addWidget(e);
        m_binders << bindDateEdit(e, people, field, prompter);
        return e;
    };
    const auto check = [&](const QString &field, const QString &text, const QString &hint) {
        auto *c = new QCheckBox(text, box);
        c->setObjectName(u"cb_"_s + field);
        setHint(c, hint);
        line->addWidget(c);
        m_binders << bindCheckBox(c, people, field, prompter);
        return c;
    };
    const auto lookup = [&](const QString &field, const QString &hint) {
        auto *c = new QComboBox(box);
        c->setObjectName(u"cb_"_s + field);
        c->setMinimumWidth(200);
        setHint(c, hint);
        line->addWidget(c);
        auto *binder = new LookupComboBinder(c, people, field, prompter);
        m_binders << binder;
        return std::make_pair(c, binder);
    };

    newRow(u"Фамилия"_s, QString::fromUtf16(kRequired));
    ed_SURNAME = edit(u"SURNAME"_s, u"Поле ввода фамилии человека"_s);
    newRow(u"Имя"_s, QString::fromUtf16(kRequired));
    edit(u"NAME"_s, u"Поле ввода имени человека"_s);
    newRow(u"Отчество"_s);
    edit(u"PATRONYMIC"_s, u"Поле ввода отчества человека"_s);
    newRow(u"Дата рождения"_s);
    date(u"BIRTHDAY"_s, u"Поле ввода даты рождения человека"_s);
    caption(u"Место рождения"_s);
    edit(u"PLACE_BIRTH"_s, u"Поле ввода места рождения человека"_s);
    newRow(QString());
    check(u"PASSPORT"_s, u"Паспорт"_s,
          u"Если есть паспорт, то необходимо поставить галочку, иначе только свидетельство о "
          u"рождении"_s);
    caption(u"Серия"_s);
    edit(u"P_SER"_s, u"Паспорт или св-во: серия"_s);
    caption(u"№"_s);
    edit(u"P_NUM"_s, u"Паспорт или св-во: номер"_s);
    newRow(u"Выдан : когда"_s);
    date(u"P_DATA"_s, u"Паспорт или св-во: когда выдан"_s);
    caption(u"кем"_s);
    edit(u"P_KEM"_s, u"Паспорт или св-во: кем выдан"_s);
    newRow(u"Место жительства :"_s);
    edit(u"DOMICILE"_s, u"Поле ввода места жительства"_s);
    newRow(u"Место прописки :"_s);
    edit(u"VISA"_s, u"Поле ввода места прописки"_s);
    newRow(u"ИНН №"_s);
    edit(u"INN"_s, u"Номер ИНН"_s);
    caption(u"Страховое свидетельство"_s);
    edit(u"INSURANCE"_s, u"Номер страхового свидетельства"_s);
    newRow(u"Телефон: дом. "_s);
    edit(u"TEL_HOME"_s, u"Домашний телефон"_s);
    caption(u"раб."_s);
    edit(u"TEL_WORK"_s, u"Рабочий телефон"_s);
    newRow(u"Разряд, Категория, Должность"_s);
    edit(u"STATE"_s, u"Поле ввода разряда участника или категории судьи или должности "
                     u"обслуживающего персонала"_s);
    newRow(u"Организация"_s, QString::fromUtf16(kRequired));
    auto [orgCombo, orgBinder] =
        lookup(u"NUM_ORG"_s, u"Поле ввода организации к которой принадлежит человек"_s);
    m_org = orgBinder;
    // The binder stores the choice; the organization's row becomes current as well.
    connect(orgCombo, &QComboBox::activated, this, [this, combo = orgCombo](int index) {
        const QVariant org = combo->itemData(index);
        runCommand(*m_prompter, [&] {
            chooseOrganization(m_dm, org);
            return true;
        });
    });
    line->addStretch(1);
    newRow(QString());
    check(u"TRAINER"_s, u"Тренер"_s,
          u"Если человек является тренером, то необходимо поставить галочку"_s);
    newRow(u"Тренер 1"_s);
    m_trainers << lookup(u"NUM_TRAIN1"_s, u"Если есть первый тренер, то выбрать из списка "
                                          u"тренеров"_s)
                      .second;
    line->addStretch(1);
    newRow(u"Тренер 2"_s);
    m_trainers << lookup(u"NUM_TRAIN2"_s, u"Если есть второй тренер, то выбрать из списка "
                                          u"тренеров"_s)
                      .second;
    line->addStretch(1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
    return box;
}

void TFormPerson::setPrompter(Prompter &prompter)
{
    m_prompter->setTarget(prompter);
}

void TFormPerson::setOrganizationsOpener(std::function<void()> open)
{
    m_openOrganizations = std::move(open);
    btn_Org->setEnabled(bool(m_openOrganizations));
}

void TFormPerson::refreshChoices()
{
    m_org->setChoices(organizationChoices(m_dm));
    refreshTrainerChoices();
}

void TFormPerson::refreshTrainerChoices()
{
    const auto choices = trainerChoices(m_dm);
    for (LookupComboBinder *trainer : m_trainers)
        trainer->setChoices(choices);
}

void TFormPerson::refreshRecordNumber()
{
    const QVariant num = m_dm.tbl_PERSON->value(u"NUM"_s);
    lbl_RecNo->setText(num.isNull() ? QString() : u"№ %1"_s.arg(num.toInt()));
}

void TFormPerson::searchChanged(const QString &text)
{
    runCommand(*m_prompter, [&] { return findSurname(*m_dm.tbl_PERSON, text); });
}

void TFormPerson::showEvent(QShowEvent *event)
{
    // What the window shows is read again each time it opens.
    refreshChoices();
    for (FieldBinder *binder : m_binders)
        binder->refresh();
    refreshRecordNumber();
    edt_search->blockSignals(true);
    edt_search->clear();
    edt_search->blockSignals(false);
    QDialog::showEvent(event);
    ed_SURNAME->setFocus();
}

void TFormPerson::done(int result)
{
    if (!runCommand(*m_prompter, [this] { return closePeople(m_dm, m_context, *m_prompter); }))
        return;
    QDialog::done(result);
}

} // namespace vintrel
