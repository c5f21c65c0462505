#pragma once

#include "controlpaint.h"
#include "layout.h"

namespace core {

// What the shapes and the static texts paint under their texts, and the colours the layout's
// references stand for: the rules both front ends paint these items by.

// The desktop's own colours as the main window resolves them: its text black, the ground of a
// list white, and the "menu" ground the window's green, because the window sets that colour for
// itself and its items inherit it.
sim::Colour resolve(ColourRef ref);

// The two colours of a sunken one-pixel edge in the desktop's style: the shade at the top and
// left, the light at the bottom and right.
inline constexpr sim::Colour kSunkenShade{0x9F, 0x9F, 0x9F};
inline constexpr sim::Colour kSunkenLight{0xFF, 0xFF, 0xFF};

// The rectangles are in device pixels, the lines scale.length(1) wide: one layout pixel.

// A shape over `rect`. With an outline, a black 1-pixel line around its brush. Without one the
// brush leaves the last column and row alone, so a shape 1 pixel high or wide shows nothing: the
// moving shapes look empty that way.
void fillShape(const Rect& rect, const ItemLayout& entry, const FillRect& fill, const Scale& scale = {});

// A static text's ground over `rect` and its border: a black 1-pixel line or a sunken edge.
void fillStaticText(const Rect& rect, const ItemLayout& entry, const FillRect& fill, const Scale& scale = {});

// How far a static text's text stands in from its edges: inside its border.
int textInset(Border border, const Scale& scale = {});

} // namespace core
