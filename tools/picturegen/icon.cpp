#include "icon.h"

#include "artgeometry.h"

#include <array>

namespace picturegen {

namespace {

using core::art::Path;
using core::art::Pt;
using core::art::SampleGrid;

enum Ink : std::uint8_t {
    Frame,
    Green,
    Black,
    Paper,
    GridLine,
    Cream,
    Olive,
    Water,
    WaterLight,
    Glass,
    Red,
    DarkRed,
    Grey,
    Spare13,
    Spare14,
    Spare15,
};

constexpr std::array<Rgb, 16> kPalette = {{
    {72, 120, 72},   // Frame
    {192, 220, 192}, // Green, the window's colour
    {0, 0, 0},       // Black
    {255, 255, 255}, // Paper
    {200, 216, 232}, // GridLine
    {247, 230, 140}, // Cream, the tap's colour
    {140, 120, 48},  // Olive
    {32, 96, 224},   // Water
    {120, 176, 248}, // WaterLight
    {228, 240, 244}, // Glass
    {224, 24, 24},   // Red
    {128, 0, 0},     // DarkRed
    {128, 128, 128}, // Grey
    {192, 192, 192}, // spare entries keep the table at its full sixteen
    {96, 96, 96},
    {255, 255, 255},
}};

// The drawing in icon pixels; `scale` maps them onto the grid.
void drawIcon(SampleGrid& g, double scale)
{
    const auto at = [scale](const Path& p) { return p.mapped(scale, 0, scale, 0); };
    const auto box = [&](double x0, double y0, double x1, double y1, Ink ink) {
        g.fill(at(Path::rect(x0, y0, x1, y1)), ink);
    };
    const auto line = [&](Pt a, Pt b, double width, Ink ink) {
        Path p;
        p.moveTo(a).lineTo(b);
        g.stroke(at(p), width * scale, ink);
    };

    box(0, 0, 32, 32, Frame);
    box(1, 1, 31, 31, Green);

    // Graph paper with a light grid, the axes, and the rising line.
    box(14, 3, 30, 29, Grey);
    box(15, 4, 29, 28, Paper);
    for (int i = 0; i < 3; ++i) {
        box(15, 7 + 7 * i, 29, 8 + 7 * i, GridLine);
        box(19 + 4 * i, 4, 20 + 4 * i, 28, GridLine);
    }
    box(16, 5, 17, 27, Black);
    box(16, 26, 28, 27, Black);
    line({17.5, 25.5}, {27.5, 6.5}, 2.2, Red);

    // Tank, filled to the level the line has reached.
    box(2, 15, 13, 30, Black);
    box(3, 15, 12, 29, Glass);
    box(3, 21, 12, 29, Water);
    box(3, 21, 12, 22, WaterLight);

    // Water falling from the nozzle.
    box(8, 14, 10, 21, Water);
    box(8, 14, 9, 21, WaterLight);

    // The tap: pipe, spout and cross handle, outlined in black.
    box(0, 6, 11, 11, Black);
    box(7, 6, 12, 14, Black);
    box(1, 7, 10, 10, Cream);
    box(8, 7, 11, 12, Cream);
    box(10, 10, 11, 12, Olive);
    box(4, 3, 7, 6, Black);
    box(2, 1, 9, 4, Black);
    box(3, 2, 8, 3, Cream);
    box(5, 3, 6, 6, Cream);
}

} // namespace

Image4 renderIcon()
{
    constexpr int samples = 4;
    SampleGrid grid(kIconSize, kIconSize, samples, Green);
    drawIcon(grid, 1.0);

    Image4 image{kIconSize, kIconSize, kPalette, {}};
    std::vector<int> counts(kPalette.size(), 0);
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            grid.countPixel(x, y, counts);
            // Crisp pixel art: each pixel takes the ink covering most of it.
            std::size_t best = 0;
            for (std::size_t i = 1; i < counts.size(); ++i) {
                if (counts[i] > counts[best]) {
                    best = i;
                }
            }
            image.pixels.push_back(static_cast<std::uint8_t>(best));
        }
    }
    return image;
}

Image24 renderIconLarge(int size)
{
    constexpr int samples = 4;
    SampleGrid grid(size, size, samples, Green);
    drawIcon(grid, static_cast<double>(size) / kIconSize);

    Image24 image{size, size, {}};
    std::vector<int> counts(kPalette.size(), 0);
    constexpr int total = samples * samples;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            grid.countPixel(x, y, counts);
            int r = 0, g = 0, b = 0;
            for (std::size_t i = 0; i < counts.size(); ++i) {
                r += counts[i] * kPalette[i].r;
                g += counts[i] * kPalette[i].g;
                b += counts[i] * kPalette[i].b;
            }
            const auto average = [](int sum) { return static_cast<std::uint8_t>((sum + total / 2) / total); };
            image.pixels.push_back({average(r), average(g), average(b)});
        }
    }
    return image;
}

} // namespace picturegen
