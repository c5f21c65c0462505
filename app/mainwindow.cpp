#include "mainwindow.h"

#include "formpainter.h"
#include "itemwidgets.h"
#include "periodictimer.h"
#include "pictures.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>

#include <exception>

using sim::Item;
using sim::Simulation;

namespace {

constexpr const char* kWindowCaption = "一次関数";

struct ClickBinding {
    Item button;
    void (Simulation::*handler)();
};

// The click of every push button and the handler it runs. The toggle button is bound apart:
// the graph must show its new state before its handler runs.
constexpr ClickBinding kClickBindings[] = {
    {Item::btnMizuDasu, &Simulation::btnMizuDasuClick},   {Item::btnMizuTome, &Simulation::btnMizuTomeClick},
    {Item::btnSaishiko, &Simulation::btnSaishikoClick},   {Item::btnOwari, &Simulation::btnOwariClick},
    {Item::btnKiroku, &Simulation::btnKirokuClick},       {Item::btnTenki, &Simulation::btnTenkiClick},
    {Item::btnMusubu, &Simulation::btnMusubuClick},       {Item::bbtnKirokuAuto, &Simulation::bbtnKirokuAutoClick},
};

QRect rectOf(const sim::Bounds& b)
{
    return {b.left, b.top, b.width, b.height};
}

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
    , simulation_(*this)
    , timer_(new PeriodicTimer([this] { handle(&Simulation::Timer1Timer); }, this))
{
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(sim::clMoneyGreen.r, sim::clMoneyGreen.g, sim::clMoneyGreen.b));
    setPalette(background);
    setAutoFillBackground(true);
    const QImage icon = ui::iconImage();
    if (!icon.isNull())
        setWindowIcon(QPixmap::fromImage(icon));

    readLocale();
    createItems();
    bindEvents();
    setTabOrder();
}

MainWindow::~MainWindow() = default;

void MainWindow::FormCreate()
{
    move(0, 0);
    resize(ui::kClientWidth, ui::kClientHeight);
}

void MainWindow::showAsProgram()
{
    connect(this, &MainWindow::quitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    FormCreate();
    showMaximized();
}

void MainWindow::createItems()
{
    for (const ui::ItemLayout& entry : ui::layout()) {
        const auto index = static_cast<std::size_t>(sim::indexOf(entry.item));
        // Created in layout order, so later items lie over earlier ones as the design stacks them.
        items_[index] = ui::createItem(entry, ui::artImage(entry.art), this);
    }
}

void MainWindow::bindEvents()
{
    for (const ClickBinding& binding : kClickBindings) {
        auto* button = static_cast<QAbstractButton*>(item(binding.button));
        connect(button, &QAbstractButton::clicked, this, [this, handler = binding.handler] { handle(handler); });
    }
    connect(static_cast<QAbstractButton*>(item(Item::spbGraphFlg)), &QAbstractButton::clicked, this,
            &MainWindow::onToggleClicked);
}

void MainWindow::setTabOrder()
{
    std::vector<const ui::ItemLayout*> chain;
    for (const ui::ItemLayout& entry : ui::layout()) {
        if (entry.tabOrder >= 0 && item(entry.item)->focusPolicy() != Qt::NoFocus)
            chain.push_back(&entry);
    }
    std::sort(chain.begin(), chain.end(), [](auto* a, auto* b) { return a->tabOrder < b->tabOrder; });
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(item(chain[i - 1]->item), item(chain[i]->item));
}

// Runs one handler as the event loop does, then brings what it changed on the graph and in the
// record table onto the screen at once, rather than at some later repaint.
void MainWindow::handle(Handler handler)
{
    try {
        (simulation_.*handler)();
        bringUpToDate();
    } catch (const std::exception& error) {
        // Nothing may escape into Qt's event loop; the state stays as the handler left it.
        QMessageBox::critical(this, QCoreApplication::applicationName(),
                              withFullStop(QString::fromUtf8(error.what())));
    }
}

// The button has already flipped; the graph shows the new state before the handler runs.
void MainWindow::onToggleClicked()
{
    repaint(graphRect().united(item(Item::spbGraphFlg)->geometry()));
    handle(&Simulation::spbGraphFlgClick);
}

void MainWindow::bringUpToDate()
{
    simulation_.KirokuHyoji();
    update(graphRect());
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

void MainWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const sim::State& s = state();
    ui::FormPaint(painter, {bounds(Item::ShpWaku), bounds(Item::PaintBox1), isPressed(Item::spbGraphFlg), &s});
    if (s.KirokuSu > 0)
        simulation_.KirokuHyoji();
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

sim::Bounds MainWindow::bounds(Item which) const
{
    const QRect g = item(which)->geometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

void MainWindow::setBounds(Item which, const sim::Bounds& bounds)
{
    QWidget* widget = item(which);
    const QRect wanted = rectOf(bounds);
    if (widget->geometry() != wanted)
        widget->setGeometry(wanted);
}

std::string MainWindow::caption(Item which) const
{
    return ui::captionOf(item(which), ui::layoutOf(which).kind).toStdString();
}

void MainWindow::setCaption(Item which, std::string_view text)
{
    const QString caption = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const ui::Kind kind = ui::layoutOf(which).kind;
    if (ui::captionOf(item(which), kind) != caption)
        ui::setCaptionOf(item(which), kind, caption);
}

sim::Colour MainWindow::fontColour(Item which) const
{
    const QColor c = static_cast<const ui::ColourButton*>(item(which))->captionColour();
    return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
            static_cast<std::uint8_t>(c.blue())};
}

void MainWindow::setFontColour(Item which, sim::Colour colour)
{
    static_cast<ui::ColourButton*>(item(which))->setCaptionColour(QColor(colour.r, colour.g, colour.b));
}

void MainWindow::setVisible(Item which, bool visible)
{
    QWidget* widget = item(which);
    if (widget->isHidden() == visible)
        widget->setVisible(visible);
}

int MainWindow::selectedIndex(Item list) const
{
    return static_cast<const ui::ListBox*>(item(list))->selectedRow();
}

void MainWindow::setSelectedIndex(Item list, int index)
{
    static_cast<ui::ListBox*>(item(list))->selectRow(index);
}

bool MainWindow::isPressed(Item toggle) const
{
    return static_cast<const QAbstractButton*>(item(toggle))->isChecked();
}

void MainWindow::setTimerEnabled(bool enabled)
{
    timer_->setEnabled(enabled);
}

void MainWindow::setTimerInterval(std::uint32_t milliseconds)
{
    timer_->setInterval(milliseconds);
}

void MainWindow::showMessage(std::string_view text)
{
    ++messagesShown_;
    // The box's own loop repaints the window: let it show the state that led to the message.
    bringUpToDate();
    const QString title = QCoreApplication::applicationName();
    const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (presenter_) {
        presenter_(title, message);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, message, QMessageBox::Ok, this);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

void MainWindow::requestQuit()
{
    quitRequested_ = true;
    emit quitRequested();
}
