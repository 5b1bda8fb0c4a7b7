#include "cliverb.h"

#include "cliprompter.h"

#include "app/command.h"
#include "data/dm.h"
#include "elimination/eliminationcommands.h"

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

using CircleCommand = bool (*)(TDM &, CurrentContext &, int, Prompter &);

// A command of the elimination window with circle C shown, as the window runs it.
int runOnCircle(CliCall &c, const QString &verb, CircleCommand command)
{
    c.expectArgs(1, verb + u" C"_s);
    const int circle = parseNumber(c.args[0], verb);
    runCommand(c.prompter, [&] {
        showCircle(c.dm, c.context, circle);
        return command(c.dm, c.context, circle, c.prompter);
    });
    return ExitOk;
}

int deOpen(CliCall &c)
{
    c.expectArgs(0, u"de-open"_s);
    runCommand(c.prompter, [&] { return openEliminationTour(c.dm, c.context, c.prompter); });
    return ExitOk;
}

int deFirst(CliCall &c)
{
    c.expectArgs(0, u"de-first"_s);
    runCommand(c.prompter, [&] {
        showCircle(c.dm, c.context, 1);
        return buildFirstCircle(c.dm, c.context, 1, c.prompter);
    });
    return ExitOk;
}

int deTouches(CliCall &c)
{
    c.expectArgs(3, u"de-touches C START P"_s);
    const int circle = parseNumber(c.args[0], u"de-touches"_s);
    const int start = parseNumber(c.args[1], u"de-touches"_s);
    const QString touches = c.args[2]; // an empty text clears the touches
    runCommand(c.prompter, [&] {
        showCircle(c.dm, c.context, circle);
        return setCircleTouches(c.dm, c.context, circle, start, touches, c.prompter);
    });
    return ExitOk;
}

bool nextCircle(TDM &dm, CurrentContext &context, int circle, Prompter &prompter)
{
    return buildNextCircle(dm, context, circle, prompter);
}

} // namespace

int prepareEliminationVerb(CliCall &c)
{
    if (!c.args.isEmpty())
        throw UsageError{u"prepare: у тура прямого выбывания нет групп, --groups не нужен"_s};
    runCommand(c.prompter, [&] { return prepareEliminationTour(c.dm, c.context, c.prompter); });
    return ExitOk;
}

QList<CliVerb> eliminationVerbs()
{
    return {
        {u"de-open"_s, u"de-open"_s, u"«Проведение тура»: проверка стартовых номеров"_s, deOpen},
        {u"de-first"_s, u"de-first"_s, u"«Сформировать 1 круг»"_s, deFirst},
        {u"de-touches"_s, u"de-touches C START P"_s,
         u"нанесенные уколы P участника START в круге C (пусто — без уколов)"_s, deTouches},
        {u"de-totals"_s, u"de-totals C"_s, u"«Подвести итоги круга» C"_s,
         [](CliCall &c) { return runOnCircle(c, u"de-totals"_s, totalCircle); }},
        {u"de-next"_s, u"de-next C"_s, u"«Сформировать след-щий круг» после круга C"_s,
         [](CliCall &c) { return runOnCircle(c, u"de-next"_s, nextCircle); }},
        {u"de-add"_s, u"de-add C"_s, u"«Добавить рез-ты к итоговым» для круга C"_s,
         [](CliCall &c) { return runOnCircle(c, u"de-add"_s, addCircleToTotals); }},
        {u"de-places"_s, u"de-places C"_s, u"«Вывести итоговое место» для круга C"_s,
         [](CliCall &c) { return runOnCircle(c, u"de-places"_s, giveCirclePlaces); }},
        {u"de-clear"_s, u"de-clear C"_s, u"«Удалить участников тура»: круг C"_s,
         [](CliCall &c) { return runOnCircle(c, u"de-clear"_s, clearCircle); }},
    };
}

} // namespace vintrel
