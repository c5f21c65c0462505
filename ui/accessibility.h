#pragma once

#include "items.h"

#include <QString>

#include <array>

class QWidget;

namespace ui {

class PaintAreaItem;
class StaticText;

// What a screen reader says about an item: its name (a button's is its caption) and what it does.
struct Description {
    QString name;
    QString description;
};
Description descriptionOf(sim::Item item);

// Lets assistive technology read a static text's current text, as its value and, unless it has a
// name of its own, as its name. Call once, before the window is created.
void installAccessibility();

// Gives the widget of an item its accessible name and description, and to the items that need
// one their own accessible interface: the two numbers expose their text and their value, the
// record cells their text, the graph what it shows, the two switches their on/off state and an
// action that is a click, the "ON" marks the button that they belong to.
void describe(QWidget* widget, sim::Item item);

// The window as a frame named by its title, with the record table's two headers and twenty cells
// as one table (rows ｘ座標 and ｙ座標, columns 1 to 10). Call once every item exists.
void describeWindow(QWidget* window);

// Tells assistive technology that a static text now shows another text than `before`.
void textChanged(StaticText* box, const QString& before);

// The on/off state of a switch that is a plain push button (自動記録: its caption says オン or
// オフ, but the button never stays down).
void setSwitchOn(QWidget* button, bool on);
bool isSwitchOn(const QWidget* button);

} // namespace ui
