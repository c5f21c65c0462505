#pragma once

#include "layout.h"
#include "scale.h"

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

// The face at the layout's character height taken to `scale` (layout to logical pixels): text is
// set afresh at every size, never stretched.
QFont fontFor(const FontSpec& wanted, const core::Scale& scale = {});

} // namespace ui
