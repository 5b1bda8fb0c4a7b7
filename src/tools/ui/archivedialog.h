#pragma once

class QWidget;

namespace vintrel {

class Prompter;
class TDM;
class Workspace;

// "Сохранить текущее": the notice, the save dialog starting in ROOT/bd_old, then the archive.
void saveCompetitionAs(TDM &dm, const Workspace &workspace, Prompter &prompter, QWidget *parent);

} // namespace vintrel
