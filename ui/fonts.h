#pragma once

#include "layout.h"

#include <QFont>

namespace ui {

using core::Art;
using core::Face;
using core::FontSpec;

// The installed family for one of the layout's faces: the face it names where it is installed,
// else what Debian ships in its place, IPAPGothic for the proportional Japanese Gothic and
// Liberation Serif for Times New Roman. Fontconfig alone would answer the Japanese name with
// DejaVu Sans, which has no kana. Needs the application object.
QString familyFor(Face face);

QFont fontFor(const FontSpec& wanted);

} // namespace ui
