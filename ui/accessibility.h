#pragma once

#include "items.h"

#include <QString>

class QWidget;

namespace ui {

// What a screen reader says about an item: its name (a button's is its caption) and what it does.
struct Description {
    QString name;
    QString description;
};
Description descriptionOf(sim::Item item);

// Lets assistive technology read the static texts' current text as their value, so the time,
// the volume and every record can be read out. Call once, before the window is created.
void installAccessibility();

// Gives the widget of an item its accessible name and description.
void describe(QWidget* widget, sim::Item item);

} // namespace ui
