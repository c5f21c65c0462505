#include "fakewindow.h"

#include "layout.h"

using sim::Item;

FakeWindow::FakeWindow()
{
    for (const core::ItemLayout& entry : core::layout()) {
        bounds_[index(entry.item)] = entry.bounds;
        captions_[index(entry.item)] = entry.caption;
        visible_[index(entry.item)] = entry.visibleAtStart;
    }
    selected_.fill(-1);
}

void FakeWindow::showMessage(std::string_view text)
{
    messages.emplace_back(text);
    if (onMessage)
        onMessage();
}

void Rig::choose(int initial, int jikan, int suiryo)
{
    window.setSelectedIndex(Item::lbxSyokiRyo, initial);
    window.setSelectedIndex(Item::lbxJikan, jikan - 1);
    window.setSelectedIndex(Item::lbxSuiryo, suiryo - 1);
}

int Rig::tick(int limit)
{
    int ran = 0;
    while (ran < limit && window.timerEnabled && window.timerInterval != 0) {
        sim.Timer1Timer();
        ++ran;
    }
    return ran;
}

int Rig::fallStream()
{
    int ran = 0;
    while (window.timerEnabled) {
        const sim::Bounds stream = window.bounds(Item::shpMizu);
        if (stream.top + stream.height >= window.bounds(Item::shpScale).top)
            break;
        sim.Timer1Timer();
        ++ran;
    }
    return ran;
}

void Rig::startRun(int initial, int jikan, int suiryo)
{
    choose(initial, jikan, suiryo);
    sim.btnMizuDasuClick();
    fallStream();
}
