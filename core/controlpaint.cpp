#include "controlpaint.h"

#include <algorithm>

namespace core {

namespace {

Rect shrunk(const Rect& r, int by)
{
    return {r.left + by, r.top + by, r.width - 2 * by, r.height - 2 * by};
}

// A solid triangle four rows high and seven pixels wide at its base, its point up or down,
// centred in the rectangle (half a pixel to the left when the centre falls between pixels).
void paintArrow(Canvas& canvas, const Rect& r, bool up)
{
    constexpr int rows = 4;
    const int centre = r.left + (r.width - 1) / 2;
    const int top = r.top + (r.height - rows) / 2;
    for (int i = 0; i < rows; ++i) {
        const int half = up ? i : rows - 1 - i;
        canvas.fill({centre - half, top + i, 2 * half + 1, 1}, kScrollArrow);
    }
}

void paintArrowButton(Canvas& canvas, const Rect& r, bool up, bool pressed)
{
    if (r.isEmpty())
        return;
    paintButtonFace(canvas, r, pressed);
    const int shift = pressed ? 1 : 0;
    paintArrow(canvas, {r.left + shift, r.top + shift, r.width, r.height}, up);
}

} // namespace

FillRect fillOn(Canvas& canvas)
{
    return [&canvas](const Rect& r, sim::Colour colour) { canvas.fill(r, colour); };
}

void fillEdge(const Rect& r, sim::Colour topLeft, sim::Colour bottomRight, const FillRect& fill)
{
    if (r.isEmpty())
        return;
    fill({r.left, r.top, r.width - 1, 1}, topLeft);
    fill({r.left, r.top, 1, r.height - 1}, topLeft);
    fill({r.left, r.bottom() - 1, r.width, 1}, bottomRight);
    fill({r.right() - 1, r.top, 1, r.height}, bottomRight);
}

void paintEdge(Canvas& canvas, const Rect& r, sim::Colour topLeft, sim::Colour bottomRight)
{
    fillEdge(r, topLeft, bottomRight, fillOn(canvas));
}

void paintButtonFace(Canvas& canvas, const Rect& rect, bool sunken)
{
    if (rect.isEmpty())
        return;
    canvas.fill(rect, sunken ? kButtonPressedFace : kButtonFace);
    if (sunken) {
        paintEdge(canvas, rect, kBevelDarkShadow, kBevelHighlight);
        paintEdge(canvas, shrunk(rect, 1), kBevelShadow, kBevelLight);
    } else {
        paintEdge(canvas, rect, kBevelHighlight, kBevelDarkShadow);
        paintEdge(canvas, shrunk(rect, 1), kBevelLight, kBevelShadow);
    }
}

ScrollBarParts scrollBarParts(const Rect& bar, const ScrollRange& range)
{
    ScrollBarParts parts;
    if (bar.isEmpty())
        return parts;
    const int arrow = std::min(bar.width, bar.height / 2);
    parts.upArrow = {bar.left, bar.top, bar.width, arrow};
    parts.downArrow = {bar.left, bar.bottom() - arrow, bar.width, arrow};
    parts.groove = {bar.left, bar.top + arrow, bar.width, bar.height - 2 * arrow};
    const int span = range.maximum - range.minimum;
    const int groove = parts.groove.height;
    if (span <= 0 || groove < kScrollThumbMinimum)
        return parts;
    // Wide integers: the product of a range and a groove may exceed an int.
    const long long page = std::max(range.pageStep, 1);
    const int length = std::max(kScrollThumbMinimum, static_cast<int>(groove * page / (span + page)));
    const long long offset = std::clamp(range.value, range.minimum, range.maximum) - range.minimum;
    const int top = parts.groove.top + static_cast<int>((groove - length) * offset / span);
    parts.thumb = {bar.left, top, bar.width, length};
    return parts;
}

void paintScrollBar(Canvas& canvas, const Rect& bar, const ScrollRange& range, bool upPressed, bool downPressed)
{
    const ScrollBarParts parts = scrollBarParts(bar, range);
    if (!parts.groove.isEmpty())
        canvas.fill(parts.groove, kScrollGroove);
    paintArrowButton(canvas, parts.upArrow, true, upPressed);
    paintArrowButton(canvas, parts.downArrow, false, downPressed);
    if (!parts.thumb.isEmpty())
        paintButtonFace(canvas, parts.thumb, false);
}

void paintListEdge(Canvas& canvas, const Rect& list)
{
    paintEdge(canvas, list, kListEdgeOuterShade, kListEdgeOuterLight);
    paintEdge(canvas, shrunk(list, 1), kListEdgeInnerShade, kListEdgeInnerLight);
}

Rect listScrollBar(const Rect& list)
{
    return {list.right() - kListEdge - kScrollBarExtent, list.top + kListEdge, kScrollBarExtent,
            list.height - 2 * kListEdge};
}

} // namespace core
