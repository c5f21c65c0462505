#pragma once

#include "layout.h"
#include "simulation.h"
#include "window.h"

#include <QWidget>

#include <array>
#include <functional>

class PeriodicTimer;

// Form1: the one window of the program. It builds its 58 items from the layout table, binds
// their events to the simulation's handlers and lets the simulation move the scene through the
// sim::Window interface. Every value read back comes from the widgets themselves.
class MainWindow : public QWidget, public sim::Window {
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
    QWidget* item(sim::Item item) const { return items_[static_cast<std::size_t>(sim::indexOf(item))]; }
    PeriodicTimer& timer() { return *timer_; }
    const PeriodicTimer& timer() const { return *timer_; }
    int messagesShown() const { return messagesShown_; }
    bool quitWasRequested() const { return quitRequested_; }
    bool hasStarted() const { return started_; }
    void setMessagePresenter(MessagePresenter presenter) { presenter_ = std::move(presenter); }
    sim::Colour fontColour(sim::Item item) const;

    // sim::Window
    sim::Bounds bounds(sim::Item item) const override;
    void setBounds(sim::Item item, const sim::Bounds& bounds) override;
    std::string caption(sim::Item item) const override;
    void setCaption(sim::Item item, std::string_view text) override;
    void setFontColour(sim::Item item, sim::Colour colour) override;
    void setVisible(sim::Item item, bool visible) override;
    int selectedIndex(sim::Item list) const override;
    void setSelectedIndex(sim::Item list, int index) override;
    bool isPressed(sim::Item toggle) const override;
    void setTimerEnabled(bool enabled) override;
    void setTimerInterval(std::uint32_t milliseconds) override;
    void showMessage(std::string_view text) override;
    void requestQuit() override;
    std::string decimalSeparator() const override { return decimalSeparator_; }

    using QWidget::setVisible;

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
    void bindEvents();
    void setTabOrder();
    void handle(Handler handler);
    void onToggleClicked();
    void bringUpToDate();
    void startOnce();
    void readLocale();
    QRect graphRect() const;

    std::array<QWidget*, sim::kItemCount> items_{};
    sim::Simulation simulation_;
    PeriodicTimer* timer_ = nullptr;
    MessagePresenter presenter_;
    std::string decimalSeparator_ = ".";
    int messagesShown_ = 0;
    bool quitRequested_ = false;
    bool started_ = false;
};
