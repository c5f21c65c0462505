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

template <typename T>
void ModelWindow::change(sim::Item item, T ItemState::*field, const T& value)
{
    // Setting what an item already shows changes nothing, as on the desktop.
    T& held = items_[index(item)].*field;
    if (held == value)
        return;
    held = value;
    if (onItemChanged)
        onItemChanged(item);
}

void ModelWindow::setBounds(sim::Item item, const sim::Bounds& bounds)
{
    change(item, &ItemState::bounds, bounds);
}

void ModelWindow::setCaption(sim::Item item, std::string_view text)
{
    change(item, &ItemState::caption, std::string(text));
}

void ModelWindow::setFontColour(sim::Item item, sim::Colour colour)
{
    change(item, &ItemState::fontColour, colour);
}

void ModelWindow::setVisible(sim::Item item, bool visible)
{
    change(item, &ItemState::visible, visible);
}

void ModelWindow::setSelectedIndex(sim::Item list, int row)
{
    const int rows = layoutOf(list).listRows;
    if (row < -1 || row >= rows)
        row = -1;
    change(list, &ItemState::selected, row);
}

void ModelWindow::setPressed(sim::Item toggle, bool pressed)
{
    change(toggle, &ItemState::pressed, pressed);
}

template <typename T>
void ModelWindow::changeTimer(T& field, T value)
{
    // As a real timer: setting what it has does not restart its count.
    if (field == value)
        return;
    field = value;
    if (onTimerChanged)
        onTimerChanged();
}

void ModelWindow::setTimerEnabled(bool enabled)
{
    changeTimer(timerEnabled_, enabled);
}

void ModelWindow::setTimerInterval(std::uint32_t milliseconds)
{
    changeTimer(timerInterval_, milliseconds);
}

void ModelWindow::showMessage(std::string_view text)
{
    ++messagesShown_;
    if (onMessage)
        onMessage(text);
}

} // namespace core
