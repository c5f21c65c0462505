#include "canvasbridge.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ui {

core::FillRect fillWith(QPainter& painter)
{
    return [&painter](const core::Rect& r, sim::Colour c) {
        if (!r.isEmpty())
            painter.fillRect(QRect(r.left, r.top, r.width, r.height), QColor(c.r, c.g, c.b));
    };
}

std::optional<core::Canvas> canvasOver(QPainter& painter, QSize widgetSize)
{
    QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster)
        return std::nullopt;
    QPaintDevice* device = engine->paintDevice();
    if (device == nullptr || device->devType() != QInternal::Image)
        return std::nullopt;
    auto* image = static_cast<QImage*>(device);
    // An image sharing its pixels would copy them on the first write, away from the painter.
    if (!image->isDetached() || image->devicePixelRatio() != 1.0
        || (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied))
        return std::nullopt;
    // A widget inside a larger back buffer lies at an offset in it.
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxTranslate)
        return std::nullopt;
    const double dx = transform.dx();
    const double dy = transform.dy();
    if (dx != std::floor(dx) || dy != std::floor(dy) || dx < 0 || dy < 0 || dx >= image->width()
        || dy >= image->height())
        return std::nullopt;
    const int left = static_cast<int>(dx);
    const int top = static_cast<int>(dy);
    const int stride = static_cast<int>(image->bytesPerLine() / 4);
    auto* origin = reinterpret_cast<std::uint32_t*>(image->bits()) + static_cast<qsizetype>(top) * stride + left;
    return core::Canvas::over(origin, std::min(widgetSize.width(), image->width() - left),
                              std::min(widgetSize.height(), image->height() - top), stride);
}

namespace {

// Shares the canvas's pixels: valid while the canvas lives.
QImage imageOf(const core::Canvas& canvas)
{
    return QImage(reinterpret_cast<const uchar*>(canvas.pixels()), canvas.width(), canvas.height(),
                  static_cast<qsizetype>(canvas.stride()) * 4, QImage::Format_RGB32);
}

} // namespace

void paintDevicePixels(QPainter& painter, const QRect& rect, const std::function<void(core::Canvas&)>& draw)
{
    if (rect.isEmpty())
        return;
    const double ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const int width = static_cast<int>(std::lround(rect.width() * ratio));
    const int height = static_cast<int>(std::lround(rect.height() * ratio));
    if (width <= 0 || height <= 0)
        return;
    core::Canvas canvas(width, height);
    draw(canvas);
    QImage image = imageOf(canvas);
    image.setDevicePixelRatio(ratio);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect.topLeft(), image);
    painter.restore();
}

void fillDevicePixels(QPainter& painter, const QRect& rect,
                      const std::function<void(const core::FillRect&, const core::Rect&)>& fill)
{
    const double ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    if (ratio == 1.0) {
        fill(fillWith(painter), {rect.x(), rect.y(), rect.width(), rect.height()});
        return;
    }
    // The painter's own pixels are then device pixels; what is not filled shows what lies beneath,
    // as on an ordinary screen.
    const auto device = [ratio](int v) { return static_cast<int>(std::lround(v * ratio)); };
    const int left = device(rect.x());
    const int top = device(rect.y());
    painter.save();
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio), true);
    fill(fillWith(painter),
         {left, top, device(rect.x() + rect.width()) - left, device(rect.y() + rect.height()) - top});
    painter.restore();
}

void drawDeviceCanvas(QPainter& painter, const core::Canvas& canvas, const core::Rect& part, double ratio)
{
    if (part.isEmpty())
        return;
    QImage image = imageOf(canvas);
    image.setDevicePixelRatio(ratio);
    const QRectF target(part.left / ratio, part.top / ratio, part.width / ratio, part.height / ratio);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, image, QRectF(part.left, part.top, part.width, part.height));
    painter.restore();
}

} // namespace ui
