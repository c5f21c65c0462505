#include "pictures.h"

#include "bmp.h"

#include <QImageReader>
#include <QResource>

namespace ui {

namespace {

// The window's pictures are decoded by the core, as the browser page decodes them, so both show
// the same pixels; it also spares the start-up Qt's image plugins, which it would otherwise load
// one by one to ask each whether it reads the file.
QImage load(const char* path)
{
    const QByteArray bytes = QResource(QString::fromLatin1(path)).uncompressedData();
    core::Picture picture;
    if (!core::decodeBmp(
            {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())},
            picture))
        return {};
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            const sim::Colour c = picture.at(x, y);
            row[x] = qRgb(c.r, c.g, c.b);
        }
    }
    return image;
}

} // namespace

QImage artImage(Art art)
{
    // Decoded once: both vertical scales share one image.
    static const QImage faucet = load(":/assets/faucet.bmp");
    static const QImage vertical = load(":/assets/scale-vertical.bmp");
    static const QImage horizontal = load(":/assets/scale-horizontal.bmp");
    switch (art) {
    case Art::Faucet:
        return faucet;
    case Art::VerticalScale:
        return vertical;
    case Art::HorizontalScale:
        return horizontal;
    case Art::None:
        break;
    }
    return {};
}

QImage iconImage()
{
    // The icon is a 16-colour picture, which only Qt reads; named as the BMP it is, Qt loads no
    // other image plugin for it.
    QImageReader reader(QStringLiteral(":/assets/icon.bmp"), "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

bool allArtPresent()
{
    return !artImage(Art::Faucet).isNull() && !artImage(Art::VerticalScale).isNull()
           && !artImage(Art::HorizontalScale).isNull();
}

} // namespace ui
