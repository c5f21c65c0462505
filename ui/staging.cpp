#include "staging.h"

#include <QWidget>

namespace ui {

namespace {

// Device pixels back to logical ones, rounded as the core rounds an edge.
core::Scale toLogical(const core::Scale& pixelRatio)
{
    return core::Scale::ratio(pixelRatio.denominator(), pixelRatio.numerator());
}

} // namespace

QRect Staging::widgetRect(const sim::Bounds& bounds) const
{
    const core::Rect device = stage.place(bounds);
    const core::Scale back = toLogical(pixelRatio);
    const int left = back.at(device.left);
    const int top = back.at(device.top);
    return {left, top, back.at(device.right()) - left, back.at(device.bottom()) - top};
}

QRect Staging::covering(const core::Rect& device) const
{
    const std::int64_t n = pixelRatio.numerator();
    const std::int64_t d = pixelRatio.denominator();
    // Logical edge l lies at device l * n / d: the left edge rounds down, the right one up.
    const auto down = [&](int v) {
        const std::int64_t t = std::int64_t{v} * d;
        return static_cast<int>(t >= 0 ? t / n : -((-t + n - 1) / n));
    };
    const auto up = [&](int v) { return -down(-v); };
    const int left = down(device.left);
    const int top = down(device.top);
    return {left, top, up(device.right()) - left, up(device.bottom()) - top};
}

core::Scale Staging::logicalScale() const
{
    return core::Scale::ratio(stage.scale.numerator() * pixelRatio.denominator(),
                              stage.scale.denominator() * pixelRatio.numerator());
}

core::Scale pixelRatioOf(double devicePixelRatio)
{
    return core::Scale::nearest(devicePixelRatio);
}

Staging stagingOf(const QWidget* widget)
{
    if (widget == nullptr)
        return {};
    if (const auto* staged = dynamic_cast<const StagedWindow*>(widget->window()))
        return staged->staging();
    const core::Scale ratio = pixelRatioOf(widget->devicePixelRatioF());
    return {core::actualSize(ratio), ratio};
}

PictureCache* picturesOf(QWidget* widget)
{
    auto* staged = widget != nullptr ? dynamic_cast<StagedWindow*>(widget->window()) : nullptr;
    return staged != nullptr ? &staged->pictures() : nullptr;
}

} // namespace ui
