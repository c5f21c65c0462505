#include "graphdescription.h"

#include <gtest/gtest.h>

namespace {

// A state after a fresh start at initial amount 2, with `records` records of one unit of time
// each at one unit of water per unit, the live point at 2.5 units of time.
sim::State lesson(int records, bool plotted, bool joined)
{
    sim::State s;
    s.SyokiY = 450;
    s.Ten[0] = {62, 388};
    for (int k = 1; k <= records; ++k) {
        s.Ten[k] = {25 * k, 450 - 25 * k};
        s.KirokuX[k] = std::to_string(k) + ".0";
        s.KirokuY[k] = std::to_string(k + 2) + ".0";
    }
    s.KirokuSu = records;
    s.TenkiFlg = plotted;
    s.MusubuFlg = joined;
    return s;
}

TEST(GraphDescription, SaysWhatIsDrawnAndNothingElse)
{
    struct Case {
        const char* what;
        sim::State state;
        bool liveLine;
        const char* separator;
        const char* expected;
    };
    sim::State reset;
    reset.SyokiY = 500;
    reset.Ten[0] = {0, 500};
    sim::State stopped = lesson(1, true, false);
    stopped.Ten[1] = {25, 450};
    stopped.KirokuX[1] = "1.1";
    stopped.KirokuY[1] = "2.0";
    const Case cases[] = {
        {"after a reset", reset, false, ".", "グラフに点はありません。"},
        {"records not yet plotted", lesson(2, false, false), false, ".", "グラフに点はありません。"},
        {"two records plotted", lesson(2, true, false), false, ".",
         "グラフに点が 2 個あります: (1.0、3.0)、(2.0、4.0)。"},
        {"the table's texts, not the pixels", stopped, false, ".", "グラフに点が 1 個あります: (1.1、2.0)。"},
        {"joined from the starting point", lesson(1, true, true), false, ".",
         "グラフに点が 1 個あります: (1.0、3.0)。点は (0.0、2.0) から記録の順に線で結ばれています。"},
        {"live line with a comma separator", lesson(0, false, false), true, ",",
         "グラフに点はありません。自動描画の線が (0,0、2,0) から (2,5、4,5) まで引かれています。"},
        {"live line of no length", reset, true, ".", "グラフに点はありません。自動描画の線はまだ見えません。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(core::graphDescription(c.state, c.liveLine, c.separator), c.expected);
    }
}

} // namespace
