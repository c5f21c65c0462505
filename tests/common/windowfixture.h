#pragma once

#include "mainwindow.h"
#include "periodictimer.h"
#include "replay.h"

#include <QApplication>
#include <QImage>
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
    // The client area as the screen shows it, in device pixels.
    QImage shot() const
    {
        QCoreApplication::processEvents();
        return window->grab(QRect(0, 0, 1024, 768)).toImage().convertToFormat(QImage::Format_RGB32);
    }

    std::unique_ptr<MainWindow> window;
};

inline QRgb rgbOf(sim::Colour c)
{
    return qRgb(c.r, c.g, c.b);
}
