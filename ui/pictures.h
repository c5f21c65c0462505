#pragma once

#include "bmp.h"
#include "layout.h"

#include <QImage>

#include <cstdint>
#include <span>

namespace ui {

using core::Art;
using core::Face;
using core::FontSpec;

// The BMP file of a picture, embedded in the executable and read by the core where it is drawn.
// Empty when the resource is missing from the build, or for Art::None.
std::span<const std::uint8_t> artFile(Art art);
QImage iconImage();

// A picture drawn for the size it is shown at, in device pixels: the one way a picture is made at
// a size other than the layout's. Empty for Art::None or a size without area.
core::Picture pictureAt(Art art, int width, int height);

// Every picture the window needs is present and readable.
bool allArtPresent();

} // namespace ui
