#pragma once

#include "colours.h"
#include "items.h"
#include "window.h"

#include <QtCore/qnamespace.h>

#include <array>

namespace ui {

enum class Kind {
    Shape,        // filled rectangle, optionally with a 1-pixel black outline
    Picture,      // bitmap stretched to the bounds
    PaintArea,    // paints nothing; the window's own painting draws the graph there
    Label,        // text on an opaque background
    ToggleButton, // stays down after a click, up after the next; never takes the focus
    PushButton,
    ColourButton, // a push button whose caption has a colour of its own
    ListBox,      // single selection, one row seen at a time
    StaticText,   // text box with an optional border
    Timer,        // invisible
};

enum class Border { None, Single, Sunken };
enum class Face { Gothic, Serif };
enum class Art { None, Faucet, VerticalScale, HorizontalScale };

// A colour of the design, or one of the desktop's own colours.
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
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    Border border = Border::None;
    bool visibleAtStart = true;
    int tabOrder = -1;          // -1: no place in the tab order
    int firstListValue = 0;     // list rows read firstListValue, firstListValue + 1, ...
    int listRows = 0;
    Art art = Art::None;
    bool sizedToText = false;   // a label that takes the width of its text
};

using Layout = std::array<ItemLayout, sim::kItemCount>;

// The window's 58 items in creation order; layout()[indexOf(item)].item == item.
const Layout& layout();
inline const ItemLayout& layoutOf(sim::Item item) { return layout()[static_cast<std::size_t>(sim::indexOf(item))]; }

// The design's face names; fonts.cpp maps them to what this machine has.
inline constexpr const char* kGothicFaceName = "ＭＳ Ｐゴシック";
inline constexpr const char* kSerifFaceName = "Times New Roman";

// The layout is drawn for this client size; a smaller window cuts it off at the right and bottom.
inline constexpr int kClientWidth = 1024;
inline constexpr int kClientHeight = 768;

} // namespace ui
