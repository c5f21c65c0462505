#include "announcer.h"

#include "accessibility.h"
#include "itemwidgets.h"

#include <QAccessible>

#include <utility>

namespace ui {

namespace {

// The whole units of a number as shown ("12" of "12.3" or "12,3").
QStringView wholePart(const QString& text)
{
    qsizetype digits = 0;
    while (digits < text.size() && text[digits].isDigit())
        ++digits;
    return QStringView(text).left(digits);
}

} // namespace

Announcer::Announcer(StaticText* time, StaticText* volume, PaintAreaItem* graph)
    : numbers_{{{time, time->text()}, {volume, volume->text()}}}
    , graph_(graph)
    , graphText_(graph->textAlternative())
{
    time->setAnnouncedByOthers(true);
    volume->setAnnouncedByOthers(true);
}

void Announcer::say(const QString& text)
{
    said_ = text;
    if (!QAccessible::isActive())
        return;
    QWidget* window = graph_->window();
    window->setAccessibleDescription(text);
    QAccessibleEvent event(window, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
}

void Announcer::afterTicks()
{
    if (!QAccessible::isActive())
        return;
    bool announced = false;
    for (Announced& number : numbers_)
        announced = announce(number, true) || announced;
    if (announced)
        announceGraph();
}

void Announcer::now()
{
    if (!QAccessible::isActive())
        return;
    for (Announced& number : numbers_)
        announce(number, false);
    announceGraph();
}

bool Announcer::announce(Announced& number, bool wholeUnitsOnly)
{
    const QString shown = number.box->text();
    if (shown == number.text || (wholeUnitsOnly && wholePart(shown) == wholePart(number.text)))
        return false;
    textChanged(number.box, std::exchange(number.text, shown));
    return true;
}

void Announcer::announceGraph()
{
    QString drawn = graph_->textAlternative();
    if (drawn == graphText_)
        return;
    graphText_ = std::move(drawn);
    QAccessibleEvent event(graph_, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace ui
