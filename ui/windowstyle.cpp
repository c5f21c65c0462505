#include "windowstyle.h"

#include "canvasbridge.h"
#include "controlpaint.h"
#include "staging.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>

namespace ui {

bool showsFocusRing(const QWidget* widget)
{
    return widget->hasFocus() && widget->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

int focusRingWidth(const QWidget* widget)
{
    return std::max(kFocusRingWidth, stagingOf(widget).logicalScale().length(kFocusRingWidth));
}

void paintFocusRing(QPainter& painter, const QRect& rect, int width)
{
    const QColor colour = QColor::fromRgb(kFocusRingColour);
    const int w = width;
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), w), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom() - w + 1, rect.width(), w), colour);
    painter.fillRect(QRect(rect.left(), rect.top() + w, w, rect.height() - 2 * w), colour);
    painter.fillRect(QRect(rect.right() - w + 1, rect.top() + w, w, rect.height() - 2 * w), colour);
}

namespace {

core::Rect coreRect(const QRect& r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

QRect qRect(const core::Rect& r)
{
    return {r.left, r.top, r.width, r.height};
}

bool isVerticalScrollBar(const QStyleOptionComplex* option)
{
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    return bar != nullptr && bar->orientation == Qt::Vertical;
}

core::ScrollRange rangeOf(const QStyleOptionComplex* option)
{
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    return {bar->minimum, bar->maximum, bar->pageStep, bar->sliderPosition};
}

// One of the lesson's lists, whose sunken edge the core draws.
bool isListFrame(const QStyleOption* option, const QWidget* widget)
{
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    return frame != nullptr && frame->frameShape == QFrame::WinPanel
           && qobject_cast<const QAbstractItemView*>(widget) != nullptr;
}

} // namespace

WindowStyle::WindowStyle(QStyle* base)
    : QProxyStyle(base)
{
}

void WindowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const
{
    if (element == PE_PanelButtonCommand || element == PE_PanelButtonBevel) {
        if (option->rect.isEmpty())
            return;
        const bool sunken = option->state.testAnyFlags(State_Sunken | State_On);
        const core::Scale scale = stagingOf(widget).deviceScale();
        paintDevicePixels(*painter, option->rect, [&](core::Canvas& canvas) {
            core::paintButtonFace(canvas, {0, 0, canvas.width(), canvas.height()}, sunken, scale);
        });
        return;
    }
    // The default button is told apart by nothing but the focus ring, as on the page.
    if (element == PE_FrameDefaultButton)
        return;
    if (element != PE_FrameFocusRect) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    if (qobject_cast<const QAbstractItemView*>(widget) != nullptr || !(option->state & State_KeyboardFocusChange))
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    paintFocusRing(*painter, option->rect, focusRingWidth(widget));
    painter->restore();
}

void WindowStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    if (element == CE_ShapedFrame && isListFrame(option, widget)) {
        const core::Scale scale = stagingOf(widget).deviceScale();
        paintDevicePixels(*painter, option->rect, [&](core::Canvas& canvas) {
            // The inside is hidden under the rows, which the list's viewport, a widget of its own,
            // paints after it.
            core::paintListEdge(canvas, {0, 0, canvas.width(), canvas.height()}, scale);
        });
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_PushButton || !(option->state & State_HasFocus))
        return;
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(*option);
    focus.rect = subElementRect(SE_PushButtonFocusRect, option, widget);
    drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
}

void WindowStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                     const QWidget* widget) const
{
    if (control != CC_ScrollBar || !isVerticalScrollBar(option) || option->rect.isEmpty()) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const bool down = option->state.testFlag(State_Sunken);
    const core::Scale scale = stagingOf(widget).deviceScale();
    paintDevicePixels(*painter, option->rect, [&](core::Canvas& canvas) {
        core::paintScrollBar(canvas, {0, 0, canvas.width(), canvas.height()}, rangeOf(option), scale,
                             down && option->activeSubControls.testFlag(SC_ScrollBarSubLine),
                             down && option->activeSubControls.testFlag(SC_ScrollBarAddLine));
    });
}

// The parts lie where the core paints them, so a click lands on the arrow it sees.
QRect WindowStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                  const QWidget* widget) const
{
    if (control != CC_ScrollBar || !isVerticalScrollBar(option))
        return QProxyStyle::subControlRect(control, option, part, widget);
    const core::ScrollBarParts parts =
        core::scrollBarParts(coreRect(option->rect), rangeOf(option), stagingOf(widget).logicalScale());
    const core::Rect& g = parts.groove;
    const core::Rect& t = parts.thumb;
    switch (part) {
    case SC_ScrollBarSubLine:
        return qRect(parts.upArrow);
    case SC_ScrollBarAddLine:
        return qRect(parts.downArrow);
    case SC_ScrollBarGroove:
        return qRect(g);
    case SC_ScrollBarSlider:
        return qRect(t);
    case SC_ScrollBarSubPage:
        return t.isEmpty() ? QRect() : QRect(g.left, g.top, g.width, t.top - g.top);
    case SC_ScrollBarAddPage:
        return t.isEmpty() ? QRect() : QRect(g.left, t.bottom(), g.width, g.bottom() - t.bottom());
    default:
        return {};
    }
}

// A list's edge leaves its rows the room inside it.
QRect WindowStyle::subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const
{
    if (element != SE_ShapedFrameContents || !isListFrame(option, widget))
        return QProxyStyle::subElementRect(element, option, widget);
    const int edge = core::listEdge(stagingOf(widget).logicalScale()).total();
    return option->rect.adjusted(edge, edge, -edge, -edge);
}

int WindowStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_ScrollBarExtent:
        return stagingOf(widget).logicalScale().length(core::kScrollBarExtent);
    case PM_ScrollBarSliderMin:
        return stagingOf(widget).logicalScale().length(core::kScrollThumbMinimum);
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

} // namespace ui
