#include "helppage.h"

#include "prompter.h"

#include "data/workspace.h"

#include <QFileInfo>
#include <QList>

#include <utility>

namespace vintrel {

using namespace Qt::StringLiterals;

QString helpPagePath(const Workspace &workspace, const QString &page)
{
    return workspace.path(u"HELP/"_s + page);
}

namespace {

// Each window's own page: the "Справка" buttons and F1 open it.
const QList<std::pair<QString, QString>> &windowPages()
{
    static const QList<std::pair<QString, QString>> pages{
        {u"FormComp"_s, u"comp.htm"_s},
        {u"FormKolGroup"_s, u"kolgroup.htm"_s},
        {u"FormGroup"_s, u"group.htm"_s},
        {u"FormOlimp"_s, u"olimp.htm"_s},
        {u"FormPerson"_s, u"person.htm"_s},
        {u"FormJudge"_s, u"judge.htm"_s},
        {u"FormObsl"_s, u"obsl.htm"_s},
        {u"FormORG"_s, u"org.htm"_s},
        {u"FormInOrg"_s, u"inorg.htm"_s},
        {u"FormInVid"_s, u"invid.htm"_s},
    };
    return pages;
}

} // namespace

QString helpPageOfWindow(const QString &windowName)
{
    for (const auto &[window, page] : windowPages())
        if (window == windowName) return page;
    return QString::fromUtf16(kMainHelpPage);
}

QStringList helpPages()
{
    QStringList pages{QString::fromUtf16(kMainHelpPage)};
    for (const auto &[window, page] : windowPages())
        if (!pages.contains(page)) pages << page;
    return pages;
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
