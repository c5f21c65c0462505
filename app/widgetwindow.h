#pragma once

#include "itemwidgets.h"
#include "staging.h"
#include "window.h"

#include <array>
#include <string>

// The window's items as the program sees them, made of the main window's widgets. Every value read back comes from
// the widget itself, so what the simulation reads is what the learner sees, except the bounds: the
// simulation moves the items in layout pixels, which are kept here, and each widget stands where the
// window's staging puts those bounds, at whatever size the lesson is shown. Each item is reached
// through its own widget type; asking an item for something its kind does not have (the caption
// of a shape, the selection of a button) reads as nothing and changes nothing.
class WidgetWindow : public sim::Scene {
public:
    using Widgets = std::array<ui::ItemWidget, sim::kItemCount>;

    WidgetWindow(const Widgets& widgets, const ui::Staging& staging);

    // Takes every item's bounds from its widget, as created at the layout's own size.
    void adoptBounds();
    // Puts every widget where the staging puts its item's bounds.
    void restage();

    QWidget* widget(sim::Item item) const { return ui::asWidget(widgets_[index(item)]); }
    template <typename T>
    T* as(sim::Item item) const
    {
        const auto* found = std::get_if<T*>(&widgets_[index(item)]);
        return found != nullptr ? *found : nullptr;
    }

    sim::Bounds bounds(sim::Item item) const override;
    void setBounds(sim::Item item, const sim::Bounds& bounds) override;
    std::string caption(sim::Item item) const override;
    void setCaption(sim::Item item, std::string_view text) override;
    sim::Colour fontColour(sim::Item item) const override;
    void setFontColour(sim::Item item, sim::Colour colour) override;
    bool isVisible(sim::Item item) const override;
    void setVisible(sim::Item item, bool visible) override;
    int selectedIndex(sim::Item list) const override;
    void setSelectedIndex(sim::Item list, int index) override;
    bool isPressed(sim::Item toggle) const override;
    void setPressed(sim::Item toggle, bool pressed) override;

private:
    static std::size_t index(sim::Item item) { return static_cast<std::size_t>(sim::indexOf(item)); }
    // Puts widget i where the staging maps its layout bounds.
    void place(std::size_t i);

    const Widgets& widgets_;
    const ui::Staging& staging_;
    std::array<sim::Bounds, sim::kItemCount> bounds_{};
};
