#include "canvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace {

using core::Rect;
using sim::Point;
using Pixels = std::set<std::pair<int, int>>;

Pixels block(int left, int top, int right, int bottom) // inclusive
{
    Pixels found;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x)
            found.insert({x, y});
    }
    return found;
}

Pixels inked(const core::Canvas& canvas)
{
    Pixels found;
    for (const auto& [x, y] : block(0, 0, canvas.width() - 1, canvas.height() - 1)) {
        if (canvas.pixel(x, y) != sim::clWhite)
            found.insert({x, y});
    }
    return found;
}

// Swapped across the diagonal ('t'), or mirrored left to right ('x') or top to bottom ('y').
Pixels mapped(const Pixels& pixels, char how)
{
    Pixels found;
    for (const auto& [x, y] : pixels)
        found.insert(how == 't' ? std::pair{y, x} : how == 'x' ? std::pair{40 - x, y} : std::pair{x, 40 - y});
    return found;
}

Pixels drawn(Point from, Point to, int width, const Rect& clip = {0, 0, 41, 41})
{
    core::Canvas canvas(41, 41);
    canvas.fill({0, 0, 41, 41}, sim::clWhite);
    canvas.setClip(clip);
    canvas.line(from, to, sim::clRed, width);
    return inked(canvas);
}

TEST(CanvasLine, ThinLinesCoverTheStartAndStopShortOfTheEndInEveryDirection)
{
    EXPECT_TRUE(drawn({5, 5}, {5, 5}, 1).empty());
    const Point a{20, 20};
    // Every octant both ways, the axes, the diagonals, exact half-way cases and long flat ones.
    for (const Point d :
         {Point{7, 3}, {3, 7}, {-3, 7}, {-7, 3},  {-7, -3}, {-3, -7}, {3, -7},  {7, -3}, {9, 0},   {-9, 0}, {0, 9},
          {0, -9},     {5, 5}, {-5, 5}, {-5, -5}, {5, -5},  {4, 2},   {-2, -4}, {17, 1}, {1, -17}, {1, 1}}) {
        SCOPED_TRACE(testing::Message() << "delta " << d.x << "," << d.y);
        const Point b{a.x + d.x, a.y + d.y};
        const Pixels thin = drawn(a, b, 1);
        const bool xMajor = std::abs(d.x) >= std::abs(d.y);
        const int n = std::max(std::abs(d.x), std::abs(d.y));
        EXPECT_TRUE(thin.contains({a.x, a.y}));
        EXPECT_FALSE(thin.contains({b.x, b.y}));
        // One pixel at each step of the major axis, within a pixel of the ideal line, touching
        // the one before.
        std::map<int, int> minorAtStep;
        for (const auto& [x, y] : thin) {
            const int k = std::abs(xMajor ? x - a.x : y - a.y);
            const int minor = xMajor ? y - a.y : x - a.x;
            EXPECT_LT(std::abs(minor * n - k * (xMajor ? d.y : d.x)), n) << x << "," << y;
            minorAtStep[k] = minor;
        }
        ASSERT_EQ(thin.size(), static_cast<std::size_t>(n));
        ASSERT_EQ(minorAtStep.size(), static_cast<std::size_t>(n));
        for (int k = 1; k < n; ++k)
            EXPECT_LE(std::abs(minorAtStep[k] - minorAtStep[k - 1]), 1) << "gap at step " << k;
        // One rule for steep and flat lines, and both ways along the major axis.
        EXPECT_EQ(drawn({a.y, a.x}, {b.y, b.x}, 1), mapped(thin, 't'));
        const auto flip = [&](Point p) { return xMajor ? Point{40 - p.x, p.y} : Point{p.x, 40 - p.y}; };
        EXPECT_EQ(drawn(flip(a), flip(b), 1), mapped(thin, xMajor ? 'x' : 'y'));
        // Wide lines do not depend on their direction.
        EXPECT_EQ(drawn(a, b, 2), drawn(b, a, 2));
        EXPECT_EQ(drawn(a, b, 3), drawn(b, a, 3));
    }
}

TEST(CanvasLine, KnownPixels)
{
    struct Case {
        Point from, to;
        int width;
        Pixels expected;
    };
    Pixels widthFive = block(8, 9, 16, 11);
    widthFive.merge(block(9, 8, 15, 8));
    widthFive.merge(block(9, 12, 15, 12));
    const Case cases[] = {
        // Rightward flat lines as Qt's raster engine drew them on the desktop: the graph must not
        // change its look when the desktop shows the canvas instead.
        {{0, 3}, {10, 0}, 1, {{0, 3}, {1, 2}, {2, 2}, {3, 2}, {4, 1}, {5, 1}, {6, 1}, {7, 0}, {8, 0}, {9, 0}}},
        {{0, 0}, {7, 2}, 1, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1}, {5, 1}, {6, 1}}},
        {{0, 0}, {4, 2}, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {{0, 2}, {4, 0}, 1, {{0, 2}, {1, 1}, {2, 1}, {3, 0}}},
        // Wide lines centred on their path with round ends.
        {{2, 5}, {10, 5}, 2, block(1, 4, 10, 5)},
        {{10, 5}, {2, 5}, 2, block(1, 4, 10, 5)},
        {{5, 2}, {5, 10}, 2, block(4, 1, 5, 10)},
        {{5, 10}, {5, 2}, 2, block(4, 1, 5, 10)},
        // Width 5 along a row and a column: the ends round off where 1 + 2^2 > 2^2 + 2.
        {{14, 10}, {10, 10}, 5, widthFive},
        {{10, 10}, {10, 14}, 5, mapped(widthFive, 't')},
        {{5, 5}, {5, 5}, 3, block(4, 4, 6, 6)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(drawn(c.from, c.to, c.width), c.expected) << c.from.x << "," << c.from.y << " width " << c.width;
}

TEST(CanvasClip, DrawingIsCutAtTheClipAndPlacedByTheOrigin)
{
    core::Canvas canvas(20, 10);
    canvas.setClip({-5, -5, 10, 30});
    EXPECT_EQ(canvas.clip(), (Rect{0, 0, 5, 10}));
    canvas.setClip({0, 0, 20, 10});
    canvas.fill({0, 0, 20, 10}, sim::clWhite);
    canvas.setOrigin(7, 3);
    canvas.setClip({0, 0, 12, 6});
    canvas.fill({-1, -2, 3, 6}, sim::clRed);      // the right edge left out, cut at row 6
    canvas.setPixel(-7, -3, sim::clRed);          // the buffer's corner
    canvas.line({2, -3}, {9, -3}, sim::clRed, 1); // cut at column 12
    Pixels expected = block(6, 1, 8, 5);
    expected.merge(block(9, 0, 11, 0));
    expected.insert({0, 0});
    EXPECT_EQ(inked(canvas), expected);

    // A clipped line is the whole line cut: clipping moves no pixel.
    const Rect clip{10, 12, 15, 11};
    for (const int width : {1, 2, 3}) {
        for (const auto& [from, to] : {std::pair<Point, Point>{{0, 0}, {40, 33}},
                                       {{40, 33}, {0, 0}},
                                       {{3, 30}, {37, 2}},
                                       {{17, 0}, {19, 40}},
                                       {{12, 40}, {12, 0}},
                                       {{9, 11}, {9, 11}},
                                       {{-100000, 14}, {100000, 20}}}) {
            Pixels expected;
            for (const auto& [x, y] : drawn(from, to, width)) {
                if (clip.contains(x, y))
                    expected.insert({x, y});
            }
            EXPECT_EQ(drawn(from, to, width, clip), expected) << from.x << "," << from.y << " width " << width;
        }
    }
}

TEST(CanvasPixels, PackingFollowsThePixelOrder)
{
    const sim::Colour colour{0x12, 0x34, 0x56};
    core::Canvas xrgb(1, 1, core::PixelOrder::Xrgb);
    core::Canvas rgba(1, 1, core::PixelOrder::Rgba);
    xrgb.fill({0, 0, 1, 1}, colour);
    rgba.fill({0, 0, 1, 1}, colour);
    EXPECT_EQ(xrgb.pixels()[0], 0xFF123456u);
    const unsigned char expected[4] = {0x12, 0x34, 0x56, 0xFF};
    EXPECT_EQ(std::memcmp(rgba.pixels(), expected, 4), 0);
    EXPECT_TRUE(xrgb.pixel(0, 0) == colour && rgba.pixel(0, 0) == colour);
    EXPECT_EQ(rgba.pixel(1, 0), sim::clBlack) << "outside the buffer";
}

TEST(CanvasPixels, ACanvasOverForeignPixelsKeepsToItsOwnRectangle)
{
    constexpr std::uint32_t kUntouched = 0x11223344u;
    constexpr int kStride = 10;
    std::vector<std::uint32_t> memory(kStride * 5, kUntouched);
    // 5 by 3 pixels from column 2 of row 1.
    core::Canvas view = core::Canvas::over(memory.data() + kStride + 2, 5, 3, kStride);
    view.fill({-4, -4, 20, 20}, sim::clWhite);
    view.line({0, 2}, {9, 2}, sim::clRed, 1);
    const sim::Colour row[] = {sim::clRed, sim::clRed, sim::clRed, sim::clRed};
    view.setRow(3, 0, row);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < kStride; ++x) {
            const bool inside = x >= 2 && x < 7 && y >= 1 && y < 4;
            const bool red = y == 3 || (y == 1 && x >= 5);
            const std::uint32_t expected = !inside ? kUntouched : red ? 0xFFFF0000u : 0xFFFFFFFFu;
            EXPECT_EQ(memory[static_cast<std::size_t>(y * kStride + x)], expected) << x << "," << y;
        }
    }
    EXPECT_EQ(view.pixel(4, 2), sim::clRed);
    // Rows that would overlap, or no pixels, make a canvas that draws nothing.
    EXPECT_EQ(core::Canvas::over(memory.data(), kStride + 1, 2, kStride).width(), 0);
    EXPECT_EQ(core::Canvas::over(nullptr, 4, 4, 4).height(), 0);
}

} // namespace
