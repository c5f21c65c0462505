#include "pictures.h"

#include "art.h"
#include "bmp.h"

#include <QResource>

namespace ui {

namespace {

// The window's pictures are read by the core, as the browser page reads them, so both show the
// same pixels; it also spares the start-up Qt's image plugins, which it would otherwise load one by
// one to ask each whether it reads the file.
std::span<const std::uint8_t> resourceBytes(const char* path)
{
    const QResource resource(QString::fromLatin1(path));
    // The pictures are stored uncompressed (see ui/CMakeLists.txt), so the bytes are those
    // compiled into the program and last as long as it does.
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return {resource.data(), static_cast<std::size_t>(resource.size())};
}

} // namespace

std::span<const std::uint8_t> artFile(Art art)
{
    switch (art) {
    case Art::Faucet:
        return resourceBytes(":/assets/faucet.bmp");
    case Art::VerticalScale:
        return resourceBytes(":/assets/scale-vertical.bmp");
    case Art::HorizontalScale:
        return resourceBytes(":/assets/scale-horizontal.bmp");
    case Art::None:
        break;
    }
    return {};
}

QImage iconImage()
{
    const std::span<const std::uint8_t> file = resourceBytes(":/assets/icon.bmp");
    const std::optional<core::PictureSize> size = core::bmpSize(file);
    if (!size)
        return {};
    QImage image(size->width, size->height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    core::Canvas pixels = core::Canvas::over(reinterpret_cast<std::uint32_t*>(image.bits()), image.width(),
                                             image.height(), static_cast<int>(image.bytesPerLine() / 4));
    core::drawBmpStretched(pixels, file, {0, 0, image.width(), image.height()});
    return image;
}

core::Picture pictureAt(Art art, int width, int height)
{
    // Drawn afresh from the picture's description, so its edges stay sharp at any size.
    return core::drawArt(art, width, height);
}

bool allArtPresent()
{
    for (const Art art : {Art::Faucet, Art::VerticalScale, Art::HorizontalScale}) {
        if (!core::bmpSize(artFile(art)))
            return false;
    }
    return true;
}

} // namespace ui
