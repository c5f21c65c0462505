#pragma once

#include "canvas.h"
#include "state.h"
#include "window.h"

#include <span>

namespace core {

// What the window's painting reads, afresh at every painting.
struct PaintInput {
    sim::Bounds tank;      // ShpWaku
    sim::Bounds graph;     // PaintBox1
    bool liveLine = false; // spbGraphFlg is down
    const sim::State* state = nullptr;
};

// Draws what no item draws by itself, in window pixels: the tank outline and the three scales of
// red ticks on the window surface, limited to the canvas's clip; then the whole graph (white
// ground, silver grid, dots, polyline, live line) in its own pixels, cut off at its 500 by 500
// edges but not by the clip. Leaves the clip and origin as it found them.
void FormPaint(Canvas& canvas, const PaintInput& input);

// One repaint of the window's own surface over `area`: cleared to the window's colour, then
// FormPaint with the window surface limited to the area.
void paintWindowArea(Canvas& canvas, const Rect& area, const PaintInput& input);

// How much of the graph a repaint draws: all of it (into a canvas of the front end's own, which
// shows the areas from it), or only its part within the areas (into a buffer that also holds
// other things' pixels, such as the items lying over the graph).
enum class GraphExtent { Whole, WithinAreas };

// The same over several areas at once (the rectangles of one repaint), with the graph drawn once.
void paintWindowAreas(Canvas& canvas, std::span<const Rect> areas, const PaintInput& input,
                      GraphExtent extent = GraphExtent::Whole);

} // namespace core
