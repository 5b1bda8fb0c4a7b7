#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QUuid>
#include <QVariantList>

namespace vintrel::test {

// One value read from the database file through a connection of its own, so nothing the data
// module holds in memory can stand in for what the file says.
inline QVariant fileValue(const QString &databaseFile, const QString &sql,
                          const QVariantList &values = {})
{
    const QString connection = QUuid::createUuid().toString();
    QVariant result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(databaseFile);
        if (db.open()) {
            QSqlQuery q(db);
            q.prepare(sql);
            for (const QVariant &v : values)
                q.addBindValue(v);
            if (q.exec() && q.next()) result = q.value(0);
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return result;
}

inline int fileCount(const QString &databaseFile, const QString &table)
{
    return fileValue(databaseFile, QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
}

} // namespace vintrel::test
