#pragma once

#include "colours.h"
#include "state.h"

#include <cstdint>
#include <span>
#include <vector>

namespace core {

// A rectangle of whole pixels: it covers the columns left to left + width - 1 and the rows top to
// top + height - 1.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    constexpr int right() const { return left + width; }  // first column past it
    constexpr int bottom() const { return top + height; } // first row past it
    constexpr bool isEmpty() const { return width <= 0 || height <= 0; }
    constexpr bool contains(int x, int y) const { return x >= left && x < right() && y >= top && y < bottom(); }
    Rect intersected(const Rect& other) const;
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// How a pixel lies in its 32-bit word. Xrgb is 0xFFRRGGBB (Qt's RGB32 image); Rgba puts the bytes
// R, G, B, A in memory order (a browser canvas's ImageData).
enum class PixelOrder { Xrgb, Rgba };

// A pixel buffer with the drawing rules of the window's painting. Drawing is limited to the clip
// (in buffer pixels) and placed relative to the origin, so the graph can be drawn in its own
// pixels and cut off at its edges.
class Canvas {
public:
    Canvas(int width, int height, PixelOrder order = PixelOrder::Xrgb);
    // A canvas over pixels it does not own (a window's back buffer), `stride` words from the start
    // of one row to the next. The pixels must outlive the canvas and are left as they are.
    static Canvas over(std::uint32_t* pixels, int width, int height, int stride, PixelOrder order = PixelOrder::Xrgb);

    // It points into its own buffer, so a copy would draw into the original's pixels.
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    Canvas(Canvas&&) noexcept = default;
    Canvas& operator=(Canvas&&) noexcept = default;

    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return stride_; } // in pixels
    PixelOrder order() const { return order_; }
    const std::uint32_t* pixels() const { return pixels_; }
    std::uint32_t* pixels() { return pixels_; }
    sim::Colour pixel(int x, int y) const; // in buffer pixels; black outside the buffer

    // The clip is always kept within the buffer.
    void setClip(const Rect& clip);
    Rect clip() const { return clip_; }
    void setOrigin(int x, int y);
    sim::Point origin() const { return {originX_, originY_}; }

    // Fills the rectangle (relative to the origin) with the colour.
    void fill(const Rect& rect, sim::Colour colour);
    void setPixel(int x, int y, sim::Colour colour); // relative to the origin, clipped
    // The pixels from (x, y) rightwards take the colours in turn; relative to the origin, clipped.
    void setRow(int x, int y, std::span<const sim::Colour> colours);

    // A line from `from` to `to`, relative to the origin.
    // Width 1: covers `from` and every pixel on the way, and stops one pixel short of `to`, for
    // every slope and direction; a line of length zero draws nothing.
    // Width 2 or more: the pixels whose centres lie within half the width of the segment, so the
    // line is centred on its path and has round ends; a line of length zero is a round dot. For an
    // odd width a point is the centre of its pixel; for an even width it is the pixel's top-left
    // corner, so the pixel's centre lies half a pixel right of and below it (Qt's way for such
    // pens). Widths above 256 draw as 256, and a line with an end more than 2^20 pixels from the
    // buffer's corner draws nothing.
    void line(sim::Point from, sim::Point to, sim::Colour colour, int width);

private:
    Canvas(std::uint32_t* pixels, int width, int height, int stride, PixelOrder order);
    std::uint32_t pack(sim::Colour colour) const;

    int width_;
    int height_;
    int stride_;
    PixelOrder order_;
    std::vector<std::uint32_t> owned_; // empty for a canvas over someone else's pixels
    std::uint32_t* pixels_;
    Rect clip_;
    int originX_ = 0;
    int originY_ = 0;
};

} // namespace core
