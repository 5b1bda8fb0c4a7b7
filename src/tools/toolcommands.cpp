#include "toolcommands.h"

#include "browsedtables.h"
#include "competitioncommands.h"

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

CommandTable makeTable()
{
    using E = CommandEntry;
    CommandTable table;
    for (const BrowsedTable &t : browsedTables()) {
        if (t.isSeparator())
            table << E{E::Separator, {}, u"menuTables"_s};
        else
            table << E{E::Window, tableEntryId(t.table), u"menuTables"_s, t.text};
    }
    table << E{E::Separator, {}, u"menuTables"_s};
    table << E{E::Window, u"actSql"_s, u"menuTables"_s, u"SQL-запрос - Получение любого отчета"_s};

    // The two notices only show a message: nothing to script.
    table << E{E::Shell, u"actPublish"_s, u"menuCompetition"_s,
               u"Подготовить для публикации в Интернет"_s}
          << E{E::Separator, {}, u"menuCompetition"_s}
          << E{E::Command,
               u"actArchive"_s,
               u"menuCompetition"_s,
               u"Сохранить текущее"_s,
               {},
               u"archive"_s,
               nullptr,
               true,
               u"«Сохранить текущее»: ZIP-архив базы данных в FILE"_s}
          << E{E::Shell, u"actRestore"_s, u"menuCompetition"_s, u"Восстановить сохраненное"_s}
          << E{E::Command,
               u"actNewCompetition"_s,
               u"menuCompetition"_s,
               u"Начать новое"_s,
               {},
               u"new-competition"_s,
               startNewCompetition,
               true,
               u"«Начать новое»: очистить таблицы соревнования, справочники остаются"_s};
    return table;
}

} // namespace

QString tableEntryId(const QString &table)
{
    return u"actTable_"_s + table;
}

const CommandTable &toolCommands()
{
    static const CommandTable table = makeTable();
    return table;
}

} // namespace vintrel
