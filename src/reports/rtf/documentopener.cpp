#include "documentopener.h"

#include "app/helppage.h"

#include <QFileInfo>
#include <QProcess>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

constexpr int kOpened = 42;
constexpr int kFileNotFound = 2;
constexpr int kNoAssociation = 31;
constexpr int kUnknown = 1;

QString runAndRead(const QString &program, const QStringList &args, bool &ok)
{
    QProcess process;
    process.start(program, args);
    ok = process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

} // namespace

int DocumentOpener::open(const QString &path, int showCommand)
{
    Q_UNUSED(showCommand);
    if (!documentOpeningAllowed()) return kOpened;
    if (!QFileInfo(path).isFile()) return kFileNotFound;
    bool ok = false;
    const QString type = runAndRead(u"xdg-mime"_s, {u"query"_s, u"filetype"_s, path}, ok);
    if (!ok || type.isEmpty()) return kNoAssociation;
    const QString handler = runAndRead(u"xdg-mime"_s, {u"query"_s, u"default"_s, type}, ok);
    if (!ok || handler.isEmpty()) return kNoAssociation;
    return QProcess::startDetached(u"xdg-open"_s, {path}) ? kOpened : kUnknown;
}

QString DocumentOpener::reason(int code)
{
    switch (code) {
    case 0:
        return u"The operating system is out of memory or resources."_s;
    case 2:
        return u"The specified file was not found."_s;
    case 3:
        return u"The specified path was not found."_s;
    case 5:
        return u"The operating system denied access to the specified file."_s;
    case 8:
        return u"There was not enough memory to complete the operation."_s;
    case 11:
        return u"The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."_s;
    case 26:
        return u"A sharing violation occurred."_s;
    case 27:
        return u"The filename association is incomplete or invalid."_s;
    case 28:
        return u"The DDE transaction could not be completed because the request timed out."_s;
    case 29:
        return u"The DDE transaction failed."_s;
    case 30:
        return u"The DDE transaction could not be completed because other DDE transactions "
               u"were being processed."_s;
    case 31:
        return u"There is no application associated with the given filename extension."_s;
    case 32:
        return u"The specified dynamic-link library was not found."_s;
    default:
        return u"Reason unknown."_s;
    }
}

} // namespace vintrel
