#include "poolcommands.h"

namespace vintrel {

using namespace Qt::StringLiterals;

const CommandTable &poolCommands()
{
    using E = CommandEntry;
    static const CommandTable table{
        // The main window's buttons under the pools; on an elimination tour they lead to the
        // elimination windows instead.
        {E::Window, u"Button2"_s, u"PanelRight"_s, u"Подготовка к туру"_s},
        {E::Window, u"Button1"_s, u"PanelRight"_s, u"Проведение тура"_s},
        // The tour summary shows its preview in the table browser between its two steps.
        {E::Command,
         u"BitBtn1"_s,
         u"PanelRight"_s,
         u"Подвести итоги"_s,
         {},
         u"summary"_s,
         nullptr,
         true,
         u"«Подвести итоги» тура: результаты групп к участникам, места"_s},

        {E::Command,
         u"FormKolGroup.btnKol"_s,
         u"FormKolGroup"_s,
         u"Пересчет"_s,
         {},
         u"prepare"_s,
         nullptr,
         true,
         u"«Подготовка к туру»: число групп предварительного тура и их размеры"_s},
        {E::Shell, u"FormKolGroup.btnHELP"_s, u"FormKolGroup"_s, u"Справка"_s},

        {E::Command, u"FormGroup.Button1"_s, u"FormGroup"_s, u"Разнести по группам "_s,
         u"Разнести по группам согласно рейтинга (змейкой)"_s, u"distribute"_s, nullptr, true,
         u"«Разнести по группам»: участники тура по группам змейкой"_s},
        {E::Command,
         u"FormGroup.DBGrid1"_s,
         u"FormGroup"_s,
         u"Результат боя"_s,
         {},
         u"cell"_s,
         nullptr,
         true,
         u"записать результат боя в клетку протокола группы"_s},
        {E::Command,
         u"FormGroup.btn_Itog"_s,
         u"FormGroup"_s,
         u"Подвести итоги"_s,
         {},
         u"group-totals"_s,
         nullptr,
         true,
         u"«Подвести итоги» группы: бои, победы, уколы"_s},
        // "Печать группы" is the protocols' entry btn_PrintGroup.
        {E::Shell, u"FormGroup.btnHELP"_s, u"FormGroup"_s, u"Справка"_s},
    };
    return table;
}

} // namespace vintrel
