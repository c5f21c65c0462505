#include "recordtable.h"

#include "bindings.h"

#include "accessibleparts.h"
#include "itemwidgets.h"

#include <QAccessibleWidget>

namespace ui {

using namespace accessible;
using sim::Item;

namespace {

constexpr const char* kRecordTableName = "recordTable";

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
        if (t == QAccessible::Name)
            return shownText().isEmpty() ? QString::fromUtf8(core::kEmptyCellName) : shownText();
        return t == QAccessible::Value ? shownText() : QAccessibleWidget::text(t);
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

} // namespace

RecordTable::RecordTable(QWidget* window)
    : QObject(window)
{
    setObjectName(QString::fromLatin1(kRecordTableName));
    for (const core::ItemLayout& entry : core::layout()) {
        const auto row = static_cast<std::size_t>(entry.place.row);
        if (entry.role == core::Role::RowHeader)
            headers_[row] = itemIn(window, entry.item);
        else if (entry.role == core::Role::RecordCell)
            cells_[row][static_cast<std::size_t>(entry.place.k - 1)] = itemIn(window, entry.item);
    }
}

bool RecordTable::holds(const QObject* object) const
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

QAccessibleInterface* recordCellAccessible(StaticText* box, core::CellPlace place)
{
    return new CellAccessible(box, place.k - 1, static_cast<int>(place.row));
}

QAccessibleInterface* rowHeaderAccessible(StaticText* box)
{
    return new RowHeaderAccessible(box);
}

RecordTable* describeRecordTable(QWidget* window)
{
    auto* table = new RecordTable(window);
    install(new RecordTableAccessible(table));
    return table;
}

} // namespace ui
