#include "commandtable.h"

#include "classificationcommands.h"

#include "registry/entrycommands.h"
#include "pools/poolcommands.h"
#include "elimination/eliminationcommandtable.h"
#include "registry/peoplecommands.h"
#include "registry/registrycommands.h"
#include "reports/reportcommands.h"
#include "tools/toolcommands.h"

namespace vintrel {

using namespace Qt::StringLiterals;

const CommandTable &mainWindowCommands()
{
    using E = CommandEntry;
    static const CommandTable table{
        // The strip under the tour's name: each control posts the current tour's row.
        {E::Command,
         u"ed_TOUR_DATE"_s,
         u"TourStrip"_s,
         u"Дата проведения тура : "_s,
         {},
         u"set-date"_s},
        {E::Command, u"ed_KOL"_s, u"TourStrip"_s, u"Участников в туре :"_s, {}, u"set-kol"_s},
        {E::Command, u"cb_STATE"_s, u"TourStrip"_s, u"Тур проведен"_s, {}, u"set-held"_s},

        // The context menu over the participants.
        {E::Command,
         u"actRandomClass"_s,
         u"PopupMenu1"_s,
         u"Случайно заполнить классификацию"_s,
         {},
         u"seed random"_s,
         drawClassification},
        {E::Command,
         u"actRandomRestClass"_s,
         u"PopupMenu1"_s,
         u"Случайно заполнить классификацию с учетом имеющейся кл-ции"_s,
         {},
         u"seed random-rest"_s,
         drawMissingClassification},
        {E::Separator, {}, u"PopupMenu1"_s},
        {E::Command,
         u"actClassToStart"_s,
         u"PopupMenu1"_s,
         u"Скопировать классификацию в стартовый номер"_s,
         {},
         u"seed class-to-start"_s,
         copyClassificationToStart},
        {E::Command,
         u"actPlaceToStart"_s,
         u"PopupMenu1"_s,
         u"Скопировать место в стартовый номер"_s,
         {},
         u"seed place-to-start"_s,
         copyPlaceToStart},
        {E::Separator, {}, u"PopupMenu1"_s},
        {E::Window, u"actPreviewList"_s, u"PopupMenu1"_s,
         u"Просмотреть список участников (распечатать)"_s},
        {E::Separator, {}, u"PopupMenu1"_s},
        {E::Command,
         u"actZeroResults"_s,
         u"PopupMenu1"_s,
         u"Обнулить результаты соревнований"_s,
         {},
         u"seed zero"_s,
         zeroResults},

        // "Помощь" and "Выйти".
        {E::Shell, u"actHelp"_s, u"menuHelp"_s, u"Справка по программе"_s,
         u"Справочные сведения по работе с программой"_s},
        {E::Separator, {}, u"menuHelp"_s},
        {E::Shell, u"actAbout"_s, u"menuHelp"_s, u"О программе"_s, u"Информация о программе"_s},
        {E::Shell, u"actExit"_s, u"MainMenu1"_s, u"Выйти"_s, u"Выйти из программы"_s},
    };
    return table;
}

QList<const CommandTable *> allCommandTables()
{
    return {&mainWindowCommands(), &registryCommands(), &peopleCommands(), &entryCommands(),
            &poolCommands(),       &reportCommands(),   &toolCommands(),   &eliminationCommands()};
}

QList<CommandEntry> entriesOf(const QString &place)
{
    QList<CommandEntry> entries;
    for (const CommandTable *table : allCommandTables())
        for (const CommandEntry &entry : *table)
            if (entry.place == place) entries << entry;
    return entries;
}

} // namespace vintrel
