#pragma once

#include <QString>
#include <QStringList>

namespace vintrel {

class CurrentContext;
class Prompter;
class TDM;

// The printed protocols of the current aspect and tour: each fills its template of
// ROOT/Template into ROOT/Report and, when asked to, opens the result with the associated
// application. A protocol that cannot be written says why through a Refusal (a missing
// template, a missing official, a tour of the wrong kind).
enum class Protocol {
    ListBySurname, // "Список участников текущего вида по фамилии"
    ListByOrganization, // "Список участников текущего вида по организации"
    Rating,           // "Предварительный рейтинг участников"
    TourResults,      // "Текущие результаты тура"
    FinalResults,     // "Окончательные результаты текущего вида"
    PoolSheet,        // "Печать группы" of the pool window
    PoolTour,         // "Результаты предварительного тура"
    EliminationTable, // "Результаты тура прямого выбывания"
    RepechageTo16, // "Результаты тура прямого выбывания с утешением  до 16"
    Repechage16, // "Результаты тура прямого выбывания с утешением 16"
    Final, // "Финал"
};

struct ProtocolRequest {
    Protocol protocol = Protocol::ListBySurname;
    bool openDocument = true; // the command-line tool never opens
    int group = 0;            // the pool sheet's NUM_GROUP; 0: the current TOUR_PR row
};

// Writes the protocol and returns the written file's path. An empty path without a message
// means the command had nothing to print (a table size outside every template's range).
QString printProtocol(TDM &dm, CurrentContext &context, Prompter &prompter,
                      const ProtocolRequest &request);

// The command-line names of the protocols ("list-surname", …) in menu order.
QStringList protocolKinds();
bool protocolOfKind(const QString &kind, Protocol &protocol);

// What goes into a file name of the protocols: every character no file name may hold
// ("/ \ : * ? " < > |") becomes "_".
QString fileNamePart(const QString &text);

// The menu entries of "Протоколы" and "Печать группы": print the protocol and open it.
template <Protocol protocol> bool printAndOpen(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    printProtocol(dm, context, prompter, {protocol, true, 0});
    return true;
}

} // namespace vintrel
