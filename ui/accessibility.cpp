#include "accessibility.h"

#include "bindings.h"
#include "itemwidgets.h"
#include "layout.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>

#include <algorithm>
#include <utility>

namespace ui {

namespace {

using sim::Item;

constexpr const char* kSwitchOnProperty = "ichijikansuSwitchOn";
constexpr const char* kRecordTableName = "recordTable";
constexpr int kRecordColumns = sim::kMaxRecords;

// Buttons that switch something on and off: the toggle, and 自動記録, which says オン or オフ.
constexpr Item kSwitches[] = {Item::spbGraphFlg, Item::bbtnKirokuAuto};

// The "ON" marks and the buttons whose effect they show.
struct MarkOf {
    Item mark;
    Item button;
};
constexpr MarkOf kMarks[] = {{Item::LblTenkiFlg, Item::btnTenki}, {Item::LblMusubuFlg, Item::btnMusubu}};

// An item's widget in the window, by the layout's name.
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

// The column (0 to 9) and row (0 time, 1 volume) of a record cell; -1 for any other item.
std::pair<int, int> cellPosition(Item item)
{
    for (int k = 1; k <= kRecordColumns; ++k) {
        if (item == sim::timeCell(k))
            return {k - 1, 0};
        if (item == sim::volumeCell(k))
            return {k - 1, 1};
    }
    return {-1, -1};
}

// Replaces whatever interface Qt made or would make for the object. Qt's own factory answers
// first for its own classes (a QPushButton, a QLabel), so a factory of ours never gets asked.
void install(QAccessibleInterface* iface)
{
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(iface->object()))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    QAccessible::registerAccessibleInterface(iface);
}

// Text that can be read but not edited, selected or navigated by a caret.
class ReadOnlyText : public QAccessibleTextInterface {
public:
    virtual QString shownText() const = 0;

    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QString text(int startOffset, int endOffset) const override
    {
        const QString shown = shownText();
        if (endOffset < 0 || endOffset > shown.size())
            endOffset = static_cast<int>(shown.size());
        if (startOffset < 0 || startOffset >= endOffset)
            return {};
        return shown.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(shownText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
};

// One of the two numbers (経過時間, 水の容量): named by what it is, read as text and as a value.
class NumberAccessible : public QAccessibleWidget, public ReadOnlyText, public QAccessibleValueInterface {
public:
    NumberAccessible(StaticText* box, double maximum)
        : QAccessibleWidget(box, QAccessible::StaticText)
        , maximum_(maximum)
    {
    }
    QString shownText() const override { return static_cast<const StaticText*>(widget())->text(); }
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
    double maximum_;
};

QAccessibleInterface* recordTableOf(const QWidget* widget);

// A cell of the record table, read by its text; empty before its record is taken.
class CellAccessible : public QAccessibleWidget, public ReadOnlyText, public QAccessibleTableCellInterface {
public:
    CellAccessible(StaticText* box, int column, int row)
        : QAccessibleWidget(box, QAccessible::Cell)
        , column_(column)
        , row_(row)
    {
    }
    QString shownText() const override { return static_cast<const StaticText*>(widget())->text(); }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name || t == QAccessible::Value ? shownText() : QAccessibleWidget::text(t);
    }
    QAccessibleInterface* parent() const override
    {
        QAccessibleInterface* table = recordTableOf(widget());
        return table != nullptr ? table : QAccessibleWidget::parent();
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return recordTableOf(widget()); }

private:
    int column_;
    int row_;
};

// ｘ座標 and ｙ座標: the headers of the table's two rows.
class RowHeaderAccessible : public QAccessibleWidget {
public:
    explicit RowHeaderAccessible(StaticText* box)
        : QAccessibleWidget(box, QAccessible::RowHeader)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<const StaticText*>(widget())->text() : QAccessibleWidget::text(t);
    }
    QAccessibleInterface* parent() const override
    {
        QAccessibleInterface* table = recordTableOf(widget());
        return table != nullptr ? table : QAccessibleWidget::parent();
    }
};

// The record table: no widget of its own, its cells and row headers are the window's items.
class RecordTable : public QObject {
public:
    explicit RecordTable(QWidget* window)
        : QObject(window)
        , headers_{itemIn(window, Item::stxZahyoX), itemIn(window, Item::stxZahyoY)}
    {
        setObjectName(QString::fromLatin1(kRecordTableName));
        for (int k = 1; k <= kRecordColumns; ++k) {
            cells_[0][static_cast<std::size_t>(k - 1)] = itemIn(window, sim::timeCell(k));
            cells_[1][static_cast<std::size_t>(k - 1)] = itemIn(window, sim::volumeCell(k));
        }
    }
    QWidget* window() const { return static_cast<QWidget*>(parent()); }
    QWidget* header(int row) const { return headers_[static_cast<std::size_t>(row)]; }
    QWidget* cell(int row, int column) const
    {
        return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    bool holds(const QObject* object) const
    {
        for (int row = 0; row < 2; ++row) {
            if (object == header(row))
                return true;
            for (int column = 0; column < kRecordColumns; ++column) {
                if (object == cell(row, column))
                    return true;
            }
        }
        return false;
    }

private:
    std::array<QWidget*, 2> headers_;
    std::array<std::array<QWidget*, kRecordColumns>, 2> cells_{};
};

class RecordTableAccessible;

// The header of a column, 1 to 10: the record's number. It is not drawn, so it has no place.
class ColumnHeaderAccessible : public QAccessibleInterface {
public:
    ColumnHeaderAccessible(const RecordTableAccessible* table, int column)
        : table_(table)
        , column_(column)
    {
    }
    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? QString::number(column_ + 1) : QString();
    }
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    QAccessible::State state() const override { return {}; }

private:
    const RecordTableAccessible* table_;
    int column_;
};

class RecordTableAccessible : public QAccessibleObject, public QAccessibleTableInterface {
public:
    explicit RecordTableAccessible(RecordTable* table)
        : QAccessibleObject(table)
        , table_(table)
    {
        for (int column = 0; column < kRecordColumns; ++column) {
            auto* header = new ColumnHeaderAccessible(this, column);
            columnHeaders_[static_cast<std::size_t>(column)] = QAccessible::registerAccessibleInterface(header);
        }
    }
    ~RecordTableAccessible() override
    {
        for (QAccessible::Id id : columnHeaders_)
            QAccessible::deleteAccessibleInterface(id);
    }

    QAccessibleInterface* columnHeader(int column) const
    {
        return QAccessible::accessibleInterface(columnHeaders_[static_cast<std::size_t>(column)]);
    }
    QWindow* window() const override { return table_ ? table_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return table_ ? QAccessible::queryAccessibleInterface(table_->window()) : nullptr;
    }
    // The column headers, then each row: its header and its ten cells.
    int childCount() const override { return kRecordColumns + 2 * (1 + kRecordColumns); }
    QAccessibleInterface* child(int index) const override
    {
        if (!table_ || index < 0 || index >= childCount())
            return nullptr;
        if (index < kRecordColumns)
            return columnHeader(index);
        const int row = (index - kRecordColumns) / (1 + kRecordColumns);
        const int place = (index - kRecordColumns) % (1 + kRecordColumns);
        return QAccessible::queryAccessibleInterface(place == 0 ? table_->header(row) : table_->cell(row, place - 1));
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            if (this->child(i) == child)
                return i;
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = kRecordColumns; i < childCount(); ++i) {
            QAccessibleInterface* c = child(i);
            if (c != nullptr && c->rect().contains(x, y))
                return c;
        }
        return nullptr;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QStringLiteral("記録");
        if (t == QAccessible::Description)
            return QStringLiteral("記録した時間 (ｘ座標) と水の量 (ｙ座標) の表です。");
        return {};
    }
    QRect rect() const override
    {
        QRect bounds;
        for (int i = kRecordColumns; i < childCount(); ++i) {
            if (QAccessibleInterface* c = child(i))
                bounds |= c->rect();
        }
        return bounds;
    }
    QAccessible::Role role() const override { return QAccessible::Table; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !table_ || !table_->window()->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this) : nullptr;
    }

    // QAccessibleTableInterface: two rows, ten columns, nothing to select.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (!table_ || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        return QAccessible::queryAccessibleInterface(table_->cell(row, column));
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override { return QString::number(column + 1); }
    QString rowDescription(int row) const override
    {
        if (!table_ || row < 0 || row >= rowCount())
            return {};
        return static_cast<const StaticText*>(table_->header(row))->text();
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return kRecordColumns; }
    int rowCount() const override { return 2; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { }

    const RecordTable* table() const { return table_; }

private:
    QPointer<RecordTable> table_;
    std::array<QAccessible::Id, kRecordColumns> columnHeaders_{};
};

QWindow* ColumnHeaderAccessible::window() const
{
    return table_->window();
}

QAccessibleInterface* ColumnHeaderAccessible::parent() const
{
    return const_cast<RecordTableAccessible*>(table_);
}

QAccessibleInterface* recordTableOf(const QWidget* widget)
{
    QWidget* window = widget->parentWidget();
    QObject* table = window == nullptr ? nullptr
                                       : window->findChild<QObject*>(QString::fromLatin1(kRecordTableName),
                                                                     Qt::FindDirectChildrenOnly);
    return table == nullptr ? nullptr : QAccessible::queryAccessibleInterface(table);
}

QList<QAccessibleInterface*> CellAccessible::columnHeaderCells() const
{
    auto* table = static_cast<RecordTableAccessible*>(recordTableOf(widget()));
    if (table == nullptr)
        return {};
    return {table->columnHeader(column_)};
}

QList<QAccessibleInterface*> CellAccessible::rowHeaderCells() const
{
    auto* table = static_cast<RecordTableAccessible*>(recordTableOf(widget()));
    if (table == nullptr || table->table() == nullptr)
        return {};
    return {QAccessible::queryAccessibleInterface(table->table()->header(row_))};
}

// The window: a frame named by its title. The record table stands where its first item stood.
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
    QList<QAccessibleInterface*> children() const
    {
        QList<QAccessibleInterface*> all;
        bool tablePlaced = false;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface* c = QAccessibleWidget::child(i);
            if (c != nullptr && table_ && table_->holds(c->object())) {
                if (!std::exchange(tablePlaced, true))
                    all.append(QAccessible::queryAccessibleInterface(table_));
                continue;
            }
            all.append(c);
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
    MarkAccessible(QLabel* mark, Item button)
        : QAccessibleWidget(mark, QAccessible::StaticText)
        , button_(button)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const QLabel*>(widget())->text();
        if (t == QAccessible::Description) {
            if (QAccessibleInterface* button = buttonInterface())
                return QStringLiteral("「") + button->text(QAccessible::Name) + QStringLiteral("」が ON です。");
        }
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
        QWidget* button = sibling(widget(), button_);
        return button != nullptr ? QAccessible::queryAccessibleInterface(button) : nullptr;
    }

    Item button_;
};

// The largest numbers the two boxes can show: a full tank, reached at the slowest rate (the
// largest time step for the smallest amount of water) when it starts empty.
double largestVolume()
{
    return static_cast<double>(core::layoutOf(Item::ShpWaku).bounds.height) / sim::kUnitPx;
}

double largestTime()
{
    const core::ItemLayout& steps = core::layoutOf(Item::lbxJikan);
    const core::ItemLayout& water = core::layoutOf(Item::lbxSuiryo);
    return largestVolume() * (steps.firstListValue + steps.listRows - 1) / water.firstListValue;
}

// The whole units of a number as shown ("12" of "12.3" or "12,3").
QStringView wholePart(const QString& text)
{
    qsizetype digits = 0;
    while (digits < text.size() && text[digits].isDigit())
        ++digits;
    return QStringView(text).left(digits);
}

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
    // A cell says its text; the table's headers say which record and which coordinate it is.
    for (int k = 1; k <= kRecordColumns; ++k) {
        const QString number = QString::number(k);
        if (item == sim::timeCell(k))
            return {{}, QStringLiteral("記録 ") + number + QStringLiteral(" の時間です。")};
        if (item == sim::volumeCell(k))
            return {{}, QStringLiteral("記録 ") + number + QStringLiteral(" の水の量です。")};
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

    const core::Kind kind = core::layoutOf(item).kind;
    const auto* mark = std::find_if(std::begin(kMarks), std::end(kMarks), [item](MarkOf m) { return m.mark == item; });
    if (kind == core::Kind::Shape || kind == core::Kind::Picture || kind == core::Kind::PaintArea)
        install(new PictureAccessible(widget));
    else if (item == Item::stxKJHyoji || item == Item::stxKSHyoji)
        install(new NumberAccessible(static_cast<StaticText*>(widget),
                                     item == Item::stxKJHyoji ? largestTime() : largestVolume()));
    else if (item == Item::stxZahyoX || item == Item::stxZahyoY)
        install(new RowHeaderAccessible(static_cast<StaticText*>(widget)));
    else if (const auto [column, row] = cellPosition(item); column >= 0)
        install(new CellAccessible(static_cast<StaticText*>(widget), column, row));
    else if (std::find(std::begin(kSwitches), std::end(kSwitches), item) != std::end(kSwitches))
        install(new SwitchAccessible(static_cast<QAbstractButton*>(widget)));
    else if (mark != std::end(kMarks))
        install(new MarkAccessible(static_cast<QLabel*>(widget), mark->button));
}

void describeWindow(QWidget* window)
{
    auto* table = new RecordTable(window);
    install(new RecordTableAccessible(table));
    install(new FrameAccessible(window, table));
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

Announcer::Announcer(StaticText* time, StaticText* volume, PaintAreaItem* graph)
    : numbers_{{{time, time->text()}, {volume, volume->text()}}}
    , graph_(graph)
    , graphText_(graph->textAlternative())
{
    time->setAnnouncedByOthers(true);
    volume->setAnnouncedByOthers(true);
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
