// The core as the page and the node replay tool see it: a small C interface over one program on
// the model window, its replay runner and the painting of the window's surface. What the program
// asks of its platform goes to the page's script through the Module.on* functions (none under
// node, where it goes nowhere).

#include "art.h"
#include "bindings.h"
#include "bmp.h"
#include "controlpaint.h"
#include "faces.h"
#include "formpaint.h"
#include "graphdescription.h"
#include "inflate.h"
#include "layout.h"
#include "modelwindow.h"
#include "program.h"
#include "programtarget.h"
#include "scenepaint.h"
#include "statedump.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <list>
#include <memory>
#include <string>
#include <vector>

using sim::Item;

// The page's side of the platform, each a function of the page's script.
EM_JS(void, page_message, (const char* text), {
    if (Module.onMessage)
        Module.onMessage(UTF8ToString(text));
});
EM_JS(void, page_before_click, (int item), {
    if (Module.onReplayClick)
        Module.onReplayClick(item);
});
EM_JS(void, page_show, (int acted), {
    if (Module.onShow)
        Module.onShow(acted ? true : false);
});
EM_JS(void, page_timer, (int ticking, int interval), {
    if (Module.onTimer)
        Module.onTimer(ticking ? true : false, interval);
});
EM_JS(void, page_announce, (const char* text), {
    if (Module.onAnnounce)
        Module.onAnnounce(UTF8ToString(text));
});
EM_JS(void, page_clipboard, (const char* text, const char* html), {
    if (Module.onClipboard)
        Module.onClipboard(UTF8ToString(text), UTF8ToString(html));
});
EM_JS(void, page_quit, (), {
    if (Module.onQuit)
        Module.onQuit();
});

namespace {

class PagePlatform : public core::Platform {
public:
    std::int64_t nowMicroseconds() const override { return static_cast<std::int64_t>(emscripten_get_now() * 1000.0); }
    std::string decimalSeparator() const override { return separator; }
    void timerSwitched(bool ticking, std::uint32_t interval) override
    {
        page_timer(ticking ? 1 : 0, static_cast<int>(interval));
    }
    void showMessage(std::string_view text) override { page_message(std::string(text).c_str()); }
    void quit() override { page_quit(); }
    void announce(std::string_view text) override { page_announce(std::string(text).c_str()); }
    void putOnClipboard(std::string_view text, std::string_view html) override
    {
        page_clipboard(std::string(text).c_str(), std::string(html).c_str());
    }
    // Ticks change what the page shows only when an item changed; anything else may change the
    // graph alone (a toggle, the dots), so the page repaints.
    void show(core::Change change) override { page_show(change == core::Change::Ticks ? 0 : 1); }

    std::string separator = ".";
};

// The program as a replay script drives it. On the page a scripted click first gives the button
// the focus, as a real click would.
class PageTarget : public core::ProgramTarget {
public:
    using ProgramTarget::ProgramTarget;
    void click(Item button) override
    {
        page_before_click(sim::indexOf(button));
        ProgramTarget::click(button);
    }
};

// A picture drawn at a device size, kept while the page may show it at that size again.
struct DrawnArt {
    core::Art art;
    int width;
    int height;
    core::Picture picture;
};
// Two sizes of each picture (a tablet turned and turned back) at most.
constexpr std::size_t kDrawnArtKept = 6;

struct Page {
    core::ModelWindow window;
    PagePlatform platform;
    core::Program program{window, platform};
    PageTarget target{program};
    std::unique_ptr<core::ReplayRunner> runner;
    std::string out;
    std::string err;
    std::string text; // the last string handed out
    // The items whose look changed since the page last took them, each once, in order.
    std::vector<int> changed;
    std::array<bool, sim::kItemCount> marked{};
    std::vector<int> taken;
    std::uint32_t graphKey = 0; // what the graph was last painted from
    core::Picture pictures[3];
    // The last drawn first. A list, so that a picture handed to the scene stays where it is while
    // others are drawn.
    std::list<DrawnArt> drawnArt;
    // Where the lesson stands in the page's space, in device pixels, and the canvas it is painted
    // into: the lesson's own size, its corner at the canvas's.
    core::Stage stage = core::actualSize();
    core::Canvas canvas{core::kClientWidth, core::kClientHeight, core::PixelOrder::Rgba};
    std::vector<int> numbers; // the last numbers handed out
};

Page* page = nullptr;

Item itemAt(int index)
{
    return static_cast<Item>(index < 0 || index >= sim::kItemCount ? 0 : index);
}

const char* handOut(std::string text)
{
    page->text = std::move(text);
    return page->text.c_str();
}

// Numbers for the page to read until the next call hands out others.
const int* handOut(std::initializer_list<int> numbers)
{
    page->numbers.assign(numbers);
    return page->numbers.data();
}

const int* handOut(const core::Rect& r)
{
    return handOut({r.left, r.top, r.width, r.height});
}

// The lesson's scale on the page, its corner at the canvas's.
core::Stage onCanvas()
{
    return {page->stage.scale, 0, 0, page->stage.width, page->stage.height};
}

// A picture as the canvas shows it at `scale`: at the design's size the decoded original, as the
// desktop shows it; at any other size drawn at the device size of the first item showing it. (The
// two vertical scales may differ by a device pixel; the other is stretched that pixel.)
const core::Picture* pictureAt(core::Art art, const core::Picture& original, const core::Scale& scale)
{
    if (scale.isIdentity())
        return &original;
    const auto shows = [art](const core::ItemLayout& entry) { return entry.art == art; };
    const auto entry = std::find_if(core::layout().begin(), core::layout().end(), shows);
    if (entry == core::layout().end())
        return &original;
    const core::Rect size = scale.rect(entry->bounds);
    std::list<DrawnArt>& drawnArt = page->drawnArt;
    const auto kept = std::find_if(drawnArt.begin(), drawnArt.end(), [&](const DrawnArt& drawn) {
        return drawn.art == art && drawn.width == size.width && drawn.height == size.height;
    });
    if (kept != drawnArt.end()) {
        drawnArt.splice(drawnArt.begin(), drawnArt, kept);
    } else {
        core::Picture picture = core::drawArt(art, size.width, size.height);
        if (picture.width != size.width || picture.height != size.height)
            return &original;
        drawnArt.push_front({art, size.width, size.height, std::move(picture)});
        if (drawnArt.size() > kDrawnArtKept)
            drawnArt.pop_back();
    }
    return &drawnArt.front().picture;
}

// The pictures as the page's canvas shows them at its scale.
core::ScenePictures picturesAt(const core::Stage& stage)
{
    return {pictureAt(core::Art::Faucet, page->pictures[0], stage.scale),
            pictureAt(core::Art::VerticalScale, page->pictures[1], stage.scale),
            pictureAt(core::Art::HorizontalScale, page->pictures[2], stage.scale)};
}

// The largest space the lesson is fitted to: four times the design's size each way. A page
// zoomed far on a large screen would otherwise ask for a canvas of hundreds of megabytes.
constexpr int kLargestSpaceWidth = 4 * core::kClientWidth;
constexpr int kLargestSpaceHeight = 4 * core::kClientHeight;

std::string colourJson(sim::Colour c)
{
    char text[16];
    std::snprintf(text, sizeof text, "\"#%06x\"", static_cast<unsigned>(c.rgb()));
    return text;
}

const char* kindName(core::Kind kind)
{
    switch (kind) {
    case core::Kind::Shape:
        return "shape";
    case core::Kind::Picture:
        return "picture";
    case core::Kind::PaintArea:
        return "paintArea";
    case core::Kind::Label:
        return "label";
    case core::Kind::ToggleButton:
        return "toggle";
    case core::Kind::PushButton:
        return "button";
    case core::Kind::ColourButton:
        return "colourButton";
    case core::Kind::ListBox:
        return "list";
    case core::Kind::StaticText:
        return "staticText";
    case core::Kind::Timer:
        return "timer";
    }
    return "";
}

const char* roleName(core::Role role)
{
    switch (role) {
    case core::Role::Plain:
        return "plain";
    case core::Role::Picture:
        return "picture";
    case core::Role::Graph:
        return "graph";
    case core::Role::Value:
        return "value";
    case core::Role::Switch:
        return "switch";
    case core::Role::Mark:
        return "mark";
    case core::Role::RecordCell:
        return "recordCell";
    case core::Role::RowHeader:
        return "rowHeader";
    case core::Role::Decoration:
        return "decoration";
    }
    return "";
}

// The role and, where it has them, its parameters: a value's maximum, the button a mark belongs
// to, a record cell's column k (1 to 10) and row, a row header's row ("time" or "volume").
std::string roleJson(const core::ItemLayout& entry)
{
    std::string json = ",\"role\":\"" + std::string(roleName(entry.role)) + "\"";
    const std::string row = entry.place.row == core::RecordRow::Time ? "time" : "volume";
    switch (entry.role) {
    case core::Role::Value: {
        char maximum[32];
        std::snprintf(maximum, sizeof maximum, "%g", entry.maximum);
        json += ",\"maximum\":" + std::string(maximum);
        break;
    }
    case core::Role::Mark:
        json += ",\"button\":";
        core::appendJsonString(json, core::layoutOf(entry.markOf).name);
        break;
    case core::Role::RecordCell:
        json += ",\"k\":" + std::to_string(entry.place.k) + ",\"row\":\"" + row + "\"";
        break;
    case core::Role::RowHeader:
        json += ",\"row\":\"" + row + "\"";
        break;
    default:
        break;
    }
    return json;
}

const char* alignName(core::Align align)
{
    switch (align) {
    case core::Align::LeftTop:
        return "leftTop";
    case core::Align::LeftMiddle:
        return "leftMiddle";
    case core::Align::CentreTop:
        return "centreTop";
    case core::Align::RightTop:
        return "rightTop";
    case core::Align::Centre:
        return "centre";
    }
    return "";
}

const char* borderName(core::Border border)
{
    switch (border) {
    case core::Border::None:
        return "none";
    case core::Border::Single:
        return "single";
    case core::Border::Sunken:
        return "sunken";
    }
    return "";
}

// What the page reads of one item, one row per field; the page decodes ij_item's values by the
// names ij_item_fields gives, in this order.
struct ItemField {
    const char* name;
    int (*read)(const core::Program& program, Item item);
};
constexpr ItemField kItemFields[] = {
    {"left", [](const core::Program& p, Item i) { return p.scene().bounds(i).left; }},
    {"top", [](const core::Program& p, Item i) { return p.scene().bounds(i).top; }},
    {"width", [](const core::Program& p, Item i) { return p.scene().bounds(i).width; }},
    {"height", [](const core::Program& p, Item i) { return p.scene().bounds(i).height; }},
    {"visible", [](const core::Program& p, Item i) { return p.scene().isVisible(i) ? 1 : 0; }},
    {"selected", [](const core::Program& p, Item i) { return p.scene().selectedIndex(i); }},
    {"pressed", [](const core::Program& p, Item i) { return p.scene().isPressed(i) ? 1 : 0; }},
    {"colour", [](const core::Program& p, Item i) { return static_cast<int>(p.scene().fontColour(i).rgb()); }},
    {"on", [](const core::Program& p,
              Item i) { return core::layoutOf(i).role == core::Role::Switch && p.isSwitchOn(i) ? 1 : 0; }},
};

// A face's families as a CSS font-family, best first.
std::string fontFamilyCss(core::Face face)
{
    const core::FaceFamilies& faces = core::familiesOf(face);
    std::string css;
    for (const char* family : faces.families) {
        if (family == nullptr)
            continue;
        css += '"';
        css += family;
        css += "\", ";
    }
    return css + faces.generic;
}

// What the page needs of the window as a whole: its size in layout pixels and the faces.
std::string windowJson()
{
    std::string json = "{\"width\":" + std::to_string(core::kClientWidth);
    json += ",\"height\":" + std::to_string(core::kClientHeight);
    json += ",\"gothic\":";
    core::appendJsonString(json, fontFamilyCss(core::Face::Gothic));
    json += ",\"serif\":";
    core::appendJsonString(json, fontFamilyCss(core::Face::Serif));
    json += ",\"emptyCell\":";
    core::appendJsonString(json, core::kEmptyCellName);
    return json + "}";
}

// The layout table, for the page to build its elements from.
std::string layoutJson()
{
    std::string json = "[";
    for (const core::ItemLayout& entry : core::layout()) {
        if (json.size() > 1)
            json += ',';
        const core::ItemDescription said = core::descriptionOf(entry.item);
        const sim::Bounds& b = entry.bounds;
        json += "{\"name\":";
        core::appendJsonString(json, entry.name);
        json += ",\"kind\":\"" + std::string(kindName(entry.kind)) + "\"";
        json += ",\"bounds\":[" + std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.width)
                + "," + std::to_string(b.height) + "]";
        json += ",\"caption\":";
        core::appendJsonString(json, entry.caption);
        json += ",\"background\":" + colourJson(core::resolve(entry.background));
        json += ",\"text\":" + colourJson(core::resolve(entry.text));
        json += ",\"face\":\"" + std::string(entry.font.face == core::Face::Gothic ? "gothic" : "serif") + "\"";
        json += ",\"pixelHeight\":" + std::to_string(entry.font.pixelHeight);
        json += std::string(",\"bold\":") + (entry.font.bold ? "true" : "false");
        json += std::string(",\"italic\":") + (entry.font.italic ? "true" : "false");
        json += ",\"align\":\"" + std::string(alignName(entry.alignment)) + "\"";
        json += ",\"border\":\"" + std::string(borderName(entry.border)) + "\"";
        json += ",\"tabOrder\":" + std::to_string(entry.tabOrder);
        json += ",\"firstListValue\":" + std::to_string(entry.firstListValue);
        json += ",\"listRows\":" + std::to_string(entry.listRows);
        json += std::string(",\"sizedToText\":") + (entry.sizedToText ? "true" : "false");
        json += ",\"accessibleName\":";
        core::appendJsonString(json, said.name);
        json += ",\"description\":";
        core::appendJsonString(json,
                               entry.role == core::Role::Mark ? core::markDescription(entry.item) : said.description);
        json += roleJson(entry);
        json += '}';
    }
    return json + "]";
}

} // namespace

extern "C" {

namespace {

void makePage(std::string separator)
{
    page = new Page;
    page->platform.separator = separator.empty() ? "." : std::move(separator);
    page->window.onItemChanged = [](Item item) {
        const int index = sim::indexOf(item);
        if (!page->marked[static_cast<std::size_t>(index)]) {
            page->marked[static_cast<std::size_t>(index)] = true;
            page->changed.push_back(index);
        }
    };
}

} // namespace

// Makes the program once; `separator` is the decimal separator of the user's language.
EMSCRIPTEN_KEEPALIVE void ij_start(const char* separator)
{
    if (page == nullptr)
        makePage(separator != nullptr ? separator : "");
}

// A new program in place of the old, as a fresh page would start it, with the same pictures:
// the test hook runs one scenario after another on one page load. Every item counts as changed.
EMSCRIPTEN_KEEPALIVE void ij_renew()
{
    Page* old = page;
    makePage(old->platform.separator);
    for (int art = 0; art < 3; ++art)
        page->pictures[art] = std::move(old->pictures[art]);
    page->drawnArt = std::move(old->drawnArt);
    page->stage = old->stage;
    page->canvas = std::move(old->canvas);
    delete old;
    page->program.activate();
}

EMSCRIPTEN_KEEPALIVE const char* ij_layout()
{
    return handOut(layoutJson());
}

EMSCRIPTEN_KEEPALIVE const char* ij_window()
{
    return handOut(windowJson());
}

EMSCRIPTEN_KEEPALIVE void ij_activate()
{
    page->program.activate();
}

EMSCRIPTEN_KEEPALIVE void ij_press(int item)
{
    page->program.press(itemAt(item));
}

EMSCRIPTEN_KEEPALIVE void ij_choose(int list, int row)
{
    page->program.choose(itemAt(list), row);
}

// An animation frame: the ticks due by the clock; returns how many ran.
EMSCRIPTEN_KEEPALIVE int ij_prompt()
{
    return page->program.prompt();
}

EMSCRIPTEN_KEEPALIVE void ij_hold(int held)
{
    page->program.hold(held != 0);
}

// Takes the items changed since the last call, so the page reads, rewrites and repaints only
// those; returns how many, their rows in the layout table are at ij_changed_items.
EMSCRIPTEN_KEEPALIVE int ij_take_changes()
{
    page->taken.swap(page->changed);
    page->changed.clear();
    for (const int index : page->taken)
        page->marked[static_cast<std::size_t>(index)] = false;
    return static_cast<int>(page->taken.size());
}

EMSCRIPTEN_KEEPALIVE const int* ij_changed_items()
{
    return page->taken.data();
}

// Whether the graph would be painted differently from the last time this was asked: it is most
// of what a frame would repaint, and most ticks leave it as it was (the live line off, or moved
// by less than a pixel).
EMSCRIPTEN_KEEPALIVE int ij_graph_changed()
{
    const std::uint32_t key = core::graphDigest(core::paintInputOf(page->window, page->program.state(), page->stage));
    const bool changed = key != page->graphKey;
    page->graphKey = key;
    return changed ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* ij_caption(int item)
{
    return handOut(page->window.caption(itemAt(item)));
}

// The records onto the clipboard (through Module.onClipboard), as a copy event asks.
EMSCRIPTEN_KEEPALIVE void ij_copy()
{
    page->program.copyRecords();
}

// The names of ij_item's values, in order, as a JSON array.
EMSCRIPTEN_KEEPALIVE const char* ij_item_fields()
{
    std::string json = "[";
    for (const ItemField& field : kItemFields) {
        if (json.size() > 1)
            json += ',';
        core::appendJsonString(json, field.name);
    }
    return handOut(json + "]");
}

// One item's values, named by ij_item_fields.
EMSCRIPTEN_KEEPALIVE const int* ij_item(int item)
{
    page->numbers.clear();
    for (const auto& field : kItemFields)
        page->numbers.push_back(field.read(page->program, itemAt(item)));
    return page->numbers.data();
}

// The graph in words, as the desktop tells a screen reader.
EMSCRIPTEN_KEEPALIVE const char* ij_graph_description()
{
    const core::ModelWindow& w = page->window;
    return handOut(core::graphDescription(page->program.state(), w.isPressed(Item::spbGraphFlg),
                                          page->program.decimalSeparator()));
}

// A replay script, one line at a time; what a line prints is read with ij_replay_out/err.
EMSCRIPTEN_KEEPALIVE void ij_replay_begin()
{
    page->runner = std::make_unique<core::ReplayRunner>(page->target);
}

EMSCRIPTEN_KEEPALIVE int ij_replay_line(const char* line, int length)
{
    page->out.clear();
    page->err.clear();
    return page->runner->runLine(std::string_view(line, static_cast<std::size_t>(length)), page->out, page->err) ? 1
                                                                                                                 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* ij_replay_out()
{
    return page->out.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* ij_replay_err()
{
    return page->err.c_str();
}

EMSCRIPTEN_KEEPALIVE int ij_replay_exit_code()
{
    return page->runner->exitCode();
}

// A picture as raw-deflated BMP bytes: 0 the faucet, 1 the vertical scale, 2 the horizontal one.
EMSCRIPTEN_KEEPALIVE int ij_set_picture(int art, const std::uint8_t* bytes, int length)
{
    if (art < 0 || art > 2)
        return 0;
    std::vector<std::uint8_t> bmp;
    if (!web::inflate({bytes, static_cast<std::size_t>(length)}, bmp))
        return 0;
    return core::decodeBmp(bmp, page->pictures[art]) ? 1 : 0;
}

// For the tests of the decoder: inflates and hands back the length (or -1) and the bytes.
EMSCRIPTEN_KEEPALIVE int ij_inflate(const std::uint8_t* bytes, int length)
{
    std::vector<std::uint8_t> out;
    if (!web::inflate({bytes, static_cast<std::size_t>(length)}, out))
        return -1;
    page->text.assign(out.begin(), out.end());
    return static_cast<int>(out.size());
}

EMSCRIPTEN_KEEPALIVE const char* ij_last_bytes()
{
    return page->text.data();
}

// Fits the lesson to the page's space (device pixels) and makes the canvas for it; returns where
// the lesson stands in the space, its size and the canvas's: left, top, width, height, canvas
// width, canvas height. A browser shows a canvas that starts or ends within a CSS pixel a device
// pixel off here and there, so the canvas starts and ends on a multiple of `align` device pixels,
// which the page gives as a whole number of CSS pixels: the lesson's corner moves back from the
// centre to one, and the canvas reaches beyond the lesson (in the window's colour) up to the next
// for its far edges; the page shows no more of it than the lesson.
EMSCRIPTEN_KEEPALIVE const int* ij_fit(int spaceWidth, int spaceHeight, int align)
{
    const int fitWidth = std::min(spaceWidth, kLargestSpaceWidth);
    const int fitHeight = std::min(spaceHeight, kLargestSpaceHeight);
    core::Stage stage = core::fitLesson(fitWidth, fitHeight);
    if (fitWidth > 0 && fitHeight > 0) {
        stage.left += (spaceWidth - fitWidth) / 2;
        stage.top += (spaceHeight - fitHeight) / 2;
    }
    align = std::max(align, 1);
    stage.left -= stage.left % align;
    stage.top -= stage.top % align;
    page->stage = stage;
    const int width = (stage.width + align - 1) / align * align;
    const int height = (stage.height + align - 1) / align * align;
    if (page->canvas.width() != width || page->canvas.height() != height)
        page->canvas = core::Canvas(width, height, core::PixelOrder::Rgba);
    return handOut({stage.left, stage.top, stage.width, stage.height, width, height});
}

// A layout rectangle on the canvas, in device pixels: left, top, width, height.
EMSCRIPTEN_KEEPALIVE const int* ij_map(int left, int top, int width, int height)
{
    return handOut(page->stage.scale.rect(core::Rect{left, top, width, height}));
}

// A pen's, a border's or a text's height at the page's scale, in device pixels.
EMSCRIPTEN_KEEPALIVE int ij_length(int layoutPixels)
{
    return page->stage.scale.length(layoutPixels);
}

// A list's parts at the page's scale, in device pixels: its edge's outer and inner widths, its
// scroll bar's width, and the heights of its two arrows, which stand at the bar's two ends.
EMSCRIPTEN_KEEPALIVE const int* ij_list_parts(int left, int top, int width, int height)
{
    const core::Scale& scale = page->stage.scale;
    const core::ListEdge edge = core::listEdge(scale);
    const core::Rect bar = core::listScrollBar(scale.rect(core::Rect{left, top, width, height}), scale);
    const core::ScrollBarParts arrows = core::scrollBarParts(bar, {}, scale);
    return handOut({edge.outer, edge.inner, bar.width, arrows.upArrow.height, arrows.downArrow.height});
}

// Repaints the canvas over a layout rectangle, mapped by its edges as every item is; returns the
// canvas's rectangle that was painted (left, top, width, height). An area reaching the lesson's
// far edge reaches the canvas's, which may lie a few pixels beyond it.
EMSCRIPTEN_KEEPALIVE const int* ij_paint(int left, int top, int width, int height)
{
    const core::Stage stage = onCanvas();
    core::Rect mapped = stage.scale.rect(core::Rect{left, top, width, height});
    if (mapped.right() >= stage.width)
        mapped.width = page->canvas.width() - mapped.left;
    if (mapped.bottom() >= stage.height)
        mapped.height = page->canvas.height() - mapped.top;
    const core::Rect area = mapped.intersected(core::Rect{0, 0, page->canvas.width(), page->canvas.height()});
    if (!area.isEmpty())
        core::paintScene(page->canvas, area, page->window, page->program.state(), picturesAt(stage), stage);
    return handOut(area.isEmpty() ? core::Rect{} : area);
}

// The canvas's RGBA pixels, row by row, its size the lesson's on the page.
EMSCRIPTEN_KEEPALIVE const std::uint32_t* ij_pixels()
{
    return page->canvas.pixels();
}

} // extern "C"
