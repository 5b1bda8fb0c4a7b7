#include "rtfexecutor.h"

#include "repdataset.h"
#include "reprtf.h"
#include "rtferrors.h"
#include "rtfpicture.h"
#include "rtfsource.h"
#include "rtfwriter.h"
#include "valueformatter.h"

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

using Kind = RtfCommand::Kind;
using FieldKind = RepDataSet::FieldKind;

QByteArray dropEmptyPairs(const QByteArray &braces)
{
    QByteArray out;
    for (qsizetype i = 0; i < braces.size(); ++i) {
        if (braces[i] == '{' && i + 1 < braces.size() && braces[i + 1] == '}') {
            ++i;
            continue;
        }
        out += braces[i];
    }
    return out;
}

bool isFieldNumber(const QString &name)
{
    if (name.size() < 3 || !name.startsWith(u'(') || !name.endsWith(u')')) return false;
    for (qsizetype i = 1; i + 1 < name.size(); ++i)
        if (!name[i].isDigit()) return false;
    return true;
}

} // namespace

RtfExecutor::RtfExecutor(TRepRTF &report, const RtfSource &source, RtfWriter &out,
                         std::vector<RtfCommand> &commands, std::vector<TRepScanInfo> &scans,
                         const std::vector<RepDataSet *> &datasets, int templateColours)
    : m_report(report), m_source(source), m_out(out), m_commands(commands), m_scans(scans),
      m_datasets(datasets), m_templateColours(templateColours)
{
}

void RtfExecutor::run()
{
    const int count = int(m_commands.size());
    int pc = 0;
    while (pc >= 0 && pc < count) {
        RtfCommand &c = m_commands[size_t(pc)];
        switch (c.kind) {
        case Kind::Start:
            ++pc;
            break;
        case Kind::End:
            return;
        case Kind::CopyText:
        case Kind::CopyGroup:
            m_out.write(m_source.data() + c.begin, c.end - c.begin);
            ++pc;
            break;
        case Kind::Variable:
            writeVariable(c);
            ++pc;
            break;
        case Kind::Field:
        case Kind::RowFieldDot:
        case Kind::RowFieldColon:
            writeField(c);
            ++pc;
            break;
        case Kind::ScanStart:
            pc = scanStart(pc);
            break;
        case Kind::ScanEntry:
            pc = scanEntry(pc);
            break;
        case Kind::ScanFooter:
        case Kind::ScanEnd:
            pc = endPoint(pc);
            break;
        case Kind::RowStart:
            pc = rowStart(pc);
            break;
        case Kind::RowEnd:
            pc = rowEnd(pc);
            break;
        }
    }
}

// ---- scan blocks ----

int RtfExecutor::scanStart(int pc)
{
    const RtfCommand &c = m_commands[size_t(pc)];
    TRepScanInfo &scan = m_scans[size_t(c.scan)];
    m_out.write(c.codes);
    m_out.write(c.lineBreak);
    scan.dataset = m_datasets[size_t(scan.datasetIndex)];
    if (!scan.measured) measure(scan);
    if (m_report.OnScanBefore) m_report.OnScanBefore(scan);
    RepDataSet &data = *scan.dataset;
    if (scan.noeof && data.eof()) {
        for (int section = 0; section < 4; ++section)
            initialise(scan, section);
        const RtfCommand &end = m_commands[size_t(scan.endCommand)];
        m_out.write(scan.skeleton);
        m_out.write(end.codes);
        m_out.write(end.kept);
        if (m_report.OnScanEof) m_report.OnScanEof(scan);
        scan.exhausted = true;
        finishBlock(scan);
        return scan.endCommand + 1;
    }
    m_out.write(c.kept);
    data.first();
    scan.exhausted = false;
    if (m_report.OnScanRecord) m_report.OnScanRecord(scan);
    initialiseAndEvaluate(scan, TRepScanInfo::ScanSection);
    return pc + 1;
}

int RtfExecutor::scanEntry(int pc)
{
    const RtfCommand &c = m_commands[size_t(pc)];
    TRepScanInfo &scan = m_scans[size_t(c.scan)];
    m_out.write(c.codes);
    m_out.write(c.lineBreak);
    m_out.write(c.kept);
    initialiseAndEvaluate(scan, TRepScanInfo::EntrySection);
    return pc + 1;
}

int RtfExecutor::endPoint(int pc)
{
    const RtfCommand &c = m_commands[size_t(pc)];
    TRepScanInfo &scan = m_scans[size_t(c.scan)];
    const int section =
        c.kind == Kind::ScanFooter ? TRepScanInfo::FooterSection : TRepScanInfo::EndSection;
    RepDataSet &data = *scan.dataset;
    m_out.write(c.codes);
    m_out.write(c.lineBreak);
    if (!data.eof() && !scan.exhausted) {
        initialiseAndEvaluate(scan, section);
        data.next();
    }
    if (data.eof() || scan.exhausted) {
        m_out.write(c.kept);
        if (scan.exhausted) {
            initialiseAndEvaluate(scan, section);
        } else {
            if (m_report.OnScanEof) m_report.OnScanEof(scan);
            scan.exhausted = true;
        }
        // The block is left: a later entry (inside an outer block) starts its sums afresh.
        if (c.kind == Kind::ScanEnd) finishBlock(scan);
        return pc + 1;
    }
    const int n = scan.braceBalance;
    if (n > 0) m_out.write(QByteArray(n, '}'));
    if (n < 0) m_out.write(QByteArray(-n, '{'));
    if (m_report.OnScanRecord) m_report.OnScanRecord(scan);
    const bool hasEntry = scan.entryCommand >= 0;
    const int entry = hasEntry ? scan.entryCommand : scan.firstCommand;
    initialiseAndEvaluate(scan, hasEntry ? TRepScanInfo::EntrySection : TRepScanInfo::ScanSection);
    m_out.write(m_commands[size_t(entry)].kept);
    if (scan.page) m_out.write("\\page ", 6);
    return entry + 1;
}

void RtfExecutor::finishBlock(TRepScanInfo &scan)
{
    for (auto &section : scan.sections)
        section.initialised = false;
}

void RtfExecutor::contribution(int index, int &balance, QByteArray *braces) const
{
    const RtfCommand &c = m_commands[size_t(index)];
    const auto add = [&](const char *data, qsizetype size) {
        if (braces)
            RtfSource::appendBraces(data, size, *braces);
        else
            balance += RtfSource::braceBalance(data, size);
    };
    switch (c.kind) {
    case Kind::CopyText:
        add(m_source.data() + c.begin, c.end - c.begin);
        break;
    case Kind::Variable:
    case Kind::Field:
    case Kind::RowFieldDot:
    case Kind::RowFieldColon:
        add(c.codes.constData(), c.codes.size());
        break;
    case Kind::ScanStart:
    case Kind::ScanEntry:
    case Kind::ScanFooter:
    case Kind::ScanEnd:
        add(c.codes.constData(), c.codes.size());
        add(c.kept.constData(), c.kept.size());
        break;
    default:
        break;
    }
}

void RtfExecutor::measure(TRepScanInfo &scan)
{
    // Table rows and copied groups are balanced by construction and are stepped over.
    const auto walk = [this](int from, int to, int &balance, QByteArray *braces) {
        for (int i = from; i < to; ++i) {
            const RtfCommand &c = m_commands[size_t(i)];
            if (c.kind == Kind::RowStart && c.partner > i) {
                i = c.partner;
                continue;
            }
            contribution(i, balance, braces);
        }
    };
    const int entry = scan.entryCommand >= 0 ? scan.entryCommand : scan.firstCommand;
    const int endPointIndex = scan.footerCommand >= 0 ? scan.footerCommand : scan.endCommand;
    const QByteArray &entryKept = m_commands[size_t(entry)].kept;
    int balance = RtfSource::braceBalance(entryKept.constData(), entryKept.size());
    walk(entry + 1, endPointIndex, balance, nullptr);
    scan.braceBalance = balance;

    QByteArray braces;
    const QByteArray &scanKept = m_commands[size_t(scan.firstCommand)].kept;
    RtfSource::appendBraces(scanKept.constData(), scanKept.size(), braces);
    int unused = 0;
    walk(scan.firstCommand + 1, scan.endCommand, unused, &braces);
    scan.skeleton = dropEmptyPairs(braces);
    scan.measured = true;
}

void RtfExecutor::initialise(TRepScanInfo &scan, int sectionIndex)
{
    auto &section = scan.sections[size_t(sectionIndex)];
    if (section.initialised) return;
    if (!section.resolved) {
        for (ScanFunction &f : section.functions) {
            if (f.fromField && !resolveField(f.alias, f.field, f.dataset, f.fieldIndex))
                throw EIllegalScanUse(u"Illegal scan option: \\"_s + f.text + u"\\, data field "_s +
                                      f.field + u" not found"_s);
        }
        section.resolved = true;
    }
    for (ScanFunction &f : section.functions) {
        if (f.reset) {
            f.value = 0;
            m_report.setVariable(f.target, u"0"_s);
            continue;
        }
        const int index = m_report.IndexOfVariable(f.target);
        double value = 0;
        if (index > 0 && ValueFormatter::toNumber(m_report.VariableValue(index).trimmed(), value))
            f.value = value;
        else
            m_report.setVariable(f.target, ValueFormatter::shortestText(f.value));
    }
    section.initialised = true;
}

void RtfExecutor::evaluate(TRepScanInfo &scan, int sectionIndex)
{
    for (ScanFunction &f : scan.sections[size_t(sectionIndex)].functions) {
        bool counts = true;
        QString text;
        const double number = functionInput(f, counts, text);
        if (counts) {
            switch (f.kind) {
            case ScanFunction::Kind::Sum:
                f.value += number;
                break;
            case ScanFunction::Kind::Ctn:
                if (number != 0) f.value += 1;
                break;
            case ScanFunction::Kind::Cts:
                if (!text.trimmed().isEmpty()) f.value += 1;
                break;
            }
        }
        m_report.setVariable(f.target, ValueFormatter::shortestText(f.value));
    }
}

void RtfExecutor::initialiseAndEvaluate(TRepScanInfo &scan, int section)
{
    initialise(scan, section);
    evaluate(scan, section);
}

double RtfExecutor::functionInput(const ScanFunction &f, bool &counts, QString &text) const
{
    const bool numeric = f.kind != ScanFunction::Kind::Cts;
    if (!f.fromField) {
        const int index = m_report.IndexOfVariable(f.variable);
        if (index == 0)
            throw EIllegalScanUse(u"Illegal scan option: \\"_s + f.text +
                                  u"\\, report variable "_s + f.variable + u" not found"_s);
        text = m_report.VariableValue(index);
        return numeric ? ValueFormatter::toNumberOrThrow(text) : 0;
    }
    const RepDataSet &data = *m_datasets[size_t(f.dataset)];
    if (data.eof()) {
        counts = false;
        return 0;
    }
    text = data.fieldText(f.fieldIndex);
    if (!numeric) return 0;
    switch (data.fieldKind(f.fieldIndex)) {
    case FieldKind::Boolean:
        return data.fieldValue(f.fieldIndex).toBool() ? 1 : 0;
    case FieldKind::Integer:
    case FieldKind::Float:
        return data.fieldValue(f.fieldIndex).toDouble();
    default:
        return ValueFormatter::toNumberOrThrow(text);
    }
}

// ---- table rows ----

int RtfExecutor::rowStart(int pc)
{
    RtfCommand &row = m_commands[size_t(pc)];
    if (!row.resolved) {
        row.resolved = true;
        for (int i = pc + 1; i < row.partner; ++i) {
            RtfCommand &c = m_commands[size_t(i)];
            if (!c.isFieldMarker()) continue;
            if (!c.resolved) resolve(c);
            if (c.kind != Kind::RowFieldDot || c.dataset < 0) continue;
            const bool upperLetter = c.aliasWritten.size() == 1 && c.aliasWritten[0].isUpper();
            if (row.driving < 0 || upperLetter) row.driving = c.dataset;
        }
        if (row.driving >= 0) m_datasets[size_t(row.driving)]->first();
    }
    return pc + 1;
}

int RtfExecutor::rowEnd(int pc)
{
    const RtfCommand &end = m_commands[size_t(pc)];
    const RtfCommand &row = m_commands[size_t(end.partner)];
    if (row.driving >= 0) {
        RepDataSet &data = *m_datasets[size_t(row.driving)];
        if (!data.eof()) data.next();
        if (!data.eof()) return end.partner;
    }
    return pc + 1;
}

// ---- values ----

bool RtfExecutor::findField(const std::vector<RepDataSet *> &datasets, const QString &alias,
                            const QString &name, int &dataset, int &field)
{
    dataset = field = -1;
    if (alias.size() != 1) return false;
    const int index = alias[0].toUpper().unicode() - u'A';
    if (index < 0 || index >= int(datasets.size())) return false;
    const RepDataSet &data = *datasets[size_t(index)];
    int number = -1;
    if (isFieldNumber(name)) {
        bool ok = false;
        number = name.mid(1, name.size() - 2).toInt(&ok);
        if (!ok || number >= data.fieldCount()) return false;
    } else {
        number = data.fieldIndex(name);
        if (number < 0) return false;
    }
    dataset = index;
    field = number;
    return true;
}

bool RtfExecutor::resolveField(const QString &alias, const QString &name, int &dataset,
                               int &field) const
{
    return findField(m_datasets, alias, name, dataset, field);
}

void RtfExecutor::resolve(RtfCommand &c) const
{
    c.resolved = true;
    resolveField(c.alias, c.name, c.dataset, c.field);
}

void RtfExecutor::writeMissing(const RtfCommand &c)
{
    m_out.write(m_report.hasOption(TRepRTF::eoClearMissedFields) ? c.codes : c.typed);
}

void RtfExecutor::writeVariable(const RtfCommand &c)
{
    const int index = m_report.IndexOfVariable(c.name);
    if (index == 0) {
        writeMissing(c);
        return;
    }
    writeFormatted(c, m_report.VariableValue(index));
}

QString RtfExecutor::datePattern(const RtfCommand &c) const
{
    const QString &name = c.format.argument;
    if (name.isEmpty()) return {};
    const int index = m_report.IndexOfVariable(name);
    if (index == 0) throw EIOError(u"Get variable"_s + u": report variable not found: "_s + name);
    return m_report.VariableValue(index);
}

void RtfExecutor::writeFormatted(const RtfCommand &c, const QString &value)
{
    const FormatFunction function = c.format.function;
    QString text = value;
    if (function == FormatFunction::Img) {
        writePictureFile(c, value);
        return;
    }
    if (function == FormatFunction::Lnk) {
        writeLink(c, value);
        return;
    }
    if (function == FormatFunction::Dtm) {
        const QString pattern = datePattern(c);
        text = ValueFormatter::formatDateTime(ValueFormatter::toDateTime(value), pattern);
    } else if (ValueFormatter::isNumeric(function)) {
        text = ValueFormatter::formatNumber(value, c.format);
    }
    m_out.writeValue(m_report.Lang, text, c.codes);
}

void RtfExecutor::writeField(RtfCommand &c)
{
    if (!c.resolved) resolve(c);
    if (c.dataset < 0) {
        writeMissing(c);
        return;
    }
    const RepDataSet &data = *m_datasets[size_t(c.dataset)];
    if (data.eof()) {
        m_out.write(' ');
        m_out.write(c.codes);
        return;
    }
    const FieldKind kind = data.fieldKind(c.field);
    const FormatFunction function = c.format.function;
    if (kind == FieldKind::Graphic) {
        writePictureBytes(c, data.fieldValue(c.field).toByteArray());
        return;
    }
    if (function == FormatFunction::Img) { // a text field naming a picture file
        writePictureFile(c, data.fieldText(c.field).trimmed());
        return;
    }
    if (function == FormatFunction::Lnk) {
        writeLink(c, data.fieldText(c.field));
        return;
    }
    QString text;
    if (kind == FieldKind::Boolean) {
        text = data.fieldValue(c.field).toBool() ? m_report.TrueValue : m_report.FalseValue;
    } else if (kind == FieldKind::Date || kind == FieldKind::DateTime) {
        if (function == FormatFunction::Dtm) {
            const QString pattern = datePattern(c);
            const QVariant value = data.fieldValue(c.field);
            const QDateTime dt = value.typeId() == QMetaType::QDate
                                     ? QDateTime(value.toDate(), QTime(0, 0))
                                     : value.toDateTime();
            text = ValueFormatter::formatDateTime(dt, pattern);
        } else {
            text = data.fieldText(c.field);
            const qsizetype space = text.indexOf(u' ');
            if (space >= 8) text.truncate(space);
        }
    } else {
        text = data.fieldText(c.field);
        while (text.endsWith(u' '))
            text.chop(1);
        if (ValueFormatter::isNumeric(function)) {
            text = ValueFormatter::formatNumber(text, c.format);
        } else if (function == FormatFunction::Dtm) {
            const QString pattern = datePattern(c);
            text = ValueFormatter::formatDateTime(ValueFormatter::toDateTime(text), pattern);
        }
    }
    m_out.writeValue(m_report.Lang, text, c.codes);
}

void RtfExecutor::writeLink(const RtfCommand &c, const QString &value)
{
    const qsizetype bar = value.indexOf(u'|');
    QString target = bar >= 0 ? value.left(bar) : value;
    const QString text = bar >= 0 ? value.mid(bar + 1) : value;
    // A double quote would end the field instruction's argument early.
    target.replace(u'"', u"%22"_s);
    const QByteArray lang = QByteArray::number(m_report.Lang);
    m_out.write("{\\field{\\*\\fldinst {\\lang" + lang + " HYPERLINK \"" +
                RtfWriter::escaped(target) + "\" }}{\\fldrslt \\lang" + lang + ' ' +
                RtfWriter::escaped(text) + "}}");
    m_out.write(c.codes);
}

void RtfExecutor::writePictureFile(const RtfCommand &c, const QString &path)
{
    RtfPicture picture;
    if (!picture.loadFile(path)) {
        m_out.writeValue(m_report.Lang, u"#Can't load file "_s + path, c.codes);
        return;
    }
    TRepImageFormat format = picture.defaultFormat();
    if (m_report.OnImageFormat) m_report.OnImageFormat(++m_pictures, format);
    if (format.borderColour < 0 || format.borderColour > 15) {
        format.borderColour = 0;
        format.borderWidth = std::clamp(format.borderWidth, 0.0, 3.5) * 20;
        if (format.borderWidth == 0) format.borderKind = 0;
    }
    m_out.write(
        picture.group(format, m_report.hasOption(TRepRTF::eoGraphicsBinary), m_templateColours));
    m_out.write(c.codes);
}

void RtfExecutor::writePictureBytes(const RtfCommand &c, const QByteArray &bytes)
{
    RtfPicture picture;
    if (picture.loadBytes(bytes)) {
        TRepImageFormat format = picture.defaultFormat();
        if (m_report.OnImageFormat) m_report.OnImageFormat(++m_pictures, format);
        m_out.write(picture.group(format, m_report.hasOption(TRepRTF::eoGraphicsBinary),
                                  m_templateColours));
    }
    m_out.write(c.codes);
}

} // namespace vintrel
