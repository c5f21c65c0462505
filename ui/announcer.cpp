#include "announcer.h"

#include "accessibility.h"
#include "accessibleparts.h"
#include "itemwidgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

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

// Where an announcement is read from: an object of no size that a screen reader knows as a
// notification. Orca speaks a notification that comes into view, and nothing else that a Qt 6.4
// program can send reaches it as an announcement without taking the focus.
class Notice : public QAccessibleWidget {
public:
    Notice(QWidget* widget, const Announcer& announcer)
        : QAccessibleWidget(widget, QAccessible::Notification)
        , announcer_(announcer)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? announcer_.lastSaid() : QAccessibleWidget::text(t);
    }

private:
    const Announcer& announcer_;
};

void Announcer::say(const QString& text)
{
    said_ = text;
    if (!QAccessible::isActive())
        return;
    if (notice_ == nullptr) {
        notice_ = new QWidget(graph_->parentWidget());
        notice_->setGeometry(0, 0, 0, 0);
        notice_->setFocusPolicy(Qt::NoFocus);
        notice_->show();
        accessible::install(new Notice(notice_, *this));
    }
    // Out of view and back, so that the same words twice are said twice.
    QAccessibleEvent hidden(notice_, QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&hidden);
    QAccessibleEvent shown(notice_, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void Announcer::afterTicks(std::int64_t runMilliseconds)
{
    if (QAccessible::isActive() && runMilliseconds - toldAt_ >= kGapMilliseconds && tellNumbers(true, runMilliseconds))
        announceGraph();
}

void Announcer::now(std::int64_t runMilliseconds)
{
    if (!QAccessible::isActive())
        return;
    tellNumbers(false, runMilliseconds);
    announceGraph();
}

bool Announcer::tellNumbers(bool wholeUnitsOnly, std::int64_t runMilliseconds)
{
    bool told = false;
    for (Announced& number : numbers_)
        told = announce(number, wholeUnitsOnly) || told;
    if (told)
        toldAt_ = runMilliseconds;
    return told;
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
