#pragma once

#include <QString>

#include <array>

class QWidget;

namespace ui {

class PaintAreaItem;
class StaticText;

// When the two numbers and the graph tell a screen reader that they have changed. While the water
// runs the numbers change up to 250 times a second, more than anybody can listen to: they are
// announced when their whole part changes, and with them the graph, whose live line has then
// grown by a visible step. After a button's handler (a start, a stop, a record, a reset) and
// before the full-tank message everything that changed is announced. At any other moment a
// screen reader reads the current values on demand.
class Announcer {
public:
    Announcer(StaticText* time, StaticText* volume, PaintAreaItem* graph);
    void afterTicks();
    void now();
    // A moment of the lesson told in words (a stop, with where it stopped), raised as an alert of
    // the window that holds the graph.
    void say(const QString& text);
    QString lastSaid() const { return said_; }

private:
    struct Announced {
        StaticText* box;
        QString text;
    };
    bool announce(Announced& number, bool wholeUnitsOnly);
    void announceGraph();

    std::array<Announced, 2> numbers_;
    PaintAreaItem* graph_;
    QString graphText_;
    QString said_;
    QWidget* notice_ = nullptr; // made at the first announcement, owned by the window
};

} // namespace ui
