#pragma once

#include "state.h"
#include "window.h"

class QPainter;

namespace ui {

// What the window's painting reads, afresh at every painting.
struct PaintInput {
    sim::Bounds tank;  // ShpWaku
    sim::Bounds graph; // PaintBox1
    bool liveLine = false; // spbGraphFlg is down
    const sim::State* state = nullptr;
};

// Draws what no item draws by itself: the tank outline, the three scales of red ticks and the
// whole graph (white ground, silver grid, dots, polyline, live line), clipped to the graph's
// 500 by 500 pixels. The painter draws on the window's client area in window pixels.
void FormPaint(QPainter& painter, const PaintInput& input);

} // namespace ui
