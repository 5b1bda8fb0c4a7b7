#include "documentviewer.h"

#include "app/helppage.h"

#include <QDesktopServices>
#include <QUrl>

namespace vintrel {

void showHelpPage(const Workspace &workspace, const QString &page, Prompter &prompter)
{
    const QString file = helpFileToOpen(workspace, page, prompter);
    if (!file.isEmpty() && documentOpeningAllowed())
        QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

} // namespace vintrel
