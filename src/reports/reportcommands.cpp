#include "reportcommands.h"

#include "protocols.h"

namespace vintrel {

using namespace Qt::StringLiterals;

const CommandTable &reportCommands()
{
    using E = CommandEntry;
    const auto protocol = [](const QString &id, const QString &text, const QString &kind,
                             ContextCommand print) {
        return E{E::Command, id, u"menuReports"_s, text, {}, u"report "_s + kind, print};
    };
    static const CommandTable table{
        protocol(u"actListSurname"_s, u"Список участников текущего вида по фамилии"_s,
                 u"list-surname"_s, printAndOpen<Protocol::ListBySurname>),
        protocol(u"actListOrg"_s, u"Список участников текущего вида по организации"_s,
                 u"list-org"_s, printAndOpen<Protocol::ListByOrganization>),
        protocol(u"actRating"_s, u"Предварительный рейтинг участников"_s, u"rating"_s,
                 printAndOpen<Protocol::Rating>),
        {E::Separator, {}, u"menuReports"_s},
        protocol(u"actPoolTour"_s, u"Результаты предварительного тура"_s, u"pool-tour"_s,
                 printAndOpen<Protocol::PoolTour>),
        protocol(u"actDeTable"_s, u"Результаты тура прямого выбывания"_s, u"de-table"_s,
                 printAndOpen<Protocol::EliminationTable>),
        protocol(u"actDeRepTo16"_s, u"Результаты тура прямого выбывания с утешением  до 16"_s,
                 u"de-rep-to16"_s, printAndOpen<Protocol::RepechageTo16>),
        protocol(u"actDeRep16"_s, u"Результаты тура прямого выбывания с утешением 16"_s,
                 u"de-rep-16"_s, printAndOpen<Protocol::Repechage16>),
        protocol(u"actDeFinal"_s, u"Финал"_s, u"de-final"_s, printAndOpen<Protocol::Final>),
        {E::Separator, {}, u"menuReports"_s},
        protocol(u"actTourResults"_s, u"Текущие результаты тура"_s, u"tour-results"_s,
                 printAndOpen<Protocol::TourResults>),
        protocol(u"actFinalResults"_s, u"Окончательные результаты текущего вида"_s,
                 u"final-results"_s, printAndOpen<Protocol::FinalResults>),

        // The pool window's "Печать группы": the score sheet of its current group.
        {E::Command,
         u"btn_PrintGroup"_s,
         u"FormGroup"_s,
         u"Печать группы"_s,
         {},
         u"report pool-sheet"_s,
         printAndOpen<Protocol::PoolSheet>},
    };
    return table;
}

} // namespace vintrel
