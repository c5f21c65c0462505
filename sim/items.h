#pragma once

#include <cstdint>

namespace sim {

// Every item of the main window, in the order in which the window creates them. That order is
// also the drawing order: a later item lies over an earlier one where they meet.
// clang-format off
enum class Item : std::uint8_t {
    ShpWaku, shpMizu, shpScale, Jaguchi, ShpWakuY, ShpWakuX, ShpScaleY, ShpScaleX, PaintBox1,
    lblJikan, lblSuiryo, spbGraphFlg, ImgSuiryo, ImgYjiku, ImgXJiku, LblTenkiFlg, LblMusubuFlg,
    lblSyokiRyo, lblchosaku,
    btnMizuDasu, btnMizuTome, btnSaishiko, btnOwari, lbxJikan, lbxSuiryo,
    stxKeikaJikan, stxKeikaSuiryo, stxKJHyoji, stxKSHyoji, stxGraphFlg, stxZahyoX, stxZahyoY,
    // The table's first column is created volume cell first; every later column time cell first.
    stxZahyoY1, stxZahyoX1,
    stxZahyoX2, stxZahyoY2, stxZahyoX3, stxZahyoY3, stxZahyoX4, stxZahyoY4, stxZahyoX5, stxZahyoY5,
    stxZahyoX6, stxZahyoY6, stxZahyoX7, stxZahyoY7, stxZahyoX8, stxZahyoY8, stxZahyoX9, stxZahyoY9,
    stxZahyoX10, stxZahyoY10,
    btnKiroku, btnTenki, btnMusubu, lbxSyokiRyo, bbtnKirokuAuto, Timer1,
};
// clang-format on

inline constexpr int kItemCount = static_cast<int>(Item::Timer1) + 1;

constexpr int indexOf(Item item)
{
    return static_cast<int>(item);
}

// Column k (1 to 10) of the record table: its time cell in the row "ｘ座標".
constexpr Item timeCell(int k)
{
    return k == 1 ? Item::stxZahyoX1 : static_cast<Item>(indexOf(Item::stxZahyoX2) + 2 * (k - 2));
}

// Column k (1 to 10) of the record table: its volume cell in the row "ｙ座標".
constexpr Item volumeCell(int k)
{
    return k == 1 ? Item::stxZahyoY1 : static_cast<Item>(indexOf(Item::stxZahyoY2) + 2 * (k - 2));
}

static_assert(timeCell(10) == Item::stxZahyoX10 && volumeCell(10) == Item::stxZahyoY10);
static_assert(kItemCount == 58);

} // namespace sim
