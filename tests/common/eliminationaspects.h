#pragma once

#include "data/store.h"

#include <QString>

namespace vintrel::test {

// A competition whose aspects each hold one direct-elimination tour:
//   addEliminationAspect(store, a, 7, n) adds aspect a of variant 3 (one plain tour),
//   addEliminationAspect(store, a, 8, n) aspect a of variant 11 (one tour with repechage),
// each with n fencers whose start numbers are 1 … n (person number personOf(a, start), place
// start + 100 from the previous tour) and a T_VT row admitting all of them. Circles are left
// to "Подготовка к туру".
inline int personOf(int aspect, int start)
{
    return 1000 * (aspect + 1) + start;
}

inline void addEliminationAspect(Store &store, int aspect, int tourKind, int count, int kol = -1)
{
    using namespace Qt::StringLiterals;
    Transaction tx(store);
    const int variant = tourKind == 8 ? 11 : 3;
    store.exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (?, ?, ?)"_s,
               {aspect, u"Вид %1"_s.arg(aspect), variant});
    store.exec(u"INSERT INTO T_VT (NUM_ASPECT, NUM_TOUR, NAME_TOUR, KOL, STATE) "
               u"VALUES (?, ?, ?, ?, 0)"_s,
               {aspect, tourKind,
                tourKind == 8 ? u"Тур прямого выбывания с утешением"_s : u"Тур прямого выбывания"_s,
                kol < 0 ? count : kol});
    for (int start = 1; start <= count; ++start) {
        const int person = personOf(aspect, start);
        store.exec(u"INSERT INTO T_PERSON (NUM, SURNAME, NAME) VALUES (?, ?, ?)"_s,
                   {person, u"Фехтовальщик%1"_s.arg(start), u"Вид%1"_s.arg(aspect)});
        store.exec(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME, NAME, NUM_PERS, PLACE, START) "
                   u"VALUES (?, ?, ?, ?, ?, ?)"_s,
                   {aspect, u"Фехтовальщик%1"_s.arg(start), u"Вид%1"_s.arg(aspect), person,
                    start + 100, start});
    }
    tx.commit();
}

} // namespace vintrel::test
