#include "fakewindow.h"

using sim::Item;

FakeWindow::FakeWindow()
{
    // The layout's bounds of everything the simulation reads or moves.
    setBounds(Item::ShpWaku, {56, 192, 377, 500});
    setBounds(Item::shpMizu, {96, 177, 17, 0});
    setBounds(Item::shpScale, {56, 688, 377, 0});
    setBounds(Item::ShpWakuX, {496, 688, 500, 8});
    setBounds(Item::ShpScaleY, {477, 673, 7, 0});
    setBounds(Item::ShpScaleX, {497, 689, 0, 7});
    setBounds(Item::PaintBox1, {497, 176, 500, 500});
    setCaption(Item::stxKJHyoji, "0");
    setCaption(Item::stxKSHyoji, "0");
    selected_.fill(-1);
    visible_.fill(true);
    for (Item hidden : {Item::btnTenki, Item::btnMusubu, Item::LblTenkiFlg, Item::LblMusubuFlg})
        setVisible(hidden, false);
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
