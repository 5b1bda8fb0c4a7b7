#pragma once

#include "data/store.h"

namespace vintrel::test {

// Two organizations, their people and two aspects, for the entry and participants tests:
//   T_ORG 1 "Динамо" (Москва), 2 "Спартак" (Тула);
//   T_PERSON 1 Белов Борис (Динамо, trainers never set), 2 Орлов Олег Олегович (Динамо,
//   trainer 1 is person 4, trainer 2 is "none" = 1), 3 Сидоров Семён (Спартак, trainers
//   never set), 4 Тренеров Иван Петрович (Динамо, a trainer with his T_TRAIN row);
//   T_ASPECT 0 "Шпага" (variant 2), 1 "Рапира" (variant 3).
inline void addEntryPeople(Store &store)
{
    using namespace Qt::StringLiterals;
    store.exec(u"INSERT INTO T_ORG (NUM, ORG_SHORT, CITY, ORG_FULL) VALUES "
               u"(1, 'Динамо', 'Москва', 'Спортивный клуб «Динамо» & Ко'), "
               u"(2, 'Спартак', 'Тула', 'Спортивное общество «Спартак»')"_s);
    store.exec(u"INSERT INTO T_PERSON (NUM, SURNAME, NAME, PATRONYMIC, NUM_ORG, TRAINER, "
               u"NUM_TRAIN1, SURNAME1, NAME1, PATRONYMIC1, NUM_TRAIN2) VALUES "
               u"(1, 'Белов', 'Борис', NULL, 1, 0, NULL, NULL, NULL, NULL, NULL), "
               u"(2, 'Орлов', 'Олег', 'Олегович', 1, 0, 4, 'Тренеров', 'Иван', 'Петрович', 1), "
               u"(3, 'Сидоров', 'Семён', NULL, 2, 0, NULL, NULL, NULL, NULL, NULL), "
               u"(4, 'Тренеров', 'Иван', 'Петрович', 1, 1, NULL, NULL, NULL, NULL, NULL)"_s);
    store.exec(u"INSERT INTO T_TRAIN (NUM_PERS, NUM_ORG, SURNAME, NAME, PATRONYMIC, ORG) "
               u"VALUES (4, 1, 'Тренеров', 'Иван', 'Петрович', 'Динамо')"_s);
    store.exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (0, 'Шпага', 2), "
               u"(1, 'Рапира', 3)"_s);
}

} // namespace vintrel::test
