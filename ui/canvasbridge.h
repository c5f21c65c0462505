#pragma once

#include "canvas.h"
#include "controlpaint.h"

#include <QPoint>
#include <QRect>
#include <QSize>

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

// Shows `part` of the canvas (in canvas pixels; all of it when null) as it is, its corner at `at`:
// each pixel becomes a square of device pixels on a scaled screen, never a blend of its neighbours.
void drawCanvas(QPainter& painter, const QPoint& at, const core::Canvas& canvas, const QRect& part = {});

} // namespace ui
