#pragma once

#include "command.h"

#include <QList>
#include <QString>

namespace vintrel {

// One entry of the program's front ends: a menu entry, a button or a control of a window, with
// the command-line verb that does the same. The main window builds its menus from these
// tables and vintrel-cli its verbs; a test checks that every built command has a verb.
struct CommandEntry {
    enum Kind {
        Command,   // changes the competition or writes a document: needs a command-line verb
        Window,    // opens a window, whose own commands have their entries
        Shell,     // help, About box, exit: nothing to script
        Separator, // a line between menu entries
    };

    Kind kind = Command;
    QString id{};    // object name of the action or button ("actPlaceToStart")
    QString place{}; // object name of the menu, panel or window that holds it ("PopupMenu1")
    QString text{};  // what the operator reads
    QString hint{};  // status tip and tool tip; may be empty
    QString verb{};  // vintrel-cli verb with its subcommand ("seed place-to-start")
    // Set when the command needs nothing but the context; then the verb takes no arguments
    // and vintrel-cli runs this very function.
    ContextCommand run = nullptr;
    // False while the command or window does not exist yet: the entry shows disabled.
    bool built = true;
    // The line `vintrel-cli --help` prints for the verb, when the text alone does not say it.
    QString description{};
};

using CommandTable = QList<CommandEntry>;

// The main window's own entries: its menus' frame, the tour strip, the context menu.
const CommandTable &mainWindowCommands();

// Every subsystem's table, in the order the menus list their entries.
QList<const CommandTable *> allCommandTables();

// The entries of every table that a menu, panel or window holds, in order.
QList<CommandEntry> entriesOf(const QString &place);

} // namespace vintrel
