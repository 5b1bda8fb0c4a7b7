#include "helppage.h"

#include "prompter.h"

#include "data/workspace.h"

#include <QFileInfo>

namespace vintrel {

using namespace Qt::StringLiterals;

QString helpPagePath(const Workspace &workspace, const QString &page)
{
    return workspace.path(u"HELP/"_s + page);
}

QString missingHelpMessage(const QString &path)
{
    return u"Файл справки не найден: %1"_s.arg(path);
}

QString helpFileToOpen(const Workspace &workspace, const QString &page, Prompter &prompter)
{
    const QString path = helpPagePath(workspace, page);
    if (!QFileInfo(path).isFile()) {
        prompter.error(missingHelpMessage(path));
        return {};
    }
    return path;
}

bool documentOpeningAllowed()
{
    return !qEnvironmentVariableIsSet("VINTREL_NO_OPEN");
}

} // namespace vintrel
