#include "browsedtables.h"

namespace vintrel {

using namespace Qt::StringLiterals;

const QList<BrowsedTable> &browsedTables()
{
    static const QList<BrowsedTable> tables{
        {u"T_COMP"_s, u"T_COMP - Информация о соревнованиях"_s, u"Справочник соревнований"_s},
        {u"VARIANT"_s, u"VARIANT - Справочник вариантов проведения соревнования"_s,
         u"Справочник вариантов проведения"_s},
        {u"T_ASPECT"_s, u"T_ASPECT - Справочник видов соревнований"_s, u"Справочник видов"_s},
        {u"NAME_TOUR"_s, u"NAME_TOUR - Справочник названий туров"_s,
         u"Справочник названия туров"_s},
        {u"T_VT"_s, u"T_VT - Информация о турах в соответствии с вариантом проведения"_s,
         u"Информация о турах в сответствии с вариантом проведения"_s},
        {},
        {u"T_PERSON"_s, u"T_PERSON - Справочник людей"_s, u"Справочник людей в базе данных"_s},
        {u"T_ORG"_s, u"T_ORG - Справочник организаций"_s, u"Справочник организаций"_s},
        {},
        {u"T_PART"_s, u"T_PART - Участники соревнований"_s,
         u"Справочник участников соревнований"_s},
        {u"T_TRAIN"_s, u"T_TRAIN - Тренеры"_s, u"Справочник тренеров"_s},
        {u"T_JUDGE"_s, u"T_JUDGE - Судьи"_s, u"Справочник судей соревнований"_s},
        {u"T_OBSL"_s, u"T_OBSL - Обслуживающий персонал"_s,
         u"Справочник обслуживающего персонала соревнований"_s},
        {},
        {u"TOUR_PR"_s, u"TOUR_PR - Предварительные туры (кол-во участников и групп)"_s,
         u"Предварительный тур"_s},
        {u"TOUR_OLIMP"_s, u"TOUR_OLIMP - Тур прямого выбывания (Кол-во кругов)"_s,
         u"Тур прямого выбывания"_s},
        {u"REZ_TOUR"_s, u"REZ_TOUR - Результаты предварительных туров"_s,
         u"Результаты предварительных туров"_s},
        {u"REZ_OLIMP"_s, u"REZ_OLIMP - Результаты тура прямого выбывания"_s,
         u"Результаты тура прямого выбывания"_s},
    };
    return tables;
}

QString browserTitle(const QString &table)
{
    for (const BrowsedTable &t : browsedTables())
        if (t.table.compare(table, Qt::CaseInsensitive) == 0) return t.title;
    return table;
}

} // namespace vintrel
