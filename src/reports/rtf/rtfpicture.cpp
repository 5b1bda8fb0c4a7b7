#include "rtfpicture.h"

#include <QFile>

#include <cmath>

namespace vintrel {

namespace {

constexpr qint64 kMaxPictureBytes = 64 * 1024 * 1024;

int bigEndian(const QByteArray &b, qsizetype at, int bytes)
{
    int value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | static_cast<unsigned char>(b.at(at + i));
    return value;
}

bool jpegSize(const QByteArray &b, int &width, int &height)
{
    qsizetype p = 2;
    while (p + 3 < b.size()) {
        if (static_cast<unsigned char>(b.at(p)) != 0xFF) return false;
        const unsigned char marker = static_cast<unsigned char>(b.at(p + 1));
        if (marker == 0xFF) {
            ++p;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            p += 2;
            continue;
        }
        const int length = bigEndian(b, p + 2, 2);
        if (length < 2) return false;
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (p + 8 >= b.size()) return false;
            height = bigEndian(b, p + 5, 2);
            width = bigEndian(b, p + 7, 2);
            return width > 0 && height > 0;
        }
        p += 2 + length;
    }
    return false;
}

const char *borderWord(int kind)
{
    switch (kind) {
    case 1:
        return "\\brdrs";
    case 2:
        return "\\brdrdb";
    case 3:
        return "\\brdrth";
    case 4:
        return "\\brdrsh";
    case 5:
        return "\\brdrdot";
    case 6:
        return "\\brdrhair";
    default:
        return "";
    }
}

} // namespace

bool RtfPicture::loadFile(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxPictureBytes)
        return false;
    return loadBytes(file.readAll());
}

bool RtfPicture::loadBytes(const QByteArray &bytes)
{
    m_type = Type::None;
    if (bytes.size() >= 24 && bytes.startsWith("\x89PNG\r\n\x1a\n") && bytes.mid(12, 4) == "IHDR") {
        m_width = bigEndian(bytes, 16, 4);
        m_height = bigEndian(bytes, 20, 4);
        if (m_width <= 0 || m_height <= 0) return false;
        m_type = Type::Png;
    } else if (bytes.size() > 4 && static_cast<unsigned char>(bytes.at(0)) == 0xFF &&
               static_cast<unsigned char>(bytes.at(1)) == 0xD8) {
        if (!jpegSize(bytes, m_width, m_height)) return false;
        m_type = Type::Jpeg;
    } else {
        return false;
    }
    m_data = bytes;
    return true;
}

TRepImageFormat RtfPicture::defaultFormat() const
{
    TRepImageFormat f;
    f.widthPixels = m_width;
    f.heightPixels = m_height;
    f.widthMm = m_width * kMmPerPixel;
    f.heightMm = m_height * kMmPerPixel;
    return f;
}

QByteArray RtfPicture::group(const TRepImageFormat &format, bool binary, int templateColours) const
{
    const auto num = [](double v) { return QByteArray::number(qint64(std::llround(v))); };
    QByteArray out =
        "{\\pict\\picscalex" + QByteArray::number(format.scaleX) + "\\picscaley" +
        QByteArray::number(format.scaleY) + "\\piccropl0\\piccropr0\\piccropt0\\piccropb0\\picw" +
        QByteArray::number(format.widthPixels) + "\\pich" +
        QByteArray::number(format.heightPixels) + "\\picwgoal" + num(format.widthMm * kTwipsPerMm) +
        "\\pichgoal" + num(format.heightMm * kTwipsPerMm) +
        (m_type == Type::Png ? "\\pngblip" : "\\jpegblip") + borderWord(format.borderKind) +
        "\\brdrw" + num(format.borderWidth) + "\\brdrcf" +
        QByteArray::number(templateColours + format.borderColour + 1);
    if (binary) {
        out += "\\bin" + QByteArray::number(m_data.size()) + ' ' + m_data;
    } else {
        out += ' ' + m_data.toHex().toUpper();
    }
    out += "\r}";
    return out;
}

} // namespace vintrel
