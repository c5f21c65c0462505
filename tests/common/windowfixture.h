#pragma once

#include "mainwindow.h"
#include "periodictimer.h"
#include "replay.h"

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// The real main window, shown offscreen at the layout's size, started (reset) and driven with
// manual ticks; a full-tank message is dismissed at once.
class WindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>();
        Replay::takeControl(*window);
        window->FormCreate();
        window->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override { window.reset(); }

    QWidget* widget(sim::Item item) const { return window->item(item); }

    void click(sim::Item item)
    {
        QWidget* target = widget(item);
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
        QCoreApplication::processEvents();
    }
    void choose(int initial, int jikan, int suiryo)
    {
        window->scene().setSelectedIndex(sim::Item::lbxSyokiRyo, initial);
        window->scene().setSelectedIndex(sim::Item::lbxJikan, jikan - 1);
        window->scene().setSelectedIndex(sim::Item::lbxSuiryo, suiryo - 1);
    }
    void tick(int count)
    {
        for (int i = 0; i < count && window->program().tick(); ++i)
            QCoreApplication::processEvents();
    }
    // The learner's choices, "水を入れる", and the stream's fall: the next tick raises the water.
    void startRun(int initial, int jikan, int suiryo)
    {
        choose(initial, jikan, suiryo);
        click(sim::Item::btnMizuDasu);
        fallStream();
    }
    // Ticks until the stream reaches the water.
    void fallStream()
    {
        while (window->program().isTicking() && window->state().KeikaTick == 0.0F
               && window->scene().bounds(sim::Item::shpMizu).top + window->scene().bounds(sim::Item::shpMizu).height
                      < window->scene().bounds(sim::Item::shpScale).top)
            tick(1);
    }
    // The client area rendered afresh, in device pixels: what the screen should show.
    QImage shot() const
    {
        QCoreApplication::processEvents();
        return window->grab(QRect(0, 0, 1024, 768)).toImage().convertToFormat(QImage::Format_RGB32);
    }

    // The client area as the window system holds it now, painted by nothing here: the offscreen
    // platform's back buffer, or the X server's image under xcb. What was never repainted shows
    // as it was.
    QImage onScreen() const
    {
        QCoreApplication::processEvents();
        return window->screen()
            ->grabWindow(window->winId(), 0, 0, 1024, 768)
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // Where the screen differs from a full render of the same state: the area that should have
    // been repainted and was not (empty when none).
    QRect staleArea() const
    {
        const QImage screen = onScreen();
        const QImage fresh = shot();
        if (screen.size() != fresh.size())
            return fresh.rect();
        QRect stale;
        for (int y = 0; y < fresh.height(); ++y) {
            for (int x = 0; x < fresh.width(); ++x) {
                if (screen.pixel(x, y) != fresh.pixel(x, y))
                    stale |= QRect(x, y, 1, 1);
            }
        }
        return stale;
    }

    std::unique_ptr<MainWindow> window;
};

inline QRgb rgbOf(sim::Colour c)
{
    return qRgb(c.r, c.g, c.b);
}
