#include "fakewindow.h"

using sim::Item;

FakeWindow::FakeWindow()
    : pressed([this] { return isPressed(Item::spbGraphFlg); }, [this](bool on) { setPressed(Item::spbGraphFlg, on); })
    , timerEnabled([this] { return ModelWindow::timerEnabled(); }, [this](bool on) { setTimerEnabled(on); })
    , timerInterval([this] { return ModelWindow::timerInterval(); },
                    [this](std::uint32_t milliseconds) { setTimerInterval(milliseconds); })
    , quitRequested([this] { return ModelWindow::quitRequested(); })
    , separator([this] { return decimalSeparator(); },
                [this](std::string text) { setDecimalSeparator(std::move(text)); })
{
    ModelWindow::onMessage = [this](std::string_view text) {
        messages.emplace_back(text);
        if (onMessage)
            onMessage();
    };
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
    while (ran < limit && window.isTicking()) {
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
