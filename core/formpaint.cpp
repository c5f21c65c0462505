#include "formpaint.h"

#include "colours.h"

#include <algorithm>

namespace core {

namespace {

// The graph's ground and its cut-off edge are this size whatever its bounds say; the grid and
// the ticks follow the bounds.
constexpr int kGraphSide = 500;
constexpr int kGridStep = sim::kUnitPx;
constexpr int kLongTickEvery = 5; // a long tick at every whole unit, four short ones between
constexpr int kTickStep = sim::kUnitPx / kLongTickEvery;
constexpr int kLongTick = 6;
constexpr int kShortTick = 4;

constexpr int kBandRows = 10; // few enough rows that a band's pixels stay in the fastest cache

constexpr int kOutlineWidth = 2;
constexpr int kTickWidth = 2;
constexpr int kDotWidth = 3; // a line of length zero this wide is a 3 by 3 square

void drawTankOutline(Canvas& canvas, const sim::Bounds& t)
{
    // The top stays open for the stream; the walls stand just outside the tank's shape.
    const sim::Point corners[] = {{t.left - 1, t.top},
                                  {t.left - 1, t.top + t.height},
                                  {t.left + t.width, t.top + t.height},
                                  {t.left + t.width, t.top}};
    for (int i = 0; i + 1 < 4; ++i)
        canvas.line(corners[i], corners[i + 1], sim::clBlack, kOutlineWidth);
}

void drawTicks(Canvas& canvas, const sim::Bounds& t, const sim::Bounds& g)
{
    const int count = t.height / kTickStep + 1;
    for (int i = 0; i < count; ++i) {
        const int d = kTickStep * i;
        const int reach = i % kLongTickEvery == 0 ? kLongTick : kShortTick;
        const int tankY = t.top + t.height - d;
        canvas.line({t.left - reach, tankY}, {t.left - 2, tankY}, sim::clRed, kTickWidth);
        const int graphY = g.top + g.height - d;
        canvas.line({g.left - reach, graphY}, {g.left - 2, graphY}, sim::clRed, kTickWidth);
        const int graphX = g.left + d;
        canvas.line({graphX, g.top + g.height + reach - 2}, {graphX, g.top + g.height}, sim::clRed, kTickWidth);
    }
}

// In the graph's own pixels.
void drawGraph(Canvas& canvas, const PaintInput& input)
{
    const sim::Bounds& g = input.graph;
    // Ground and grid go down the graph one band of rows at a time: a vertical line drawn top to
    // bottom in one go steps to a new row of memory at every pixel and missed the cache at each,
    // which alone cost more than all the rest of the painting. The pixels are those of whole
    // lines, as a 1-pixel vertical line is the union of its pieces.
    for (int top = 0; top < kGraphSide; top += kBandRows) {
        const int bottom = std::min(top + kBandRows, kGraphSide);
        canvas.fill({0, top, kGraphSide, bottom - top}, sim::clWhite);
        // Both sets of lines are counted along the height, also the vertical ones: the multiples
        // of the step from 1 to height - 1, so none runs along the border.
        const int columnEnd = std::min(bottom, g.height);
        for (int j = kGridStep; j <= g.height - 1 && top < columnEnd; j += kGridStep)
            canvas.line({j, top}, {j, columnEnd}, sim::clSilver, 1);
        const int firstRow = (std::max(top, 1) + kGridStep - 1) / kGridStep * kGridStep;
        for (int j = firstRow; j < bottom && j <= g.height - 1; j += kGridStep)
            canvas.line({0, j}, {g.width, j}, sim::clSilver, 1);
    }

    if (input.state == nullptr)
        return;
    const sim::State& s = *input.state;
    // Ten holds the live point and ten records; a count beyond that reads no further.
    const int records = std::clamp<int>(s.KirokuSu, 0, static_cast<int>(s.Ten.size()) - 1);
    const sim::Point start{0, s.SyokiY};
    if (s.TenkiFlg) {
        for (int k = 1; k <= records; ++k)
            canvas.line(s.Ten[k], s.Ten[k], sim::clRed, kDotWidth);
    }
    if (s.MusubuFlg) {
        sim::Point from = start;
        for (int k = 1; k <= records; ++k) {
            canvas.line(from, s.Ten[k], sim::clRed, 1);
            from = s.Ten[k];
        }
    }
    if (input.liveLine)
        canvas.line(start, s.Ten[0], sim::clRed, 1);
}

// The graph is drawn within `limit` (window pixels) and cut off at its own edges.
void drawGraphSurface(Canvas& canvas, const PaintInput& input, const Rect& limit)
{
    const Rect windowClip = canvas.clip();
    const sim::Point windowOrigin = canvas.origin();
    const sim::Bounds& g = input.graph;
    canvas.setOrigin(windowOrigin.x + g.left, windowOrigin.y + g.top);
    canvas.setClip(Rect{windowOrigin.x + g.left, windowOrigin.y + g.top, kGraphSide, kGraphSide}.intersected(limit));
    drawGraph(canvas, input);
    canvas.setOrigin(windowOrigin.x, windowOrigin.y);
    canvas.setClip(windowClip);
}

Rect wholeOf(const Canvas& canvas)
{
    return {0, 0, canvas.width(), canvas.height()};
}

} // namespace

void paintWindowArea(Canvas& canvas, const Rect& area, const PaintInput& input)
{
    paintWindowAreas(canvas, std::span(&area, 1), input);
}

void paintWindowAreas(Canvas& canvas, std::span<const Rect> areas, const PaintInput& input, GraphExtent extent)
{
    const Rect savedClip = canvas.clip();
    const sim::Point savedOrigin = canvas.origin();

    canvas.setOrigin(0, 0);
    for (const Rect& area : areas) {
        canvas.setClip(area);
        canvas.fill(area, sim::clMoneyGreen);
        drawTankOutline(canvas, input.tank);
        drawTicks(canvas, input.tank, input.graph);
        if (extent == GraphExtent::WithinAreas)
            drawGraphSurface(canvas, input, area);
    }
    // The graph is redrawn whole, whatever part of the window asked for it, so that a front end
    // can show it from its canvas without tracking what changed in it.
    if (extent == GraphExtent::Whole)
        drawGraphSurface(canvas, input, wholeOf(canvas));

    canvas.setOrigin(savedOrigin.x, savedOrigin.y);
    canvas.setClip(savedClip);
}

} // namespace core
