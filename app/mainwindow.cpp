#include "mainwindow.h"

#include "accessibility.h"
#include "announcer.h"
#include "canvasbridge.h"
#include "formpaint.h"
#include "graphdescription.h"
#include "itemwidgets.h"
#include "layout.h"
#include "periodictimer.h"
#include "pictures.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QLocale>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>

#include <exception>
#include <vector>

using sim::Item;
using sim::Simulation;

namespace {

constexpr const char* kWindowCaption = "一次関数";

// An error box's message gets a full stop when its last character sorts after one.
QString withFullStop(QString message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        message += QLatin1Char('.');
    return message;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent)
    , timer_(new PeriodicTimer([this] { run(&Simulation::Timer1Timer); }, [this] { afterTicks(); }, this))
    , scene_(widgets_, *timer_, {[this](std::string_view text) { showMessage(text); }, [this] { requestQuit(); }})
    , simulation_(scene_)
{
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(sim::clMoneyGreen.r, sim::clMoneyGreen.g, sim::clMoneyGreen.b));
    setPalette(background);
    // The paint event covers every pixel of what it is asked to paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QImage icon = ui::iconImage();
    if (!icon.isNull())
        setWindowIcon(QPixmap::fromImage(icon));

    readLocale();
    createItems();
    bindButtons();
    setTabOrder();
    ui::describeWindow(this);
    auto* graph = scene_.as<ui::PaintAreaItem>(Item::PaintBox1);
    graph->setTextAlternative([this] {
        return QString::fromStdString(
            core::graphDescription(state(), scene_.isPressed(Item::spbGraphFlg), scene_.decimalSeparator()));
    });
    announcer_ = std::make_unique<ui::Announcer>(scene_.as<ui::StaticText>(Item::stxKJHyoji),
                                                 scene_.as<ui::StaticText>(Item::stxKSHyoji), graph);
}

MainWindow::~MainWindow() = default;

void MainWindow::FormCreate()
{
    move(0, 0);
    resize(core::kClientWidth, core::kClientHeight);
}

void MainWindow::showAsProgram()
{
    connect(this, &MainWindow::quitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    FormCreate();
    showMaximized();
}

void MainWindow::createItems()
{
    for (const core::ItemLayout& entry : core::layout()) {
        // Created in layout order, which is the stacking order: later items lie over earlier ones.
        widgets_[static_cast<std::size_t>(sim::indexOf(entry.item))] =
            ui::createItem(entry, ui::artFile(entry.art), this);
    }
}

void MainWindow::bindButtons()
{
    for (const core::ButtonBinding& binding : core::buttonBindings()) {
        auto* button = qobject_cast<QAbstractButton*>(item(binding.item));
        Q_ASSERT(button != nullptr);
        if (binding.press == core::Press::Toggle)
            connect(button, &QAbstractButton::clicked, this,
                    [this, handler = binding.handler] { onToggleClicked(handler); });
        else
            connect(button, &QAbstractButton::clicked, this, [this, handler = binding.handler] { handle(handler); });
    }
}

void MainWindow::setTabOrder()
{
    std::vector<const core::ItemLayout*> chain;
    for (const core::ItemLayout& entry : core::layout()) {
        if (entry.tabOrder >= 0 && item(entry.item)->focusPolicy() != Qt::NoFocus)
            chain.push_back(&entry);
    }
    std::sort(chain.begin(), chain.end(), [](auto* a, auto* b) { return a->tabOrder < b->tabOrder; });
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(item(chain[i - 1]->item), item(chain[i]->item));
}

// Runs one handler as the event loop does. Nothing may escape into Qt's event loop: an error is
// shown in a box, and the state stays as the handler left it.
bool MainWindow::run(Handler handler)
{
    try {
        (simulation_.*handler)();
        return true;
    } catch (const std::exception& error) {
        QMessageBox::critical(this, QCoreApplication::applicationName(), withFullStop(QString::fromUtf8(error.what())));
        return false;
    }
}

// A handler, and then what it changed on the graph and in the record table onto the screen at
// once, rather than at some later repaint; and to a screen reader.
void MainWindow::handle(Handler handler)
{
    if (!run(handler))
        return;
    bringUpToDate();
    ui::setSwitchOn(item(Item::bbtnKirokuAuto), state().KirokuAutoFlg);
    announcer_->now();
}

// The button has already flipped; the graph shows the new state before the handler runs.
void MainWindow::onToggleClicked(Handler handler)
{
    repaint(graphRect().united(item(Item::spbGraphFlg)->geometry()));
    handle(handler);
}

void MainWindow::bringUpToDate()
{
    simulation_.KirokuHyoji();
    update(graphRect());
}

void MainWindow::afterTicks()
{
    bringUpToDate();
    announcer_->afterTicks();
}

QRect MainWindow::graphRect() const
{
    return item(Item::PaintBox1)->geometry();
}

void MainWindow::startOnce()
{
    if (started_)
        return;
    started_ = true;
    item(Item::btnMizuDasu)->setFocus(Qt::ActiveWindowFocusReason);
    handle(&Simulation::btnSaishikoClick);
}

bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        startOnce();
    return QWidget::event(event);
}

// Some window systems (X11 without a window manager) never activate a new window; the reset must
// still come before anybody sees the window, and showing always precedes the first painting.
void MainWindow::showEvent(QShowEvent* event)
{
    startOnce();
    QWidget::showEvent(event);
}

// Painting changes nothing: the record table is brought up to date after every handler instead.
void MainWindow::paintEvent(QPaintEvent* event)
{
    const QRect surface(0, 0, core::kClientWidth, core::kClientHeight);
    std::vector<core::Rect> areas;
    for (const QRect& r : event->region()) {
        const QRect area = r.intersected(surface);
        if (!area.isEmpty())
            areas.push_back({area.x(), area.y(), area.width(), area.height()});
    }
    const core::PaintInput input{scene_.bounds(Item::ShpWaku), scene_.bounds(Item::PaintBox1),
                                 scene_.isPressed(Item::spbGraphFlg), &state()};

    QPainter painter(this);
    if (std::optional<core::Canvas> backBuffer = ui::canvasOver(painter, size())) {
        // Straight into the window's pixels: no canvas the size of the window to fill and copy
        // at a full repaint, which was the largest part of the time to the first frame.
        core::paintWindowAreas(*backBuffer, areas, input, core::GraphExtent::WithinAreas);
    } else {
        if (!canvas_)
            canvas_.emplace(surface.width(), surface.height());
        core::paintWindowAreas(*canvas_, areas, input);
        for (const core::Rect& a : areas)
            ui::drawCanvas(painter, {a.left, a.top}, *canvas_, {a.left, a.top, a.width, a.height});
    }
    // A window larger than the layout shows the window's colour beyond it.
    const QRegion beyond = event->region().subtracted(surface);
    for (const QRect& r : beyond)
        painter.fillRect(r, palette().color(QPalette::Window));
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange)
        readLocale();
    QWidget::changeEvent(event);
}

void MainWindow::readLocale()
{
    scene_.setDecimalSeparator(QLocale::system().decimalPoint().toStdString());
}

void MainWindow::showMessage(std::string_view text)
{
    ++messagesShown_;
    // The box's own loop repaints the window: let it show the state that led to the message, and
    // a screen reader the numbers before the box takes the focus.
    bringUpToDate();
    announcer_->now();
    const QString title = QCoreApplication::applicationName();
    const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (presenter_) {
        presenter_(title, message);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, message, QMessageBox::Ok, this);
    box.setAccessibleName(title);
    box.setAccessibleDescription(message);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

void MainWindow::requestQuit()
{
    quitRequested_ = true;
    emit quitRequested();
}
