#pragma once

#include <QString>

#include <array>
#include <cstdint>

class QWidget;

namespace ui {

class PaintAreaItem;
class StaticText;

// When the two numbers and the graph tell a screen reader that they have changed. While the water
// runs the numbers change up to 250 times a second, more than anybody can listen to: they are
// told when their whole part changes, and with them the graph, whose live line has then grown by
// a visible step; and at most once a second of the run, both numbers together. At the fastest rate
// the volume's whole part changes twenty times a second, and each change told costs a screen
// reader a few events to handle: told at every one, they held Orca up so long that the learner's
// keys went unanswered and a Tab during a run was not read at all. After a button's handler (a
// start, a stop, a record, a reset) and before the full-tank message everything that changed is
// told. At any other moment a screen reader reads the current values on demand.
class Announcer {
public:
    Announcer(StaticText* time, StaticText* volume, PaintAreaItem* graph);
    // `runMilliseconds` is the program's run clock, which paces the telling.
    void afterTicks(std::int64_t runMilliseconds);
    void now(std::int64_t runMilliseconds);
    // A moment of the lesson told in words (a stop, with where it stopped), raised as an alert of
    // the window that holds the graph.
    void say(const QString& text);
    QString lastSaid() const { return said_; }

private:
    struct Announced {
        StaticText* box;
        QString text;
    };
    static constexpr std::int64_t kGapMilliseconds = 1000;

    // Tells each number that changed (in its whole part only, or at all); whether any was told.
    bool tellNumbers(bool wholeUnitsOnly, std::int64_t runMilliseconds);
    bool announce(Announced& number, bool wholeUnitsOnly);
    void announceGraph();

    std::array<Announced, 2> numbers_;
    PaintAreaItem* graph_;
    QString graphText_;
    std::int64_t toldAt_ = -kGapMilliseconds;
    QString said_;
    QWidget* notice_ = nullptr; // made at the first announcement, owned by the window
};

} // namespace ui
