#pragma once

#include "canvas.h"

#include <QSize>

#include <optional>

class QPainter;

namespace ui {

// The core's canvas over the pixels the painter writes to, in the widget's own coordinates, when
// it writes straight into an image at a scale of 1: the window's back buffer on an ordinary
// screen. Empty otherwise (a high-DPI screen, a grab into a pixmap, a transformed painter), and
// the caller paints into a canvas of its own and draws that.
std::optional<core::Canvas> canvasOver(QPainter& painter, QSize widgetSize);

} // namespace ui
