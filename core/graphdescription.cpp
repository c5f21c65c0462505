#include "graphdescription.h"

#include "layout.h"
#include "numbertext.h"

namespace core {

namespace {

// The ideographic comma keeps x and y apart whatever the decimal separator is.
std::string coordinates(std::string_view x, std::string_view y)
{
    return "(" + std::string(x) + "、" + std::string(y) + ")";
}

// A point of the graph in its own pixels, as the axes read it: the graph's y runs downwards from
// its top edge, the volume upwards from its bottom edge.
std::string pointText(sim::Point p, std::string_view separator)
{
    const long double side = layoutOf(sim::Item::PaintBox1).bounds.height;
    return coordinates(sim::numberText(static_cast<long double>(p.x) / sim::kUnitPx, separator),
                       sim::numberText((side - p.y) / sim::kUnitPx, separator));
}

} // namespace

std::string graphDescription(const sim::State& s, bool liveLine, std::string_view separator)
{
    std::string text;
    if (s.TenkiFlg && s.KirokuSu > 0) {
        text = "グラフに点が " + std::to_string(s.KirokuSu) + " 個あります: ";
        for (int k = 1; k <= s.KirokuSu; ++k) {
            if (k > 1)
                text += "、";
            text += coordinates(s.KirokuX[k], s.KirokuY[k]);
        }
        text += "。";
    } else {
        text = "グラフに点はありません。";
    }
    const sim::Point start{0, s.SyokiY};
    if (s.MusubuFlg && s.KirokuSu > 0)
        text += "点は " + pointText(start, separator) + " から記録の順に線で結ばれています。";
    if (liveLine) {
        // A line from a point to itself draws nothing.
        if (s.Ten[0] == start)
            text += "自動描画の線はまだ見えません。";
        else
            text += "自動描画の線が " + pointText(start, separator) + " から " + pointText(s.Ten[0], separator)
                    + " まで引かれています。";
    }
    return text;
}

} // namespace core
