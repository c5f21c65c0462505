#pragma once

#include "colours.h"
#include "items.h"
#include "state.h"
#include "window.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace core {

enum class Kind {
    Shape,        // filled rectangle, optionally with a 1-pixel black outline
    Picture,      // bitmap stretched to the bounds
    PaintArea,    // paints nothing; the window's own painting draws the graph there
    Label,        // text on an opaque background
    ToggleButton, // stays down after a click, up after the next; takes the focus from Tab, never from a click
    PushButton,
    ColourButton, // a push button whose caption has a colour of its own
    ListBox,      // single selection, one row seen at a time
    StaticText,   // text box with an optional border
    Timer,        // invisible
};

// Where an item's text stands inside it.
enum class Align : std::uint8_t {
    LeftTop,    // labels and the credit line
    LeftMiddle, // the caption labels beside the lists
    CentreTop,  // static texts with centred text
    RightTop,   // the two value boxes
    Centre,     // buttons and the "ON" marks, both ways
};

enum class Border { None, Single, Sunken };
enum class Face { Gothic, Serif };
enum class Art { None, Faucet, VerticalScale, HorizontalScale };

// The two rows of the record table: the times (ｘ座標) and the volumes (ｙ座標).
enum class RecordRow : std::uint8_t { Time, Volume };

// Where a record cell sits: in column k (1 to 10) of its row.
struct CellPlace {
    int k = 0;
    RecordRow row = RecordRow::Time;
    friend constexpr bool operator==(const CellPlace&, const CellPlace&) = default;
};

// Where the item sits in the record table, read back from sim::timeCell and sim::volumeCell so
// that the two directions cannot disagree; none for an item that is no record cell.
constexpr std::optional<CellPlace> cellPlace(sim::Item item)
{
    for (int k = 1; k <= sim::kMaxRecords; ++k) {
        if (item == sim::timeCell(k))
            return CellPlace{k, RecordRow::Time};
        if (item == sim::volumeCell(k))
            return CellPlace{k, RecordRow::Volume};
    }
    return std::nullopt;
}

// A fixed colour, or one of the desktop's own colours (core::resolve says which they are).
struct ColourRef {
    enum class Source { Fixed, WindowText, Window, Menu };
    Source source = Source::WindowText;
    sim::Colour fixed{};

    static constexpr ColourRef of(sim::Colour c) { return {Source::Fixed, c}; }
};

inline constexpr ColourRef kWindowText{ColourRef::Source::WindowText, {}};
inline constexpr ColourRef kWindowColour{ColourRef::Source::Window, {}};
inline constexpr ColourRef kMenuColour{ColourRef::Source::Menu, {}};

// Character heights are in pixels at 96 dots per inch, without the font's internal leading.
struct FontSpec {
    Face face = Face::Gothic;
    int pixelHeight = 19;
    bool bold = false;
    bool italic = false;
};

// What an item is to a screen reader, beyond its kind. Both front ends present an item by its
// role, never by its name.
enum class Role : std::uint8_t {
    Plain,      // read as its kind is: a button by its caption or name, a list by its name, a text by its text
    Picture,    // a shape or a picture, named by what it shows
    Graph,      // the graph: a picture that says in words what is drawn on it
    Value,      // a number from 0 to `maximum`, read as text and as a value
    Switch,     // a button that switches something on and off: a check box, checked while on
    Mark,       // an "ON" mark, labelled by `markOf`, the button that switched it on
    RecordCell, // a cell of the record table, at `place`
    RowHeader,  // the header of the record table's row `place.row`
    Decoration, // skipped: a caption that names the item beside it, which says it itself, or the timer
};

struct ItemLayout {
    sim::Item item{};
    const char* name = "";
    Kind kind = Kind::Shape;
    sim::Bounds bounds{};
    const char* caption = ""; // UTF-8
    ColourRef background = ColourRef::of(sim::clWhite);
    ColourRef text = kWindowText;
    bool outline = false;
    FontSpec font{};
    Align alignment = Align::LeftTop;
    Border border = Border::None;
    bool visibleAtStart = true;
    int tabOrder = -1;      // -1: no place in the tab order
    int firstListValue = 0; // list rows read firstListValue, firstListValue + 1, ...
    int listRows = 0;
    Art art = Art::None;
    bool sizedToText = false; // a label that takes the width of its text
    Role role = Role::Plain;
    double maximum = 0; // Value: the largest number it shows
    sim::Item markOf{}; // Mark: the button it belongs to
    CellPlace place{};  // RecordCell: its column and row; RowHeader: its row
    // Switch: the flag it switches on and off; none for the toggle, whose own pressed state it is.
    bool sim::State::*switchFlag = nullptr;
};

using Layout = std::array<ItemLayout, sim::kItemCount>;

// The faces the layout names: a proportional Japanese Gothic and a serif; fonts.cpp maps them to
// what this machine has.
inline constexpr const char* kGothicFaceName = "ＭＳ Ｐゴシック";
inline constexpr const char* kSerifFaceName = "Times New Roman";

// The layout is drawn for this client size; a smaller window cuts it off at the right and bottom.
inline constexpr int kClientWidth = 1024;
inline constexpr int kClientHeight = 768;

// Row builders for the table below. Each row is one item with its values in a fixed order, laid
// out by hand so that the rows line up; the formatter leaves them as they are.
// clang-format off
namespace detail {

using sim::Item;
using namespace sim; // the colour names

constexpr FontSpec kListFont{Face::Gothic, 21, false, false};

constexpr ItemLayout shape(Item item, const char* name, Bounds b, Colour brush, bool outline = false)
{
    return {.item = item, .name = name, .kind = Kind::Shape, .bounds = b, .background = ColourRef::of(brush),
            .outline = outline, .role = Role::Picture};
}

constexpr ItemLayout picture(Item item, const char* name, Bounds b, Art art)
{
    return {.item = item, .name = name, .kind = Kind::Picture, .bounds = b, .art = art, .role = Role::Picture};
}

constexpr ItemLayout playing(Role role, ItemLayout entry)
{
    entry.role = role;
    return entry;
}

constexpr ItemLayout label(Item item, const char* name, Bounds b, const char* caption, Colour background,
                         Colour text, Align alignment, bool visible = true)
{
    return {.item = item, .name = name, .kind = Kind::Label, .bounds = b, .caption = caption,
            .background = ColourRef::of(background), .text = ColourRef::of(text), .alignment = alignment,
            .visibleAtStart = visible};
}

// The caption beside a list, which names the list.
constexpr ItemLayout captionLabel(Item item, const char* name, Bounds b, const char* caption)
{
    ItemLayout entry = label(item, name, b, caption, clSkyBlue, clBlack, Align::LeftMiddle);
    entry.text = kWindowText;
    entry.role = Role::Decoration;
    return entry;
}

// An "ON" mark, hidden until its button has been clicked.
constexpr ItemLayout mark(Item item, const char* name, Bounds b, Item button)
{
    ItemLayout entry = label(item, name, b, "ON", clPurple, clLime, Align::Centre, false);
    entry.role = Role::Mark;
    entry.markOf = button;
    return entry;
}

constexpr ItemLayout button(Item item, const char* name, Bounds b, const char* caption, int tabOrder,
                          bool visible = true)
{
    return {.item = item, .name = name, .kind = Kind::PushButton, .bounds = b, .caption = caption,
            .alignment = Align::Centre, .visibleAtStart = visible, .tabOrder = tabOrder};
}

constexpr ItemLayout list(Item item, const char* name, Bounds b, int first, int rows, int tabOrder)
{
    return {.item = item, .name = name, .kind = Kind::ListBox, .bounds = b, .background = kWindowColour,
            .font = kListFont, .tabOrder = tabOrder, .firstListValue = first, .listRows = rows};
}

constexpr ItemLayout staticText(Item item, const char* name, Bounds b, const char* caption, ColourRef background,
                              ColourRef text, Align alignment, Border border, int tabOrder)
{
    return {.item = item, .name = name, .kind = Kind::StaticText, .bounds = b, .caption = caption,
            .background = background, .text = text, .alignment = alignment, .border = border,
            .tabOrder = tabOrder};
}

// One of the two numbers, which grow from 0 to `maximum`.
constexpr ItemLayout value(Item item, const char* name, Bounds b, int tabOrder, double maximum)
{
    ItemLayout entry = staticText(item, name, b, "0", ColourRef::of(clWhite), ColourRef::of(clRed), Align::RightTop,
                                  Border::Single, tabOrder);
    entry.role = Role::Value;
    entry.maximum = maximum;
    return entry;
}

// ｘ座標 or ｙ座標: the header of a row of the record table.
constexpr ItemLayout rowHeader(Item item, const char* name, Bounds b, const char* caption, RecordRow row,
                               int tabOrder)
{
    ItemLayout entry = staticText(item, name, b, caption, ColourRef::of(clSkyBlue), ColourRef::of(clPurple),
                                  Align::CentreTop, Border::Single, tabOrder);
    entry.role = Role::RowHeader;
    entry.place.row = row;
    return entry;
}

// A cell of the record table, placed by its column and row. Cells are 50 wide at a step of 48, so
// neighbours share a border.
constexpr ItemLayout cell(Item item, const char* name)
{
    const CellPlace place = cellPlace(item).value();
    const int k = place.k;
    const bool timeRow = place.row == RecordRow::Time;
    const int tabOrder = k == 1 ? (timeRow ? 14 : 13) : 2 * k + (timeRow ? 11 : 12);
    ItemLayout entry = staticText(item, name, {512 + 48 * (k - 1), timeRow ? 104 : 128, 50, 25}, "",
                                  ColourRef::of(clWhite), ColourRef::of(clBlack), Align::CentreTop, Border::Single,
                                  tabOrder);
    entry.role = Role::RecordCell;
    entry.place = place;
    return entry;
}

} // namespace detail

// The window's 58 items in creation order; kLayout[indexOf(item)].item == item.
inline constexpr Layout kLayout = [] {
    using namespace detail;
    using sim::Item;
    using namespace sim;
    return Layout{{
    shape(Item::ShpWaku, "ShpWaku", {56, 192, 377, 500}, clMoneyGreen),
    shape(Item::shpMizu, "shpMizu", {96, 177, 17, 0}, clAqua),
    shape(Item::shpScale, "shpScale", {56, 688, 377, 0}, clAqua),
    picture(Item::Jaguchi, "Jaguchi", {0, 72, 121, 105}, Art::Faucet),
    shape(Item::ShpWakuY, "ShpWakuY", {476, 176, 8, 500}, clMoneyGreen, true),
    shape(Item::ShpWakuX, "ShpWakuX", {496, 688, 500, 8}, clMoneyGreen, true),
    shape(Item::ShpScaleY, "ShpScaleY", {477, 673, 7, 0}, clLime),
    shape(Item::ShpScaleX, "ShpScaleX", {497, 689, 0, 7}, clYellow),
    {.item = Item::PaintBox1, .name = "PaintBox1", .kind = Kind::PaintArea, .bounds = {497, 176, 500, 500},
     .role = Role::Graph},
    captionLabel(Item::lblJikan, "lblJikan", {168, 72, 41, 25}, "時間"),
    captionLabel(Item::lblSuiryo, "lblSuiryo", {248, 72, 129, 25}, "当たりの水の量"),
    {.item = Item::spbGraphFlg, .name = "spbGraphFlg", .kind = Kind::ToggleButton, .bounds = {680, 24, 49, 33},
     .caption = "OFF", .text = ColourRef::of(clMaroon), .font = {Face::Gothic, 19, true, false},
     .alignment = Align::Centre, .tabOrder = 38, .role = Role::Switch},
    picture(Item::ImgSuiryo, "ImgSuiryo", {16, 176, 25, 529}, Art::VerticalScale),
    picture(Item::ImgYjiku, "ImgYjiku", {448, 160, 25, 529}, Art::VerticalScale),
    picture(Item::ImgXJiku, "ImgXJiku", {488, 696, 521, 25}, Art::HorizontalScale),
    mark(Item::LblTenkiFlg, "LblTenkiFlg", {624, 64, 41, 33}, Item::btnTenki),
    mark(Item::LblMusubuFlg, "LblMusubuFlg", {800, 64, 41, 33}, Item::btnMusubu),
    captionLabel(Item::lblSyokiRyo, "lblSyokiRyo", {168, 40, 113, 25}, "最初の水の量"),
    {.item = Item::lblchosaku, .name = "lblchosaku", .kind = Kind::Label, .bounds = {888, 0, 132, 21},
     .caption = "© the Ichiji team", .background = ColourRef::of(clMoneyGreen), .text = ColourRef::of(clBlue),
     .font = {Face::Serif, 19, false, true}, .sizedToText = true},
    button(Item::btnMizuDasu, "btnMizuDasu", {24, 0, 105, 33}, "水を入れる", 0),
    button(Item::btnMizuTome, "btnMizuTome", {144, 0, 97, 33}, "水を止める", 1),
    button(Item::btnSaishiko, "btnSaishiko", {256, 0, 105, 33}, "はじめから", 2),
    button(Item::btnOwari, "btnOwari", {376, 0, 105, 33}, "お　わ　る", 3),
    list(Item::lbxJikan, "lbxJikan", {208, 72, 41, 25}, 1, 5, 4),
    list(Item::lbxSuiryo, "lbxSuiryo", {376, 72, 41, 25}, 1, 5, 5),
    playing(Role::Decoration, staticText(Item::stxKeikaJikan, "stxKeikaJikan", {168, 104, 89, 25}, "経過時間",
                                         ColourRef::of(clSkyBlue), kWindowText, Align::CentreTop, Border::Single, 6)),
    playing(Role::Decoration, staticText(Item::stxKeikaSuiryo, "stxKeikaSuiryo", {168, 128, 89, 25}, "水の容量",
                                         ColourRef::of(clSkyBlue), kWindowText, Align::CentreTop, Border::Single, 7)),
    value(Item::stxKJHyoji, "stxKJHyoji", {256, 104, 49, 25}, 8, 100),
    value(Item::stxKSHyoji, "stxKSHyoji", {256, 128, 49, 25}, 9, 20),
    playing(Role::Decoration, staticText(Item::stxGraphFlg, "stxGraphFlg", {728, 24, 128, 33}, "グラフ自動描画",
                                         kMenuColour, ColourRef::of(clMaroon), Align::CentreTop, Border::Sunken, 10)),
    rowHeader(Item::stxZahyoX, "stxZahyoX", {456, 104, 57, 25}, "ｘ座標", RecordRow::Time, 11),
    rowHeader(Item::stxZahyoY, "stxZahyoY", {456, 128, 57, 25}, "ｙ座標", RecordRow::Volume, 12),
    cell(Item::stxZahyoY1, "stxZahyoY1"),
    cell(Item::stxZahyoX1, "stxZahyoX1"),
    cell(Item::stxZahyoX2, "stxZahyoX2"),
    cell(Item::stxZahyoY2, "stxZahyoY2"),
    cell(Item::stxZahyoX3, "stxZahyoX3"),
    cell(Item::stxZahyoY3, "stxZahyoY3"),
    cell(Item::stxZahyoX4, "stxZahyoX4"),
    cell(Item::stxZahyoY4, "stxZahyoY4"),
    cell(Item::stxZahyoX5, "stxZahyoX5"),
    cell(Item::stxZahyoY5, "stxZahyoY5"),
    cell(Item::stxZahyoX6, "stxZahyoX6"),
    cell(Item::stxZahyoY6, "stxZahyoY6"),
    cell(Item::stxZahyoX7, "stxZahyoX7"),
    cell(Item::stxZahyoY7, "stxZahyoY7"),
    cell(Item::stxZahyoX8, "stxZahyoX8"),
    cell(Item::stxZahyoY8, "stxZahyoY8"),
    cell(Item::stxZahyoX9, "stxZahyoX9"),
    cell(Item::stxZahyoY9, "stxZahyoY9"),
    cell(Item::stxZahyoX10, "stxZahyoX10"),
    cell(Item::stxZahyoY10, "stxZahyoY10"),
    button(Item::btnKiroku, "btnKiroku", {312, 104, 137, 49}, "→ 記録する →", 33),
    button(Item::btnTenki, "btnTenki", {512, 64, 113, 33}, "点をグラフへ", 34, false),
    button(Item::btnMusubu, "btnMusubu", {680, 64, 121, 33}, "点を線で結ぶ", 35, false),
    list(Item::lbxSyokiRyo, "lbxSyokiRyo", {280, 40, 41, 25}, 0, 11, 36),
    {.item = Item::bbtnKirokuAuto, .name = "bbtnKirokuAuto", .kind = Kind::ColourButton, .bounds = {512, 24, 153, 33},
     .caption = "自動記録オフ", .text = ColourRef::of(clNavy), .alignment = Align::Centre, .tabOrder = 37,
     .role = Role::Switch, .switchFlag = &sim::State::KirokuAutoFlg},
    {.item = Item::Timer1, .name = "Timer1", .kind = Kind::Timer, .role = Role::Decoration},
}};
}();

namespace detail {
constexpr bool inCreationOrder()
{
    for (std::size_t i = 0; i < kLayout.size(); ++i) {
        if (static_cast<std::size_t>(sim::indexOf(kLayout[i].item)) != i)
            return false;
    }
    return true;
}
static_assert(inCreationOrder(), "rows must follow the Item enumeration");
} // namespace detail
// clang-format on

constexpr const Layout& layout()
{
    return kLayout;
}
constexpr const ItemLayout& layoutOf(sim::Item item)
{
    return kLayout[static_cast<std::size_t>(sim::indexOf(item))];
}

// The items of one kind, in creation order.
template <Kind kind>
constexpr auto itemsOfKind()
{
    constexpr auto count =
        std::count_if(kLayout.begin(), kLayout.end(), [](const ItemLayout& e) { return e.kind == kind; });
    std::array<sim::Item, static_cast<std::size_t>(count)> items{};
    std::size_t next = 0;
    for (const ItemLayout& entry : kLayout) {
        if (entry.kind == kind)
            items[next++] = entry.item;
    }
    return items;
}

// The selection lists, which the replay selects in and the state dump reports.
inline constexpr auto kLists = itemsOfKind<Kind::ListBox>();

constexpr bool isButton(Kind kind)
{
    return kind == Kind::PushButton || kind == Kind::ColourButton || kind == Kind::ToggleButton;
}

namespace detail {

// A front end takes an item's widget for what its role needs, so each role stays on the kinds
// that can play it; every shape, picture and record cell has its role, and each row of the
// record table one header.
constexpr bool rolesFitTheirKinds()
{
    int cells = 0;
    int headers[2] = {0, 0};
    for (const ItemLayout& entry : kLayout) {
        const bool drawn = entry.kind == Kind::Shape || entry.kind == Kind::Picture;
        const bool text = entry.kind == Kind::StaticText;
        bool fits = false;
        switch (entry.role) {
        case Role::Plain:
        case Role::Decoration:
            fits = !drawn && entry.kind != Kind::PaintArea && !cellPlace(entry.item);
            break;
        case Role::Picture:
            fits = drawn;
            break;
        case Role::Graph:
            fits = entry.kind == Kind::PaintArea;
            break;
        case Role::Value:
            fits = text && entry.maximum > 0;
            break;
        case Role::Switch:
            // A toggle is its own switch; any other button switches a flag.
            fits = isButton(entry.kind) && (entry.switchFlag != nullptr) != (entry.kind == Kind::ToggleButton);
            break;
        case Role::Mark:
            fits = entry.kind == Kind::Label && isButton(layoutOf(entry.markOf).kind);
            break;
        case Role::RecordCell:
            fits = text && cellPlace(entry.item) == entry.place;
            ++cells;
            break;
        case Role::RowHeader:
            fits = text;
            ++headers[static_cast<int>(entry.place.row)];
            break;
        }
        if (!fits)
            return false;
    }
    return cells == 2 * sim::kMaxRecords && headers[0] == 1 && headers[1] == 1;
}
static_assert(rolesFitTheirKinds(), "an item's role does not fit its kind, or a record cell or header is amiss");

// The two numbers reach their largest together: a full tank, in units of its height, at the
// slowest rate (the longest time step for the least water) from an empty start.
constexpr bool valuesEndAtAFullTank()
{
    const ItemLayout& steps = layoutOf(sim::Item::lbxJikan);
    const ItemLayout& water = layoutOf(sim::Item::lbxSuiryo);
    const double volume = static_cast<double>(layoutOf(sim::Item::ShpWaku).bounds.height) / sim::kUnitPx;
    const double time = volume * (steps.firstListValue + steps.listRows - 1) / water.firstListValue;
    return layoutOf(sim::Item::stxKJHyoji).maximum == time && layoutOf(sim::Item::stxKSHyoji).maximum == volume;
}
static_assert(valuesEndAtAFullTank(), "a value's maximum is not what a full tank shows");

} // namespace detail

} // namespace core
