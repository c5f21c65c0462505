#include "layout.h"

#include <gtest/gtest.h>

namespace {

using core::CellPlace;
using core::RecordRow;
using sim::Item;

// Every item either is no cell, or is the cell its place names; every place names a cell that is
// found there again.
TEST(CellPlace, ReadsBackWhereEveryRecordCellSits)
{
    int cells = 0;
    for (int i = 0; i < sim::kItemCount; ++i) {
        const auto item = static_cast<Item>(i);
        const std::optional<CellPlace> place = core::cellPlace(item);
        if (!place)
            continue;
        ++cells;
        SCOPED_TRACE(core::layoutOf(item).name);
        EXPECT_EQ(place->row == RecordRow::Time ? sim::timeCell(place->k) : sim::volumeCell(place->k), item);
    }
    EXPECT_EQ(cells, 2 * sim::kMaxRecords);
    for (int k = 1; k <= sim::kMaxRecords; ++k) {
        EXPECT_EQ(core::cellPlace(sim::timeCell(k)), (CellPlace{k, RecordRow::Time}));
        EXPECT_EQ(core::cellPlace(sim::volumeCell(k)), (CellPlace{k, RecordRow::Volume}));
    }
    EXPECT_EQ(core::cellPlace(Item::stxZahyoX), std::nullopt) << "a row header is no cell";
}

} // namespace
