#include "mainwindow.h"

#include "accessibility.h"
#include "announcer.h"
#include "bindings.h"
#include "canvasbridge.h"
#include "fonts.h"
#include "formpaint.h"
#include "graphdescription.h"
#include "itemwidgets.h"
#include "layout.h"
#include "periodictimer.h"
#include "pictures.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

#include <cmath>
#include <exception>
#include <vector>

using sim::Item;

namespace {

constexpr const char* kWindowCaption = "一次関数";

// How long after showing itself a window that is never exposed waits to draw its pictures.
constexpr int kPictureDelay = 300;

// An error box's message gets a full stop when its last character sorts after one.
QString withFullStop(QString message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        message += QLatin1Char('.');
    return message;
}

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// What the program asks of the desktop.
class MainWindow::Desktop : public core::Platform {
public:
    explicit Desktop(MainWindow& window)
        : w_(window)
    {
        clock_.start();
    }

    std::int64_t nowMicroseconds() const override { return clock_.nsecsElapsed() / 1000; }
    std::string decimalSeparator() const override { return w_.decimalSeparator_; }
    void timerSwitched(bool ticking, std::uint32_t interval) override { w_.timer_->follow(ticking, interval); }
    void showMessage(std::string_view text) override { w_.showMessage(text); }
    void quit() override { emit w_.quitRequested(); }
    void announce(std::string_view text) override { w_.announcer_->say(fromUtf8(text)); }
    void putOnClipboard(std::string_view text, std::string_view html) override
    {
        auto* data = new QMimeData;
        data->setText(fromUtf8(text));
        data->setHtml(fromUtf8(html));
        QGuiApplication::clipboard()->setMimeData(data);
    }
    void show(core::Change change) override { w_.present(change); }

private:
    MainWindow& w_;
    QElapsedTimer clock_;
};

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent)
    , desktop_(std::make_unique<Desktop>(*this))
    , program_(scene_, *desktop_)
    , timer_(new PeriodicTimer([this] { run([this] { program_.prompt(); }); }, this))
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
    // Ctrl+C copies the records wherever the keyboard is in the window.
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    copy->setContext(Qt::WindowShortcut);
    connect(copy, &QShortcut::activated, this, &MainWindow::copyRecords);
    // Ctrl+0, as in a browser: the lesson at its actual size, and back to filling the window.
    auto* actualSize = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_0), this);
    actualSize->setContext(Qt::WindowShortcut);
    connect(actualSize, &QShortcut::activated, this, [this] { setFillsWindow(!fillsWindow_); });
    ui::describeWindow(this);
    auto* graph = scene_.as<ui::PaintAreaItem>(Item::PaintBox1);
    graph->setTextAlternative([this] {
        return QString::fromStdString(
            core::graphDescription(state(), scene_.isPressed(Item::spbGraphFlg), decimalSeparator_));
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
    // Made at the layout's own size, where a label sized to its text takes its layout width.
    scene_.adoptBounds();
}

void MainWindow::setFillsWindow(bool fills)
{
    fillsWindow_ = fills;
    restage();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    restage();
}

void MainWindow::restage()
{
    const core::Scale ratio = ui::pixelRatioOf(devicePixelRatioF());
    const int deviceWidth = ratio.at(width());
    const int deviceHeight = ratio.at(height());
    const ui::Staging next{fillsWindow_ ? core::fitLesson(deviceWidth, deviceHeight) : core::actualSize(ratio), ratio};
    if (next == staging_)
        return;
    staging_ = next;
    canvas_.reset();
    const core::Scale logical = staging_.logicalScale();
    for (const core::ItemLayout& entry : core::layout()) {
        QWidget* w = item(entry.item);
        const bool hasText = entry.kind != core::Kind::Timer && entry.kind != core::Kind::Shape
                             && entry.kind != core::Kind::Picture && entry.kind != core::Kind::PaintArea;
        if (w != nullptr && hasText)
            w->setFont(ui::fontFor(entry.font, logical));
        if (auto* list = scene_.as<ui::ListBox>(entry.item))
            list->restage(staging_.widgetRect(scene_.bounds(entry.item)).height());
    }
    scene_.restage();
    update();
}

void MainWindow::bindButtons()
{
    for (const core::ButtonBinding& binding : core::buttonBindings()) {
        auto* button = qobject_cast<QAbstractButton*>(item(binding.item));
        Q_ASSERT(button != nullptr);
        connect(button, &QAbstractButton::clicked, this,
                [this, pressed = binding.item] { run([this, pressed] { program_.press(pressed); }); });
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

template <typename Step>
void MainWindow::run(Step step)
{
    try {
        step();
    } catch (const std::exception& error) {
        QMessageBox::critical(this, QCoreApplication::applicationName(), withFullStop(QString::fromUtf8(error.what())));
    }
}

// What a change brings onto the screen and to a screen reader. A flipped toggle is painted at
// once, so the graph follows the click before the handler goes on; everything else is painted
// with the next repaint, which Qt sends before the next timer prompt.
void MainWindow::present(core::Change change)
{
    switch (change) {
    case core::Change::ToggleFlipped:
        repaint(graphRect().united(item(Item::spbGraphFlg)->geometry()));
        return;
    case core::Change::Ticks:
        update(graphRect());
        announcer_->afterTicks(program_.runMilliseconds());
        return;
    case core::Change::Handler:
    case core::Change::Message:
        update(graphRect());
        for (const core::ItemLayout& entry : core::layout()) {
            if (entry.role == core::Role::Switch && entry.kind != core::Kind::ToggleButton)
                ui::setSwitchOn(item(entry.item), program_.isSwitchOn(entry.item));
        }
        announcer_->now(program_.runMilliseconds());
        return;
    }
}

void MainWindow::picturesDrawn()
{
    for (const core::ItemLayout& entry : core::layout()) {
        if (auto* picture = scene_.as<ui::PictureItem>(entry.item))
            picture->refresh();
    }
}

QRect MainWindow::graphRect() const
{
    return staging_.covering(staging_.stage.place(scene_.bounds(Item::PaintBox1)));
}

void MainWindow::startOnce()
{
    if (program_.hasStarted())
        return;
    item(Item::btnMizuDasu)->setFocus(Qt::ActiveWindowFocusReason);
    run([this] { program_.activate(); });
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
    // The pictures for another size are drawn once the first frame is on the screen; a window
    // system that never exposes the window still gets them a little later.
    if (!watchingExposure_ && windowHandle() != nullptr) {
        watchingExposure_ = true;
        windowHandle()->installEventFilter(this);
        QTimer::singleShot(kPictureDelay, this, [this] { pictures_.release(); });
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The exposed window is painted while this event is handled: the drawings start after it.
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed())
        QTimer::singleShot(0, this, [this] { pictures_.release(); });
    return QWidget::eventFilter(watched, event);
}

// Painting changes nothing: the record table is brought up to date after every handler instead.
void MainWindow::paintEvent(QPaintEvent* event)
{
    const core::PaintInput input = core::paintInputOf(scene_, state(), staging_.stage);
    QPainter painter(this);
    std::optional<core::Canvas> backBuffer = ui::canvasOver(painter, size());
    // Straight into the window's pixels where the painter allows it: no canvas the size of the
    // window to fill and copy at a full repaint, which was the largest part of the time to the
    // first frame. Otherwise (a screen of other than one device pixel per logical one, or an image
    // of another kind) the window's device pixels in a canvas of their own, shown as they are.
    const double ratio = backBuffer ? 1.0 : painter.device()->devicePixelRatioF();
    if (!backBuffer) {
        const int deviceWidth = static_cast<int>(std::lround(width() * ratio));
        const int deviceHeight = static_cast<int>(std::lround(height() * ratio));
        if (!canvas_ || canvas_->width() != deviceWidth || canvas_->height() != deviceHeight)
            canvas_.emplace(deviceWidth, deviceHeight);
    }
    core::Canvas& target = backBuffer ? *backBuffer : *canvas_;
    // The device pixels the repaint touches.
    const core::Rect whole{0, 0, target.width(), target.height()};
    std::vector<core::Rect> areas;
    for (const QRect& r : event->region()) {
        const int left = static_cast<int>(std::floor(r.x() * ratio));
        const int top = static_cast<int>(std::floor(r.y() * ratio));
        const int right = static_cast<int>(std::ceil((r.x() + r.width()) * ratio));
        const int bottom = static_cast<int>(std::ceil((r.y() + r.height()) * ratio));
        const core::Rect area = core::Rect{left, top, right - left, bottom - top}.intersected(whole);
        if (!area.isEmpty())
            areas.push_back(area);
    }
    if (backBuffer) {
        core::paintWindowAreas(target, areas, input, core::GraphExtent::WithinAreas);
        return;
    }
    core::paintWindowAreas(target, areas, input);
    for (const core::Rect& a : areas)
        ui::drawDeviceCanvas(painter, target, a, ratio);
}

void MainWindow::copyRecords()
{
    run([this] { program_.copyRecords(); });
}

// The record table's menu: a right click on the table, or the Menu key wherever the keyboard is
// (a screen reader's user reaches the cells without moving the focus).
void MainWindow::contextMenuEvent(QContextMenuEvent* event)
{
    QRect table;
    for (const core::ItemLayout& entry : core::layout()) {
        if (entry.role == core::Role::RowHeader || entry.role == core::Role::RecordCell)
            table |= item(entry.item)->geometry();
    }
    const bool keyboard = event->reason() == QContextMenuEvent::Keyboard;
    if (!keyboard && !table.contains(event->pos())) {
        event->ignore();
        return;
    }
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("コピー / Copy"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, &MainWindow::copyRecords);
    menu.exec(keyboard ? mapToGlobal(table.bottomLeft()) : event->globalPos());
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange)
        readLocale();
    QWidget::changeEvent(event);
}

void MainWindow::readLocale()
{
    decimalSeparator_ = QLocale::system().decimalPoint().toStdString();
}

void MainWindow::showMessage(std::string_view text)
{
    const QString title = QCoreApplication::applicationName();
    const QString message = fromUtf8(text);
    if (presenter_) {
        presenter_(title, message);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, message, QMessageBox::Ok, this);
    // Read from the back of the classroom as the lesson is: its text grows with the lesson.
    QFont font = box.font();
    const core::Scale logical = staging_.logicalScale();
    if (font.pixelSize() > 0)
        font.setPixelSize(logical.length(font.pixelSize()));
    else
        font.setPointSizeF(font.pointSizeF() * logical.factor());
    box.setFont(font);
    // A screen reader names the box as the window it belongs to (the title bar keeps the program's
    // name), and hears the message once, from its label.
    box.setAccessibleName(QString::fromUtf8(kWindowCaption));
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}
