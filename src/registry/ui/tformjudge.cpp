#include "tformjudge.h"

#include "data/dm.h"
#include "registry/judges.h"

namespace vintrel {

using namespace Qt::StringLiterals;

TFormJudge::TFormJudge(TDM &dm, const Workspace &workspace, Prompter &prompter, QWidget *parent)
    : PickPeopleDialog(dm, workspace, prompter,
                       {u"FormJudge"_s,
                        u"Ввод и редактирование списка судей"_s,
                        u"ВВОД СУДЕЙ ОБСЛУЖИВАЮЩИХ СОРЕВНОВАНИЯ"_s,
                        dm.DS_JUDGE,
                        {u"SURNAME"_s, u"NAME"_s, u"ORG"_s},
                        u"btn_AddJudge"_s,
                        u"btn_DelJudge"_s},
                       addJudge, removeCurrentJudge, parent)
{
}

} // namespace vintrel
