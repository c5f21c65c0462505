#pragma once

#include "items.h"
#include "simulation.h"

#include <span>
#include <string>

namespace core {

// How a front end turns a press into its handler. A toggle flips first and shows its new state
// (the graph is repainted at once) before the handler reads it.
enum class Press { Click, Toggle };

// One row per button: the handler its click runs and what a screen reader says about it. The
// replay tool, the event storms and both front ends take their buttons from here, so a new button
// is one row here, its row in the layout and its handler.
struct ButtonBinding {
    sim::Item item;
    void (sim::Simulation::*handler)();
    Press press = Press::Click;
    const char* name = "";        // accessible name; empty: the caption speaks for itself (UTF-8)
    const char* description = ""; // what it does (UTF-8)
};

// The other items a screen reader names: the lists, the two values, the graph and the pictures.
struct ItemDescription {
    sim::Item item;
    const char* name;
    const char* description;
};

std::span<const ButtonBinding> buttonBindings();

// The row of a button, or null for any other item.
const ButtonBinding* bindingOf(sim::Item item);
// What a screen reader says about an item: its binding row's name and description, or its
// description row's; empty texts for any other item. An empty name leaves the caption to speak.
ItemDescription descriptionOf(sim::Item item);
// What a record cell says while it holds no record yet: a screen reader would otherwise fall back
// to its description.
inline constexpr const char* kEmptyCellName = "空";

// What an "ON" mark says: which button switched it on ("「点をグラフへ」が ON です。").
std::string markDescription(sim::Item mark);
// A button by its layout name ("btnMizuDasu"), or null.
const ButtonBinding* buttonNamed(std::string_view name);

} // namespace core
