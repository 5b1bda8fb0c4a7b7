#include "rtfheaderwriter.h"

#include "rtferrors.h"
#include "rtfsource.h"
#include "rtfwriter.h"

#include <QList>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

constexpr int kStandardColours[16][3] = {
    {0, 0, 0},     {0, 0, 255},     {0, 255, 255},   {0, 255, 0},    {255, 0, 255}, {255, 0, 0},
    {255, 255, 0}, {255, 255, 255}, {0, 0, 128},     {0, 128, 128},  {0, 128, 0},   {128, 0, 128},
    {128, 0, 0},   {128, 128, 0},   {128, 128, 128}, {192, 192, 192}};

QByteArray colourEntry(int r, int g, int b)
{
    return "\\red" + QByteArray::number(r) + "\\green" + QByteArray::number(g) + "\\blue" +
           QByteArray::number(b) + ';';
}

QByteArray standardColours()
{
    QByteArray out;
    for (const auto &c : kStandardColours)
        out += colourEntry(c[0], c[1], c[2]);
    return out;
}

constexpr int kSymbolCharset = 2;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

RtfHeaderWriter::RtfHeaderWriter(const RtfSource &source, RtfWriter &out, int charset)
    : m_source(source), m_out(out), m_charset(charset)
{
}

qsizetype RtfHeaderWriter::write()
{
    qsizetype pos = writeFontTable(0);
    pos = writeColourTable(pos);
    return writeInfo(pos);
}

qsizetype RtfHeaderWriter::writeFontTable(qsizetype pos)
{
    const auto fail = [] { return EBadRtfFormat(u"Can't read font table from input file"_s); };
    const qsizetype table = m_source.findControlWord("fonttbl", pos);
    if (table < 0) throw fail();
    qsizetype p = table + 8;
    m_out.write(m_source.bytes(pos, p));
    const char *d = m_source.data();
    const qsizetype n = m_source.size();
    int depth = 1;
    qsizetype copyFrom = p;
    while (true) {
        if (p >= n) throw fail();
        const char c = d[p];
        if (c == '\\') {
            if (m_source.controlWordIs(p, "fcharset")) {
                qsizetype q = p + 9;
                const bool negative = m_source.at(q) == '-';
                if (negative) ++q;
                if (!isDigit(m_source.at(q))) throw fail();
                int number = 0;
                while (isDigit(m_source.at(q))) {
                    number = std::min(number * 10 + (m_source.at(q) - '0'), 1000);
                    ++q;
                }
                // A symbol font (Symbol, Wingdings) keeps its charset: under any other its
                // characters would be read as letters.
                if (!negative && number == kSymbolCharset) {
                    p = q;
                    continue;
                }
                m_out.write(m_source.bytes(copyFrom, p));
                m_out.write("\\fcharset" + QByteArray::number(m_charset));
                p = copyFrom = q;
            } else {
                p = m_source.skipControl(p);
            }
        } else if (c == '{') {
            ++depth;
            ++p;
        } else if (c == '}') {
            ++p;
            if (--depth == 0) break;
        } else {
            ++p;
        }
    }
    m_out.write(m_source.bytes(copyFrom, p)); // the entries' rest and the closing brace
    return p;
}

qsizetype RtfHeaderWriter::writeColourTable(qsizetype pos)
{
    const qsizetype table = m_source.findControlWord("colortbl", pos);
    if (table < 0) {
        m_out.write("{\\colortbl;" + standardColours() + '}');
        return pos;
    }
    qsizetype p = table + 9;
    m_out.write(m_source.bytes(pos, p));
    const qsizetype n = m_source.size();
    QByteArray colours;
    int rgb[3] = {0, 0, 0};
    bool any = false;
    const auto endEntry = [&] {
        if (any) {
            colours += colourEntry(rgb[0], rgb[1], rgb[2]);
            ++m_templateColours;
        }
        rgb[0] = rgb[1] = rgb[2] = 0;
        any = false;
    };
    int depth = 1;
    while (true) {
        if (p >= n) throw EBadRtfFormat(u"Can't read color table from input file"_s);
        const char c = m_source.at(p);
        if (c == '\\') {
            static const char *const names[] = {"red", "green", "blue"};
            bool matched = false;
            for (int i = 0; i < 3 && !matched; ++i) {
                if (!m_source.controlWordIs(p, names[i])) continue;
                qsizetype q = p + 1 + qsizetype(qstrlen(names[i]));
                int value = 0;
                while (isDigit(m_source.at(q))) {
                    value = std::min(value * 10 + (m_source.at(q) - '0'), 255);
                    ++q;
                }
                rgb[i] = value;
                any = matched = true;
            }
            p = m_source.skipControl(p);
        } else if (c == ';') {
            endEntry();
            ++p;
        } else if (c == '{') {
            ++depth;
            ++p;
        } else if (c == '}') {
            ++p;
            if (--depth == 0) break;
        } else {
            ++p;
        }
    }
    endEntry();
    m_out.write(';' + colours + standardColours() + '}');
    return p;
}

qsizetype RtfHeaderWriter::writeInfo(qsizetype pos)
{
    const qsizetype info = m_source.findControlWord("info", pos);
    if (info < 0) return pos;
    int depth = 1;
    qsizetype p = info + 5;
    const qsizetype n = m_source.size();
    while (depth > 0) {
        if (p >= n) throw EBadRtfFormat(u"Can't read document info from input file"_s);
        const char c = m_source.at(p);
        if (c == '\\') {
            p = m_source.skipControl(p);
        } else {
            if (c == '{') ++depth;
            if (c == '}') --depth;
            ++p;
        }
    }
    m_out.write(m_source.bytes(pos, p));
    return p;
}

} // namespace vintrel
