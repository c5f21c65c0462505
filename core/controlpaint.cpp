#include "controlpaint.h"

#include <algorithm>

namespace core {

namespace {

Rect shrunk(const Rect& r, int by)
{
    return {r.left + by, r.top + by, r.width - 2 * by, r.height - 2 * by};
}

// A solid triangle four layout rows high and seven pixels wide at its base, its point up or down,
// centred in the rectangle (half a pixel to the left when the centre falls between pixels).
void paintArrow(Canvas& canvas, const Rect& r, bool up, const Scale& scale)
{
    constexpr int layoutRows = 4;
    const int rows = scale.length(layoutRows);
    const int centre = r.left + (r.width - 1) / 2;
    const int top = r.top + (r.height - rows) / 2;
    for (int i = 0; i < rows; ++i) {
        const int layoutRow = i * layoutRows / rows;
        const int half = scale.at(up ? layoutRow : layoutRows - 1 - layoutRow);
        canvas.fill({centre - half, top + i, 2 * half + 1, 1}, kScrollArrow);
    }
}

void paintArrowButton(Canvas& canvas, const Rect& r, bool up, bool pressed, const Scale& scale)
{
    if (r.isEmpty())
        return;
    paintButtonFace(canvas, r, pressed, scale);
    const int shift = pressed ? scale.length(1) : 0;
    paintArrow(canvas, {r.left + shift, r.top + shift, r.width, r.height}, up, scale);
}

} // namespace

FillRect fillOn(Canvas& canvas)
{
    return [&canvas](const Rect& r, sim::Colour colour) { canvas.fill(r, colour); };
}

void fillEdge(const Rect& r, sim::Colour topLeft, sim::Colour bottomRight, const FillRect& fill, int width)
{
    if (r.isEmpty() || width < 1)
        return;
    const int w = width;
    fill({r.left, r.top, r.width - w, w}, topLeft);
    fill({r.left, r.top, w, r.height - w}, topLeft);
    fill({r.left, r.bottom() - w, r.width, w}, bottomRight);
    fill({r.right() - w, r.top, w, r.height}, bottomRight);
}

void paintEdge(Canvas& canvas, const Rect& r, sim::Colour topLeft, sim::Colour bottomRight, int width)
{
    fillEdge(r, topLeft, bottomRight, fillOn(canvas), width);
}

void paintButtonFace(Canvas& canvas, const Rect& rect, bool sunken, const Scale& scale)
{
    if (rect.isEmpty())
        return;
    const int w = scale.length(1);
    canvas.fill(rect, sunken ? kButtonPressedFace : kButtonFace);
    if (sunken) {
        paintEdge(canvas, rect, kBevelDarkShadow, kBevelHighlight, w);
        paintEdge(canvas, shrunk(rect, w), kBevelShadow, kBevelLight, w);
    } else {
        paintEdge(canvas, rect, kBevelHighlight, kBevelDarkShadow, w);
        paintEdge(canvas, shrunk(rect, w), kBevelLight, kBevelShadow, w);
    }
}

ScrollBarParts scrollBarParts(const Rect& bar, const ScrollRange& range, const Scale& scale)
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
    const int minimum = scale.length(kScrollThumbMinimum);
    if (span <= 0 || groove < minimum)
        return parts;
    // Wide integers: the product of a range and a groove may exceed an int.
    const long long page = std::max(range.pageStep, 1);
    const int length = std::max(minimum, static_cast<int>(groove * page / (span + page)));
    const long long offset = std::clamp(range.value, range.minimum, range.maximum) - range.minimum;
    const int top = parts.groove.top + static_cast<int>((groove - length) * offset / span);
    parts.thumb = {bar.left, top, bar.width, length};
    return parts;
}

void paintScrollBar(Canvas& canvas, const Rect& bar, const ScrollRange& range, const Scale& scale, bool upPressed,
                    bool downPressed)
{
    const ScrollBarParts parts = scrollBarParts(bar, range, scale);
    if (!parts.groove.isEmpty())
        canvas.fill(parts.groove, kScrollGroove);
    paintArrowButton(canvas, parts.upArrow, true, upPressed, scale);
    paintArrowButton(canvas, parts.downArrow, false, downPressed, scale);
    if (!parts.thumb.isEmpty())
        paintButtonFace(canvas, parts.thumb, false, scale);
}

ListEdge listEdge(const Scale& scale)
{
    // The two lines share the edge's whole width, the outer one taking the odd pixel.
    const int total = scale.length(kListEdge);
    return {total - total / 2, std::max(total / 2, 1)};
}

void paintListEdge(Canvas& canvas, const Rect& list, const Scale& scale)
{
    const ListEdge edge = listEdge(scale);
    paintEdge(canvas, list, kListEdgeOuterShade, kListEdgeOuterLight, edge.outer);
    paintEdge(canvas, shrunk(list, edge.outer), kListEdgeInnerShade, kListEdgeInnerLight, edge.inner);
}

Rect listScrollBar(const Rect& list, const Scale& scale)
{
    const int edge = listEdge(scale).total();
    const int extent = scale.length(kScrollBarExtent);
    return {list.right() - edge - extent, list.top + edge, extent, list.height - 2 * edge};
}

} // namespace core
