#pragma once

#include "scale.h"

#include <QRect>

class QWidget;

namespace ui {

class PictureCache;

// How the lesson stands in a window. The stage says where the layout lands in the window's device
// pixels; Qt places widgets and sizes fonts in logical pixels, `pixelRatio` device pixels each. An
// item's layout bounds go to the device by the stage and from there to logical pixels edge by edge,
// so two items that touch in the layout touch on the screen too: on an ordinary screen (a ratio of
// 1) the logical pixels are the device pixels. E.g. at a stage of 1.40625 centred in 1920 by 1080,
// the button at layout (24, 0, 105, 33) stands at (274, 0, 147, 46).
struct Staging {
    core::Stage stage;
    core::Scale pixelRatio;

    // The item's geometry in the window, in logical pixels.
    QRect widgetRect(const sim::Bounds& bounds) const;
    // The smallest logical rectangle that holds the device rectangle.
    QRect covering(const core::Rect& device) const;
    // Layout pixels to device pixels: the faces the core paints, their edges and bevels.
    const core::Scale& deviceScale() const { return stage.scale; }
    // Layout pixels to logical pixels: font sizes and the metrics Qt lays its own parts out by.
    core::Scale logicalScale() const;

    friend bool operator==(const Staging&, const Staging&) = default;
};

// The window's device pixels per logical pixel, as an exact fraction.
core::Scale pixelRatioOf(double devicePixelRatio);

// A window that stages the lesson: its items are drawn at its staging.
class StagedWindow {
public:
    virtual const Staging& staging() const = 0;
    // Where its pictures are kept at the sizes they are shown at.
    virtual PictureCache& pictures() = 0;

protected:
    ~StagedWindow() = default;
};

// The staging of the window a widget belongs to; for a widget of any other window (a message box),
// the lesson's own size at the widget's pixel ratio.
Staging stagingOf(const QWidget* widget);
// The picture cache of the window a widget belongs to; null outside a staged window.
PictureCache* picturesOf(QWidget* widget);

} // namespace ui
