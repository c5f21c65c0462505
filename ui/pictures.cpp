#include "pictures.h"

namespace ui {

namespace {

QImage load(const char* path)
{
    return QImage(QString::fromLatin1(path));
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
    return load(":/assets/icon.bmp");
}

bool allArtPresent()
{
    return !artImage(Art::Faucet).isNull() && !artImage(Art::VerticalScale).isNull()
           && !artImage(Art::HorizontalScale).isNull();
}

} // namespace ui
