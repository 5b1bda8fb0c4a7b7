#pragma once

#include "data/store.h"

#include "filevalue.h"

namespace vintrel::test {

// A competition of two aspects for the main window's tests:
//   aspect 0 "Шпага, мужчины", variant 2 (tours 1, 7), four men;
//   aspect 1 "Рапира, женщины", variant 1 (tours 1, 2, 7), five women whose places, start
//   numbers and classification each give another order than their surnames.
// Every tour has its T_VT row; pool tours have groups in TOUR_PR, tour 7 circles in TOUR_OLIMP.
inline void addTwoAspects(Store &store)
{
    using namespace Qt::StringLiterals;
    store.exec(
        u"UPDATE T_COMP SET NAME = ?, PLACE = ?, DATA1 = ?, DATA2 = ?"_s,
        {u"Первенство города по фехтованию"_s, u"г. Казань"_s, u"2024-03-15"_s, u"2024-03-17"_s});
    store.exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (0, ?, 2), (1, ?, 1)"_s,
               {u"Шпага, мужчины"_s, u"Рапира, женщины"_s});
    const auto tour = [&store](int aspect, int kind, const QString &name, const QVariant &date,
                               int kol, bool held) {
        store.exec(u"INSERT INTO T_VT (NUM_ASPECT, NUM_TOUR, NAME_TOUR, TOUR_DATE, KOL, STATE) "
                   u"VALUES (?, ?, ?, ?, ?, ?)"_s,
                   {aspect, kind, name, date, kol, held ? 1 : 0});
    };
    tour(0, 1, u"1 предварительный тур"_s, u"2024-03-15"_s, 12, false);
    tour(0, 7, u"Тур прямого выбывания"_s, QVariant(), 8, false);
    tour(1, 1, u"1 предварительный тур"_s, u"2024-03-16"_s, 10, true);
    tour(1, 2, u"2 предварительный тур"_s, QVariant(), 8, false);
    tour(1, 7, u"Тур прямого выбывания"_s, QVariant(), 4, false);

    const auto pool = [&store](int aspect, int kind, int group, int kol) {
        store.exec(
            u"INSERT INTO TOUR_PR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, KOL) VALUES (?, ?, ?, ?)"_s,
            {aspect, kind, group, kol});
    };
    pool(0, 1, 1, 6);
    pool(0, 1, 2, 6);
    pool(0, 1, 3, 5);
    pool(1, 1, 1, 5);
    pool(1, 1, 2, 5);
    pool(1, 2, 1, 8);
    const auto circle = [&store](int aspect, int kind, int circleNo) {
        store.exec(u"INSERT INTO TOUR_OLIMP (NUM_ASPECT, NUM_TOUR, NUM_CIRCLE) VALUES (?, ?, ?)"_s,
                   {aspect, kind, circleNo});
    };
    circle(0, 7, 1);
    circle(0, 7, 2);
    circle(0, 7, 3);
    circle(1, 7, 1);
    circle(1, 7, 2);

    const auto part = [&store](int aspect, const QString &surname, const QString &name,
                               const QString &org, int classification, int place, int start) {
        store.exec(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME, NAME, ORG, CLASSIFICATION, PLACE, "
                   u"START) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                   {aspect, surname, name, org, classification, place, start});
    };
    part(0, u"Иванов"_s, u"Иван"_s, u"ЦСКА"_s, 2, 1, 3);
    part(0, u"Петров"_s, u"Пётр"_s, u"Динамо"_s, 1, 3, 1);
    part(0, u"Сидоров"_s, u"Семён"_s, u"Спартак"_s, 4, 2, 4);
    part(0, u"Кузнецов"_s, u"Кирилл"_s, u"Динамо"_s, 3, 4, 2);
    part(1, u"Абрамова"_s, u"Анна"_s, u"ЦСКА"_s, 3, 4, 2);
    part(1, u"Борисова"_s, u"Вера"_s, u"Динамо"_s, 1, 2, 5);
    part(1, u"Васильева"_s, u"Галина"_s, u"Спартак"_s, 5, 1, 3);
    part(1, u"Григорьева"_s, u"Дарья"_s, u"ЦСКА"_s, 2, 5, 1);
    part(1, u"Дмитриева"_s, u"Елена"_s, u"Динамо"_s, 4, 3, 4);
}

} // namespace vintrel::test
