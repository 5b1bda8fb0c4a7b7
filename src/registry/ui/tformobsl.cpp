#include "tformobsl.h"

#include "data/dm.h"
#include "registry/judges.h"

namespace vintrel {

using namespace Qt::StringLiterals;

TFormObsl::TFormObsl(TDM &dm, const Workspace &workspace, Prompter &prompter, QWidget *parent)
    : PickPeopleDialog(dm, workspace, prompter,
                       {u"FormObsl"_s,
                        u"Ввод/редактирование списка обслуживающего персонала соревнований"_s,
                        u"ВВОД ОБСЛУЖИВАЮЩЕГО ПЕРСОНАЛА "_s,
                        dm.DS_OBSL,
                        {u"SURNAME"_s, u"NAME"_s, u"PATRONYMIC"_s, u"JOB"_s},
                        u"btn_AddObsl"_s,
                        u"btn_DelObsl"_s},
                       addStaff, removeCurrentStaff, parent)
{
}

} // namespace vintrel
