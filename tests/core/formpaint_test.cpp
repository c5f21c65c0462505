#include "formpaint.h"
#include "layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace sim; // the colour names

// Where the layout puts the graph, and its size.
constexpr int kLeft = 497;
constexpr int kTop = 176;
constexpr int kSide = 500;

class FormPaint : public testing::Test {
protected:
    core::Canvas canvas{core::kClientWidth, core::kClientHeight};
    State state;
    bool liveLine = false;

    core::PaintInput input() const
    {
        return {core::layoutOf(Item::ShpWaku).bounds, core::layoutOf(Item::PaintBox1).bounds, liveLine, &state};
    }
    void paint() { core::paintWindowArea(canvas, {0, 0, canvas.width(), canvas.height()}, input()); }
    Colour graphAt(int x, int y) const { return canvas.pixel(kLeft + x, kTop + y); }
    int redIn(int left, int top, int right, int bottom) const // graph pixels, right and bottom excluded
    {
        int count = 0;
        for (int y = std::max(top, 0); y < std::min(bottom, kSide); ++y) {
            for (int x = std::max(left, 0); x < std::min(right, kSide); ++x)
                count += graphAt(x, y) == clRed;
        }
        return count;
    }
    int redInGraph() const { return redIn(0, 0, kSide, kSide); }
};

TEST_F(FormPaint, OutlineTicksAndGrid)
{
    paint();
    struct Fact {
        int x, y;
        Colour colour;
    };
    const Fact facts[] = {// The outline stands just outside the tank and leaves its top open.
                          {53, 400, clMoneyGreen},
                          {54, 400, clBlack},
                          {55, 400, clBlack},
                          {56, 400, clMoneyGreen},
                          {433, 400, clBlack},
                          {434, 400, clMoneyGreen},
                          {200, 690, clMoneyGreen},
                          {200, 691, clBlack},
                          {200, 692, clBlack},
                          {200, 693, clMoneyGreen},
                          {200, 192, clMoneyGreen},
                          // Tick 5 is long, tick 6 short, on each scale, over the outline; 101 ticks in all.
                          {50, 667, clRed},
                          {48, 667, clMoneyGreen},
                          {52, 662, clRed},
                          {50, 662, clMoneyGreen},
                          {54, 667, clRed},
                          {491, 651, clRed},
                          {489, 651, clMoneyGreen},
                          {493, 646, clRed},
                          {491, 646, clMoneyGreen},
                          {522, 680, clRed},
                          {522, 682, clMoneyGreen},
                          {527, 678, clRed},
                          {527, 680, clMoneyGreen},
                          {53, 192, clRed},
                          {53, 187, clMoneyGreen},
                          {997, 677, clRed},
                          {1002, 677, clMoneyGreen}};
    for (const Fact& f : facts)
        EXPECT_EQ(canvas.pixel(f.x, f.y), f.colour) << f.x << "," << f.y;

    for (int j = 25; j <= 475; j += 25) {
        for (int k = kSide - 1; k >= 0; k -= 7) {
            EXPECT_TRUE(graphAt(j, k) == clSilver && graphAt(k, j) == clSilver) << j << "," << k;
            if (k % 25 != 0) {
                EXPECT_TRUE(graphAt(j + 1, k) == clWhite && graphAt(k, j - 1) == clWhite) << j << "," << k;
                EXPECT_TRUE(graphAt(0, k) == clWhite && graphAt(kSide - 1, k) == clWhite) << "border at " << k;
            }
        }
    }
    EXPECT_EQ(redInGraph(), 0);
}

TEST_F(FormPaint, SteepLiveLineCoversItsStartAndLeavesItsEndOut)
{
    state.SyokiY = 450;
    state.Ten[0] = {54, 343};
    paint();
    EXPECT_EQ(redInGraph(), 0) << "the live line waits for its button";
    liveLine = true;
    paint();
    EXPECT_EQ(graphAt(0, 450), clRed);
    EXPECT_EQ(graphAt(54, 343), clWhite);
    for (int y = 344; y <= 450; ++y)
        EXPECT_EQ(redIn(0, y, kSide, y + 1), 1) << "row " << y;
    EXPECT_EQ(redInGraph(), 450 - 343);
}

TEST_F(FormPaint, PolylineRunsFromTheStartThroughEveryRecord)
{
    state.SyokiY = 400;
    state.KirokuSu = 3;
    state.Ten = {Point{300, 100}, {50, 350}, {100, 300}, {150, 275}, {200, 200}};
    state.MusubuFlg = true;
    paint();
    EXPECT_TRUE(graphAt(0, 400) == clRed && graphAt(50, 350) == clRed && graphAt(100, 300) == clRed);
    EXPECT_EQ(graphAt(150, 275), clSilver) << "a 1-pixel line stops short of its end";
    for (int x = 0; x < 150; ++x)
        EXPECT_EQ(redIn(x, 0, x + 1, kSide), 1) << "column " << x;
    EXPECT_EQ(redIn(125, 287, 126, 289), 1) << "on the last segment";
    EXPECT_EQ(redInGraph(), 150) << "nothing past the last record, no live line";
}

TEST_F(FormPaint, DotsAreThreePixelsAcrossAndCutAtTheGraphsEdge)
{
    state.TenkiFlg = true;
    state.KirokuSu = 1;
    for (const auto& [dot, red] : {std::pair<Point, int>{{50, 350}, 9}, {{0, 500}, 2}, {{499, 0}, 4}, {{600, 9}, 0}}) {
        state.Ten[1] = dot;
        paint();
        EXPECT_EQ(redIn(dot.x - 1, dot.y - 1, dot.x + 2, dot.y + 2), red) << dot.x << "," << dot.y;
        EXPECT_EQ(redInGraph(), red) << dot.x << "," << dot.y;
    }
    state.KirokuSu = 25; // reads no further than the ten records
    for (int k = 1; k <= kMaxRecords; ++k)
        state.Ten[k] = {40 * k, 40 * k};
    paint();
    EXPECT_EQ(redInGraph(), 9 * kMaxRecords);
}

TEST_F(FormPaint, LivePointBeyondTheGraphIsCutAtItsEdge)
{
    state.SyokiY = 500;
    state.Ten[0] = {502, 334};
    liveLine = true;
    paint();
    EXPECT_EQ(redIn(kSide - 1, 0, kSide, kSide), 1);
    for (int y = 0; y < kSide - 1; ++y) // the last row has the foot of the last tick
        ASSERT_NE(graphAt(kSide, y), clRed) << y;
}

TEST_F(FormPaint, WindowAreaRepaintKeepsToItsAreaButRedrawsTheWholeGraph)
{
    canvas.fill({0, 0, canvas.width(), canvas.height()}, clNavy);
    canvas.setClip({1, 1, 5, 5});
    canvas.setOrigin(3, 4);
    core::paintWindowArea(canvas, {0, 0, 300, 300}, input());
    EXPECT_EQ(canvas.clip(), (core::Rect{1, 1, 5, 5}));
    EXPECT_EQ(canvas.origin(), (Point{3, 4}));
    EXPECT_TRUE(canvas.pixel(100, 250) == clMoneyGreen && canvas.pixel(55, 250) == clBlack);
    for (const Point p : {Point{55, 400}, {433, 250}, {494, 651}, {kLeft - 1, 300}})
        EXPECT_EQ(canvas.pixel(p.x, p.y), clNavy) << p.x << "," << p.y;
    for (int k = 0; k < kSide; k += 3)
        EXPECT_TRUE(graphAt(k, k) == clWhite || graphAt(k, k) == clSilver) << k;
}

TEST_F(FormPaint, PaintingWithinAreasDrawsTheirPixelsAndNoOthers)
{
    // Painting straight into a window's buffer: the pixels outside the areas belong to the items
    // over the graph and must stay as they are, the graph's included.
    state.KirokuSu = 2;
    state.Ten[1] = {100, 300};
    state.Ten[2] = {200, 100};
    state.TenkiFlg = state.MusubuFlg = true;
    liveLine = true;
    state.Ten[0] = {250, 50};
    paint();
    core::Canvas painted{core::kClientWidth, core::kClientHeight};
    painted.fill({0, 0, painted.width(), painted.height()}, clNavy);
    const core::Rect areas[] = {{kLeft + 80, kTop + 90, 60, 230}, {40, 300, 30, 20}, {kLeft - 20, kTop + 480, 60, 40}};
    core::paintWindowAreas(painted, areas, input(), core::GraphExtent::WithinAreas);
    int wrong = 0;
    for (int y = 0; y < painted.height(); ++y) {
        for (int x = 0; x < painted.width(); ++x) {
            const bool inside =
                std::any_of(std::begin(areas), std::end(areas), [&](const core::Rect& a) { return a.contains(x, y); });
            wrong += painted.pixel(x, y) != (inside ? canvas.pixel(x, y) : clNavy);
        }
    }
    EXPECT_EQ(wrong, 0);
}

} // namespace
