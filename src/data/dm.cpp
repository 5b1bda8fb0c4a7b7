#include "dm.h"

#include "storeerror.h"

#include <QDate>
#include <QSqlQuery>

#include <algorithm>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

// A trainer reference of 1 or empty means "no trainer".
constexpr int kNoTrainer = 1;

struct TrainerNames {
    QVariant surname, name, patronymic;
};

} // namespace

QString tourFilter(int aspect, int tourKind)
{
    return u"NUM_ASPECT=%1 AND NUM_TOUR=%2"_s.arg(aspect).arg(tourKind);
}

Table *TDM::makeTable(const QString &tableName, DataSource *&source)
{
    auto *t = new Table(*m_store, *schemaTable(tableName), this);
    source = new DataSource(t, this);
    source->setObjectName(u"DS_"_s + t->objectName().mid(4));
    m_tables.push_back(t);
    return t;
}

TDM::TDM(const QString &databaseFile, QObject *parent)
    : QObject(parent), m_store(std::make_unique<Store>(databaseFile))
{
    setObjectName(u"DM"_s);
    // The opening order matters: VARIANT comes after the tables its tour change filters.
    tbl_COMP = makeTable(u"T_COMP"_s, DS_COMP);
    tbl_PERSON = makeTable(u"T_PERSON"_s, DS_PERSON);
    tbl_ORG = makeTable(u"T_ORG"_s, DS_ORG);
    tbl_ASPECT = makeTable(u"T_ASPECT"_s, DS_ASPECT);
    tbl_PART = makeTable(u"T_PART"_s, DS_PART);
    tbl_TRAIN = makeTable(u"T_TRAIN"_s, DS_TRAIN);
    tbl_JUDGE = makeTable(u"T_JUDGE"_s, DS_JUDGE);
    tbl_REZ_TOUR = makeTable(u"REZ_TOUR"_s, DS_REZ_TOUR);
    tbl_REZ_OLIMP = makeTable(u"REZ_OLIMP"_s, DS_REZ_OLIMP);
    tbl_NAME_TOUR = makeTable(u"NAME_TOUR"_s, DS_NAME_TOUR);
    tbl_TOUR_PR = makeTable(u"TOUR_PR"_s, DS_TOUR_PR);
    tbl_TOUR_OLIMP = makeTable(u"TOUR_OLIMP"_s, DS_TOUR_OLIMP);
    tbl_VT = makeTable(u"T_VT"_s, DS_VT);
    tbl_VARIANT = makeTable(u"VARIANT"_s, DS_VARIANT);
    tbl_OBSL = makeTable(u"T_OBSL"_s, DS_OBSL);
    tbl_NUM = makeTable(u"num"_s, DS_NUM);
    qr_Temp = new Query(*m_store, this);
    qr_Temp->setObjectName(u"qr_Temp"_s);
    DS_Temp = new DataSource(qr_Temp, this);

    tbl_PERSON->beforePost = [this](Table &t) { personBeforePost(t); };
    tbl_PERSON->afterPost = [this](Table &t) { personAfterPost(t); };
    tbl_ASPECT->beforePost = [this](Table &t) { aspectBeforePost(t); };
    tbl_ASPECT->beforeRemove = [this](Table &t) { aspectBeforeRemove(t); };
    connect(tbl_VARIANT, &DataSet::afterScroll, this, &TDM::tourChange);

    for (Table *t : m_tables)
        t->open();
}

TDM::~TDM()
{
    try {
        closeAll();
    } catch (...) {
    }
    // The table objects and their sources go while the store they read from still exists.
    const QObjectList owned = children();
    qDeleteAll(owned);
}

Table *TDM::table(const QString &name) const
{
    for (Table *t : m_tables)
        if (t->objectName().compare(name, Qt::CaseInsensitive) == 0 ||
            t->def().name.compare(name, Qt::CaseInsensitive) == 0)
            return t;
    return nullptr;
}

DataSource *TDM::dataSource(const Table *table) const
{
    for (QObject *child : children())
        if (auto *ds = qobject_cast<DataSource *>(child); ds && ds->dataSet() == table) return ds;
    return nullptr;
}

void TDM::closeAll(const std::function<bool(const QString &)> &onError)
{
    if (m_closed) return;
    m_closed = true;
    static const QStringList closingOrder{
        u"T_COMP"_s,  u"T_PERSON"_s, u"T_ORG"_s,     u"T_ASPECT"_s,  u"T_PART"_s,  u"T_TRAIN"_s,
        u"T_JUDGE"_s, u"REZ_TOUR"_s, u"REZ_OLIMP"_s, u"NAME_TOUR"_s, u"TOUR_PR"_s, u"TOUR_OLIMP"_s,
        u"VARIANT"_s, u"T_OBSL"_s,   u"T_VT"_s,      u"num"_s};
    disconnect(tbl_VARIANT, nullptr, this, nullptr);
    for (const QString &name : closingOrder) {
        Table *t = table(name);
        try {
            t->post(); // nothing typed is lost at exit
        } catch (const StoreError &e) {
            if (onError && !onError(e.message())) throw;
            t->cancel();
        }
        t->close();
    }
}

int TDM::currentTourKind() const
{
    return tbl_VARIANT->isEmpty() ? 0 : tbl_VARIANT->intValue(u"NUM_TOUR"_s);
}

void TDM::tourChange()
{
    // Re-reading after an undo keeps every cursor where it was, so the filters still hold;
    // re-filtering then would only disturb rows that are being edited.
    if (m_store->isRereading()) return;
    const int aspect = tbl_ASPECT->isEmpty() ? -1 : tbl_ASPECT->intValue(u"NUM"_s);
    const int tour = currentTourKind();
    const QString filter = tourFilter(aspect, tour);
    const bool pool = isPoolTour(tour);
    if (pool)
        tbl_TOUR_PR->applyFilter(filter);
    else
        tbl_TOUR_OLIMP->applyFilter(filter);
    emit tourGridChanged(pool);
    tbl_VT->applyFilter(filter);
}

QList<int> TDM::otherAspectNumbers(qint64 exceptRowid)
{
    QList<int> numbers;
    m_store->execPrepared(u"SELECT NUM FROM T_ASPECT WHERE rowid <> ? AND NUM IS NOT NULL"_s,
                          {exceptRowid}, [&numbers](QSqlQuery &q) {
                              while (q.next())
                                  numbers << q.value(0).toInt();
                          });
    return numbers;
}

// The aspect list selects aspect i by filtering NUM=i, so the numbers must run 0, 1, 2, …
// without gaps or repeats; and an aspect is only run by a variant that exists.
void TDM::aspectBeforePost(Table &aspect)
{
    const qint64 rowid = aspect.state() == Table::State::Edit ? aspect.bookmark() : -1;
    const QList<int> others = otherAspectNumbers(rowid);
    const QVariant typed = aspect.value(u"NUM"_s);
    if (!typed.isNull()) {
        const int num = typed.toInt();
        int free = 0;
        while (others.contains(free))
            ++free;
        if (others.contains(num))
            throw StoreError(u"Вид с номером %1 уже есть. Виды нумеруются подряд: 0, 1, 2, … "
                             u"— этому виду подходит номер %2."_s.arg(num)
                                 .arg(free));
        if (num < 0 || num > others.size())
            throw StoreError(u"Номер вида %1 недопустим: виды нумеруются подряд с нуля, без "
                             u"пропусков — этому виду подходит номер %2."_s.arg(num)
                                 .arg(free));
    }

    int lowest = 0, highest = 0;
    m_store->execPrepared(u"SELECT MIN(NUM), MAX(NUM) FROM VARIANT"_s, {}, [&](QSqlQuery &q) {
        if (q.next()) lowest = q.value(0).toInt(), highest = q.value(1).toInt();
    });
    const QVariant variant = aspect.value(u"VARIANT"_s);
    if (variant.isNull())
        throw StoreError(u"Укажите вариант проведения вида (номер от %1 до %2 из списка "
                         u"вариантов)."_s.arg(lowest)
                             .arg(highest));
    bool known = false;
    m_store->execPrepared(u"SELECT 1 FROM VARIANT WHERE NUM = ? LIMIT 1"_s, {variant},
                          [&known](QSqlQuery &q) { known = q.next(); });
    if (!known)
        throw StoreError(u"Варианта %1 нет в списке вариантов проведения: укажите номер от %2 "
                         u"до %3."_s.arg(variant.toInt())
                             .arg(lowest)
                             .arg(highest));
}

// Deleting an aspect from the middle would leave a gap in the numbering.
void TDM::aspectBeforeRemove(Table &aspect)
{
    const int num = aspect.intValue(u"NUM"_s);
    const QList<int> others = otherAspectNumbers(aspect.bookmark());
    for (int other : others)
        if (other > num)
            throw StoreError(u"Удалить можно только вид с наибольшим номером (%1): иначе в "
                             u"нумерации видов 0, 1, 2, … появится пропуск."_s.arg(
                                 *std::max_element(others.begin(), others.end())));
}

// A date of birth or of issue still to come is a typing error; a date already stored is left
// as it is, so that an old row can still be edited.
void TDM::refuseFutureDates(Table &person)
{
    static const std::pair<const char16_t *, const char16_t *> kDates[] = {
        {u"BIRTHDAY", u"Дата рождения"}, {u"P_DATA", u"Дата выдачи документа"}};
    const QDate today = QDate::currentDate();
    for (const auto &[field, caption] : kDates) {
        const QString name = QString::fromUtf16(field);
        const QDate typed = person.value(name).toDate();
        if (!typed.isValid() || typed <= today) continue;
        QVariant stored;
        if (person.state() == Table::State::Edit)
            m_store->execPrepared(u"SELECT %1 FROM T_PERSON WHERE rowid = ?"_s.arg(name),
                                  {person.bookmark()}, [&stored](QSqlQuery &q) {
                                      if (q.next()) stored = q.value(0);
                                  });
        if (!stored.isNull() && QDate::fromString(stored.toString(), Qt::ISODate) == typed)
            continue;
        throw StoreError(u"%1 %2 ещё не наступила: проверьте дату."_s.arg(
            QString::fromUtf16(caption), typed.toString(u"dd.MM.yyyy"_s)));
    }
}

// Person number 1 means "no trainer" in every trainer reference, so no person may get it: a
// register that has never held a row starts at 2.
void TDM::reservePersonNumberOne()
{
    bool counted = false;
    m_store->execPrepared(u"SELECT seq FROM sqlite_sequence WHERE name = 'T_PERSON'"_s, {},
                          [&counted](QSqlQuery &q) { counted = q.next(); });
    if (counted) {
        m_store->execPrepared(
            u"UPDATE sqlite_sequence SET seq = 1 WHERE name = 'T_PERSON' AND seq < 1"_s, {});
        return;
    }
    int highest = 0;
    m_store->execPrepared(u"SELECT IFNULL(MAX(NUM), 0) FROM T_PERSON"_s, {},
                          [&highest](QSqlQuery &q) {
                              if (q.next()) highest = q.value(0).toInt();
                          });
    if (highest < 1)
        m_store->execPrepared(u"INSERT INTO sqlite_sequence (name, seq) VALUES ('T_PERSON', 1)"_s,
                              {});
}

void TDM::personBeforePost(Table &person)
{
    refuseFutureDates(person);
    if (person.state() == Table::State::Insert) reservePersonNumberOne();
    if (person.value(u"TRAINER"_s).toBool()) return;
    const auto trainerNames = [this](int personNum) {
        TrainerNames names;
        if (personNum == kNoTrainer) return names;
        m_store->execPrepared(
            u"SELECT SURNAME, NAME, PATRONYMIC FROM T_TRAIN WHERE NUM_PERS = ? ORDER BY NUM LIMIT 1"_s,
            {personNum}, [&names](QSqlQuery &q) {
                if (q.next()) names = {q.value(0), q.value(1), q.value(2)};
            });
        return names;
    };
    const auto reference = [&person](const QString &field) {
        const QVariant v = person.value(field);
        return v.isNull() ? kNoTrainer : v.toInt();
    };
    const int t1 = reference(u"NUM_TRAIN1"_s);
    const int t2 = reference(u"NUM_TRAIN2"_s);
    const TrainerNames n1 = trainerNames(t1), n2 = trainerNames(t2);
    person.setValue(u"NUM_TRAIN1"_s, t1);
    person.setValue(u"SURNAME1"_s, n1.surname);
    person.setValue(u"NAME1"_s, n1.name);
    person.setValue(u"PATRONYMIC1"_s, n1.patronymic);
    person.setValue(u"NUM_TRAIN2"_s, t2);
    person.setValue(u"SURNAME2"_s, n2.surname);
    person.setValue(u"NAME2"_s, n2.name);
    person.setValue(u"PATRONYMIC2"_s, n2.patronymic);
}

void TDM::personAfterPost(Table &person)
{
    const int num = person.postedValue(u"NUM"_s).toInt();
    bool hasTrainerRow = false;
    m_store->execPrepared(u"SELECT NUM FROM T_TRAIN WHERE NUM_PERS = ?"_s, {num},
                          [&hasTrainerRow](QSqlQuery &q) { hasTrainerRow = q.next(); });
    const bool trainer = person.postedValue(u"TRAINER"_s).toBool();
    if (trainer && !hasTrainerRow) {
        const QVariant org = person.postedValue(u"NUM_ORG"_s);
        QVariant orgShort;
        if (!org.isNull()) {
            // The organization is taken by its number, not from whatever row a window shows.
            QSqlQuery q = m_store->exec(u"SELECT ORG_SHORT FROM T_ORG WHERE NUM = ?"_s, {org});
            if (q.next()) orgShort = q.value(0);
        }
        const Bookmark keep = tbl_TRAIN->bookmark();
        tbl_TRAIN->append();
        tbl_TRAIN->setValue(u"NUM_PERS"_s, num);
        tbl_TRAIN->setValue(u"NUM_ORG"_s, org);
        tbl_TRAIN->setValue(u"SURNAME"_s, person.postedValue(u"SURNAME"_s));
        tbl_TRAIN->setValue(u"NAME"_s, person.postedValue(u"NAME"_s));
        tbl_TRAIN->setValue(u"PATRONYMIC"_s, person.postedValue(u"PATRONYMIC"_s));
        tbl_TRAIN->setValue(u"ORG"_s, orgShort);
        tbl_TRAIN->post();
        if (keep) tbl_TRAIN->gotoBookmark(keep);
    } else if (!trainer && hasTrainerRow) {
        // The trainer rows leave the table object too, without re-reading all of it.
        const Bookmark keep = tbl_TRAIN->bookmark();
        while (tbl_TRAIN->locate(u"NUM_PERS"_s, num))
            tbl_TRAIN->remove();
        m_store->exec(u"DELETE FROM T_TRAIN WHERE NUM_PERS = ?"_s, {num}); // rows not shown
        tbl_TRAIN->gotoBookmark(keep);
    }
}

} // namespace vintrel
