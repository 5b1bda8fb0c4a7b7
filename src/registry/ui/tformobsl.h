#pragma once

#include "pickpeopledialog.h"

namespace vintrel {

// "Ввод/редактирование списка обслуживающего персонала соревнований": people of the register
// become service staff of the competition (T_OBSL), with their grade as the job.
class TFormObsl : public PickPeopleDialog {
    Q_OBJECT
public:
    TFormObsl(TDM &dm, const Workspace &workspace, Prompter &prompter, QWidget *parent = nullptr);
};

} // namespace vintrel
