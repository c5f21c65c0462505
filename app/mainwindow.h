#pragma once

#include "canvas.h"
#include "picturecache.h"
#include "platform.h"
#include "program.h"
#include "staging.h"
#include "widgetwindow.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class PeriodicTimer;

namespace ui {
class Announcer;
}

// Form1: the one window of the program. It builds its 58 items from the layout table, forwards
// the buttons' clicks and the timer's prompts to the program, carries out what the program asks
// of its platform, and paints what no item draws by itself. The program moves the scene through
// a WidgetWindow over the same widgets. The lesson fills the window at the largest scale that
// fits, centred, or stands at its actual size in the top-left corner; Ctrl+0 switches.
class MainWindow : public QWidget, public ui::StagedWindow {
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

    const sim::State& state() const { return program_.state(); }
    core::Program& program() { return program_; }
    const core::Program& program() const { return program_; }
    // What the simulation sees of the window, read back from the widgets.
    WidgetWindow& scene() { return scene_; }
    const WidgetWindow& scene() const { return scene_; }
    QWidget* item(sim::Item item) const { return scene_.widget(item); }
    PeriodicTimer& timer() { return *timer_; }
    const PeriodicTimer& timer() const { return *timer_; }
    int messagesShown() const { return program_.messagesShown(); }
    bool quitWasRequested() const { return program_.quitRequested(); }
    bool hasStarted() const { return program_.hasStarted(); }
    void setMessagePresenter(MessagePresenter presenter) { presenter_ = std::move(presenter); }
    // The locale's separator, read at start and at every change of the locale.
    void setDecimalSeparator(std::string separator) { decimalSeparator_ = std::move(separator); }

    const ui::Staging& staging() const override { return staging_; }
    ui::PictureCache& pictures() override { return pictures_; }
    // Whether the lesson fills the window (else it is at its actual size).
    bool fillsWindow() const { return fillsWindow_; }
    void setFillsWindow(bool fills);

signals:
    void quitRequested();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class Desktop;

    void createItems();
    void bindButtons();
    void setTabOrder();
    // Runs a step of the program as the event loop runs a handler: an error is shown in a box and
    // never escapes into Qt's event loop.
    template <typename Step>
    void run(Step step);
    void present(core::Change change);
    // Ctrl+C and the table's menu.
    void copyRecords();
    void showMessage(std::string_view text);
    void startOnce();
    void readLocale();
    QRect graphRect() const;
    // Stages the lesson afresh for the window's size and pixel ratio: every item's place, its font,
    // its edges.
    void restage();
    void picturesDrawn();

    WidgetWindow::Widgets widgets_{};
    ui::Staging staging_{core::actualSize(), {}};
    bool fillsWindow_ = true;
    WidgetWindow scene_{widgets_, staging_};
    ui::PictureCache pictures_{[this] { picturesDrawn(); }};
    bool watchingExposure_ = false;
    std::unique_ptr<Desktop> desktop_;
    core::Program program_;
    PeriodicTimer* timer_ = nullptr;
    // The window's own painting is drawn by the core, so the desktop's graph pixels are the
    // core's pixels: straight into the back buffer where the painter allows it, otherwise into
    // this canvas, made at the first such painting, and shown from it.
    std::optional<core::Canvas> canvas_;
    std::unique_ptr<ui::Announcer> announcer_;
    MessagePresenter presenter_;
    std::string decimalSeparator_ = ".";
};
