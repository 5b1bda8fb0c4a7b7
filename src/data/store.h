#pragma once

#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>
#include <vector>

namespace vintrel {

class DataSet;

// The connection to one competition database file. Every write runs inside a command
// transaction (see Transaction); after a rollback every registered data set is re-read, so
// what is shown is what the file holds.
class Store {
public:
    // Opens an existing database and checks that every table has its columns in order.
    // Throws StoreError when the file is missing, is not a database, or a table is wrong.
    explicit Store(const QString &filePath);
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    // Writes a new, empty database with every table (the file must not exist).
    static void create(const QString &filePath);

    QString filePath() const { return m_filePath; }
    QSqlDatabase database() const;

    // Runs one statement with bound values; throws StoreError with the database's message.
    QSqlQuery exec(const QString &sql, const QVariantList &values = {});

    // The same for statements a table runs on every post: prepared once and kept. `use` reads
    // the result; the statement is finished afterwards so it never holds the database busy.
    void execPrepared(const QString &sql, const QVariantList &values,
                      const std::function<void(QSqlQuery &)> &use = {});

    void registerDataSet(DataSet *set);
    void unregisterDataSet(DataSet *set);
    void refreshAll();

    // Nested command levels, each a savepoint.
    void begin();
    void commit();
    void rollback();
    int depth() const { return m_depth; }
    // True while the data sets re-read their rows after an undo: nothing may be written then.
    bool isRereading() const { return m_rereading; }

private:
    void verifySchema();

    QString m_filePath;
    QString m_connection;
    QHash<QString, std::shared_ptr<QSqlQuery>> m_prepared;
    QSet<QString> m_preparedInUse;
    int m_depth = 0;
    bool m_rereading = false;
    std::vector<DataSet *> m_sets;
};

// The guard of one command: everything written between its creation and commit() lands
// together; leaving the scope without commit() undoes it all.
class Transaction {
public:
    explicit Transaction(Store &store) : m_store(store) { m_store.begin(); }
    ~Transaction()
    {
        if (!m_done) m_store.rollback();
    }
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit()
    {
        m_store.commit();
        m_done = true;
    }

private:
    Store &m_store;
    bool m_done = false;
};

} // namespace vintrel
