#include "eliminationcommandtable.h"

namespace vintrel {

using namespace Qt::StringLiterals;

const CommandTable &eliminationCommands()
{
    using E = CommandEntry;
    // Each works on the circle the window shows, so none runs on the context alone. The ids
    // name the window too: other windows have their own BitBtn3 and DBGrid1.
    static const CommandTable table{
        {E::Command,
         u"FormOlimp.BitBtn7"_s,
         u"FormOlimp"_s,
         u"Удалить участников тура"_s,
         {},
         u"de-clear"_s},
        {E::Command,
         u"FormOlimp.BitBtn8"_s,
         u"FormOlimp"_s,
         u"Сформировать 1 круг"_s,
         {},
         u"de-first"_s},
        {E::Command,
         u"FormOlimp.BitBtn3"_s,
         u"FormOlimp"_s,
         u"Подвести итоги круга"_s,
         {},
         u"de-totals"_s},
        {E::Command,
         u"FormOlimp.BitBtn4"_s,
         u"FormOlimp"_s,
         u"Добавить рез-ты к итоговым"_s,
         {},
         u"de-add"_s},
        {E::Command,
         u"FormOlimp.BitBtn5"_s,
         u"FormOlimp"_s,
         u"Вывести итоговое место"_s,
         {},
         u"de-places"_s},
        {E::Command,
         u"FormOlimp.BitBtn6"_s,
         u"FormOlimp"_s,
         u"Сформировать след-щий круг"_s,
         {},
         u"de-next"_s},
        {E::Command,
         u"FormOlimp.DBGrid1"_s,
         u"FormOlimp"_s,
         u"Нанесенные уколы (НУ)"_s,
         {},
         u"de-touches"_s},
        {E::Shell, u"FormOlimp.BitBtn2"_s, u"FormOlimp"_s, u"Печать протоколов боя"_s},
        {E::Shell, u"FormOlimp.BitBtn1"_s, u"FormOlimp"_s, u"Закрыть"_s},
        {E::Shell, u"FormOlimp.btnHELP"_s, u"FormOlimp"_s, u"Справка"_s},
    };
    return table;
}

} // namespace vintrel
