#pragma once

#include "bindings.h"
#include "canvas.h"
#include "simulation.h"
#include "widgetwindow.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class PeriodicTimer;

namespace ui {
class Announcer;
}

// Form1: the one window of the program. It builds its 58 items from the layout table, binds the
// buttons to the simulation's handlers as the binding table says, and paints what no item draws
// by itself. The simulation moves the scene through a WidgetWindow over the same widgets.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    // Shows the full-tank message and returns when it has been dismissed.
    using MessagePresenter = std::function<void(const QString& title, const QString& text)>;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Places the window at the screen's top-left corner at the size the layout is drawn for.
    void FormCreate();
    // As the program shows itself: created, maximized, and ending the event loop on request.
    void showAsProgram();

    const sim::State& state() const { return simulation_.state(); }
    // What the simulation sees of the window, read back from the widgets.
    WidgetWindow& scene() { return scene_; }
    const WidgetWindow& scene() const { return scene_; }
    QWidget* item(sim::Item item) const { return scene_.widget(item); }
    PeriodicTimer& timer() { return *timer_; }
    const PeriodicTimer& timer() const { return *timer_; }
    int messagesShown() const { return messagesShown_; }
    bool quitWasRequested() const { return quitRequested_; }
    bool hasStarted() const { return started_; }
    void setMessagePresenter(MessagePresenter presenter) { presenter_ = std::move(presenter); }

signals:
    void quitRequested();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    using Handler = void (sim::Simulation::*)();

    void createItems();
    void bindButtons();
    void setTabOrder();
    bool run(Handler handler);
    void handle(Handler handler);
    void onToggleClicked(Handler handler);
    void showMessage(std::string_view text);
    void requestQuit();
    void bringUpToDate();
    void afterTicks();
    void startOnce();
    void readLocale();
    QRect graphRect() const;

    WidgetWindow::Widgets widgets_{};
    PeriodicTimer* timer_ = nullptr;
    WidgetWindow scene_;
    sim::Simulation simulation_;
    // The window's own painting is drawn by the core, so the desktop's graph pixels are the
    // core's pixels: straight into the back buffer where the painter allows it, otherwise into
    // this canvas, made at the first such painting, and shown from it.
    std::optional<core::Canvas> canvas_;
    std::unique_ptr<ui::Announcer> announcer_;
    MessagePresenter presenter_;
    int messagesShown_ = 0;
    bool quitRequested_ = false;
    bool started_ = false;
};
