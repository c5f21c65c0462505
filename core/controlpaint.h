#pragma once

#include "canvas.h"
#include "scale.h"

#include <functional>

namespace core {

// The faces of the controls, painted by the core for both front ends so that the desktop and the
// page show the same pixels: a classic raised bevel on a light face, whole pixels only. Every
// rectangle is in device pixels; `scale` sets how wide each edge and how large each part is drawn,
// one layout pixel being scale.length(1) device pixels. The face is close to the grey the style's
// buttons had.
inline constexpr sim::Colour kButtonFace{0xEF, 0xEF, 0xEF};
inline constexpr sim::Colour kButtonPressedFace{0xE0, 0xE0, 0xE0};
inline constexpr sim::Colour kBevelHighlight{0xFF, 0xFF, 0xFF};
inline constexpr sim::Colour kBevelLight{0xF8, 0xF8, 0xF8};
inline constexpr sim::Colour kBevelShadow{0xA0, 0xA0, 0xA0};
// Dark enough to stand apart from the window's green, light enough that the black focus ring
// still stands out 3:1 against it.
inline constexpr sim::Colour kBevelDarkShadow{0x69, 0x69, 0x69};
inline constexpr sim::Colour kScrollGroove{0xE4, 0xE4, 0xE4};
inline constexpr sim::Colour kScrollArrow{0x40, 0x40, 0x40};

// A push button's face over the whole rectangle; `sunken` while it is held down or, for a toggle,
// while it is on.
void paintButtonFace(Canvas& canvas, const Rect& rect, bool sunken, const Scale& scale = {});

// Fills a rectangle with one colour: on a canvas, or through a front end's painter. A rectangle
// without area fills nothing.
using FillRect = std::function<void(const Rect&, sim::Colour)>;
FillRect fillOn(Canvas& canvas);

// An edge `width` pixels wide around `rect`: the top and left lines stop short of the far corners
// and the bottom and right lines are whole, so the corners where the two colours meet take the
// bottom-right colour, as the desktop's style draws its panels.
void fillEdge(const Rect& rect, sim::Colour topLeft, sim::Colour bottomRight, const FillRect& fill, int width = 1);
void paintEdge(Canvas& canvas, const Rect& rect, sim::Colour topLeft, sim::Colour bottomRight, int width = 1);

// The width of a vertical scroll bar, in layout pixels.
inline constexpr int kScrollBarExtent = 14;
// The shortest thumb; a groove shorter than this shows none.
inline constexpr int kScrollThumbMinimum = 8;

struct ScrollRange {
    int minimum = 0;
    int maximum = 0;
    int pageStep = 1;
    int value = 0;
};

// Where the parts of a vertical scroll bar lie: an arrow button at each end, as tall as the bar is
// wide unless the bar is too short for two of those, and the groove between them. The thumb is
// empty when the groove has no room for it or there is nothing to scroll.
struct ScrollBarParts {
    Rect upArrow;
    Rect downArrow;
    Rect groove;
    Rect thumb;
};
ScrollBarParts scrollBarParts(const Rect& bar, const ScrollRange& range, const Scale& scale = {});

// A vertical scroll bar over the whole rectangle; a pressed arrow button shows sunken.
void paintScrollBar(Canvas& canvas, const Rect& bar, const ScrollRange& range, const Scale& scale = {},
                    bool upPressed = false, bool downPressed = false);

// A list's sunken edge is this many layout pixels wide on every side: a 25-pixel list shows one
// 21-pixel row inside it.
inline constexpr int kListEdge = 2;

// A list's 2-pixel sunken edge in the colours of the desktop style's palette (light, midlight,
// dark, shadow), as its frame draws it.
inline constexpr sim::Colour kListEdgeOuterShade{0x9F, 0x9F, 0x9F};
inline constexpr sim::Colour kListEdgeOuterLight{0xFF, 0xFF, 0xFF};
inline constexpr sim::Colour kListEdgeInnerShade{0x76, 0x76, 0x76};
inline constexpr sim::Colour kListEdgeInnerLight{0xCA, 0xCA, 0xCA};
void paintListEdge(Canvas& canvas, const Rect& list, const Scale& scale = {});

// How wide a list's edge is drawn: its outer and inner lines.
struct ListEdge {
    int outer = 1;
    int inner = 1;
    constexpr int total() const { return outer + inner; }
};
ListEdge listEdge(const Scale& scale);

// Where a list's scroll bar lies: against the right of the list, inside its sunken edge.
Rect listScrollBar(const Rect& list, const Scale& scale = {});

} // namespace core
