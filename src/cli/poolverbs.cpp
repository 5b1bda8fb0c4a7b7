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
#include "pools/toursummary.h"
#include "app/prompter.h"
#include "data/query.h"

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

// Answers No to the question whether to total every group again, and passes the rest on.
class NoRecalculation : public Prompter {
public:
    explicit NoRecalculation(CliPrompter &inner) : m_inner(inner) {}
    void info(const QString &text) override { m_inner.info(text); }
    void error(const QString &text) override { m_inner.error(text); }
    bool confirm(const QString &text) override
    {
        if (text.startsWith(u"Перед подведением итогов пересчитать"_s)) {
            m_inner.answered(text, false);
            return false;
        }
        return m_inner.confirm(text);
    }

private:
    CliPrompter &m_inner;
};

// The main window's "Подвести итоги": the preview rows are printed (titles first), then the
// tour is held, as when the preview closes.
int tourSummary(CliCall &c)
{
    bool recalc = true;
    for (const QString &a : c.args) {
        if (a != u"--no-recalc"_s)
            throw UsageError{u"использование: vintrel-cli summary [--no-recalc]"_s};
        recalc = false;
    }
    NoRecalculation noRecalc(c.prompter);
    Prompter &asked = recalc ? static_cast<Prompter &>(c.prompter) : noRecalc;
    const bool preview =
        runCommand(c.prompter, [&] { return summarizeTour(c.dm, c.context, asked); });
    if (!preview) return ExitOk;
    const Query &rows = *c.dm.qr_Temp;
    QStringList line;
    for (int f = 0; f < rows.fieldCount(); ++f)
        line << rows.fieldTitle(f);
    c.out << line.join(u'\t') << '\n';
    for (int r = 0; r < rows.recordCount(); ++r) {
        line.clear();
        for (int f = 0; f < rows.fieldCount(); ++f)
            line << cliText(rows.cell(r, f));
        c.out << line.join(u'\t') << '\n';
    }
    c.out.flush();
    runCommand(c.prompter, [&] { return finishTourSummary(c.dm, c.context, c.prompter); });
    return ExitOk;
}

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
        {u"summary"_s, u"summary [--no-recalc]"_s,
         u"«Подвести итоги» тура в главном окне; печатает итоговый просмотр"_s, tourSummary},
    };
}

} // namespace vintrel
