#include "reprtf.h"

#include "repdataset.h"
#include "rtfcompiler.h"
#include "rtferrors.h"
#include "rtfexecutor.h"
#include "rtfheaderwriter.h"
#include "rtfsource.h"
#include "rtfwriter.h"
#include "valueformatter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>

namespace vintrel {

using namespace Qt::StringLiterals;

QString TRepReportVariable::value() const
{
    const int index = m_report.IndexOfVariable(m_name);
    if (index == 0) throw EIOError(u"Get variable"_s + u": report variable not found: "_s + m_name);
    return m_report.VariableValue(index);
}

QString TRepRTF::lineName(const QString &line)
{
    const qsizetype eq = line.indexOf(u'=');
    return eq > 0 ? line.left(eq) : QString();
}

QString TRepRTF::lineValue(const QString &line)
{
    const qsizetype eq = line.indexOf(u'=');
    return eq >= 0 ? line.mid(eq + 1) : QString();
}

int TRepRTF::IndexOfVariable(const QString &name) const
{
    if (name.isEmpty()) return 0;
    for (qsizetype i = 0; i < VarList.size(); ++i) {
        const QString &line = VarList[i];
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && QStringView(line).left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return int(i) + 1;
    }
    return 0;
}

QString TRepRTF::VariableValue(int index) const
{
    if (index < 1 || index > VarList.size()) return {};
    const QString &line = VarList[index - 1];
    return lineName(line).isEmpty() ? QString() : lineValue(line);
}

void TRepRTF::AddVariable(const QString &name, const QString &value)
{
    const QString trimmed = name.trimmed();
    if (IndexOfVariable(trimmed) > 0)
        throw EIOError(u"Can't add report variable "_s + trimmed +
                       u" - variable already exists."_s);
    VarList << trimmed + u'=' + value;
}

void TRepRTF::AddNumericVariable(const QString &name, double value)
{
    AddVariable(name, ValueFormatter::shortestText(value));
}

void TRepRTF::DeleteVariable(const QString &name)
{
    if (const int index = IndexOfVariable(name); index > 0) VarList.removeAt(index - 1);
}

void TRepRTF::setVariable(const QString &name, const QString &value)
{
    if (const int index = IndexOfVariable(name); index > 0)
        VarList[index - 1] = lineName(VarList[index - 1]) + u'=' + value;
    else
        VarList << name + u'=' + value;
}

QByteArray TRepRTF::readTemplate() const
{
    QFile file(Infile);
    if (Infile.isEmpty() || !QFileInfo(Infile).isFile() || !file.open(QIODevice::ReadOnly))
        throw EIOError(u"Can't read report template from file:"_s + Infile);
    const qint64 expected = file.size();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) throw EIOError(u"Can't read file "_s + Infile);
    if (bytes.size() != expected)
        throw EIOError(u"Can't read report template from file:"_s + Infile);
    return bytes;
}

void TRepRTF::Execute(const std::vector<RepDataSet *> &datasets)
{
    for (RepDataSet *data : datasets)
        if (!data) throw std::invalid_argument("TRepRTF::Execute: a dataset is missing");
    const QByteArray bytes = readTemplate();
    if (!bytes.startsWith("{\\rtf")) throw EBadRtfFormat(u"Template is not RTF file."_s);

    // The report is written beside the old one and takes its place only when the run
    // succeeds: a failed run leaves yesterday's protocol as it was.
    QSaveFile output(OutFile);
    if (!output.open(QIODevice::WriteOnly))
        throw EIOError(u"Cannot create file \""_s + OutFile + u"\". "_s + output.errorString());

    RtfCompiler::Settings settings;
    settings.dotAsColon = hasOption(eoDotAsColon);
    settings.datasetCount = int(datasets.size());
    for (size_t i = 0; i < datasets.size() && i < 26; ++i)
        if (datasets[i])
            settings.aliases.insert(datasets[i]->name().toUpper(), QChar(char16_t(u'a' + i)));
    settings.variableExists = [this](const QString &name) { return IndexOfVariable(name) > 0; };
    settings.fieldExists = [&datasets](const QString &alias, const QString &name) {
        int dataset = -1, field = -1;
        return RtfExecutor::findField(datasets, alias, name, dataset, field);
    };

    const RtfSource source(bytes);
    RtfWriter out(output, OutFile);
    RtfHeaderWriter header(source, out, Charset);
    const qsizetype body = header.write();
    RtfCompiler compiler(source, settings);
    compiler.compile(body);
    RtfExecutor executor(*this, source, out, compiler.commands(), compiler.scans(), datasets,
                         header.templateColourCount());
    executor.run();
    out.flush();
    if (!output.commit()) throw EIOError(u"Can't write file "_s + OutFile);
}

} // namespace vintrel
