#include "sqlconsole.h"

#include "data/refusal.h"

#include <QFile>

#include <sqlite3.h>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

// Attaching another file would let a statement write there; the connection's own file is
// read-only already.
int refuseAttach(void *, int action, const char *, const char *, const char *, const char *)
{
    return action == SQLITE_ATTACH || action == SQLITE_DETACH ? SQLITE_DENY : SQLITE_OK;
}

QVariant columnValue(sqlite3_stmt *statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(
            reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
            sqlite3_column_bytes(statement, column)));
    case SQLITE_BLOB:
        return QVariant(
            QByteArray(static_cast<const char *>(sqlite3_column_blob(statement, column)),
                       sqlite3_column_bytes(statement, column)));
    default:
        return QVariant();
    }
}

} // namespace

SqlConsole::Interrupted::Interrupted() : Refusal(u"Выполнение запроса прервано."_s) {}

QString SqlConsole::wrongQueryMessage()
{
    return u"Проверьте правильность ввода SQL-запроса."_s;
}

SqlConsole::SqlConsole(const QString &databaseFile)
{
    const QByteArray name = QFile::encodeName(databaseFile);
    if (sqlite3_open_v2(name.constData(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_close(m_db);
        m_db = nullptr;
        throw RuleError(u"Не удалось открыть базу данных %1: %2"_s.arg(databaseFile, message));
    }
    sqlite3_exec(m_db, "PRAGMA query_only=1", nullptr, nullptr, nullptr);
    sqlite3_set_authorizer(m_db, refuseAttach, nullptr);
    sqlite3_busy_timeout(m_db, 2000);
}

SqlConsole::~SqlConsole()
{
    sqlite3_close(m_db);
}

void SqlConsole::interrupt()
{
    if (m_running) sqlite3_interrupt(m_db);
}

SqlRows SqlConsole::run(const QString &text)
{
    const QByteArray sql = text.toUtf8();
    sqlite3_stmt *statement = nullptr;
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &statement, &tail) !=
            SQLITE_OK ||
        !statement) {
        sqlite3_finalize(statement);
        throw RuleError(wrongQueryMessage());
    }
    struct Finalize {
        sqlite3_stmt *s;
        ~Finalize() { sqlite3_finalize(s); }
    } finalize{statement};
    // One statement that reads rows; nothing after it but blanks and semicolons.
    const QString rest = QString::fromUtf8(tail).trimmed().remove(u';').trimmed();
    const int columns = sqlite3_column_count(statement);
    if (!rest.isEmpty() || columns == 0 || !sqlite3_stmt_readonly(statement))
        throw RuleError(wrongQueryMessage());

    SqlRows result;
    for (int c = 0; c < columns; ++c)
        result.names << QString::fromUtf8(sqlite3_column_name(statement, c));
    m_running = true;
    int rc = SQLITE_ROW;
    qint64 n = 0;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        Row row;
        row.rowid = ++n;
        row.values.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.values << columnValue(statement, c);
        result.rows.push_back(std::move(row));
    }
    m_running = false;
    if (rc == SQLITE_INTERRUPT) throw Interrupted{};
    if (rc != SQLITE_DONE) throw RuleError(wrongQueryMessage());
    return result;
}

} // namespace vintrel
