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
constexpr int kDotWidth = 3; // a record's dot is 3 by 3 layout pixels

// A line of the layout, drawn on the device at the scale's width and place.
void scaledLine(Canvas& canvas, const Scale& scale, sim::Point from, sim::Point to, sim::Colour colour, int width)
{
    canvas.line(scale.point(from, width), scale.point(to, width), colour, scale.length(width));
}

void drawTankOutline(Canvas& canvas, const Scale& scale, const sim::Bounds& t)
{
    // The top stays open for the stream; the walls stand just outside the tank's shape.
    const sim::Point corners[] = {{t.left - 1, t.top},
                                  {t.left - 1, t.top + t.height},
                                  {t.left + t.width, t.top + t.height},
                                  {t.left + t.width, t.top}};
    for (int i = 0; i + 1 < 4; ++i)
        scaledLine(canvas, scale, corners[i], corners[i + 1], sim::clBlack, kOutlineWidth);
}

void drawTicks(Canvas& canvas, const Scale& scale, const sim::Bounds& t, const sim::Bounds& g)
{
    const int count = t.height / kTickStep + 1;
    for (int i = 0; i < count; ++i) {
        const int d = kTickStep * i;
        const int reach = i % kLongTickEvery == 0 ? kLongTick : kShortTick;
        const int tankY = t.top + t.height - d;
        scaledLine(canvas, scale, {t.left - reach, tankY}, {t.left - 2, tankY}, sim::clRed, kTickWidth);
        const int graphY = g.top + g.height - d;
        scaledLine(canvas, scale, {g.left - reach, graphY}, {g.left - 2, graphY}, sim::clRed, kTickWidth);
        const int graphX = g.left + d;
        scaledLine(canvas, scale, {graphX, g.top + g.height + reach - 2}, {graphX, g.top + g.height}, sim::clRed,
                   kTickWidth);
    }
}

// Ten holds the live point and ten records; a count beyond that reads no further.
int recordsDrawn(const sim::State& s)
{
    return std::clamp<int>(s.KirokuSu, 0, static_cast<int>(s.Ten.size()) - 1);
}

sim::Point offset(sim::Point p, const sim::Bounds& by)
{
    return {p.x + by.left, p.y + by.top};
}

// The graph's points are its own; the canvas's origin is the lesson's corner.
void drawGraph(Canvas& canvas, const PaintInput& input)
{
    const sim::Bounds& g = input.graph;
    const Scale& scale = input.scale;
    const int gridPen = scale.length(1);
    const int left = scale.at(g.left);
    const int width = scale.at(g.left + kGraphSide) - left;
    const int lineWidth = scale.at(g.left + g.width) - left;
    // Ground and grid go down the graph one band of rows at a time: a vertical line drawn top to
    // bottom in one go steps to a new row of memory at every pixel and missed the cache at each,
    // which alone cost more than all the rest of the painting. The lines are straight, so each is
    // the rectangle its pen covers, and a band's share of a vertical line is exactly its rows.
    for (int top = 0; top < kGraphSide; top += kBandRows) {
        const int bottom = std::min(top + kBandRows, kGraphSide);
        const int bandTop = scale.at(g.top + top);
        canvas.fill({left, bandTop, width, scale.at(g.top + bottom) - bandTop}, sim::clWhite);
        // Both sets of lines are counted along the height, also the vertical ones: the multiples
        // of the step from 1 to height - 1, so none runs along the border.
        const int columnEnd = std::min(bottom, g.height);
        if (top < columnEnd) {
            const int rows = scale.at(g.top + columnEnd) - bandTop;
            for (int j = kGridStep; j <= g.height - 1; j += kGridStep)
                canvas.fill({scale.lineStart(g.left + j, 1), bandTop, gridPen, rows}, sim::clSilver);
        }
        const int firstRow = (std::max(top, 1) + kGridStep - 1) / kGridStep * kGridStep;
        for (int j = firstRow; j < bottom && j <= g.height - 1; j += kGridStep)
            canvas.fill({left, scale.lineStart(g.top + j, 1), lineWidth, gridPen}, sim::clSilver);
    }

    if (input.state == nullptr)
        return;
    const sim::State& s = *input.state;
    const int records = recordsDrawn(s);
    const sim::Point start = offset({0, s.SyokiY}, g);
    if (s.TenkiFlg) {
        // A dot is a square as wide as a scaled pen, centred where a line through the record
        // would be: a round pen's dot would lose its corners once the scale widens it, and a
        // square mapped by its edges would vary in size from one record to the next.
        const int side = scale.length(kDotWidth);
        for (int k = 1; k <= records; ++k) {
            const sim::Point p = offset(s.Ten[k], g);
            canvas.fill({scale.lineStart(p.x, kDotWidth), scale.lineStart(p.y, kDotWidth), side, side}, sim::clRed);
        }
    }
    if (s.MusubuFlg) {
        sim::Point from = start;
        for (int k = 1; k <= records; ++k) {
            scaledLine(canvas, scale, from, offset(s.Ten[k], g), sim::clRed, 1);
            from = offset(s.Ten[k], g);
        }
    }
    if (input.liveLine)
        scaledLine(canvas, scale, start, offset(s.Ten[0], g), sim::clRed, 1);
}

// The graph is drawn within `limit` (canvas pixels) and cut off at its own edges.
void drawGraphSurface(Canvas& canvas, const PaintInput& input, const Rect& limit)
{
    const Rect windowClip = canvas.clip();
    const sim::Point o = canvas.origin();
    const Rect graph = input.scale.rect(Rect{input.graph.left, input.graph.top, kGraphSide, kGraphSide});
    canvas.setClip(Rect{o.x + graph.left, o.y + graph.top, graph.width, graph.height}.intersected(limit));
    drawGraph(canvas, input);
    canvas.setClip(windowClip);
}

Rect wholeOf(const Canvas& canvas)
{
    return {0, 0, canvas.width(), canvas.height()};
}

} // namespace

PaintInput paintInputOf(const sim::Scene& window, const sim::State& state, const Stage& stage)
{
    using sim::Item;
    return {window.bounds(Item::ShpWaku),
            window.bounds(Item::PaintBox1),
            window.isPressed(Item::spbGraphFlg),
            &state,
            stage.scale,
            {stage.left, stage.top}};
}

std::uint32_t graphDigest(const PaintInput& input)
{
    // FNV-1a over what drawGraph reads of the state and the live line.
    std::uint32_t key = 2166136261u;
    const auto mix = [&key](std::int32_t value) { key = (key ^ static_cast<std::uint32_t>(value)) * 16777619u; };
    mix(input.liveLine ? 1 : 0);
    if (input.state == nullptr)
        return key;
    const sim::State& s = *input.state;
    const int records = recordsDrawn(s);
    mix(s.TenkiFlg ? 1 : 0);
    mix(s.MusubuFlg ? 1 : 0);
    mix(s.SyokiY);
    mix(records);
    for (int k = input.liveLine ? 0 : 1; k <= records; ++k) {
        mix(s.Ten[static_cast<std::size_t>(k)].x);
        mix(s.Ten[static_cast<std::size_t>(k)].y);
    }
    return key;
}

void paintWindowArea(Canvas& canvas, const Rect& area, const PaintInput& input)
{
    paintWindowAreas(canvas, std::span(&area, 1), input);
}

void paintWindowAreas(Canvas& canvas, std::span<const Rect> areas, const PaintInput& input, GraphExtent extent)
{
    const Rect savedClip = canvas.clip();
    const sim::Point savedOrigin = canvas.origin();

    canvas.setOrigin(input.corner.x, input.corner.y);
    for (const Rect& area : areas) {
        canvas.setClip(area);
        // Beyond the lesson too: the margin has the window's colour.
        canvas.fill({area.left - input.corner.x, area.top - input.corner.y, area.width, area.height},
                    sim::clMoneyGreen);
        drawTankOutline(canvas, input.scale, input.tank);
        drawTicks(canvas, input.scale, input.tank, input.graph);
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
