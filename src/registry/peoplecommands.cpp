#include "peoplecommands.h"

namespace vintrel {

using namespace Qt::StringLiterals;

const CommandTable &peopleCommands()
{
    using E = CommandEntry;
    static const CommandTable table{
        // A new person is the navigator's insert, its fields typed, then its post.
        {E::Command,
         u"nbInsertPerson"_s,
         u"FormPerson"_s,
         u"Добавить нового"_s,
         {},
         u"person add"_s},
        {E::Command,
         u"nbPostPerson"_s,
         u"FormPerson"_s,
         u"Сохранить изменения"_s,
         {},
         u"person set"_s},
        {E::Command, u"btn_AddJudge"_s, u"FormJudge"_s, u"Добавить"_s,
         u"Добавить человека из левого списка в правый"_s, u"judge add"_s},
        {E::Command, u"btn_DelJudge"_s, u"FormJudge"_s, u"Удалить"_s,
         u"Удалить человека из правого списка"_s, u"judge remove"_s},
        {E::Command, u"btn_AddObsl"_s, u"FormObsl"_s, u"Добавить"_s,
         u"Добавить человека из левого списка в правый"_s, u"staff add"_s},
        {E::Command, u"btn_DelObsl"_s, u"FormObsl"_s, u"Удалить"_s,
         u"Удалить человека из правого списка"_s, u"staff remove"_s},
    };
    return table;
}

} // namespace vintrel
