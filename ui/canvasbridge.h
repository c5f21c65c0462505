#pragma once

#include "canvas.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QPainter;

// Between the core's canvases and Qt's painters.
namespace ui {

// The core's canvas over the pixels the painter writes to, in the widget's own coordinates, when
// it writes straight into an image at a scale of 1: the window's back buffer on an ordinary
// screen. Empty otherwise (a high-DPI screen, a grab into a pixmap, a transformed painter), and
// the caller paints into a canvas of its own and draws that.
std::optional<core::Canvas> canvasOver(QPainter& painter, QSize widgetSize);

// Shows the canvas's pixels as they are, its corner at `at`, or only `part` of it (in canvas
// pixels) at that part's place: each pixel becomes a square of device pixels on a scaled screen,
// never a blend of its neighbours.
void drawCanvas(QPainter& painter, const QPoint& at, const core::Canvas& canvas);
void drawCanvasPart(QPainter& painter, const core::Canvas& canvas, const QRect& part);

} // namespace ui
