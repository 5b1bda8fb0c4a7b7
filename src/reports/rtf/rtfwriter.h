#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace vintrel {

// Writes the output document: raw RTF source, and texts escaped as Windows-1251 RTF.
// Output is gathered in memory and handed to the device in large pieces.
class RtfWriter {
public:
    explicit RtfWriter(QIODevice &device, QString path = {});
    ~RtfWriter();

    void write(const QByteArray &bytes) { append(bytes.constData(), bytes.size()); }
    void write(const char *data, qsizetype size) { append(data, size); }
    void write(char c);
    // "\lang" + lang + " " + the escaped text + the marker's formatting codes.
    void writeValue(int lang, const QString &text, const QByteArray &codes);
    void writeEscaped(const QString &text);
    void flush(); // throws EIOError when the device refuses the bytes
    qint64 bytesWritten() const { return m_total; }

    static QByteArray escaped(const QString &text);

private:
    void append(const char *data, qsizetype size);

    QIODevice &m_device;
    QString m_path;
    QByteArray m_buffer;
    qint64 m_total = 0;
};

} // namespace vintrel
