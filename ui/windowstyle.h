#pragma once

#include <QColor>
#include <QProxyStyle>

class QPainter;
class QWidget;

namespace ui {

// The focus indicator of every item that takes the focus: a solid ring 2 pixels wide in black,
// which stands out at least 3:1 against every colour that meets it (the button faces, the window's
// greens and blues, the lists' selected row). The style's own ring is a pale blue tint of under
// 2:1. As with the style's ring, it shows once the keyboard has moved the focus, so a click alone
// leaves the window's pixels as they were.
inline constexpr QRgb kFocusRingColour = qRgb(0, 0, 0);
// At least 2 pixels wide, and wider with the lesson: 2 layout pixels, as the rest of its lines.
inline constexpr int kFocusRingWidth = 2;

// Whether the widget shows its focus ring now.
bool showsFocusRing(const QWidget* widget);

// How wide the widget's ring is, in its logical pixels, at its window's staging.
int focusRingWidth(const QWidget* widget);

// Paints the ring just inside `rect`, `width` pixels wide.
void paintFocusRing(QPainter& painter, const QRect& rect, int width = kFocusRingWidth);

// The window's style: the given one (Fusion) with the ring above in place of its focus rectangle,
// and the faces of the buttons and of the vertical scroll bars the core's (controlpaint.h), the
// ones the browser page paints too, so both show the same pixels, and so do the lists' sunken
// edges; all of them at the lesson's scale. Item views get no ring from here: a list draws its
// ring on its own edge, where it hides no part of the row.
class WindowStyle : public QProxyStyle {
public:
    explicit WindowStyle(QStyle* base);
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    // Fusion shows a push button's focus only as a tint of its outline.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace ui
