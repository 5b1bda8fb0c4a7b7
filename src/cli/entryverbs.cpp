#include "cliverb.h"

#include "cliprompter.h"

#include "app/command.h"
#include "data/dm.h"
#include "data/refusal.h"
#include "registry/entries.h"
#include "registry/organizations.h"
#include "registry/participants.h"

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

const QString kOrgUsage = u"org add SHORT [--city C] [--full F] | org set ORG FIELD=VALUE..."_s;
const QString kEntryUsage = u"entry add|remove|judge|unjudge ORG PERSON | "
                            u"entry aspect ORG PERSON ASPECT"_s;
const QString kPartUsage = u"part add|remove PERSON"_s;

[[noreturn]] void usage(const QString &text)
{
    throw UsageError{u"использование: vintrel-cli %1"_s.arg(text)};
}

int orgAdd(CliCall &c)
{
    QString city, full;
    QStringList rest;
    for (int i = 1; i < c.args.size(); ++i) {
        const QString &a = c.args[i];
        if ((a == u"--city"_s || a == u"--full"_s) && i + 1 < c.args.size())
            (a == u"--city"_s ? city : full) = c.args[++i];
        else if (a.startsWith(u"--"_s))
            usage(kOrgUsage);
        else
            rest << a;
    }
    if (rest.size() != 1) usage(kOrgUsage);
    int num = 0;
    if (runCommand(c.prompter, [&] {
            num = addOrganization(c.dm, rest[0], city, full);
            return true;
        }))
        c.out << num << Qt::endl;
    return ExitOk;
}

int orgSet(CliCall &c)
{
    if (c.args.size() < 3) usage(kOrgUsage);
    const int org = parseNumber(c.args[1], u"ORG"_s);
    QList<std::pair<QString, QString>> fields;
    for (int i = 2; i < c.args.size(); ++i) {
        const qsizetype eq = c.args[i].indexOf(u'=');
        if (eq <= 0) usage(kOrgUsage);
        fields.append({c.args[i].left(eq), c.args[i].mid(eq + 1)});
    }
    runCommand(c.prompter, [&] {
        setOrganizationFields(c.dm, org, fields);
        return true;
    });
    return ExitOk;
}

int org(CliCall &c)
{
    const QString sub = c.args.value(0);
    if (sub == u"add"_s) return orgAdd(c);
    if (sub == u"set"_s) return orgSet(c);
    usage(kOrgUsage);
}

// The entry window of the organization opened, one action on it, and the window closed.
int entry(CliCall &c)
{
    const QString sub = c.args.value(0);
    const bool aspect = sub == u"aspect"_s;
    const QStringList plain{u"add"_s, u"remove"_s, u"judge"_s, u"unjudge"_s};
    if (!(aspect || plain.contains(sub)) || c.args.size() != (aspect ? 4 : 3)) usage(kEntryUsage);
    const int org = parseNumber(c.args[1], u"ORG"_s);
    const int person = parseNumber(c.args[2], u"PERSON"_s);
    const int aspectNum = aspect ? parseNumber(c.args[3], u"ASPECT"_s) : 0;
    const EntryPage page =
        sub == u"judge"_s || sub == u"unjudge"_s ? EntryPage::Judges : EntryPage::Participants;

    if (!runCommand(c.prompter, [&] {
            chooseOrganization(c.dm, org);
            return true;
        }))
        return ExitOk;
    openEntry(c.dm);
    runCommand(c.prompter, [&] {
        if (sub == u"add"_s || sub == u"judge"_s) {
            chooseEntryPerson(c.dm, person);
            return addToEntry(c.dm, page, c.prompter);
        }
        chooseEntryRow(c.dm, page, person);
        if (aspect) return setEntryAspect(c.dm, aspectNum);
        return removeFromEntry(c.dm, page, c.prompter);
    });
    runCommand(c.prompter, [&] { return closeEntry(c.dm, c.prompter); });
    return ExitOk;
}

// The participants window of the current aspect: one action for one person.
int part(CliCall &c)
{
    const QString sub = c.args.value(0);
    if ((sub != u"add"_s && sub != u"remove"_s) || c.args.size() != 2) usage(kPartUsage);
    const int person = parseNumber(c.args[1], u"PERSON"_s);
    showAllPeople(c.dm);
    runCommand(c.prompter, [&] {
        if (sub == u"add"_s) {
            choosePerson(c.dm, person);
            return addParticipant(c.dm, c.context, c.prompter);
        }
        chooseParticipant(c.dm, person);
        return removeParticipant(c.dm, c.context, c.prompter);
    });
    return ExitOk;
}

} // namespace

QList<CliVerb> entryVerbs()
{
    // --help shows every form of a verb on a line of its own.
    const auto forms = [](QStringList lines) { return lines.join(u"\n  "_s); };
    return {
        {u"org"_s,
         forms({u"org add SHORT [--city C] [--full F]"_s, u"org set ORG FIELD=VALUE..."_s}),
         u"новая организация (печатает её номер) или правка её полей"_s, org},
        {u"entry"_s,
         forms({u"entry add ORG PERSON"_s, u"entry aspect ORG PERSON ASPECT"_s,
                u"entry remove ORG PERSON"_s, u"entry judge ORG PERSON"_s,
                u"entry unjudge ORG PERSON"_s}),
         u"заявка организации: внести, выбрать вид, удалить участника; внести или удалить судью"_s,
         entry},
        {u"part"_s, forms({u"part add PERSON"_s, u"part remove PERSON"_s}),
         u"внести человека в участники текущего вида или удалить"_s, part},
    };
}

} // namespace vintrel
