#include "focusring.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOption>

namespace ui {

bool showsFocusRing(const QWidget* widget)
{
    return widget->hasFocus() && widget->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void paintFocusRing(QPainter& painter, const QRect& rect)
{
    const QColor colour = QColor::fromRgb(kFocusRingColour);
    const int w = kFocusRingWidth;
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), w), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom() - w + 1, rect.width(), w), colour);
    painter.fillRect(QRect(rect.left(), rect.top() + w, w, rect.height() - 2 * w), colour);
    painter.fillRect(QRect(rect.right() - w + 1, rect.top() + w, w, rect.height() - 2 * w), colour);
}

FocusRingStyle::FocusRingStyle(QStyle* base)
    : QProxyStyle(base)
{
}

void FocusRingStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const
{
    if (element != PE_FrameFocusRect) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    if (qobject_cast<const QAbstractItemView*>(widget) != nullptr || !(option->state & State_KeyboardFocusChange))
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    paintFocusRing(*painter, option->rect);
    painter->restore();
}

void FocusRingStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_PushButton || !(option->state & State_HasFocus))
        return;
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(*option);
    focus.rect = subElementRect(SE_PushButtonFocusRect, option, widget);
    drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
}

} // namespace ui
