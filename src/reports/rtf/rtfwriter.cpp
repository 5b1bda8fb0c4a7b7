#include "rtfwriter.h"

#include "cp1251.h"
#include "rtferrors.h"

#include <QIODevice>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kFlushSize = 1 << 16;

void appendHexEscape(QByteArray &out, int byte)
{
    static const char digits[] = "0123456789ABCDEF";
    out += "\\'";
    out += digits[(byte >> 4) & 0xF];
    out += digits[byte & 0xF];
}

} // namespace

RtfWriter::RtfWriter(QIODevice &device, QString path) : m_device(device), m_path(std::move(path))
{
    m_buffer.reserve(kFlushSize * 2);
}

RtfWriter::~RtfWriter()
{
    try {
        flush();
    } catch (const RepError &) {
        // A destructor cannot report; Execute flushes explicitly before it returns.
    }
}

void RtfWriter::append(const char *data, qsizetype size)
{
    m_buffer.append(data, size);
    m_total += size;
    if (m_buffer.size() >= kFlushSize) flush();
}

void RtfWriter::write(char c)
{
    append(&c, 1);
}

void RtfWriter::flush()
{
    if (m_buffer.isEmpty()) return;
    const qint64 written = m_device.write(m_buffer);
    m_buffer.clear();
    if (written < 0) throw EIOError(u"Can't write file "_s + m_path);
}

void RtfWriter::writeValue(int lang, const QString &text, const QByteArray &codes)
{
    write("\\lang", 5);
    write(QByteArray::number(lang));
    write(' ');
    writeEscaped(text);
    write(codes);
}

void RtfWriter::writeEscaped(const QString &text)
{
    write(escaped(text));
}

QByteArray RtfWriter::escaped(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() + 8);
    char16_t previous = 0;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        switch (c) {
        case u'\t':
            out += "\\tab ";
            break;
        case 11:
            out += "\\line ";
            break;
        case 12:
            out += "\\page ";
            break;
        case u'\r':
            out += "\\par ";
            break;
        case u'\n':
            // Texts of this platform end their lines with a line feed alone; after a carriage
            // return the paragraph is already broken.
            out += previous == u'\r' ? "\n" : "\\par ";
            break;
        case u'\\':
            out += "\\\\";
            break;
        case u'{':
            out += "\\{";
            break;
        case u'}':
            out += "\\}";
            break;
        default:
            if (c < 0x80) {
                out += char(c);
            } else if (const int byte = Cp1251::fromUnicode(c); byte >= 0) {
                appendHexEscape(out, byte);
            } else {
                out += "\\u";
                out += QByteArray::number(int(qint16(c)));
                out += '?';
            }
        }
        previous = c;
    }
    return out;
}

} // namespace vintrel
