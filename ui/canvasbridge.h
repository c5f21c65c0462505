#pragma once

#include "canvas.h"
#include "controlpaint.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <optional>

class QPainter;

// Between the core's canvases and Qt's painters.
namespace ui {

// The core's canvas over the pixels the painter writes to, in the widget's own coordinates, when
// it writes straight into a 32-bit image at a scale of 1: the window's back buffer on an ordinary
// screen, or a grab. Empty otherwise (a high-DPI screen, an image of another format, a scaled or
// rotated painter), and the caller paints into a canvas of its own and draws that.
std::optional<core::Canvas> canvasOver(QPainter& painter, QSize widgetSize);

// Fills through the painter, in the widget's own coordinates: the core's fills on a Qt surface.
core::FillRect fillWith(QPainter& painter);

// Paints the device pixels under `rect` (the widget's own coordinates) through a canvas of exactly
// those pixels, at the painter's pixel ratio: `draw` gets the canvas, its (0, 0) at the rect's
// corner, and what it draws is shown pixel for pixel, never stretched.
void paintDevicePixels(QPainter& painter, const QRect& rect, const std::function<void(core::Canvas&)>& draw);

// Fills the faces the core paints over `rect` (the widget's own coordinates) in device pixels:
// `fill` gets a way to fill and the rectangle in device pixels, and what it leaves unfilled shows
// what lies beneath.
void fillDevicePixels(QPainter& painter, const QRect& rect,
                      const std::function<void(const core::FillRect&, const core::Rect&)>& fill);

// Shows the device pixels `part` of a canvas that covers the whole widget at `ratio` device pixels
// per logical one, in their places.
void drawDeviceCanvas(QPainter& painter, const core::Canvas& canvas, const core::Rect& part, double ratio);

} // namespace ui
