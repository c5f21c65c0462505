#include "statedump.h"

#include "layout.h"

#include <cstdio>
#include <initializer_list>

using sim::Item;

namespace core {

namespace {

class JsonLine {
public:
    JsonLine& key(const char* name)
    {
        separate();
        quoted(name);
        text_ += ':';
        fresh_ = true;
        return *this;
    }
    JsonLine& open(char bracket)
    {
        separate();
        text_ += bracket;
        fresh_ = true;
        return *this;
    }
    JsonLine& close(char bracket)
    {
        text_ += bracket;
        fresh_ = false;
        return *this;
    }
    JsonLine& number(long long value)
    {
        separate();
        text_ += std::to_string(value);
        return *this;
    }
    JsonLine& boolean(bool value)
    {
        separate();
        text_ += value ? "true" : "false";
        return *this;
    }
    JsonLine& string(const std::string& value)
    {
        separate();
        quoted(value);
        return *this;
    }
    const std::string& text() const { return text_; }

private:
    void separate()
    {
        if (!fresh_)
            text_ += ',';
        fresh_ = false;
    }
    void quoted(std::string_view value) { appendJsonString(text_, value); }

    std::string text_;
    bool fresh_ = true;
};

const char* nameOf(Item item)
{
    return layoutOf(item).name;
}

} // namespace

void appendJsonString(std::string& json, std::string_view text)
{
    json += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            json += escape;
        } else {
            json += c; // UTF-8 passes through
        }
    }
    json += '"';
}

std::string dumpState(const sim::State& s, const sim::Scene& window, TimerReading timer, int messagesShown)
{
    JsonLine json;
    json.open('{');
    json.key("Suii").number(s.Suii).key("Nagare").number(s.Nagare).key("Kankaku").number(s.Kankaku);
    json.key("Jikan").number(s.Jikan).key("Suiryo").number(s.Suiryo).key("SyokiRyo").number(s.SyokiRyo);
    json.key("SyokiY").number(s.SyokiY).key("KirokuSu").number(s.KirokuSu);
    json.key("KeikaTick").number(static_cast<long long>(s.KeikaTick));

    json.key("Ten").open('[');
    for (const sim::Point& p : s.Ten)
        json.open('[').number(p.x).number(p.y).close(']');
    json.close(']');
    for (const auto& [name, texts] : {std::pair{"KirokuX", &s.KirokuX}, std::pair{"KirokuY", &s.KirokuY}}) {
        json.key(name).open('[');
        for (int k = 1; k <= sim::kMaxRecords; ++k)
            json.string((*texts)[static_cast<std::size_t>(k)]);
        json.close(']');
    }
    json.key("TenkiFlg").boolean(s.TenkiFlg).key("MusubuFlg").boolean(s.MusubuFlg);
    json.key("TomeFlg").boolean(s.TomeFlg).key("KirokuAutoFlg").boolean(s.KirokuAutoFlg);

    json.key("timer").open('{').key("enabled").boolean(timer.enabled);
    json.key("interval").number(timer.interval).close('}');

    json.key("bounds").open('{');
    for (const Item shape : {Item::shpScale, Item::shpMizu, Item::ShpScaleY, Item::ShpScaleX}) {
        const sim::Bounds b = window.bounds(shape);
        json.key(nameOf(shape)).open('[').number(b.left).number(b.top).number(b.width).number(b.height).close(']');
    }
    json.close('}');

    json.key("captions").open('{');
    json.key("stxKJHyoji").string(window.caption(Item::stxKJHyoji));
    json.key("stxKSHyoji").string(window.caption(Item::stxKSHyoji));
    for (int k = 1; k <= sim::kMaxRecords; ++k) {
        json.key(nameOf(sim::timeCell(k))).string(window.caption(sim::timeCell(k)));
        json.key(nameOf(sim::volumeCell(k))).string(window.caption(sim::volumeCell(k)));
    }
    json.key("bbtnKirokuAuto").string(window.caption(Item::bbtnKirokuAuto));
    json.key("spbGraphFlg").string(window.caption(Item::spbGraphFlg));
    json.close('}');

    char colour[8];
    std::snprintf(colour, sizeof colour, "#%06x", window.fontColour(Item::bbtnKirokuAuto).rgb());
    json.key("fontColor").open('{').key("bbtnKirokuAuto").string(colour).close('}');

    json.key("visible").open('{');
    for (const Item item : {Item::btnTenki, Item::btnMusubu, Item::LblTenkiFlg, Item::LblMusubuFlg})
        json.key(nameOf(item)).boolean(window.isVisible(item));
    json.close('}');

    json.key("selected").open('{');
    for (const Item list : kLists)
        json.key(nameOf(list)).number(window.selectedIndex(list));
    json.close('}');

    json.key("pressed").open('{').key("spbGraphFlg").boolean(window.isPressed(Item::spbGraphFlg)).close('}');
    json.key("messages").number(messagesShown);
    json.close('}');
    return json.text();
}

} // namespace core
