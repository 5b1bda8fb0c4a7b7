#include "entrycommands.h"

namespace vintrel {

using namespace Qt::StringLiterals;

const CommandTable &entryCommands()
{
    using E = CommandEntry;
    static const CommandTable table{
        {E::Command, u"orgInsert"_s, u"FormORG"_s, u"Новая организация"_s, {}, u"org add"_s},
        {E::Command, u"orgEdit"_s, u"FormORG"_s, u"Изменить организацию"_s, {}, u"org set"_s},
        {E::Command, u"inOrgAdd"_s, u"FormInOrg"_s, u"Добавить"_s,
         u"Добавить человека из левого списка в правый"_s, u"entry add"_s},
        {E::Command, u"inOrgAspect"_s, u"FormInOrg"_s, u"Вид (категория)"_s, {}, u"entry aspect"_s},
        {E::Command, u"inOrgRemove"_s, u"FormInOrg"_s, u"Удалить"_s,
         u"Удалить человека из правого списка"_s, u"entry remove"_s},
        {E::Command, u"inOrgJudge"_s, u"FormInOrg"_s, u"Добавить судью"_s, {}, u"entry judge"_s},
        {E::Command, u"inOrgUnjudge"_s, u"FormInOrg"_s, u"Удалить судью"_s, {}, u"entry unjudge"_s},
        {E::Command, u"inVidAdd"_s, u"FormInVid"_s, u"Добавить"_s,
         u"Добавить человека из левого списка в правый"_s, u"part add"_s},
        {E::Command, u"inVidRemove"_s, u"FormInVid"_s, u"Удалить"_s,
         u"Удалить человека из правого списка"_s, u"part remove"_s},
    };
    return table;
}

} // namespace vintrel
