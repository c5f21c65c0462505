#pragma once

#include "items.h"
#include "layout.h"
#include "state.h"

#include <QObject>
#include <QWidget>

#include <array>

class QAccessibleInterface;

namespace ui {

class StaticText;

inline constexpr int kRecordColumns = sim::kMaxRecords;

// The record table: no widget of its own, its cells and row headers are the window's items.
class RecordTable : public QObject {
public:
    explicit RecordTable(QWidget* window);
    QWidget* window() const { return static_cast<QWidget*>(parent()); }
    QWidget* header(int row) const { return headers_[static_cast<std::size_t>(row)]; }
    QWidget* cell(int row, int column) const
    {
        return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    // One of its cells or row headers.
    bool holds(const QObject* object) const;

private:
    std::array<QWidget*, 2> headers_{};
    std::array<std::array<QWidget*, kRecordColumns>, 2> cells_{};
};

// The interface of a record cell: its text, its place in the table.
QAccessibleInterface* recordCellAccessible(StaticText* box, core::CellPlace place);
// The interface of ｘ座標 or ｙ座標: the header of a row of the table.
QAccessibleInterface* rowHeaderAccessible(StaticText* box);
// Makes the table of the window's record cells and gives it its interface. Call once every item exists.
RecordTable* describeRecordTable(QWidget* window);

} // namespace ui
