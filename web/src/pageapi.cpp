// The core as the page and the node replay tool see it: a small C interface over one Lesson, its
// replay runner and the painting of the window's surface.

#include "bindings.h"
#include "bmp.h"
#include "graphdescription.h"
#include "inflate.h"
#include "layout.h"
#include "lesson.h"
#include "scenepaint.h"
#include "statedump.h"

#include <emscripten/emscripten.h>

#include <cstdio>
#include <memory>
#include <string>

using sim::Item;

// The front end's side of the hooks, each a function of the page's script (or nothing under node).
EM_JS(void, page_message, (const char* text), {
    if (Module.onMessage)
        Module.onMessage(UTF8ToString(text));
});
EM_JS(void, page_before_click, (int item), {
    if (Module.onReplayClick)
        Module.onReplayClick(item);
});
EM_JS(void, page_toggle_flipped, (), {
    if (Module.onToggleFlipped)
        Module.onToggleFlipped();
});

namespace {

std::int64_t nowMicroseconds()
{
    return static_cast<std::int64_t>(emscripten_get_now() * 1000.0);
}

// The lesson as a replay script drives it. On the page a scripted click first gives the button
// the focus, as a real click would.
class PageTarget : public core::ReplayTarget {
public:
    explicit PageTarget(core::Lesson& lesson)
        : lesson_(lesson)
    {
    }
    bool isShown(Item item) const override { return lesson_.isShown(item); }
    void click(Item button) override
    {
        page_before_click(sim::indexOf(button));
        lesson_.click(button);
    }
    void select(Item list, int row) override { lesson_.select(list, row); }
    bool tick() override { return lesson_.tick(); }
    std::string dump() override { return lesson_.dump(); }
    bool render(const std::string& file, std::string& problem) override { return lesson_.render(file, problem); }
    bool quitRequested() const override { return lesson_.quitRequested(); }

private:
    core::Lesson& lesson_;
};

struct Page {
    core::Lesson lesson{nowMicroseconds};
    PageTarget target{lesson};
    std::unique_ptr<core::ReplayRunner> runner;
    std::string out;
    std::string err;
    std::string text; // the last string handed out
    unsigned changes = 0;
    core::Picture pictures[3];
    core::Canvas canvas{core::kClientWidth, core::kClientHeight, core::PixelOrder::Rgba};
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
        core::appendJsonString(json, said.description);
        json += roleJson(entry);
        json += '}';
    }
    return json + "]";
}

} // namespace

extern "C" {

// Makes the lesson once; `separator` is the decimal separator of the user's language.
EMSCRIPTEN_KEEPALIVE void ij_start(const char* separator)
{
    if (page != nullptr)
        return;
    page = new Page;
    page->lesson.window().setDecimalSeparator(separator != nullptr && *separator != 0 ? separator : ".");
    page->lesson.window().onItemChanged = [](Item) { ++page->changes; };
    page->lesson.onMessage = [](std::string_view text) { page_message(std::string(text).c_str()); };
    page->lesson.onToggleFlipped = [] { page_toggle_flipped(); };
}

EMSCRIPTEN_KEEPALIVE const char* ij_layout()
{
    return handOut(layoutJson());
}

EMSCRIPTEN_KEEPALIVE void ij_activate()
{
    page->lesson.activate();
}

EMSCRIPTEN_KEEPALIVE void ij_press(int item)
{
    page->lesson.press(itemAt(item));
}

EMSCRIPTEN_KEEPALIVE void ij_choose(int list, int row)
{
    page->lesson.choose(itemAt(list), row);
}

EMSCRIPTEN_KEEPALIVE int ij_run_due()
{
    return page->lesson.runDueTicks();
}

EMSCRIPTEN_KEEPALIVE void ij_hold(int held)
{
    page->lesson.holdClock(held != 0);
}

// Counts every change of what an item shows, so the page repaints only after one.
EMSCRIPTEN_KEEPALIVE unsigned ij_changes()
{
    return page->changes;
}

EMSCRIPTEN_KEEPALIVE const char* ij_dump()
{
    return handOut(page->lesson.dump());
}

EMSCRIPTEN_KEEPALIVE const char* ij_caption(int item)
{
    return handOut(page->lesson.window().caption(itemAt(item)));
}

// Left, top, width and height, and then the visible, selected, pressed and font colour values.
EMSCRIPTEN_KEEPALIVE const int* ij_item(int item)
{
    static int values[8];
    const core::ModelWindow& w = page->lesson.window();
    const Item i = itemAt(item);
    const sim::Bounds b = w.bounds(i);
    values[0] = b.left;
    values[1] = b.top;
    values[2] = b.width;
    values[3] = b.height;
    values[4] = w.isVisible(i) ? 1 : 0;
    values[5] = w.selectedIndex(i);
    values[6] = w.isPressed(i) ? 1 : 0;
    values[7] = static_cast<int>(w.fontColour(i).rgb());
    return values;
}

// The graph in words, as the desktop tells a screen reader.
EMSCRIPTEN_KEEPALIVE const char* ij_graph_description()
{
    const core::ModelWindow& w = page->lesson.window();
    return handOut(core::graphDescription(page->lesson.state(), w.isPressed(Item::spbGraphFlg), w.decimalSeparator()));
}

EMSCRIPTEN_KEEPALIVE int ij_timer_enabled()
{
    return page->lesson.window().timerEnabled() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int ij_quit_requested()
{
    return page->lesson.quitRequested() ? 1 : 0;
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

// Repaints the window's surface within the rectangle and returns its RGBA pixels, row by row.
EMSCRIPTEN_KEEPALIVE const std::uint32_t* ij_paint(int left, int top, int width, int height)
{
    const core::ScenePictures pictures{&page->pictures[0], &page->pictures[1], &page->pictures[2]};
    core::paintScene(page->canvas, {left, top, width, height}, page->lesson.window(), page->lesson.state(), pictures);
    return page->canvas.pixels();
}

} // extern "C"
