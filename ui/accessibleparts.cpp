#include "accessibleparts.h"

#include "layout.h"

#include <QWidget>

namespace ui::accessible {

using sim::Item;

QWidget* itemIn(const QWidget* window, Item item)
{
    return window == nullptr ? nullptr
                             : window->findChild<QWidget*>(QString::fromLatin1(core::layoutOf(item).name),
                                                           Qt::FindDirectChildrenOnly);
}

QWidget* sibling(const QWidget* widget, Item item)
{
    return itemIn(widget->parentWidget(), item);
}

void install(QAccessibleInterface* iface)
{
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(iface->object()))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    QAccessible::registerAccessibleInterface(iface);
}

} // namespace ui::accessible
