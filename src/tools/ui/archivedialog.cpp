#include "archivedialog.h"

#include "tools/competitioncommands.h"

#include "app/command.h"
#include "data/workspace.h"

#include <QDir>
#include <QFileDialog>

namespace vintrel {

using namespace Qt::StringLiterals;

void saveCompetitionAs(TDM &dm, const Workspace &workspace, Prompter &prompter, QWidget *parent)
{
    showArchiveNotice(prompter);
    const QString folder = workspace.path(u"bd_old"_s);
    QDir().mkpath(folder);
    QFileDialog dialog(parent, u"Сохранить текущее"_s, folder, u"ZIP-фалы (*.zip)"_s);
    dialog.setObjectName(u"SaveDialog1"_s);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(u"zip"_s);
    // The save dialog does not ask before an existing archive is chosen: it is replaced.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().first();
    runCommand(prompter, [&] { return saveCompetition(dm, prompter, path); });
}

} // namespace vintrel
