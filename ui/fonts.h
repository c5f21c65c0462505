#pragma once

#include "layout.h"

#include <QFont>

namespace ui {

using core::Art;
using core::Face;
using core::FontSpec;

// Maps the design's faces to what Debian ships: IPAPGothic for the proportional Japanese Gothic,
// Liberation Serif for Times New Roman. Where the real faces are installed they are used instead.
// Fontconfig would otherwise answer the Japanese name with DejaVu Sans, which has no kana.
void installFaceSubstitutes();

QFont fontFor(const FontSpec& wanted);

} // namespace ui
