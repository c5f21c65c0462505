#pragma once

#include "canvas.h"
#include "scale.h"
#include "state.h"
#include "window.h"

#include <cstdint>
#include <span>

namespace core {

// What the window's painting reads, afresh at every painting.
struct PaintInput {
    sim::Bounds tank;      // ShpWaku
    sim::Bounds graph;     // PaintBox1
    bool liveLine = false; // spbGraphFlg is down
    const sim::State* state = nullptr;
    // The layout's geometry above is in layout pixels; the canvas's in device pixels, this scale
    // apart, with the lesson's top-left corner at `corner` in the canvas.
    Scale scale{};
    sim::Point corner{};
};

// What the painting reads of a window and its state, the lesson standing on the canvas as `stage`.
PaintInput paintInputOf(const sim::Scene& window, const sim::State& state, const Stage& stage);

// The window's FormPaint: what no item draws by itself. One repaint of the
// window's surface over `area` clears it to the window's colour and draws the tank outline and the
// three scales of red ticks there; then the graph (white ground, silver grid, dots, polyline, live
// line) in its own pixels, cut off at its 500 by 500 edges. Leaves the clip and origin as it found
// them.
void paintWindowArea(Canvas& canvas, const Rect& area, const PaintInput& input);

// How much of the graph a repaint draws: all of it, whatever the areas (into a canvas of the front
// end's own, which shows the areas from it), or only its part within the areas (into a buffer that
// also holds other things' pixels, such as the items lying over the graph).
enum class GraphExtent { Whole, WithinAreas };

// A digest of what the graph's dots and lines are drawn from (the state and the live line): two
// equal digests draw the same graph at the same bounds and scale, which the caller watches itself.
std::uint32_t graphDigest(const PaintInput& input);

// The same over several areas at once (the rectangles of one repaint), with the graph drawn once.
void paintWindowAreas(Canvas& canvas, std::span<const Rect> areas, const PaintInput& input,
                      GraphExtent extent = GraphExtent::Whole);

} // namespace core
