#pragma once

#include "pickpeopledialog.h"

namespace vintrel {

// "Ввод и редактирование списка судей": people of the register become judges of the
// competition (T_JUDGE).
class TFormJudge : public PickPeopleDialog {
    Q_OBJECT
public:
    TFormJudge(TDM &dm, const Workspace &workspace, Prompter &prompter, QWidget *parent = nullptr);
};

} // namespace vintrel
