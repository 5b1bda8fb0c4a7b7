#pragma once

#include <QString>

namespace vintrel {

class Prompter;
class Workspace;

// Opens a page of ROOT/HELP with the default viewer, or tells the operator it is missing.
void showHelpPage(const Workspace &workspace, const QString &page, Prompter &prompter);

} // namespace vintrel
