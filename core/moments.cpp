#include "moments.h"

namespace core {

using sim::Item;

Moment momentOf(const sim::State& state, const sim::Scene& scene, bool timerEnabled)
{
    return {state.KirokuSu, timerEnabled, state.TenkiFlg, state.MusubuFlg, scene.isPressed(Item::spbGraphFlg)};
}

std::vector<Said> momentsBetween(const Moment& before, const Moment& after, const sim::State& state,
                                 const sim::Scene& scene, Cause cause)
{
    std::vector<Said> said;
    if (cause == Cause::Reset)
        said.push_back({"はじめにもどしました。"});
    if (!before.running && after.running)
        said.push_back({"水を入れます。"});
    if (!before.dots && after.dots)
        said.push_back({"グラフに記録の点をかきました。"});
    if (!before.joined && after.joined)
        said.push_back({"グラフの点を線で結びました。"});
    if (before.liveLine != after.liveLine)
        said.push_back({after.liveLine ? "はじめの点から今の点までの線をかきます。"
                                       : "はじめの点から今の点までの線を消しました。"});
    for (int k = before.records + 1; k <= after.records; ++k) {
        const auto at = static_cast<std::size_t>(k);
        said.push_back(
            {"記録 " + std::to_string(k) + ": 時間 " + state.KirokuX[at] + "、水の量 " + state.KirokuY[at] + "。",
             cause == Cause::Ticks});
    }
    // A run that stopped, by the button or at the full tank, not one that a reset ended.
    if (before.running && !after.running && state.TomeFlg) {
        said.push_back({"水が止まりました。経過時間 " + scene.caption(Item::stxKJHyoji) + "、水の容量 "
                        + scene.caption(Item::stxKSHyoji) + "。"});
    }
    return said;
}

} // namespace core
