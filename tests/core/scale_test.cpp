#include "formpaint.h"
#include "layout.h"
#include "scale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using namespace sim; // the colour names
using core::Scale;

// The scales a classroom meets: a 1920-pixel projector, 150 %, 200 %, and a small tablet.
const Scale kScales[] = {Scale::ratio(1440, 1024), Scale::ratio(3, 2), Scale::ratio(2, 1), Scale::ratio(1, 2)};

std::string nameOf(const Scale& s)
{
    return std::to_string(s.numerator()) + "/" + std::to_string(s.denominator());
}

// The window's painting of a lesson with records, dots, joins and the live line, at a scale.
class ScaledPaint : public testing::Test {
protected:
    State state;
    sim::Bounds tank = core::layoutOf(Item::ShpWaku).bounds;
    sim::Bounds graph = core::layoutOf(Item::PaintBox1).bounds;

    ScaledPaint()
    {
        state.KirokuSu = 3;
        state.Ten[1] = {100, 400};
        state.Ten[2] = {237, 263};
        state.Ten[3] = {361, 12};
        state.Ten[0] = {420, 0};
        state.SyokiY = 480;
        state.TenkiFlg = state.MusubuFlg = true;
    }

    core::Canvas paint(const Scale& s) const
    {
        core::Canvas canvas(s.at(core::kClientWidth), s.at(core::kClientHeight));
        core::paintWindowArea(canvas, {0, 0, canvas.width(), canvas.height()}, {tank, graph, true, &state, s});
        return canvas;
    }
};

// Where runs of `colour` start along a row (or a column) of the canvas, between two positions.
std::vector<int> runStarts(const core::Canvas& c, int fixed, int from, int to, Colour colour, bool alongRow)
{
    std::vector<int> starts;
    bool inside = false;
    for (int v = from; v < to; ++v) {
        const bool hit = (alongRow ? c.pixel(v, fixed) : c.pixel(fixed, v)) == colour;
        if (hit && !inside)
            starts.push_back(v);
        inside = hit;
    }
    return starts;
}

TEST_F(ScaledPaint, GridLinesAndGraphEdgesAreEvenlySpacedToOnePixel)
{
    for (const Scale& s : kScales) {
        SCOPED_TRACE(nameOf(s));
        const core::Canvas canvas = paint(s);
        const int left = s.at(graph.left);
        const int top = s.at(graph.top);
        const int right = s.at(graph.left + graph.width);
        const int bottom = s.at(graph.top + graph.height);
        // Between two lines of the grid, away from the records' red.
        const int row = s.at(graph.top + 487);
        const int column = s.at(graph.left + 12);
        for (const bool alongRow : {true, false}) {
            std::vector<int> edges = alongRow ? runStarts(canvas, row, left, right, clSilver, true)
                                              : runStarts(canvas, column, top, bottom, clSilver, false);
            ASSERT_EQ(edges.size(), 19u);
            edges.insert(edges.begin(), alongRow ? left : top);
            edges.push_back(alongRow ? right : bottom);
            std::vector<int> gaps;
            for (std::size_t i = 1; i < edges.size(); ++i)
                gaps.push_back(edges[i] - edges[i - 1]);
            const auto [smallest, largest] = std::minmax_element(gaps.begin(), gaps.end());
            EXPECT_LE(*largest - *smallest, 1) << (alongRow ? "columns" : "rows");
            // Each line is as wide as a scaled pen, and the graph's white starts at its mapped edge.
            const int first = edges[1];
            const int width = alongRow ? (int)runStarts(canvas, row, first, right, clWhite, true).front() - first
                                       : (int)runStarts(canvas, column, first, bottom, clWhite, false).front() - first;
            EXPECT_EQ(width, s.length(1));
        }
        EXPECT_EQ(canvas.pixel(left, row), clWhite);
        EXPECT_NE(canvas.pixel(left - 1, row), clWhite);
    }
}

TEST_F(ScaledPaint, EveryPixelHasOneOfTheDesignsColours)
{
    const Colour design[] = {clMoneyGreen, clBlack, clRed, clWhite, clSilver};
    for (const Scale& s : kScales) {
        SCOPED_TRACE(nameOf(s));
        const core::Canvas canvas = paint(s);
        int others = 0;
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x)
                others += std::find(std::begin(design), std::end(design), canvas.pixel(x, y)) == std::end(design);
        }
        EXPECT_EQ(others, 0);
    }
}

TEST_F(ScaledPaint, DotsAreCentredOnTheScaledPointsAndScaleTheirSide)
{
    state.MusubuFlg = false; // the dots alone in red
    for (const Scale& s : kScales) {
        SCOPED_TRACE(nameOf(s));
        sim::Bounds noLiveLine = graph;
        const core::Canvas canvas = [&] {
            core::Canvas c(s.at(core::kClientWidth), s.at(core::kClientHeight));
            core::paintWindowArea(c, {0, 0, c.width(), c.height()}, {tank, noLiveLine, false, &state, s});
            return c;
        }();
        for (int k = 1; k <= 3; ++k) {
            // The dot covers layout pixel Ten[k]; its centre is that pixel's centre, scaled.
            const double cx = (graph.left + state.Ten[k].x + 0.5) * s.factor();
            const double cy = (graph.top + state.Ten[k].y + 0.5) * s.factor();
            int minX = 1 << 20, maxX = -1, minY = 1 << 20, maxY = -1;
            for (int y = (int)cy - 8; y <= (int)cy + 8; ++y) {
                for (int x = (int)cx - 8; x <= (int)cx + 8; ++x) {
                    if (canvas.pixel(x, y) == clRed) {
                        minX = std::min(minX, x), maxX = std::max(maxX, x);
                        minY = std::min(minY, y), maxY = std::max(maxY, y);
                    }
                }
            }
            ASSERT_GE(maxX, 0) << "dot " << k;
            EXPECT_EQ(maxX - minX + 1, s.length(3)) << "dot " << k;
            EXPECT_EQ(maxY - minY + 1, s.length(3)) << "dot " << k;
            EXPECT_LE(std::abs((minX + maxX + 1) / 2.0 - cx), 1.0) << "dot " << k;
            EXPECT_LE(std::abs((minY + maxY + 1) / 2.0 - cy), 1.0) << "dot " << k;
        }
    }
}

// Items side by side in the layout, or sharing a border line, stay so at any scale, and the tank's
// walls still meet the tank.
TEST_F(ScaledPaint, WhatTouchesAtTheDesignsSizeStillTouches)
{
    // Side by side: one's edge is the other's. Sharing a line: they overlap by one pixel.
    const auto cross = [](int a0, int a1, int b0, int b1) { return std::max(a0, b0) < std::min(a1, b1); };
    const auto sideBySide = [&cross](const core::Rect& a, const core::Rect& b) {
        return ((a.right() == b.left || b.right() == a.left) && cross(a.top, a.bottom(), b.top, b.bottom()))
               || ((a.bottom() == b.top || b.bottom() == a.top) && cross(a.left, a.right(), b.left, b.right()));
    };
    const auto sharingALine = [&cross](const core::Rect& a, const core::Rect& b) {
        return cross(a.left, a.right(), b.left, b.right()) && cross(a.top, a.bottom(), b.top, b.bottom())
               && (std::min(a.right(), b.right()) - std::max(a.left, b.left) == 1
                   || std::min(a.bottom(), b.bottom()) - std::max(a.top, b.top) == 1);
    };
    // The shared line is where the two overlap at the new scale too, no wider and no narrower.
    const auto sameShare = [](const Scale& s, const core::Rect& a, const core::Rect& b) {
        const core::Rect mapped = s.rect(a.intersected(b));
        const core::Rect shared = s.rect(a).intersected(s.rect(b));
        return mapped.isEmpty() ? shared.isEmpty() : mapped == shared;
    };
    const auto rectOf = [](const sim::Bounds& b) { return core::Rect{b.left, b.top, b.width, b.height}; };
    for (const Scale& s : kScales) {
        SCOPED_TRACE(nameOf(s));
        int besides = 0;
        int sharing = 0;
        for (const core::ItemLayout& a : core::layout()) {
            for (const core::ItemLayout& b : core::layout()) {
                if (&a >= &b)
                    continue;
                const core::Rect ra = rectOf(a.bounds), rb = rectOf(b.bounds);
                if (sideBySide(ra, rb)) {
                    ++besides;
                    EXPECT_TRUE(sideBySide(s.rect(ra), s.rect(rb))) << a.name << " " << b.name;
                } else if (sharingALine(ra, rb)) {
                    ++sharing;
                    EXPECT_TRUE(sameShare(s, ra, rb)) << a.name << " " << b.name;
                }
            }
        }
        EXPECT_GT(besides + sharing, 10) << besides << " side by side, " << sharing << " sharing a line";

        // The wall's black reaches the tank's mapped edge, or lies just inside it under the tank.
        const core::Canvas canvas = paint(s);
        const int y = s.at(tank.top + tank.height / 2);
        const auto wallAt = [&canvas](int x0, int y0, int dx, int dy) {
            return canvas.pixel(x0, y0) == clBlack || canvas.pixel(x0 + dx, y0 + dy) == clBlack;
        };
        EXPECT_TRUE(wallAt(s.at(tank.left) - 1, y, 1, 0));
        EXPECT_TRUE(wallAt(s.at(tank.left + tank.width), y, -1, 0));
        EXPECT_TRUE(wallAt(s.at(tank.left + tank.width / 2), s.at(tank.top + tank.height), 0, -1));
    }
}

TEST(FitLesson, FillsTheSpaceCentredAtTheLargestScaleThatFits)
{
    struct Space {
        int width, height;
        double scale; // roughly
    };
    const Space spaces[] = {
        {1024, 768, 1.0},   // the design's screen
        {1920, 1053, 1.37}, // a projector's work area below a panel
        {1366, 657, 0.855}, // a Chromebook's browser window
        {390, 844, 0.38},   // a phone upright
        {844, 390, 0.508},  // and on its side
        {3840, 2160, 2.8125},
    };
    for (const Space& space : spaces) {
        SCOPED_TRACE(std::to_string(space.width) + "x" + std::to_string(space.height));
        const core::Stage stage = core::fitLesson(space.width, space.height);
        EXPECT_NEAR(stage.scale.factor(), space.scale, 0.005);
        EXPECT_EQ(stage.width, stage.scale.at(core::kClientWidth));
        EXPECT_EQ(stage.height, stage.scale.at(core::kClientHeight));
        // Inside, centred, and touching the space on the side that decides.
        EXPECT_TRUE(stage.left >= 0 && stage.top >= 0 && stage.left + stage.width <= space.width
                    && stage.top + stage.height <= space.height);
        EXPECT_LE(std::abs((space.width - stage.width - stage.left) - stage.left), 1);
        EXPECT_LE(std::abs((space.height - stage.height - stage.top) - stage.top), 1);
        EXPECT_TRUE(stage.width == space.width || stage.height == space.height);
    }
    EXPECT_EQ(core::fitLesson(1024, 768), core::actualSize());
    EXPECT_EQ(core::fitLesson(0, 768), core::actualSize());
}

} // namespace
