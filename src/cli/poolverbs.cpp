#include "cliverb.h"

#include "cliprompter.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "data/dm.h"
#include "pools/distribution.h"
#include "pools/grouptotals.h"
#include "pools/poolcontext.h"
#include "pools/poolcount.h"
#include "pools/poolsheet.h"
#include "pools/poolsizes.h"

#include <optional>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

// "Подготовка к туру". On a pool tour: the number-of-pools window with G typed, "Пересчет",
// "Закрыть"; an elimination tour writes its circles (the elimination verbs).
int prepareTour(CliCall &c)
{
    if (c.context.hasTour() && !TDM::isPoolTour(c.context.currentTourKind()))
        return prepareEliminationVerb(c);
    const QString usage = u"использование: vintrel-cli prepare [--groups G]"_s;
    std::optional<int> groups;
    for (int i = 0; i < c.args.size(); ++i) {
        if (c.args[i] != u"--groups"_s || i + 1 >= c.args.size() || groups) throw UsageError{usage};
        groups = parseNumber(c.args[++i], u"--groups"_s);
    }
    if (!groups) throw UsageError{u"prepare: для предварительного тура нужен --groups G"_s};
    runCommand(c.prompter, [&] {
        recountPools(c.dm, c.context, *groups, c.prompter);
        closePoolCount(c.dm);
        return true;
    });
    return ExitOk;
}

// "Проведение тура", then "Разнести по группам " in the pool window; the organization option
// is ticked as the window ticks it (first tour only) unless --no-org.
int distribute(CliCall &c)
{
    bool byOrganization = true;
    for (const QString &a : c.args) {
        if (a != u"--no-org"_s)
            throw UsageError{u"использование: vintrel-cli distribute [--no-org]"_s};
        byOrganization = false;
    }
    runCommand(c.prompter, [&] {
        if (!poolGroupsDefined(c.dm, c.context, c.prompter)) return false;
        const PoolSheetView view = activatePoolSheet(c.dm, c.prompter);
        return distributeIntoPools(c.dm, c.context, byOrganization && view.firstTour, c.prompter);
    });
    return ExitOk;
}

// The pool window with group G chosen in its selector.
bool openGroup(CliCall &c, int group)
{
    if (!poolGroupsDefined(c.dm, c.context, c.prompter)) return false;
    activatePoolSheet(c.dm, c.prompter);
    if (!selectPoolGroup(c.dm, group, nullptr)) {
        c.prompter.error(u"В текущем туре нет группы %1."_s.arg(group));
        return false;
    }
    showPoolGroup(c.dm, group, c.prompter);
    return true;
}

int typeCell(CliCall &c)
{
    c.expectArgs(4, u"cell G POS N VALUE"_s);
    const int group = parseNumber(c.args[0], u"G"_s);
    const int position = parseNumber(c.args[1], u"POS"_s);
    const int cell = parseNumber(c.args[2], u"N"_s);
    if (cell < 1 || cell > kMaxPoolSize)
        throw UsageError{u"cell: N — номер клетки от 1 до %1"_s.arg(kMaxPoolSize)};
    runCommand(c.prompter, [&] {
        if (!openGroup(c, group)) return false;
        const int row = poolRowOfPosition(c.dm, position);
        if (row < 0) {
            c.prompter.error(
                u"В группе %1 нет участника под номером %2."_s.arg(group).arg(position));
            return false;
        }
        return enterBoutCell(c.dm, c.context, row, cell, c.args[3], c.prompter);
    });
    return ExitOk;
}

int groupTotals(CliCall &c)
{
    c.expectArgs(1, u"group-totals G"_s);
    const int group = parseNumber(c.args[0], u"G"_s);
    runCommand(c.prompter, [&] {
        return openGroup(c, group) && totalCurrentGroup(c.dm, c.context, c.prompter);
    });
    return ExitOk;
}

} // namespace

QList<CliVerb> poolVerbs()
{
    return {
        {u"prepare"_s, u"prepare [--groups G]"_s,
         u"«Подготовка к туру»: для предварительного тура — число групп G и их размеры"_s,
         prepareTour},
        {u"distribute"_s, u"distribute [--no-org]"_s,
         u"«Разнести по группам»: участники тура по группам змейкой (--no-org: без учета "
         u"организаций)"_s,
         distribute},
        {u"cell"_s, u"cell G POS N VALUE"_s,
         u"результат боя VALUE (V или D и цифра) в клетку FN участника POS группы G"_s, typeCell},
        {u"group-totals"_s, u"group-totals G"_s, u"«Подвести итоги» группы G"_s, groupTotals},
    };
}

} // namespace vintrel
