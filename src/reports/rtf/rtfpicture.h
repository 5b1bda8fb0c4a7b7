#pragma once

#include "repimageformat.h"

#include <QByteArray>
#include <QString>

namespace vintrel {

// A PNG or JPEG picture embedded as it is (\pngblip, \jpegblip): word processors show these
// directly, so no conversion to a metafile is needed.
class RtfPicture {
public:
    enum class Type { None, Png, Jpeg };

    // False when the file cannot be read or is no PNG or JPEG picture.
    bool loadFile(const QString &path);
    bool loadBytes(const QByteArray &bytes);

    Type type() const { return m_type; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    TRepImageFormat defaultFormat() const;

    // The picture group; templateColours places the border colour among the standard ones.
    QByteArray group(const TRepImageFormat &format, bool binary, int templateColours) const;

    static constexpr double kMmPerPixel = 0.264596930676;
    static constexpr double kTwipsPerMm = 56.69;

private:
    Type m_type = Type::None;
    QByteArray m_data;
    int m_width = 0;
    int m_height = 0;
};

} // namespace vintrel
