#pragma once

#include <QString>
#include <QStringList>

namespace vintrel {

class Prompter;
class Workspace;

// The program's help pages live in ROOT/HELP; "Справка по программе" opens index.htm.
inline constexpr char16_t kMainHelpPage[] = u"index.htm";

QString helpPagePath(const Workspace &workspace, const QString &page);

// The help page of a window by its object name ("FormComp" -> "comp.htm"); the main page for a
// window without one of its own.
QString helpPageOfWindow(const QString &windowName);
// Every page the program opens, the main page first.
QStringList helpPages();
QString missingHelpMessage(const QString &path);

// The file to hand to the viewer for a help page, or an empty text after telling the
// operator that the page is missing.
QString helpFileToOpen(const Workspace &workspace, const QString &page, Prompter &prompter);

// Documents are opened with their associated application unless VINTREL_NO_OPEN is set
// (tests, scripted runs).
bool documentOpeningAllowed();

} // namespace vintrel
