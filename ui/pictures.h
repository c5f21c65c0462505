#pragma once

#include "layout.h"

#include <QImage>

namespace ui {

using core::Art;
using core::Face;
using core::FontSpec;

// The pictures embedded in the executable, decoded once. A null image means the resource is
// missing from the build.
QImage artImage(Art art);
QImage iconImage();

// Every picture the window needs is present.
bool allArtPresent();

} // namespace ui
