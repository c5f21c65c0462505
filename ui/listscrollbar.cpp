#include "listscrollbar.h"

#include "itemwidgets.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QScrollBar>

namespace ui {

namespace {

// A scroll bar as Qt tells it (its value, its range, its step), the child of the list's window.
class ListScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ListScrollBarAccessible(ListBox* list)
        : QAccessibleWidget(list->verticalScrollBar(), QAccessible::ScrollBar)
        , list_(list)
    {
    }
    QAccessibleInterface* parent() const override
    {
        return list_ ? QAccessible::queryAccessibleInterface(list_->parentWidget()) : nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QVariant currentValue() const override { return bar()->value(); }
    void setCurrentValue(const QVariant& value) override { bar()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return bar()->maximum(); }
    QVariant minimumValue() const override { return bar()->minimum(); }
    QVariant minimumStepSize() const override { return bar()->singleStep(); }

private:
    QScrollBar* bar() const { return static_cast<QScrollBar*>(widget()); }

    QPointer<ListBox> list_;
};

} // namespace

QAccessibleInterface* listScrollBarAccessible(ListBox* list)
{
    return new ListScrollBarAccessible(list);
}

QAccessibleInterface* scrollBarBeside(const QAccessibleInterface* item)
{
    auto* list = item != nullptr ? dynamic_cast<ListBox*>(item->object()) : nullptr;
    return list != nullptr ? QAccessible::queryAccessibleInterface(list->verticalScrollBar()) : nullptr;
}

} // namespace ui
