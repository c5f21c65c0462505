#include "modelwindow.h"

#include "layout.h"

namespace core {

ModelWindow::ModelWindow()
{
    for (const ItemLayout& entry : layout()) {
        ItemState& item = items_[index(entry.item)];
        item.bounds = entry.bounds;
        item.caption = entry.caption;
        item.fontColour = entry.text.fixed;
        item.visible = entry.visibleAtStart;
    }
}

void ModelWindow::changed(sim::Item item)
{
    if (onItemChanged)
        onItemChanged(item);
}

void ModelWindow::setBounds(sim::Item item, const sim::Bounds& bounds)
{
    if (items_[index(item)].bounds == bounds)
        return;
    items_[index(item)].bounds = bounds;
    changed(item);
}

void ModelWindow::setCaption(sim::Item item, std::string_view text)
{
    if (items_[index(item)].caption == text)
        return;
    items_[index(item)].caption = text;
    changed(item);
}

void ModelWindow::setFontColour(sim::Item item, sim::Colour colour)
{
    if (items_[index(item)].fontColour == colour)
        return;
    items_[index(item)].fontColour = colour;
    changed(item);
}

void ModelWindow::setVisible(sim::Item item, bool visible)
{
    if (items_[index(item)].visible == visible)
        return;
    items_[index(item)].visible = visible;
    changed(item);
}

void ModelWindow::setSelectedIndex(sim::Item list, int row)
{
    const int rows = layoutOf(list).listRows;
    if (row < -1 || row >= rows)
        row = -1;
    if (items_[index(list)].selected == row)
        return;
    items_[index(list)].selected = row;
    changed(list);
}

void ModelWindow::setPressed(sim::Item toggle, bool pressed)
{
    if (items_[index(toggle)].pressed == pressed)
        return;
    items_[index(toggle)].pressed = pressed;
    changed(toggle);
}

void ModelWindow::setTimerEnabled(bool enabled)
{
    if (timerEnabled_ == enabled)
        return;
    timerEnabled_ = enabled;
    if (onTimerChanged)
        onTimerChanged();
}

void ModelWindow::setTimerInterval(std::uint32_t milliseconds)
{
    if (timerInterval_ == milliseconds)
        return;
    timerInterval_ = milliseconds;
    if (onTimerChanged)
        onTimerChanged();
}

void ModelWindow::showMessage(std::string_view text)
{
    ++messagesShown_;
    if (onMessage)
        onMessage(text);
}

} // namespace core
