#include "registrycommands.h"

#include "competition.h"

namespace vintrel {

using namespace Qt::StringLiterals;

const CommandTable &registryCommands()
{
    using E = CommandEntry;
    static const CommandTable table{
        {E::Window, u"actCompetition"_s, u"menuEdit"_s, u"Информацию о соревновании"_s},
        {E::Window, u"actPeople"_s, u"menuEdit"_s, u"Справочник людей"_s},
        {E::Window, u"actOrganizations"_s, u"menuEdit"_s, u"Организации и их заявки"_s},
        {E::Window, u"actParticipants"_s, u"menuEdit"_s, u"Участников вида"_s},
        {E::Window, u"actJudges"_s, u"menuEdit"_s, u"Список судей"_s},
        {E::Window, u"actStaff"_s, u"menuEdit"_s, u"Обслуживающий персонал"_s},

        // Closing the competition window stores it and writes the tours of every aspect.
        {E::Command,
         u"btn_Close"_s,
         u"FormComp"_s,
         u"Закрыть"_s,
         {},
         u"close-comp"_s,
         closeCompetition},
    };
    return table;
}

} // namespace vintrel
