#include "layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using core::CellPlace;
using core::RecordRow;
using core::Role;
using sim::Item;

// What the front ends rely on for each item that is more than its kind; every item not named
// here, record cells aside, is plain.
struct Expected {
    Item item;
    Role role;
    double maximum = 0;
    Item markOf{};
    RecordRow row = RecordRow::Time;
};
constexpr Expected kRoles[] = {
    {Item::ShpWaku, Role::Picture},
    {Item::shpMizu, Role::Picture},
    {Item::shpScale, Role::Picture},
    {Item::Jaguchi, Role::Picture},
    {Item::ShpWakuY, Role::Picture},
    {Item::ShpWakuX, Role::Picture},
    {Item::ShpScaleY, Role::Picture},
    {Item::ShpScaleX, Role::Picture},
    {Item::ImgSuiryo, Role::Picture},
    {Item::ImgYjiku, Role::Picture},
    {Item::ImgXJiku, Role::Picture},
    {Item::PaintBox1, Role::Graph},
    {Item::stxKJHyoji, Role::Value, 100},
    {Item::stxKSHyoji, Role::Value, 20},
    {Item::spbGraphFlg, Role::Switch},
    {Item::bbtnKirokuAuto, Role::Switch},
    {Item::LblTenkiFlg, Role::Mark, 0, Item::btnTenki},
    {Item::LblMusubuFlg, Role::Mark, 0, Item::btnMusubu},
    {Item::stxZahyoX, Role::RowHeader, 0, {}, RecordRow::Time},
    {Item::stxZahyoY, Role::RowHeader, 0, {}, RecordRow::Volume},
    {Item::lblJikan, Role::Decoration},
    {Item::lblSuiryo, Role::Decoration},
    {Item::lblSyokiRyo, Role::Decoration},
    {Item::stxKeikaJikan, Role::Decoration},
    {Item::stxKeikaSuiryo, Role::Decoration},
    {Item::stxGraphFlg, Role::Decoration},
    {Item::Timer1, Role::Decoration},
};

TEST(Roles, EveryItemHasTheRoleTheFrontEndsRelyOn)
{
    for (const core::ItemLayout& entry : core::layout()) {
        SCOPED_TRACE(entry.name);
        const auto* found =
            std::find_if(std::begin(kRoles), std::end(kRoles), [&](const Expected& e) { return e.item == entry.item; });
        if (const std::optional<CellPlace> place = core::cellPlace(entry.item)) {
            EXPECT_EQ(entry.role, Role::RecordCell);
            EXPECT_EQ(entry.place, *place);
        } else if (found == std::end(kRoles)) {
            EXPECT_EQ(entry.role, Role::Plain);
        } else {
            EXPECT_EQ(entry.role, found->role);
            EXPECT_EQ(entry.maximum, found->maximum);
            EXPECT_EQ(entry.markOf, found->markOf);
            if (found->role == Role::RowHeader) {
                EXPECT_EQ(entry.place.row, found->row);
            }
        }
    }
}

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
