#include "toolcommands.h"

#include "data/schema.h"

#include <QHash>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

// What each table holds, for the entries of the menu "Таблицы".
QString tableDescription(const QString &table)
{
    static const QHash<QString, QString> descriptions{
        {u"T_COMP"_s, u"Соревнование"_s},
        {u"T_PERSON"_s, u"Справочник людей"_s},
        {u"T_ORG"_s, u"Организации"_s},
        {u"T_ASPECT"_s, u"Виды соревнований"_s},
        {u"T_PART"_s, u"Участники видов"_s},
        {u"T_TRAIN"_s, u"Тренеры"_s},
        {u"T_JUDGE"_s, u"Судьи"_s},
        {u"REZ_TOUR"_s, u"Результаты боев в группах"_s},
        {u"REZ_OLIMP"_s, u"Результаты боев прямого выбывания"_s},
        {u"NAME_TOUR"_s, u"Названия туров"_s},
        {u"TOUR_PR"_s, u"Группы предварительных туров"_s},
        {u"TOUR_OLIMP"_s, u"Круги туров прямого выбывания"_s},
        {u"T_VT"_s, u"Туры видов"_s},
        {u"VARIANT"_s, u"Варианты проведения"_s},
        {u"T_OBSL"_s, u"Обслуживающий персонал"_s},
        {u"num"_s, u"Номера"_s},
    };
    return descriptions.value(table);
}

CommandTable makeTable()
{
    using E = CommandEntry;
    CommandTable table;
    for (const TableDef &t : schemaTables())
        table << E{E::Window,       u"actTable_"_s + t.name, u"menuTables"_s,
                   t.name + u" - "_s + tableDescription(t.name), {}, {}, nullptr, false};
    table << E{E::Window, u"actSql"_s, u"menuTables"_s, u"SQL-запрос - Получение любого отчета"_s,
               {}, {}, nullptr, false};

    table << E{E::Command, u"actPublish"_s, u"menuCompetition"_s,
               u"Подготовить для публикации в Интернет"_s, {}, {}, nullptr, false}
          << E{E::Separator, {}, u"menuCompetition"_s}
          << E{E::Command, u"actArchive"_s, u"menuCompetition"_s, u"Сохранить текущее"_s, {},
               u"archive"_s, nullptr, false}
          << E{E::Command, u"actRestore"_s, u"menuCompetition"_s, u"Восстановить сохраненное"_s,
               {}, {}, nullptr, false}
          << E{E::Command, u"actNewCompetition"_s, u"menuCompetition"_s, u"Начать новое"_s, {},
               u"new-competition"_s, nullptr, false};
    return table;
}

} // namespace

const CommandTable &toolCommands()
{
    static const CommandTable table = makeTable();
    return table;
}

} // namespace vintrel
