#include "cliverb.h"

#include "cliprompter.h"
#include "rtfcommand.h"

#include "app/command.h"
#include "app/tourstrip.h"
#include "data/dm.h"

#include <QDate>

namespace vintrel {

using namespace Qt::StringLiterals;

void CliCall::expectArgs(int count, const QString &usage) const
{
    if (args.size() != count) throw UsageError{u"использование: vintrel-cli %1"_s.arg(usage)};
}

int parseNumber(const QString &text, const QString &what)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok) throw UsageError{u"%1: ожидалось целое число, получено «%2»"_s.arg(what, text)};
    return n;
}

QString cliText(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    case QMetaType::Bool:
        return v.toBool() ? u"1"_s : u"0"_s;
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 12);
    default: {
        QString s = v.toString();
        return s.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
    }
    }
}

namespace {

int listTable(CliCall &c)
{
    c.expectArgs(1, u"list TABLE"_s);
    Table *table = c.dm.table(c.args[0]);
    if (!table) throw UsageError{u"неизвестная таблица %1"_s.arg(c.args[0])};
    QStringList line;
    for (int f = 0; f < table->fieldCount(); ++f)
        line << table->fieldTitle(f);
    c.out << line.join(u'\t') << '\n';
    for (int r = 0; r < table->recordCount(); ++r) {
        line.clear();
        for (int f = 0; f < table->fieldCount(); ++f)
            line << cliText(table->cell(r, f));
        c.out << line.join(u'\t') << '\n';
    }
    c.out.flush();
    return ExitOk;
}

int setKol(CliCall &c)
{
    c.expectArgs(1, u"set-kol N"_s);
    const int kol = parseNumber(c.args[0], u"set-kol"_s);
    runCommand(c.prompter, [&] { return setTourParticipants(c.dm, c.context, kol, c.prompter); });
    return ExitOk;
}

int setDate(CliCall &c)
{
    c.expectArgs(1, u"set-date YYYY-MM-DD"_s);
    const QString &text = c.args[0];
    const QDate date = QDate::fromString(text, u"yyyy-MM-dd"_s);
    if (text.size() != 10 || !date.isValid())
        throw UsageError{u"set-date: ожидалась дата вида ГГГГ-ММ-ДД, получено «%1»"_s.arg(text)};
    runCommand(c.prompter, [&] { return setTourDate(c.dm, c.context, date, c.prompter); });
    return ExitOk;
}

int setHeld(CliCall &c)
{
    c.expectArgs(1, u"set-held 0|1"_s);
    if (c.args[0] != u"0"_s && c.args[0] != u"1"_s)
        throw UsageError{u"set-held: ожидалось 0 или 1, получено «%1»"_s.arg(c.args[0])};
    const bool held = c.args[0] == u"1"_s;
    runCommand(c.prompter, [&] { return setTourHeld(c.dm, c.context, held, c.prompter); });
    return ExitOk;
}

} // namespace

QList<CliVerb> shellVerbs()
{
    return {
        {u"list"_s, u"list TABLE"_s,
         u"напечатать видимые строки таблицы (например, tbl_PART) в текущем контексте"_s,
         listTable},
        {u"set-date"_s, u"set-date YYYY-MM-DD"_s, u"дата проведения текущего тура"_s, setDate},
        {u"set-kol"_s, u"set-kol N"_s, u"число участников текущего тура"_s, setKol},
        {u"set-held"_s, u"set-held 0|1"_s, u"отметка «Тур проведен» текущего тура"_s, setHeld},
        {u"rtf"_s, u"rtf TEMPLATE OUTPUT [--var NAME=VALUE]... [--dataset D]... [--clear-missed]"_s,
         u"заполнить RTF-шаблон генератором отчетов"_s, runRtfCommand},
    };
}

} // namespace vintrel
