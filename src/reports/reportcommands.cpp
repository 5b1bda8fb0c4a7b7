#include "reportcommands.h"

namespace vintrel {

using namespace Qt::StringLiterals;

const CommandTable &reportCommands()
{
    using E = CommandEntry;
    // The protocols come with their templates; until then the entries show disabled.
    const auto protocol = [](const QString &id, const QString &text, const QString &kind) {
        return E{E::Command, id, u"menuReports"_s, text, {}, u"report "_s + kind, nullptr, false};
    };
    static const CommandTable table{
        protocol(u"actListSurname"_s, u"Список участников текущего вида по фамилии"_s,
                 u"list-surname"_s),
        protocol(u"actListOrg"_s, u"Список участников текущего вида по организации"_s,
                 u"list-org"_s),
        protocol(u"actRating"_s, u"Предварительный рейтинг участников"_s, u"rating"_s),
        {E::Separator, {}, u"menuReports"_s},
        protocol(u"actPoolTour"_s, u"Результаты предварительного тура"_s, u"pool-tour"_s),
        protocol(u"actDeTable"_s, u"Результаты тура прямого выбывания"_s, u"de-table"_s),
        protocol(u"actDeRepTo16"_s, u"Результаты тура прямого выбывания с утешением  до 16"_s,
                 u"de-rep-to16"_s),
        protocol(u"actDeRep16"_s, u"Результаты тура прямого выбывания с утешением 16"_s,
                 u"de-rep-16"_s),
        protocol(u"actDeFinal"_s, u"Финал"_s, u"de-final"_s),
        {E::Separator, {}, u"menuReports"_s},
        protocol(u"actTourResults"_s, u"Текущие результаты тура"_s, u"tour-results"_s),
        protocol(u"actFinalResults"_s, u"Окончательные результаты текущего вида"_s,
                 u"final-results"_s),
    };
    return table;
}

} // namespace vintrel
