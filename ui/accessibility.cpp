#include "accessibility.h"

#include "bindings.h"
#include "itemwidgets.h"

#include <QAccessibleWidget>

namespace ui {

namespace {

// A static text reads out its text as its value.
class StaticTextAccessible : public QAccessibleWidget {
public:
    explicit StaticTextAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::StaticText)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<const StaticText*>(widget())->text();
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const StaticText*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* staticTextFactory(const QString&, QObject* object)
{
    if (auto* widget = qobject_cast<QWidget*>(object); widget != nullptr && dynamic_cast<StaticText*>(widget))
        return new StaticTextAccessible(widget);
    return nullptr;
}

} // namespace

Description descriptionOf(sim::Item item)
{
    if (const core::ButtonBinding* button = core::bindingOf(item))
        return {QString::fromUtf8(button->name), QString::fromUtf8(button->description)};
    for (const core::ItemDescription& entry : core::itemDescriptions()) {
        if (entry.item == item)
            return {QString::fromUtf8(entry.name), QString::fromUtf8(entry.description)};
    }
    for (int k = 1; k <= 10; ++k) {
        const QString number = QString::number(k);
        if (item == sim::timeCell(k))
            return {QStringLiteral("ｘ座標 ") + number, QStringLiteral("記録 ") + number + QStringLiteral(" の時間です。")};
        if (item == sim::volumeCell(k))
            return {QStringLiteral("ｙ座標 ") + number, QStringLiteral("記録 ") + number + QStringLiteral(" の水の量です。")};
    }
    return {};
}

void installAccessibility()
{
    QAccessible::installFactory(staticTextFactory);
}

void describe(QWidget* widget, sim::Item item)
{
    const Description d = descriptionOf(item);
    if (!d.name.isEmpty())
        widget->setAccessibleName(d.name);
    if (!d.description.isEmpty())
        widget->setAccessibleDescription(d.description);
}

} // namespace ui
