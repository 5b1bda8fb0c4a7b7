#pragma once

#include "datasource.h"
#include "query.h"
#include "store.h"
#include "table.h"

#include <functional>
#include <memory>

namespace vintrel {

// The data module: owner of every table object, its data source and the scratch query. It
// keeps trainers in step with people and runs the tour change whenever the current row of
// VARIANT moves.
class TDM : public QObject {
    Q_OBJECT
public:
    // Opens every table; throws StoreError when the database cannot be used.
    explicit TDM(const QString &databaseFile, QObject *parent = nullptr);
    ~TDM() override;

    Store &store() { return *m_store; }

    // Tables in the order they are opened.
    const std::vector<Table *> &tables() const { return m_tables; }
    // By object name ("tbl_PART") or table name ("T_PART"); null when unknown.
    Table *table(const QString &name) const;
    DataSource *dataSource(const Table *table) const;

    // Writes pending edits and closes every table in the closing order. A table that fails
    // asks onError(message): true goes on with the next table, false stops and rethrows.
    void closeAll(const std::function<bool(const QString &)> &onError = {});

    Table *tbl_COMP, *tbl_PERSON, *tbl_ORG, *tbl_ASPECT, *tbl_PART, *tbl_TRAIN, *tbl_JUDGE,
        *tbl_REZ_TOUR, *tbl_NAME_TOUR, *tbl_TOUR_PR, *tbl_VARIANT, *tbl_OBSL, *tbl_VT,
        *tbl_REZ_OLIMP, *tbl_TOUR_OLIMP, *tbl_NUM;
    DataSource *DS_COMP, *DS_PERSON, *DS_ORG, *DS_ASPECT, *DS_PART, *DS_TRAIN, *DS_JUDGE,
        *DS_REZ_TOUR, *DS_NAME_TOUR, *DS_TOUR_PR, *DS_VARIANT, *DS_OBSL, *DS_VT, *DS_REZ_OLIMP,
        *DS_TOUR_OLIMP, *DS_NUM;
    Query *qr_Temp;
    DataSource *DS_Temp;

    // NUM_TOUR of the current tour, 0 when the aspect's variant has no tour.
    int currentTourKind() const;
    static bool isPoolTour(int tourKind) { return tourKind < 7; }

signals:
    // The tour change switched the right-hand grid: pools (NUM_GROUP, KOL) for a pool tour,
    // circles (NUM_CIRCLE) for a direct-elimination tour.
    void tourGridChanged(bool poolTour);

private:
    Table *makeTable(const QString &tableName, DataSource *&source);
    void tourChange();
    void personBeforePost(Table &person);
    void refuseFutureDates(Table &person);
    void reservePersonNumberOne();
    void personAfterPost(Table &person);
    void aspectBeforePost(Table &aspect);
    void aspectBeforeRemove(Table &aspect);
    QList<int> otherAspectNumbers(qint64 exceptRowid);

    std::unique_ptr<Store> m_store;
    std::vector<Table *> m_tables;
    bool m_closed = false;
};

QString tourFilter(int aspect, int tourKind);

} // namespace vintrel
