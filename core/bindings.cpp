#include "bindings.h"

#include "layout.h"

#include <algorithm>

namespace core {

namespace {

using sim::Item;
using sim::Simulation;

constexpr ButtonBinding kButtons[] = {
    {Item::btnMizuDasu, &Simulation::btnMizuDasuClick, Press::Click, "",
     "水を入れ始めます。止めたあとは続きから入れます。"},
    {Item::btnMizuTome, &Simulation::btnMizuTomeClick, Press::Click, "", "水を止めます。"},
    {Item::btnSaishiko, &Simulation::btnSaishikoClick, Press::Click, "", "はじめの状態にもどします。"},
    {Item::btnKiroku, &Simulation::btnKirokuClick, Press::Click, "", "今の時間と水の量を表に記録します。"},
    {Item::btnTenki, &Simulation::btnTenkiClick, Press::Click, "", "記録した点をグラフにかきます。"},
    {Item::btnMusubu, &Simulation::btnMusubuClick, Press::Click, "", "グラフの点を順に線で結びます。"},
    {Item::bbtnKirokuAuto, &Simulation::bbtnKirokuAutoClick, Press::Click, "自動記録",
     "時間が 1 増えるごとに自動で記録するかどうかを切りかえます。"},
    {Item::spbGraphFlg, &Simulation::spbGraphFlgClick, Press::Toggle, "グラフ自動描画",
     "はじめの点から今の点までの線をグラフにかくかどうかを切りかえます。"},
    {Item::btnOwari, &Simulation::btnOwariClick, Press::Click, "", "プログラムを終わります。"},
};

constexpr ItemDescription kDescriptions[] = {
    {Item::lbxJikan, "時間", "時間の区切りを選びます。"},
    {Item::lbxSuiryo, "当たりの水の量", "その時間に入る水の量を選びます。"},
    {Item::lbxSyokiRyo, "最初の水の量", "はじめに入っている水の量を選びます。"},
    {Item::stxKJHyoji, "経過時間", "水を入れ始めてからの時間です。"},
    {Item::stxKSHyoji, "水の容量", "水そうの水の量です。"},
    {Item::PaintBox1, "グラフ", "時間をｘ座標、水の量をｙ座標にとったグラフです。"},
    {Item::ShpWaku, "水そう", "蛇口からの水がたまる水そうです。"},
    {Item::shpScale, "水そうの水", "水そうにたまった水です。"},
    {Item::shpMizu, "落ちる水", "蛇口から落ちる水です。"},
    {Item::Jaguchi, "蛇口", "水を出す蛇口です。"},
    {Item::ImgSuiryo, "水そうの目盛り", "水そうの水の量を読む目盛りです。"},
    {Item::ImgYjiku, "ｙ軸の目盛り", "グラフの水の量の目盛りです。"},
    {Item::ImgXJiku, "ｘ軸の目盛り", "グラフの時間の目盛りです。"},
    {Item::ShpWakuY, "水の量の棒の枠", "水の量の棒がのびる枠です。"},
    {Item::ShpScaleY, "水の量の棒", "水の量だけのびる棒です。"},
    {Item::ShpWakuX, "時間の棒の枠", "時間の棒がのびる枠です。"},
    {Item::ShpScaleX, "時間の棒", "時間だけのびる棒です。"},
};

constexpr bool everyButtonIsAButton()
{
    for (const ButtonBinding& b : kButtons) {
        const Kind kind = layoutOf(b.item).kind;
        if (!isButton(kind) || (b.press == Press::Toggle) != (kind == Kind::ToggleButton))
            return false;
    }
    return true;
}
static_assert(everyButtonIsAButton(), "a binding row names an item that is no button of its kind");

} // namespace

std::span<const ButtonBinding> buttonBindings()
{
    return kButtons;
}

const ButtonBinding* bindingOf(sim::Item item)
{
    const auto* found = std::find_if(std::begin(kButtons), std::end(kButtons),
                                     [item](const ButtonBinding& b) { return b.item == item; });
    return found == std::end(kButtons) ? nullptr : found;
}

ItemDescription descriptionOf(sim::Item item)
{
    if (const ButtonBinding* button = bindingOf(item))
        return {item, button->name, button->description};
    for (const ItemDescription& entry : kDescriptions) {
        if (entry.item == item)
            return entry;
    }
    return {item, "", ""};
}

std::string markDescription(sim::Item mark)
{
    const sim::Item button = layoutOf(mark).markOf;
    const ItemDescription said = descriptionOf(button);
    const char* name = *said.name != 0 ? said.name : layoutOf(button).caption;
    return std::string("「") + name + "」が ON です。";
}

const ButtonBinding* buttonNamed(std::string_view name)
{
    const auto* found = std::find_if(std::begin(kButtons), std::end(kButtons),
                                     [name](const ButtonBinding& b) { return name == layoutOf(b.item).name; });
    return found == std::end(kButtons) ? nullptr : found;
}

} // namespace core
