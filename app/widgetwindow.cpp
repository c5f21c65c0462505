#include "widgetwindow.h"

#include "layout.h"

#include <algorithm>

namespace {

// The widgets that carry a caption; the others have none.
template <typename T>
constexpr bool kHasCaption = std::disjunction_v<std::is_same<T, QLabel*>, std::is_same<T, QPushButton*>,
                                                std::is_same<T, ui::ColourButton*>, std::is_same<T, ui::StaticText*>>;

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

WidgetWindow::WidgetWindow(const Widgets& widgets, const ui::Staging& staging)
    : widgets_(widgets)
    , staging_(staging)
{
}

void WidgetWindow::adoptBounds()
{
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
        const QWidget* w = ui::asWidget(widgets_[i]);
        const QRect g = w != nullptr ? w->geometry() : QRect();
        bounds_[i] = {g.x(), g.y(), g.width(), g.height()};
    }
}

void WidgetWindow::restage()
{
    for (std::size_t i = 0; i < widgets_.size(); ++i)
        place(i);
}

void WidgetWindow::place(std::size_t i)
{
    QWidget* w = ui::asWidget(widgets_[i]);
    if (w == nullptr)
        return;
    QRect wanted = staging_.widgetRect(bounds_[i]);
    // A label that takes the width of its text keeps it whole: a font's pixel size is rounded, so
    // at another scale its text need not shrink or grow with the mapped width.
    if (core::layout()[i].sizedToText)
        wanted.setWidth(std::max(wanted.width(), w->sizeHint().width()));
    if (w->geometry() != wanted)
        w->setGeometry(wanted);
}

sim::Bounds WidgetWindow::bounds(sim::Item item) const
{
    return widget(item) != nullptr ? bounds_[index(item)] : sim::Bounds{};
}

void WidgetWindow::setBounds(sim::Item item, const sim::Bounds& bounds)
{
    if (widget(item) == nullptr)
        return;
    bounds_[index(item)] = bounds;
    place(index(item));
}

std::string WidgetWindow::caption(sim::Item item) const
{
    return std::visit(
        [](auto w) -> std::string {
            if constexpr (kHasCaption<decltype(w)>)
                return w->text().toStdString();
            else
                return {};
        },
        widgets_[index(item)]);
}

void WidgetWindow::setCaption(sim::Item item, std::string_view text)
{
    std::visit(
        [text](auto w) {
            if constexpr (kHasCaption<decltype(w)>) {
                const QString caption = fromUtf8(text);
                if (w->text() != caption)
                    w->setText(caption);
            }
        },
        widgets_[index(item)]);
}

sim::Colour WidgetWindow::fontColour(sim::Item item) const
{
    const ui::ColourButton* button = as<ui::ColourButton>(item);
    if (button == nullptr)
        return {};
    const QColor c = button->captionColour();
    return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
            static_cast<std::uint8_t>(c.blue())};
}

void WidgetWindow::setFontColour(sim::Item item, sim::Colour colour)
{
    if (ui::ColourButton* button = as<ui::ColourButton>(item))
        button->setCaptionColour(QColor(colour.r, colour.g, colour.b));
}

bool WidgetWindow::isVisible(sim::Item item) const
{
    const QWidget* w = widget(item);
    return w != nullptr && !w->isHidden();
}

void WidgetWindow::setVisible(sim::Item item, bool visible)
{
    QWidget* w = widget(item);
    if (w != nullptr && w->isHidden() == visible)
        w->setVisible(visible);
}

int WidgetWindow::selectedIndex(sim::Item list) const
{
    const ui::ListBox* box = as<ui::ListBox>(list);
    return box != nullptr ? box->selectedRow() : -1;
}

void WidgetWindow::setSelectedIndex(sim::Item list, int index)
{
    if (ui::ListBox* box = as<ui::ListBox>(list))
        box->selectRow(index);
}

bool WidgetWindow::isPressed(sim::Item toggle) const
{
    const QPushButton* button = as<QPushButton>(toggle);
    return button != nullptr && button->isChecked();
}

void WidgetWindow::setPressed(sim::Item toggle, bool pressed)
{
    QPushButton* button = as<QPushButton>(toggle);
    if (button != nullptr && button->isChecked() != pressed)
        button->setChecked(pressed);
}
