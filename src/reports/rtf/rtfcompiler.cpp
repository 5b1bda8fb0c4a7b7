#include "rtfcompiler.h"

#include "rtferrors.h"
#include "rtfsource.h"

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

// A marker runs at most this many source characters; so does the search for the end of a
// keyword's paragraph.
constexpr qsizetype kMarkerLimit = 10000;

using Kind = RtfCommand::Kind;

QStringList splitPieces(const QString &text)
{
    QStringList pieces;
    int depth = 0;
    QString piece;
    for (const QChar c : text) {
        if (c == u'(') ++depth;
        if (c == u')' && depth > 0) --depth;
        if (c == u',' && depth == 0) {
            if (!piece.isEmpty()) pieces << piece;
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.isEmpty()) pieces << piece;
    return pieces;
}

Kind keywordKind(const QString &text, bool &isKeyword)
{
    const QString upper = text.toUpper();
    isKeyword = true;
    if (upper.startsWith(u"SCAN("_s) && upper.lastIndexOf(u')') >= 6) return Kind::ScanStart;
    if (upper.startsWith(u"SCANENTRY"_s)) return Kind::ScanEntry;
    if (upper.startsWith(u"SCANFOOTER"_s)) return Kind::ScanFooter;
    if (upper.startsWith(u"ENDSCAN"_s)) return Kind::ScanEnd;
    isKeyword = false;
    return Kind::Variable;
}

bool isFormatFunction(const QString &text)
{
    FormatCall call;
    QString reference;
    try {
        return ValueFormatter::parse(text, call, reference);
    } catch (const RepError &) {
        return true; // a format function, though with a bad argument
    }
}

} // namespace

RtfCompiler::RtfCompiler(const RtfSource &source, Settings settings)
    : m_source(source), m_settings(std::move(settings))
{
}

bool RtfCompiler::isScanKeyword(const QString &text)
{
    bool keyword = false;
    keywordKind(text, keyword);
    return keyword;
}

RtfCompiler::Reference RtfCompiler::classify(const QString &input, const Settings &settings)
{
    Reference ref;
    QString text = input;
    const qsizetype last = text.size() - 1;
    const qsizetype dot = text.indexOf(u'.');
    qsizetype separator = -1;
    if (dot > 0 && dot < last) {
        separator = dot;
        ref.dot = !settings.dotAsColon;
        if (settings.dotAsColon) text[dot] = u':';
    } else {
        const qsizetype colon = text.indexOf(u':');
        if (colon > 0 && colon < last) separator = colon;
    }
    if (separator < 0) {
        ref.name = text;
        return ref;
    }
    if (!ref.dot) separator = text.indexOf(u':');
    ref.isField = true;
    ref.aliasWritten = text.left(separator);
    ref.name = text.mid(separator + 1);
    if (ref.aliasWritten.size() == 1)
        ref.alias = ref.aliasWritten;
    else if (const auto hit = settings.aliases.constFind(ref.aliasWritten.toUpper());
             hit != settings.aliases.cend())
        ref.alias = *hit;
    return ref;
}

void RtfCompiler::compile(qsizetype from)
{
    m_commands.clear();
    m_scans.clear();
    m_open.clear();
    m_targets.clear();
    m_skips.assign(1, 1);
    m_lineFrom = from;
    m_lineHasText = false;
    RtfCommand start;
    start.kind = Kind::Start;
    start.begin = start.end = from;
    m_commands.push_back(start);
    compileRange(from, m_source.size(), false);
    if (!m_open.empty())
        throw EIllegalScanUse(u"Nesting error - endscan expected, but end of document found"_s);
    RtfCommand end;
    end.kind = Kind::End;
    end.begin = end.end = m_source.size();
    m_commands.push_back(end);
}

void RtfCompiler::addText(qsizetype from, qsizetype to)
{
    if (to <= from) return;
    if (!m_commands.empty()) {
        RtfCommand &last = m_commands.back();
        if (last.kind == Kind::CopyText && last.end == from) {
            last.end = to;
            return;
        }
    }
    RtfCommand c;
    c.kind = Kind::CopyText;
    c.begin = from;
    c.end = to;
    m_commands.push_back(c);
}

qsizetype RtfCompiler::stepControl(qsizetype pos, std::vector<qint64> &skips) const
{
    if (m_source.at(pos + 1) == '\'') return m_source.skipControl(pos);
    const RtfSource::Control word = RtfSource::readControl(m_source.data(), m_source.size(), pos);
    if (word.is(m_source.data(), "uc") && word.hasParameter) skips.back() = word.parameter;
    if (word.is(m_source.data(), "u") && word.hasParameter)
        return RtfSource::skipFallback(m_source.data(), m_source.size(), word.end, skips.back());
    return word.end;
}

void RtfCompiler::trackGroups(qsizetype from, qsizetype to)
{
    qsizetype p = from;
    while (p < to) {
        const char c = m_source.at(p);
        if (c == '\\') {
            p = stepControl(p, m_skips);
            continue;
        }
        if (c == '{') m_skips.push_back(m_skips.back());
        if (c == '}' && m_skips.size() > 1) m_skips.pop_back();
        ++p;
    }
}

void RtfCompiler::compileRange(qsizetype from, qsizetype to, bool inRow)
{
    qsizetype pos = from;
    qsizetype textStart = from;
    while (pos < to) {
        const char c = m_source.at(pos);
        if (c == '{' && m_source.groupStartsAt(pos)) {
            addText(textStart, pos);
            qsizetype end = m_source.groupEnd(pos);
            if (end < 0 || end > to) end = to;
            RtfCommand group;
            group.kind = Kind::CopyGroup;
            group.begin = pos;
            group.end = end;
            m_commands.push_back(group);
            pos = textStart = m_lineFrom = end;
            m_lineHasText = true; // a field's result or a picture prints
            continue;
        }
        if (c == '{' || c == '}') {
            trackGroups(pos, pos + 1);
            ++pos;
            continue;
        }
        if (c != '\\') {
            ++pos;
            continue;
        }
        if (!inRow && m_source.controlWordIs(pos, "trowd")) {
            addText(textStart, pos);
            pos = textStart = m_lineFrom = compileRow(pos, to);
            m_lineHasText = false;
            continue;
        }
        const qsizetype delimiter = m_source.delimiterAt(pos);
        if (delimiter == 0) {
            const bool paragraphEnd = m_source.endsParagraph(pos);
            pos = stepControl(pos, m_skips);
            if (paragraphEnd) {
                m_lineFrom = pos;
                m_lineHasText = false;
            }
            continue;
        }
        const qsizetype close = markerClose(pos + delimiter, to);
        if (close < 0) { // abandoned: the backslash is plain text
            pos += delimiter;
            continue;
        }
        const qsizetype after = close + m_source.delimiterAt(close);
        RtfCommand marker;
        if (!readMarker(pos + delimiter, close, after, inRow, marker)) {
            // A stray backslash: it stays as typed, and the closing one may open a marker.
            trackGroups(pos + delimiter, close);
            pos = close;
            continue;
        }
        addText(textStart, pos);
        if (!m_lineHasText) m_lineHasText = m_source.hasVisibleText(m_lineFrom, pos);
        qsizetype next = after;
        if (marker.isScanKeyword()) {
            next = addKeyword(std::move(marker), after, to, inRow);
            trackGroups(pos + delimiter, next);
            if (next != after) m_lineHasText = false; // the keyword's paragraph end went
        } else {
            m_commands.push_back(std::move(marker));
            trackGroups(pos + delimiter, after);
            m_lineHasText = true;
        }
        pos = textStart = m_lineFrom = next;
    }
    addText(textStart, to);
}

qsizetype RtfCompiler::markerClose(qsizetype start, qsizetype to) const
{
    std::vector<qint64> skips{m_skips.back()};
    qsizetype p = start;
    while (true) {
        if (p >= to || p - start >= kMarkerLimit) return -1;
        const char c = m_source.at(p);
        if (c == '{') {
            if (m_source.groupStartsAt(p)) return -1;
            if (m_source.starredGroupAt(p)) { // a bookmark, say: its words are no text
                const qsizetype end = m_source.groupEnd(p, std::min(to, start + kMarkerLimit));
                if (end < 0) return -1;
                p = end;
                continue;
            }
            skips.push_back(skips.back());
            ++p;
        } else if (c == '}') {
            if (skips.size() > 1) skips.pop_back();
            ++p;
        } else if (c == '\\') {
            if (m_source.delimiterAt(p)) return p;
            if (m_source.breaksMarker(p)) return -1;
            p = stepControl(p, skips);
        } else {
            ++p;
        }
    }
}

bool RtfCompiler::namesSomething(const Reference &ref) const
{
    if (ref.isField) return m_settings.fieldExists && m_settings.fieldExists(ref.alias, ref.name);
    if (m_targets.contains(ref.name.toUpper())) return true;
    return m_settings.variableExists && m_settings.variableExists(ref.name);
}

bool RtfCompiler::readMarker(qsizetype sourceBegin, qsizetype sourceEnd, qsizetype after,
                             bool inRow, RtfCommand &c) const
{
    c.begin = sourceBegin;
    c.end = after;
    QString raw;
    RtfSource::splitMarker(m_source.data() + sourceBegin, sourceEnd - sourceBegin, m_skips.back(),
                           raw, c.codes);
    c.text = RtfSource::cleanText(raw);
    c.typed = "\\\\" + m_source.bytes(sourceBegin, sourceEnd) + "\\\\";

    bool keyword = false;
    c.kind = keywordKind(c.text, keyword);
    if (keyword) return true;

    // Text typed with a blank between two backslashes that names nothing is prose around a
    // stray backslash (a path, a marker cut by a hyperlink), not a marker.
    const bool blank = RtfSource::hasBlankOutsideBrackets(raw);
    QString reference = c.text;
    try {
        ValueFormatter::parse(c.text, c.format, reference);
    } catch (const RepError &) {
        if (!blank) throw;
        const qsizetype open = c.text.indexOf(u'(');
        const qsizetype comma = c.text.indexOf(u',');
        const QString inner =
            c.text.mid(open + 1, (comma > open ? comma : c.text.size() - 1) - open - 1);
        if (!namesSomething(classify(inner, m_settings))) return false;
        throw;
    }
    const Reference ref = classify(reference, m_settings);
    if (blank && !namesSomething(ref)) return false;
    c.name = ref.name;
    if (ref.isField) {
        c.alias = ref.alias;
        c.aliasWritten = ref.aliasWritten;
        c.kind = !inRow ? Kind::Field : ref.dot ? Kind::RowFieldDot : Kind::RowFieldColon;
    } else {
        c.kind = Kind::Variable;
    }
    return true;
}

qsizetype RtfCompiler::addKeyword(RtfCommand c, qsizetype after, qsizetype to, bool inRow)
{
    const QStringList pieces = splitPieces(c.text);
    const QString keyword = pieces.value(0);
    if (inRow) {
        switch (c.kind) {
        case Kind::ScanStart:
            throw EIllegalScanUse(u"Scan must be outside of table: "_s + c.text);
        case Kind::ScanEntry:
            throw EIllegalScanUse(u"Scanentry must be outside of table"_s);
        case Kind::ScanFooter:
            throw EIllegalScanUse(u"Scanfooter must be outside of table"_s);
        default:
            throw EIllegalScanUse(u"Endscan must be outside of table"_s);
        }
    }

    TRepScanInfo::Section section = TRepScanInfo::ScanSection;
    switch (c.kind) {
    case Kind::ScanFooter:
        if (m_open.empty()) throw EIllegalScanUse(u"Error: Scanfooter must be after Scan"_s);
        if (m_scans[m_open.back()].footerCommand >= 0)
            throw EIllegalScanUse(u"Error: Scanfooter already exists for this scan block"_s);
        section = TRepScanInfo::FooterSection;
        break;
    case Kind::ScanEntry:
        if (m_open.empty()) throw EIllegalScanUse(u"Error: Scanentry must be after Scan"_s);
        if (m_scans[m_open.back()].entryCommand >= 0)
            throw EIllegalScanUse(u"Error: Scanentry already exists for this scan block"_s);
        if (m_scans[m_open.back()].footerCommand >= 0)
            throw EIllegalScanUse(u"Error: Scanentry not allowed after Scanfooter"_s);
        section = TRepScanInfo::EntrySection;
        break;
    case Kind::ScanEnd:
        if (m_open.empty()) throw EIllegalScanUse(u"Error: Endscan must be after Scan"_s);
        section = TRepScanInfo::EndSection;
        break;
    default: {
        if (!keyword.endsWith(u')'))
            throw EIllegalScanUse(u"Illegal using of \"scan\" keyword: "_s + keyword);
        const qsizetype open = keyword.indexOf(u'(');
        const QString written = keyword.mid(open + 1, keyword.size() - open - 2).trimmed();
        QString alias = written.toUpper();
        if (alias.size() > 1) alias = m_settings.aliases.value(alias).toUpper();
        const int index = alias.size() == 1 ? alias[0].unicode() - u'A' : -1;
        if (index < 0 || index >= m_settings.datasetCount || index >= 26)
            throw EIllegalScanUse(u"Scan Alias not found: "_s + written);
        TRepScanInfo scan;
        scan.number = int(m_scans.size()) + 1;
        scan.level = int(m_open.size()) + 1;
        scan.datasetIndex = index;
        scan.firstCommand = int(m_commands.size());
        m_scans.push_back(scan);
        m_open.push_back(int(m_scans.size()) - 1);
        break;
    }
    }

    const int block = m_open.back();
    c.scan = block;
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const QString option = pieces[i].toLower();
        if (option == u"page"_s) {
            m_scans[block].page = true;
        } else if (option == u"noeof"_s) {
            m_scans[block].noeof = true;
        } else {
            ScanFunction f = parseFunction(pieces[i]);
            m_targets.insert(f.target.toUpper());
            m_scans[block].sections[section].functions.push_back(std::move(f));
        }
    }

    const qsizetype next = keptStretch(after, to, c);
    const int index = int(m_commands.size());
    switch (c.kind) {
    case Kind::ScanEntry:
        m_scans[block].entryCommand = index;
        break;
    case Kind::ScanFooter:
        m_scans[block].footerCommand = index;
        break;
    case Kind::ScanEnd:
        m_scans[block].endCommand = index;
        m_open.pop_back();
        break;
    default:
        break;
    }
    c.end = next;
    m_commands.push_back(std::move(c));
    return next;
}

qsizetype RtfCompiler::keptStretch(qsizetype after, qsizetype to, RtfCommand &c) const
{
    // A keyword with nothing visible after it up to its paragraph's end takes that \par
    // out of the block and keeps the formatting before it (without blanks), so the block
    // leaves no empty paragraph and its rows start with no blank. When text stands before
    // the keyword on its line, the paragraph end is written wherever that text is.
    qsizetype p = after;
    while (p < to && p - after < kMarkerLimit) {
        const char ch = m_source.at(p);
        if (ch == '{' && m_source.groupStartsAt(p)) return after;
        if (ch == '{' && m_source.starredGroupAt(p)) {
            const qsizetype end = m_source.groupEnd(p, std::min(to, after + kMarkerLimit));
            if (end < 0) return after;
            p = end;
            continue;
        }
        if (ch != '\\') {
            ++p;
            continue;
        }
        if (m_source.controlWordIs(p, "par") &&
            !(m_source.at(p + 4) >= '0' && m_source.at(p + 4) <= '9')) {
            QString text;
            QByteArray codes;
            RtfSource::splitMarker(m_source.data() + after, p - after, m_skips.back(), text, codes);
            if (!text.trimmed().isEmpty()) return after;
            c.kept = RtfSource::withoutBlanks(m_source.bytes(after, p));
            if (m_lineHasText) c.lineBreak = "\\par ";
            qsizetype next = p + 4;
            if (m_source.at(next) == ' ') ++next;
            return next;
        }
        if (m_source.delimiterAt(p) || m_source.breaksMarker(p)) return after;
        p = m_source.skipControl(p);
    }
    return after;
}

ScanFunction RtfCompiler::parseFunction(const QString &piece) const
{
    const QString upper = piece.toUpper();
    ScanFunction f;
    if (upper.startsWith(u"SUM("_s))
        f.kind = ScanFunction::Kind::Sum;
    else if (upper.startsWith(u"CTN("_s))
        f.kind = ScanFunction::Kind::Ctn;
    else if (upper.startsWith(u"CTS("_s))
        f.kind = ScanFunction::Kind::Cts;
    else
        throw EIllegalScanUse(u"Illegal scan option: "_s + piece);
    if (!piece.endsWith(u')')) throw EIllegalScanUse(u"Illegal scan option: "_s + piece);
    f.text = piece;
    const auto illegal = [&](const QString &why) {
        return EIllegalFunctionUse(u"Illegal function use: "_s + piece + u" - "_s + why);
    };
    const QStringList args = piece.mid(4, piece.size() - 5).split(u',');
    if (args.size() < 2) throw illegal(u"number of arguments less than minimum required"_s);
    if (args.size() > 3) throw illegal(u"number of arguments more than maximum allowed"_s);
    const QString &source = args[0];
    const QString &target = args[1];
    if (source.isEmpty() || isScanKeyword(source))
        throw illegal(
            u"name of data field or name of report variable expected as first argument"_s);
    if (isFormatFunction(source) || isFormatFunction(target))
        throw illegal(u"format function for arguments is not allowed here"_s);
    if (target.isEmpty() || isScanKeyword(target) || classify(target, m_settings).isField)
        throw illegal(u"name of report variable expected as second argument"_s);
    if (args.size() == 3) {
        if (args[2].toUpper() != u"NORESET"_s) throw illegal(u"unknown argument: "_s + args[2]);
        f.reset = false;
    }
    const Reference ref = classify(source, m_settings);
    f.fromField = ref.isField;
    if (ref.isField) {
        f.alias = ref.alias;
        f.field = ref.name;
    } else {
        f.variable = ref.name;
    }
    f.target = target;
    return f;
}

qsizetype RtfCompiler::compileRow(qsizetype pos, qsizetype to)
{
    // The row runs from \trowd to the end of the group in which the next \row stands.
    qsizetype p = pos;
    int depth = 0;
    bool rowSeen = false;
    qsizetype end = -1;
    while (p < to) {
        const char c = m_source.at(p);
        if (c == '{') {
            if (m_source.groupStartsAt(p)) {
                const qsizetype groupEnd = m_source.groupEnd(p);
                if (groupEnd < 0 || groupEnd > to) break;
                p = groupEnd;
                continue;
            }
            ++depth;
            ++p;
        } else if (c == '}') {
            --depth;
            ++p;
            if (rowSeen && depth <= 0) {
                end = p;
                break;
            }
        } else if (c == '\\') {
            const bool row = m_source.controlWordIs(p, "row");
            p = m_source.skipControl(p);
            if (row && !rowSeen) {
                rowSeen = true;
                if (depth <= 0) {
                    end = p;
                    break;
                }
            }
        } else {
            ++p;
        }
    }
    if (end < 0) throw EBadRtfFormat(u"Not found end of the table in RTF file."_s);

    RtfCommand start;
    start.kind = Kind::RowStart;
    start.begin = start.end = pos;
    const int startIndex = int(m_commands.size());
    m_commands.push_back(start);
    compileRange(pos, end, true);
    RtfCommand finish;
    finish.kind = Kind::RowEnd;
    finish.begin = finish.end = end;
    finish.partner = startIndex;
    m_commands[startIndex].partner = int(m_commands.size());
    m_commands.push_back(finish);
    return end;
}

} // namespace vintrel
