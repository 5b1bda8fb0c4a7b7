#include "store.h"

#include "dataset.h"
#include "schema.h"
#include "storeerror.h"

#include <QFileInfo>
#include <QSqlError>
#include <QUuid>

#include <algorithm>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

QString newConnectionName()
{
    return u"vintrel-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QSqlDatabase openConnection(const QString &connection, const QString &filePath)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
    db.setDatabaseName(filePath);
    if (!db.open())
        throw StoreError(
            u"Не удалось открыть базу данных «%1»: %2"_s.arg(filePath, db.lastError().text()));
    return db;
}

void runPragmas(Store &store)
{
    store.exec(u"PRAGMA journal_mode=DELETE"_s);
    store.exec(u"PRAGMA synchronous=FULL"_s);
}

} // namespace

Store::Store(const QString &filePath) : m_filePath(filePath), m_connection(newConnectionName())
{
    const QFileInfo info(filePath);
    if (!info.isFile()) throw StoreError(u"Файл базы данных не найден: %1"_s.arg(filePath));
    try {
        openConnection(m_connection, filePath);
        runPragmas(*this);
        verifySchema();
    } catch (...) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
        throw;
    }
}

Store::~Store()
{
    m_prepared.clear(); // statements go before their connection
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

void Store::create(const QString &filePath)
{
    if (QFileInfo::exists(filePath))
        throw StoreError(u"База данных уже существует: %1"_s.arg(filePath));
    const QString connection = newConnectionName();
    {
        QSqlDatabase db = openConnection(connection, filePath);
        const auto run = [&db](const QString &sql) {
            QSqlQuery q(db);
            if (!q.exec(sql))
                throw StoreError(u"Ошибка создания базы данных: %1"_s.arg(q.lastError().text()));
        };
        run(u"PRAGMA journal_mode=DELETE"_s);
        run(u"BEGIN"_s);
        for (const QString &statement : schemaCreateStatements())
            run(statement);
        run(u"COMMIT"_s);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

QSqlDatabase Store::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

QSqlQuery Store::exec(const QString &sql, const QVariantList &values)
{
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw StoreError(u"Ошибка SQL: %1"_s.arg(q.lastError().databaseText()));
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec()) throw StoreError(u"Ошибка SQL: %1"_s.arg(q.lastError().databaseText()));
    return q;
}

void Store::execPrepared(const QString &sql, const QVariantList &values,
                         const std::function<void(QSqlQuery &)> &use)
{
    // A statement already running further up the stack gets a fresh one of its own.
    if (m_preparedInUse.contains(sql)) {
        QSqlQuery q = exec(sql, values);
        if (use) use(q);
        return;
    }
    std::shared_ptr<QSqlQuery> &slot = m_prepared[sql];
    if (!slot) {
        auto q = std::make_shared<QSqlQuery>(database());
        q->setForwardOnly(true);
        if (!q->prepare(sql)) {
            m_prepared.remove(sql);
            throw StoreError(u"Ошибка SQL: %1"_s.arg(q->lastError().databaseText()));
        }
        slot = q;
    }
    const std::shared_ptr<QSqlQuery> q = slot;
    m_preparedInUse.insert(sql);
    struct Finish {
        Store *store;
        QSqlQuery &q;
        const QString &sql;
        ~Finish()
        {
            q.finish();
            store->m_preparedInUse.remove(sql);
        }
    } finish{this, *q, sql};
    for (int i = 0; i < values.size(); ++i)
        q->bindValue(i, values[i]);
    if (!q->exec()) throw StoreError(u"Ошибка SQL: %1"_s.arg(q->lastError().databaseText()));
    if (use) use(*q);
}

void Store::verifySchema()
{
    for (const TableDef &t : schemaTables()) {
        QSqlQuery q = exec(u"PRAGMA table_info(%1)"_s.arg(t.name));
        QStringList columns;
        while (q.next())
            columns << q.value(1).toString();
        QStringList expected;
        for (const FieldDef *f : t.storedFields())
            expected << f->name;
        if (columns.isEmpty()) throw StoreError(u"В базе данных нет таблицы %1."_s.arg(t.name));
        if (columns != expected)
            throw StoreError(
                u"Таблица %1 не соответствует описанию: ожидались поля %2, а найдены %3."_s.arg(
                    t.name, expected.join(u", "_s), columns.join(u", "_s)));
    }
}

void Store::registerDataSet(DataSet *set)
{
    m_sets.push_back(set);
}

void Store::unregisterDataSet(DataSet *set)
{
    m_sets.erase(std::remove(m_sets.begin(), m_sets.end(), set), m_sets.end());
}

void Store::refreshAll()
{
    const bool outer = !m_rereading;
    m_rereading = true;
    try {
        for (DataSet *set : std::vector<DataSet *>(m_sets))
            set->reloadAfterRollback();
    } catch (...) {
        if (outer) m_rereading = false;
        throw;
    }
    if (outer) m_rereading = false;
}

void Store::begin()
{
    exec(u"SAVEPOINT cmd%1"_s.arg(m_depth + 1));
    ++m_depth;
}

void Store::commit()
{
    exec(u"RELEASE cmd%1"_s.arg(m_depth));
    --m_depth;
}

void Store::rollback()
{
    // Never throws: it runs from a guard's destructor while an error is on its way up.
    QSqlQuery q(database());
    q.exec(u"ROLLBACK TO cmd%1"_s.arg(m_depth));
    q.exec(u"RELEASE cmd%1"_s.arg(m_depth));
    --m_depth;
    try {
        refreshAll();
    } catch (...) {
    }
}

} // namespace vintrel
