#pragma once

#include "data/store.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

#include <QList>
#include <QString>

namespace vintrel::test {

// One participant of a pool field: its organization (0: none), classification and start
// number (0: empty).
struct FieldEntry {
    int org = 0;
    int classification = 0;
    int start = 0;
};

// A competition of one aspect "Сабля, мужчины" (aspect 0) run by variant 1 (pool tours 1 and 2,
// then elimination 7), each tour with its T_VT row: tour 1 admits every entry, tour 2 admits
// `secondTourKol`. Participant i (from 0) is person 100 + i, surname "Участник<i+1>" spelled so
// that surname order is entry order, with the entry's organization, classification and start.
inline void addPoolField(Store &store, const QList<FieldEntry> &entries, int secondTourKol = 0)
{
    using namespace Qt::StringLiterals;
    store.exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (0, ?, 1)"_s,
               {u"Сабля, мужчины"_s});
    const auto tour = [&store](int kind, const QString &name, int kol) {
        store.exec(u"INSERT INTO T_VT (NUM_ASPECT, NUM_TOUR, NAME_TOUR, KOL, STATE) "
                   u"VALUES (0, ?, ?, ?, 0)"_s,
                   {kind, name, kol});
    };
    tour(1, u"1 предварительный тур"_s, int(entries.size()));
    tour(2, u"2 предварительный тур"_s, secondTourKol);
    tour(7, u"Тур прямого выбывания"_s, 0);
    const auto orNull = [](int v) { return v ? QVariant(v) : QVariant(); };
    for (int i = 0; i < entries.size(); ++i) {
        const FieldEntry &e = entries[i];
        store.exec(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME, NAME, ORG, NUM_PERS, NUM_ORG, "
                   u"CLASSIFICATION, START) VALUES (0, ?, ?, ?, ?, ?, ?, ?)"_s,
                   {u"Участник%1"_s.arg(i + 1, 3, 10, QChar(u'0')), u"Имя"_s,
                    e.org ? QVariant(u"Орг%1"_s.arg(e.org)) : QVariant(), 100 + i, orNull(e.org),
                    orNull(e.classification), orNull(e.start)});
    }
}

// `count` entries classified 1 … count, each of its own organization (1 … count).
inline QList<FieldEntry> distinctEntries(int count)
{
    QList<FieldEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.append({i + 1, i + 1, 0});
    return entries;
}

// The score rows of a tour as the file holds them (read through a connection of its own), one
// text per row in key order: "group/position person cells", the cells F1 … F9 joined by '|'
// and, when asked, the totals "PRICK PRICK_PASS VICTORY FIGHT".
inline QStringList filePoolRows(const QString &databaseFile, int tour, bool totals = false)
{
    using namespace Qt::StringLiterals;
    const QString connection = QUuid::createUuid().toString();
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
        db.setDatabaseName(databaseFile);
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(u"SELECT NUM_GROUP, NUM_START, PART, F1, F2, F3, F4, F5, F6, F7, F8, F9, "
                   u"PRICK, PRICK_PASS, VICTORY, FIGHT FROM REZ_TOUR WHERE NUM_TOUR = %1 "
                   u"ORDER BY NUM"_s.arg(tour));
            while (q.next()) {
                QStringList cells;
                for (int f = 3; f < 12; ++f)
                    cells << q.value(f).toString();
                QString row = u"%1/%2 %3 %4"_s.arg(q.value(0).toString(), q.value(1).toString(),
                                                   q.value(2).toString(), cells.join(u'|'));
                if (totals)
                    row += u" %1 %2 %3 %4"_s.arg(q.value(12).toString(), q.value(13).toString(),
                                                 q.value(14).toString(), q.value(15).toString());
                rows << row;
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return rows;
}

} // namespace vintrel::test
