#include "accessibility.h"

#include "accessibleparts.h"
#include "bindings.h"
#include "itemwidgets.h"
#include "layout.h"
#include "listscrollbar.h"
#include "recordtable.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>

#include <utility>

namespace ui {

namespace {

using namespace accessible;
using sim::Item;

constexpr const char* kSwitchOnProperty = "ichijikansuSwitchOn";

// One of the two numbers (経過時間, 水の容量): named by what it is, read as text and as a value. A
// read-only text field, so that a screen reader says its number with its name when it takes the
// focus ("経過時間 4.5"), where a label would say only the name; and with the geometry of its
// characters, which a screen reader's review of the screen needs to read them.
class NumberAccessible : public QAccessibleWidget, public ReadOnlyText, public QAccessibleValueInterface {
public:
    NumberAccessible(StaticText* box, double maximum)
        : QAccessibleWidget(box, QAccessible::EditableText)
        , maximum_(maximum)
    {
    }
    QString shownText() const override { return box()->text(); }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
    QRect characterRect(int offset) const override
    {
        const QRect r = box()->characterRect(offset);
        return r.isEmpty() ? r : QRect(box()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        for (int i = 0; i < characterCount(); ++i) {
            if (characterRect(i).contains(point))
                return i;
        }
        return -1;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? shownText() : QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    // The shown text in the user's decimal separator, as a number.
    QVariant currentValue() const override
    {
        bool ok = false;
        const double value = QString(shownText()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        return ok ? QVariant(value) : QVariant();
    }
    void setCurrentValue(const QVariant&) override { }
    QVariant maximumValue() const override { return maximum_; }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 0.1; }

private:
    const StaticText* box() const { return static_cast<const StaticText*>(widget()); }

    double maximum_;
};

// The window: a frame named by its title. The record table stands where its first item stood, and
// each list's scroll bar right after its list.
class FrameAccessible : public QAccessibleWidget {
public:
    FrameAccessible(QWidget* window, RecordTable* table)
        : QAccessibleWidget(window, QAccessible::Window)
        , table_(table)
    {
    }
    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QAccessibleInterface*> all = children();
        return index >= 0 && index < all.size() ? all[index] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return static_cast<int>(children().indexOf(const_cast<QAccessibleInterface*>(child)));
    }

private:
    // One pass over the window's child widgets, in Qt's order. Qt's own child(i) makes the whole
    // list anew for each index, so a screen reader's walk over the window's children (Orca makes
    // one at every move of the focus) cost the program the square of their number, half a
    // millisecond an answer. A child window (the message box) is a window of its own, as to Qt.
    QList<QAccessibleInterface*> children() const
    {
        QList<QAccessibleInterface*> all;
        bool tablePlaced = false;
        for (QObject* object : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(object);
            if (w == nullptr || w->isWindow())
                continue;
            if (table_ && table_->holds(w)) {
                if (!std::exchange(tablePlaced, true))
                    all.append(QAccessible::queryAccessibleInterface(table_));
                continue;
            }
            QAccessibleInterface* c = QAccessible::queryAccessibleInterface(w);
            if (c == nullptr)
                continue;
            all.append(c);
            if (QAccessibleInterface* bar = scrollBarBeside(c))
                all.append(bar);
        }
        return all;
    }

    QPointer<RecordTable> table_;
};

// The tank, the faucet, the scales, the bars and the graph: pictures, each named by what it is.
// The graph says what is drawn on it in its description, afresh whenever it is asked.
class PictureAccessible : public QAccessibleWidget {
public:
    explicit PictureAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Graphic)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description) {
            if (const auto* graph = dynamic_cast<const PaintAreaItem*>(widget())) {
                const QString drawn = graph->textAlternative();
                if (!drawn.isEmpty())
                    return drawn;
            }
        }
        return QAccessibleWidget::text(t);
    }
};

// 自動記録 and グラフ自動描画: check boxes for assistive technology, checked while on. Their
// action is a click, so it runs what a click runs: the caption, the graph and the handler.
class SwitchAccessible : public QAccessibleWidget {
public:
    explicit SwitchAccessible(QAbstractButton* button)
        : QAccessibleWidget(button, QAccessible::CheckBox)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        QString said = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && said.isEmpty())
            said = button()->text();
        return said;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = isSwitchOn(button());
        s.pressed = button()->isDown();
        return s;
    }
    QStringList actionNames() const override
    {
        QStringList names;
        if (button()->isEnabled())
            names << pressAction() << toggleAction();
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction() || action == toggleAction()) {
            if (button()->isEnabled())
                button()->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        if (action == pressAction() || action == toggleAction())
            return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

// An "ON" mark, labelled by the button that switched it on.
class MarkAccessible : public QAccessibleWidget {
public:
    MarkAccessible(QLabel* label, Item mark)
        : QAccessibleWidget(label, QAccessible::StaticText)
        , mark_(mark)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const QLabel*>(widget())->text();
        if (t == QAccessible::Description)
            return QString::fromStdString(core::markDescription(mark_));
        return QAccessibleWidget::text(t);
    }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        auto related = QAccessibleWidget::relations(match);
        if (match & QAccessible::Label) {
            if (QAccessibleInterface* button = buttonInterface())
                related.append({button, QAccessible::Label});
        }
        return related;
    }

private:
    QAccessibleInterface* buttonInterface() const
    {
        QWidget* button = sibling(widget(), core::layoutOf(mark_).markOf);
        return button != nullptr ? QAccessible::queryAccessibleInterface(button) : nullptr;
    }

    Item mark_;
};

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
    const core::ItemDescription said = core::descriptionOf(item);
    if (*said.name != '\0' || *said.description != '\0')
        return {QString::fromUtf8(said.name), QString::fromUtf8(said.description)};
    // A cell says its text; the table's headers say which record and which coordinate it is.
    const core::ItemLayout& entry = core::layoutOf(item);
    if (entry.role != core::Role::RecordCell)
        return {};
    return {{},
            QStringLiteral("記録 ") + QString::number(entry.place.k)
                + (entry.place.row == core::RecordRow::Time ? QStringLiteral(" の時間です。")
                                                            : QStringLiteral(" の水の量です。"))};
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

    // The layout's static checks keep each role on the kind of widget cast to here.
    const core::ItemLayout& entry = core::layoutOf(item);
    switch (entry.role) {
    case core::Role::Picture:
    case core::Role::Graph:
        install(new PictureAccessible(widget));
        break;
    case core::Role::Value:
        install(new NumberAccessible(static_cast<StaticText*>(widget), entry.maximum));
        break;
    case core::Role::RowHeader:
        install(rowHeaderAccessible(static_cast<StaticText*>(widget)));
        break;
    case core::Role::RecordCell:
        install(recordCellAccessible(static_cast<StaticText*>(widget), entry.place));
        break;
    case core::Role::Switch:
        install(new SwitchAccessible(static_cast<QAbstractButton*>(widget)));
        break;
    case core::Role::Mark:
        install(new MarkAccessible(static_cast<QLabel*>(widget), entry.item));
        break;
    case core::Role::Plain:
    case core::Role::Decoration:
        break;
    }
    if (auto* list = dynamic_cast<ListBox*>(widget))
        install(listScrollBarAccessible(list));
}

void describeWindow(QWidget* window)
{
    install(new FrameAccessible(window, describeRecordTable(window)));
}

void textChanged(StaticText* box, const QString& before)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
    if (iface == nullptr)
        return;
    if (QAccessibleValueInterface* value = iface->valueInterface()) {
        QAccessibleValueChangeEvent event(box, value->currentValue());
        QAccessible::updateAccessibility(&event);
    }
    if (iface->textInterface() != nullptr) {
        QAccessibleTextUpdateEvent event(box, 0, before, box->text());
        QAccessible::updateAccessibility(&event);
    }
    if (box->accessibleName().isEmpty()) {
        QAccessibleEvent event(box, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void setSwitchOn(QWidget* button, bool on)
{
    if (isSwitchOn(button) == on)
        return;
    button->setProperty(kSwitchOnProperty, on);
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(button, changed);
    QAccessible::updateAccessibility(&event);
}

bool isSwitchOn(const QWidget* button)
{
    const auto* b = qobject_cast<const QAbstractButton*>(button);
    if (b != nullptr && b->isCheckable())
        return b->isChecked();
    return button->property(kSwitchOnProperty).toBool();
}

} // namespace ui
