#include "artnumerals.h"

#include "artgeometry.h"

#include <algorithm>
#include <array>

namespace core::art {

namespace {

// Samples per pixel side at the design size.  256 samples give plenty of
// headroom over the 16 shades a pixel can take.
constexpr int kSamples = 16;
// Keeps each figure's ink a little inside its box, so the box's edge pixels
// are inked but none outside are.
constexpr double kInset = 0.15;

// Centre lines of the figures in a unit box, y growing downwards.  Every
// skeleton touches all four sides of the box, and its control points stay
// inside it, so the stroked figure fills its box exactly.
Path skeleton(int digit)
{
    constexpr double k = kQuarterArc;
    Path p;
    switch (digit) {
    case 0: {
        // A slightly squarish oval reads better than an ellipse at this size.
        const double q = 0.62;
        p.moveTo({0.5, 0});
        p.cubicTo({0.5 + 0.5 * q, 0}, {1, 0.5 - 0.5 * q}, {1, 0.5});
        p.cubicTo({1, 0.5 + 0.5 * q}, {0.5 + 0.5 * q, 1}, {0.5, 1});
        p.cubicTo({0.5 - 0.5 * q, 1}, {0, 0.5 + 0.5 * q}, {0, 0.5});
        p.cubicTo({0, 0.5 - 0.5 * q}, {0.5 - 0.5 * q, 0}, {0.5, 0});
        break;
    }
    case 1:
        p.moveTo({0, 0.3}).lineTo({1, 0}).lineTo({1, 1});
        break;
    case 2:
        p.moveTo({0.02, 0.28});
        p.cubicTo({0.02, 0.1}, {0.24, 0}, {0.5, 0});
        p.cubicTo({0.78, 0}, {1, 0.12}, {1, 0.3});
        p.cubicTo({1, 0.52}, {0.6, 0.66}, {0, 1});
        p.lineTo({1, 1});
        break;
    case 3:
        p.moveTo({0.04, 0.16});
        p.cubicTo({0.16, 0.04}, {0.3, 0}, {0.5, 0});
        p.cubicTo({0.76, 0}, {0.94, 0.1}, {0.94, 0.25});
        p.cubicTo({0.94, 0.4}, {0.72, 0.47}, {0.42, 0.47});
        p.cubicTo({0.76, 0.47}, {1, 0.56}, {1, 0.73});
        p.cubicTo({1, 0.9}, {0.78, 1}, {0.5, 1});
        p.cubicTo({0.28, 1}, {0.1, 0.94}, {0, 0.83});
        break;
    case 4:
        p.moveTo({0.74, 1}).lineTo({0.74, 0}).lineTo({0, 0.7}).lineTo({1, 0.7});
        break;
    case 5:
        p.moveTo({0.94, 0}).lineTo({0.14, 0}).lineTo({0.07, 0.45});
        p.cubicTo({0.2, 0.39}, {0.34, 0.36}, {0.5, 0.36});
        p.cubicTo({0.8, 0.36}, {1, 0.5}, {1, 0.68});
        p.cubicTo({1, 0.88}, {0.78, 1}, {0.5, 1});
        p.cubicTo({0.28, 1}, {0.1, 0.94}, {0, 0.84});
        break;
    case 6:
        p.moveTo({0.92, 0.1});
        p.cubicTo({0.82, 0.03}, {0.68, 0}, {0.54, 0});
        p.cubicTo({0.2, 0}, {0, 0.3}, {0, 0.66});
        p.cubicTo({0, 0.88}, {0.22, 1}, {0.5, 1});
        p.cubicTo({0.5 + 0.5 * k, 1}, {1, 0.84 + 0.16 * k}, {1, 0.68});
        p.cubicTo({1, 0.5}, {0.78, 0.37}, {0.5, 0.37});
        p.cubicTo({0.24, 0.37}, {0.04, 0.5}, {0, 0.66});
        break;
    case 7:
        p.moveTo({0, 0}).lineTo({1, 0});
        p.cubicTo({0.74, 0.3}, {0.46, 0.62}, {0.36, 1});
        break;
    case 8:
        p = Path::ellipse({0.5, 0.235}, 0.41, 0.235);
        p.append(Path::ellipse({0.5, 0.72}, 0.5, 0.28));
        break;
    case 9:
        // A six turned half a turn.
        p = skeleton(6).mapped(-1, 1, -1, 1);
        break;
    default:
        break;
    }
    return p;
}

// Places a figure's skeleton so that the stroked ink spans its box, less the
// inset on every side.
Path placed(const FigureBox& box, double strokeWidth)
{
    const double r = strokeWidth / 2;
    const double x0 = box.left + kInset + r;
    const double x1 = box.right + 1 - kInset - r;
    const double y0 = box.top + kInset + r;
    const double y1 = box.bottom + 1 - kInset - r;
    return skeleton(box.digit).mapped(x1 - x0, x0, y1 - y0, y0);
}

ScaleNumber number(int value, std::initializer_list<FigureBox> figures)
{
    return {value, figures};
}

} // namespace

ScaleLayout verticalScaleLayout()
{
    // Row of each number's top, for 20 down to 0: a pitch of 21 rows with 20
    // after "15", "8" and "2", which puts the centre of each number a little
    // above the long tick it labels once the strip is stretched to 529 rows.
    constexpr std::array<int, 21> kTops = {5,   26,  47,  68,  89,  110, 130, 151, 172, 193, 214,
                                           235, 255, 276, 297, 318, 339, 360, 380, 401, 422};
    // Figures are set in 10-pixel cells, right-aligned to the strip's edge;
    // the ink sits at the right of the cell except for the narrow "1".
    const auto figure = [](int digit, int cell, int top) {
        const int base = cell * 10;
        int left = base + 2;
        int right = base + 9;
        if (digit == 1) {
            right = base + 7;
        } else if (digit == 4) {
            left = base + 1;
        }
        return FigureBox{digit, left, right, top, top + 9};
    };
    ScaleLayout layout{20, 439, 2.1, {}};
    for (int value = 20; value >= 0; --value) {
        const int top = kTops[static_cast<std::size_t>(20 - value)];
        ScaleNumber n{value, {}};
        if (value >= 10) {
            n.figures.push_back(figure(value / 10, 0, top));
        }
        n.figures.push_back(figure(value % 10, 1, top));
        layout.numbers.push_back(n);
    }
    return layout;
}

ScaleLayout horizontalScaleLayout()
{
    // Each number is centred on 6.5 + 21.125 * value; the widths of the
    // figures vary by a pixel with where they fall on the pixel grid.
    constexpr int t = 2;
    constexpr int b = 15;
    ScaleLayout layout{439, 20, 1.45, {}};
    layout.numbers = {
        number(0, {{0, 3, 9, t, b}}),
        number(1, {{1, 25, 28, t, b}}),
        number(2, {{2, 46, 51, t, b}}),
        number(3, {{3, 67, 72, t, b}}),
        number(4, {{4, 88, 94, t, b}}),
        number(5, {{5, 109, 115, t, b}}),
        number(6, {{6, 131, 136, t, b}}),
        number(7, {{7, 152, 157, t, b}}),
        number(8, {{8, 173, 179, t, b}}),
        number(9, {{9, 195, 200, t, b}}),
        number(10, {{1, 210, 213, t, b}, {0, 216, 222, t, b}}),
        number(11, {{1, 231, 234, t, b}, {1, 238, 241, t, b}}),
        number(12, {{1, 252, 255, t, b}, {2, 258, 264, t, b}}),
        number(13, {{1, 274, 277, t, b}, {3, 280, 285, t, b}}),
        number(14, {{1, 295, 298, t, b}, {4, 301, 307, t, b}}),
        number(15, {{1, 316, 319, t, b}, {5, 322, 328, t, b}}),
        number(16, {{1, 338, 341, t, b}, {6, 344, 349, t, b}}),
        number(17, {{1, 359, 362, t, b}, {7, 365, 370, t, b}}),
        number(18, {{1, 380, 383, t, b}, {8, 386, 392, t, b}}),
        number(19, {{1, 401, 404, t, b}, {9, 407, 413, t, b}}),
        number(20, {{2, 422, 427, t, b}, {0, 430, 435, t, b}}),
    };
    return layout;
}

ScaleLayout scaledLayout(const ScaleLayout& layout, int width, int height)
{
    if (layout.width <= 0 || layout.height <= 0 || width <= 0 || height <= 0) {
        return {width, height, 0, {}};
    }
    // A pixel edge e of the design lies at e * target / design, rounded.
    const auto edge = [](int e, std::int64_t design, std::int64_t target) {
        return static_cast<int>((2 * e * target + design) / (2 * design));
    };
    ScaleLayout scaled = layout;
    scaled.width = width;
    scaled.height = height;
    scaled.strokeWidth =
        layout.strokeWidth
        * std::min(static_cast<double>(width) / layout.width, static_cast<double>(height) / layout.height);
    for (ScaleNumber& n : scaled.numbers) {
        for (FigureBox& box : n.figures) {
            box.left = edge(box.left, layout.width, width);
            box.right = edge(box.right + 1, layout.width, width) - 1;
            box.top = edge(box.top, layout.height, height);
            box.bottom = edge(box.bottom + 1, layout.height, height) - 1;
        }
    }
    return scaled;
}

Picture drawScale(const ScaleLayout& layout, int width, int height)
{
    if (!isDrawableSize(width, height)) {
        return {};
    }
    const ScaleLayout scaled = scaledLayout(layout, width, height);
    const int n = samplesPerSide(kSamples, layout.width, layout.height, width, height);
    Picture picture{width, height, {}};
    picture.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const int total = n * n;
    std::vector<int> counts(2, 0);
    const int band = bandPixelRows(width, n);
    SampleGrid grid(width, n, 0, 0, 0);
    for (int top = 0; top < height; top += band) {
        const int bottom = std::min(height, top + band);
        grid.reset(top * n, (bottom - top) * n, 0);
        for (const ScaleNumber& number : scaled.numbers) {
            for (const FigureBox& box : number.figures) {
                // Only figures whose ink may reach the band's rows; a box too
                // small for the stroke lets the ink out by up to its width.
                if (box.top - scaled.strokeWidth < bottom && box.bottom + 1 + scaled.strokeWidth > top) {
                    grid.stroke(placed(box, scaled.strokeWidth), scaled.strokeWidth, 1);
                }
            }
        }
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < width; ++x) {
                grid.countPixel(x, y, counts);
                // Ink in fifteenths, rounded; the pixel keeps (15 - ink) / 15
                // of the background, so only sixteen colours can occur.
                const int ink = (counts[1] * 15 + total / 2) / total;
                const int keep = 15 - ink;
                const auto shade = [keep](std::uint8_t v) {
                    return static_cast<std::uint8_t>((2 * v * keep + 15) / 30);
                };
                picture.pixels.push_back(
                    {shade(kScaleBackground.r), shade(kScaleBackground.g), shade(kScaleBackground.b)});
            }
        }
    }
    return picture;
}

bool inkMatchesLayout(const Picture& picture, const ScaleLayout& layout, std::string& problem)
{
    if (picture.width != layout.width || picture.height != layout.height) {
        problem = "the picture is not the layout's size";
        return false;
    }
    const auto inked = [&picture](int x, int y) { return !(picture.at(x, y) == kScaleBackground); };
    std::vector<bool> claimed(picture.pixels.size(), false);
    for (const ScaleNumber& n : layout.numbers) {
        for (const FigureBox& box : n.figures) {
            const std::string name = "figure " + std::to_string(box.digit) + " of " + std::to_string(n.value);
            if (box.left < 0 || box.top < 0 || box.right >= picture.width || box.bottom >= picture.height) {
                problem = name + " has its box outside the picture";
                return false;
            }
            bool leftInked = false, rightInked = false, topInked = false, bottomInked = false;
            for (int y = box.top; y <= box.bottom; ++y) {
                for (int x = box.left; x <= box.right; ++x) {
                    claimed[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width)
                            + static_cast<std::size_t>(x)] = true;
                    if (inked(x, y)) {
                        leftInked |= x == box.left;
                        rightInked |= x == box.right;
                        topInked |= y == box.top;
                        bottomInked |= y == box.bottom;
                    }
                }
            }
            if (!(leftInked && rightInked && topInked && bottomInked)) {
                problem = name + " does not reach all sides of its box";
                return false;
            }
        }
    }
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (inked(x, y)
                && !claimed[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width)
                            + static_cast<std::size_t>(x)]) {
                problem = "ink outside every figure at " + std::to_string(x) + "," + std::to_string(y);
                return false;
            }
        }
    }
    return true;
}

} // namespace core::art
