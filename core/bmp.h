#pragma once

#include "canvas.h"
#include "colours.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace core {

// A decoded picture, rows from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<sim::Colour> pixels;

    sim::Colour at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Reads the kinds of BMP the program's pictures come in: 24 bits a pixel, 16 or 32 bits with bit
// fields (16 bits without them are 5-5-5), and 1, 4 or 8 bits with a palette. A channel of n bits
// reads as v * 256 / 2^n, the desktop's reading, so a 5-bit 31 is 248 and not 255. Anything else
// gives false.
bool decodeBmp(std::span<const std::uint8_t> bytes, Picture& picture);

struct PictureSize {
    int width = 0;
    int height = 0;
};

// The size decodeBmp would give, or nothing where it would give false. Reads only the headers.
std::optional<PictureSize> bmpSize(std::span<const std::uint8_t> bytes);

// The picture in `bytes` stretched over `to` as drawStretched stretches it, read straight from the
// bytes: only the rows the canvas's clip lets through are read, and no decoded copy is kept.
// False, drawing nothing, where decodeBmp would give false.
bool drawBmpStretched(Canvas& canvas, std::span<const std::uint8_t> bytes, const Rect& to);

// The picture stretched over `to` by nearest neighbour: column x of the target shows source column
// floor(x * source width / target width), and rows likewise, so the rows and columns that repeat
// are those the desktop repeats.
void drawStretched(Canvas& canvas, const Picture& picture, const Rect& to);

} // namespace core
