#pragma once

#include "sqlresult.h"

#include "data/refusal.h"

#include <QString>

#include <atomic>

struct sqlite3;

namespace vintrel {

// The SQL console's own connection to the competition database, apart from the data module's:
// opened read-only, with ATTACH refused, so nothing typed here can change the competition.
// A query runs on whichever thread calls run(); interrupt() stops it from any other thread.
class SqlConsole {
public:
    // Throws RuleError when the database cannot be opened.
    explicit SqlConsole(const QString &databaseFile);
    ~SqlConsole();
    SqlConsole(const SqlConsole &) = delete;
    SqlConsole &operator=(const SqlConsole &) = delete;

    // Runs one statement and reads every row. Anything wrong (a syntax error, a missing table,
    // a statement that returns no rows or would change data) throws RuleError with
    // wrongQueryMessage(); an interrupted run throws Interrupted.
    SqlRows run(const QString &text);
    void interrupt();

    // The operator stopped the query ("Прервать").
    class Interrupted : public Refusal {
    public:
        Interrupted();
    };
    static QString wrongQueryMessage();

private:
    sqlite3 *m_db = nullptr;
    std::atomic<bool> m_running{false};
};

} // namespace vintrel
