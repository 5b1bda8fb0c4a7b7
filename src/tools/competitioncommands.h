#pragma once

#include <QString>

namespace vintrel {

class CurrentContext;
class Prompter;
class TDM;
class Workspace;

// The menu "Соревнование": whole competitions saved, restored and started anew.

// "Подготовить для публикации в Интернет": a notice only.
bool showPublicationNotice(Prompter &prompter);

// "Сохранить текущее", before the operator names the archive.
bool showArchiveNotice(Prompter &prompter);
// "Сохранить текущее" once the archive is named: packs the database folder into `zipPath`
// and reports the number of files packed.
bool saveCompetition(TDM &dm, Prompter &prompter, const QString &zipPath);

// "Восстановить сохраненное": how to put an archive back by hand.
bool showRestoreNotice(Prompter &prompter);
QString restoreNoticeText();

// "Начать новое": after a Yes, the competition row is emptied (officials kept, today's dates)
// and every competition table is emptied, all in one transaction; the aspect list is cleared.
bool startNewCompetition(TDM &dm, CurrentContext &context, Prompter &prompter);

// Puts a saved competition back into ROOT/bd while no program holds the workspace: the archive
// is checked, the current database kept as an archive in ROOT/bd_old first.
bool restoreCompetition(const Workspace &workspace, const QString &zipPath, Prompter &prompter);

} // namespace vintrel
