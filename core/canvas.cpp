#include "canvas.h"

#include <algorithm>
#include <cstring>

namespace core {

namespace {

using i64 = std::int64_t;

// Far beyond any screen, yet small enough that every product below fits in 64 bits: doubled
// coordinates and differences stay under 2^23, cross products under 2^46, and the squared
// width times the squared length under 2^62.
constexpr i64 kCoordinateLimit = i64{1} << 20;
constexpr int kMaxWidth = 256;

i64 floorDiv(i64 a, i64 b) // b > 0
{
    const i64 q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

i64 ceilDiv(i64 a, i64 b) // b > 0
{
    return -floorDiv(-a, b);
}

// The largest r with r * r <= n.
i64 isqrt(i64 n)
{
    std::uint64_t rest = static_cast<std::uint64_t>(n);
    std::uint64_t root = 0;
    std::uint64_t bit = std::uint64_t{1} << 62;
    while (bit > rest)
        bit >>= 2;
    while (bit != 0) {
        if (rest >= root + bit) {
            rest -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return static_cast<i64>(root);
}

// The pixels a drawing call may write: the clip in buffer pixels, one packed colour.
struct Target {
    std::uint32_t* pixels;
    int stride;
    Rect clip;
    std::uint32_t word;

    void row(i64 y, i64 from, i64 to) const // columns from..to inclusive, already clipped
    {
        // In blocks of a fixed size, which compilers turn into wide stores even at -O2; a plain
        // loop of unknown length stays one pixel per store, and the graph's white ground alone
        // then took 70 of the 200 microseconds a whole repaint may cost.
        const std::uint32_t value = word;
        std::uint32_t* p = pixels + y * stride + from;
        std::uint32_t* const end = p + (to - from + 1);
        constexpr int kBlock = 8;
        for (; end - p >= kBlock; p += kBlock) {
            for (int i = 0; i < kBlock; ++i)
                p[i] = value;
        }
        for (; p < end; ++p)
            *p = value;
    }
    void put(i64 x, i64 y) const { pixels[y * stride + x] = word; }
};

// One pixel per step of the major axis, from the start up to the end exclusive. The minor
// offset at step k is ceil((2k + g) m / 2n) - g, where g is 1 when the minor coordinate grows
// and 0 when it shrinks. For lines running right that is the pixel Qt's raster engine picks
// (less the error of its 16.16 slope): it samples the line in the middle of the step when the
// line runs down, at the start of the step when it runs up, and the desktop's graph must not
// change under the learner's eyes. Steep and leftward lines take the same rule with the axes
// swapped or mirrored, so that every direction covers its start.
void thinLine(const Target& t, i64 x0, i64 y0, i64 x1, i64 y1)
{
    const Rect& c = t.clip;
    if (std::max(x0, x1) < c.left || std::min(x0, x1) >= c.right() || std::max(y0, y1) < c.top
        || std::min(y0, y1) >= c.bottom())
        return;

    const i64 dx = x1 - x0;
    const i64 dy = y1 - y0;
    if (dy == 0) {
        const i64 from = std::max<i64>(dx > 0 ? x0 : x1 + 1, c.left);
        const i64 to = std::min<i64>(dx > 0 ? x1 - 1 : x0, c.right() - 1);
        if (from <= to)
            t.row(y0, from, to);
        return;
    }
    if (dx == 0) {
        const i64 from = std::max<i64>(dy > 0 ? y0 : y1 + 1, c.top);
        const i64 to = std::min<i64>(dy > 0 ? y1 - 1 : y0, c.bottom() - 1);
        for (i64 y = from; y <= to; ++y)
            t.put(x0, y);
        return;
    }

    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const i64 a0 = xMajor ? x0 : y0;
    const i64 b0 = xMajor ? y0 : x0;
    const i64 da = xMajor ? dx : dy;
    const i64 db = xMajor ? dy : dx;
    const i64 sa = da > 0 ? 1 : -1;
    const i64 sb = db > 0 ? 1 : -1;
    const i64 n = da * sa;
    const i64 m = db * sb;
    const i64 g = db > 0 ? 1 : 0;
    const i64 aLow = xMajor ? c.left : c.top;
    const i64 aHigh = xMajor ? c.right() : c.bottom(); // exclusive
    const i64 bLow = xMajor ? c.top : c.left;
    const i64 bHigh = xMajor ? c.bottom() : c.right();

    // Only the steps whose major coordinate lies inside the clip.
    const i64 kFirst = std::max<i64>(0, sa > 0 ? aLow - a0 : a0 - (aHigh - 1));
    const i64 kLast = std::min<i64>(n - 1, sa > 0 ? aHigh - 1 - a0 : a0 - aLow);

    const i64 den = 2 * n;
    const i64 numerator = 2 * kFirst * m + g * m + den - 1; // ceil as floor
    i64 offset = numerator / den - g;
    i64 rest = numerator % den;
    for (i64 k = kFirst; k <= kLast; ++k) {
        const i64 b = b0 + sb * offset;
        if (b >= bLow && b < bHigh) {
            const i64 a = a0 + sa * k;
            if (xMajor)
                t.put(a, b);
            else
                t.put(b, a);
        } else if ((sb > 0) == (b >= bHigh)) {
            return; // gone past the clip for good
        }
        rest += 2 * m;
        if (rest >= den) {
            rest -= den;
            ++offset;
        }
    }
}

// A capsule in doubled coordinates, where every sample point and end is an integer.
class Capsule {
public:
    Capsule(i64 x0, i64 y0, i64 x1, i64 y1, int width)
        : ax_(2 * x0)
        , ay_(2 * y0)
        , bx_(2 * x1)
        , by_(2 * y1)
        , e_(width % 2 == 0 ? 1 : 0)
        , r2_(i64{width} * width)
        , dx_(bx_ - ax_)
        , dy_(by_ - ay_)
        , length2_(dx_ * dx_ + dy_ * dy_)
        , crossLimit_(isqrt(r2_ * length2_))
        , radius_(width)
    {
    }

    // Pixel (i, j) is covered when its sample point lies within the radius, boundary included.
    bool covers(i64 i, i64 j) const
    {
        const i64 px = 2 * i + e_ - ax_;
        const i64 py = 2 * j + e_ - ay_;
        const i64 along = px * dx_ + py * dy_;
        if (along <= 0)
            return px * px + py * py <= r2_;
        if (along >= length2_) {
            const i64 qx = px - dx_;
            const i64 qy = py - dy_;
            return qx * qx + qy * qy <= r2_;
        }
        // cross^2 <= r^2 L, and for an integer cross that is |cross| <= isqrt(r^2 L).
        const i64 cross = px * dy_ - py * dx_;
        return (cross < 0 ? -cross : cross) <= crossLimit_;
    }

    // The pixels that can be covered at all.
    i64 firstColumn() const { return ceilDiv(std::min(ax_, bx_) - radius_ - e_, 2); }
    i64 lastColumn() const { return floorDiv(std::max(ax_, bx_) + radius_ - e_, 2); }
    i64 firstRow() const { return ceilDiv(std::min(ay_, by_) - radius_ - e_, 2); }
    i64 lastRow() const { return floorDiv(std::max(ay_, by_) + radius_ - e_, 2); }

    // The column at or just left of the row's closest approach to the segment. If any pixel of
    // the row is covered, this one is: on a row that crosses the segment it lies less than a pixel
    // from the crossing, and the radius is at least a pixel; on a row past the ends no sample
    // comes nearer the nearer end. The covered columns then spread from it both ways.
    i64 nearestColumn(i64 j) const
    {
        const i64 sy = 2 * j + e_;
        if (dy_ == 0 || (sy - ay_) * (sy - by_) > 0) {
            const i64 x = (sy < std::min(ay_, by_)) == (ay_ < by_) ? ax_ : bx_;
            return floorDiv(x - e_, 2);
        }
        // x = ax + (sy - ay) dx / dy, then (x - e) / 2.
        const i64 sign = dy_ > 0 ? 1 : -1;
        return floorDiv(sign * ((ax_ - e_) * dy_ + (sy - ay_) * dx_), 2 * dy_ * sign);
    }

private:
    i64 ax_, ay_, bx_, by_;
    i64 e_; // 1 for even widths, whose pixels sample half a pixel right of and below their point
    i64 r2_;
    i64 dx_, dy_, length2_, crossLimit_;
    i64 radius_;
};

// The last covered column walking from `inside` (covered) towards `limit` by `step`: gallop,
// then halve, so long rows cost a few tests rather than one per pixel.
i64 spanEnd(const Capsule& capsule, i64 j, i64 inside, i64 limit, i64 step)
{
    i64 good = inside;
    i64 reach = 1;
    i64 bad = limit + step; // past the limit counts as uncovered
    while (true) {
        const i64 probe = inside + step * reach;
        if ((probe - limit) * step > 0)
            break;
        if (!capsule.covers(probe, j)) {
            bad = probe;
            break;
        }
        good = probe;
        reach *= 2;
    }
    while ((bad - good) * step > 1) {
        const i64 middle = good + (bad - good) / 2;
        if (capsule.covers(middle, j))
            good = middle;
        else
            bad = middle;
    }
    return good;
}

void wideLine(const Target& t, i64 x0, i64 y0, i64 x1, i64 y1, int width)
{
    const Capsule capsule(x0, y0, x1, y1, width);
    const Rect& c = t.clip;
    const i64 left = capsule.firstColumn();
    const i64 right = capsule.lastColumn();
    if (right < c.left || left >= c.right())
        return;
    const i64 top = std::max<i64>(capsule.firstRow(), c.top);
    const i64 bottom = std::min<i64>(capsule.lastRow(), c.bottom() - 1);
    for (i64 j = top; j <= bottom; ++j) {
        const i64 seed = capsule.nearestColumn(j);
        if (!capsule.covers(seed, j))
            continue;
        const i64 from = std::max<i64>(spanEnd(capsule, j, seed, left, -1), c.left);
        const i64 to = std::min<i64>(spanEnd(capsule, j, seed, right, 1), c.right() - 1);
        if (from <= to)
            t.row(j, from, to);
    }
}

} // namespace

Rect Rect::intersected(const Rect& other) const
{
    const i64 l = std::max(left, other.left);
    const i64 t = std::max(top, other.top);
    const i64 r = std::min(i64{left} + width, i64{other.left} + other.width);
    const i64 b = std::min(i64{top} + height, i64{other.top} + other.height);
    if (r <= l || b <= t)
        return {};
    return {static_cast<int>(l), static_cast<int>(t), static_cast<int>(r - l), static_cast<int>(b - t)};
}

Canvas::Canvas(int width, int height, PixelOrder order)
    : width_(std::max(width, 0))
    , height_(std::max(height, 0))
    , stride_(width_)
    , order_(order)
    , owned_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), pack(sim::clBlack))
    , pixels_(owned_.data())
    , clip_{0, 0, width_, height_}
{
}

Canvas::Canvas(std::uint32_t* pixels, int width, int height, int stride, PixelOrder order)
    // Rows that would overlap, or no pixels at all, make an empty canvas that draws nothing.
    : width_(pixels == nullptr || stride < width ? 0 : std::max(width, 0))
    , height_(width_ == 0 ? 0 : std::max(height, 0))
    , stride_(stride)
    , order_(order)
    , pixels_(pixels)
    , clip_{0, 0, width_, height_}
{
}

Canvas Canvas::over(std::uint32_t* pixels, int width, int height, int stride, PixelOrder order)
{
    return Canvas(pixels, width, height, stride, order);
}

std::uint32_t Canvas::pack(sim::Colour colour) const
{
    if (order_ == PixelOrder::Xrgb)
        return 0xFF000000u | colour.rgb();
    // Bytes in memory order, whatever the machine's byte order.
    const unsigned char bytes[4] = {colour.r, colour.g, colour.b, 0xFF};
    std::uint32_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

sim::Colour Canvas::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return sim::clBlack;
    const std::uint32_t word =
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_) + static_cast<std::size_t>(x)];
    if (order_ == PixelOrder::Xrgb)
        return {static_cast<std::uint8_t>(word >> 16), static_cast<std::uint8_t>(word >> 8),
                static_cast<std::uint8_t>(word)};
    unsigned char bytes[4];
    std::memcpy(bytes, &word, sizeof bytes);
    return {bytes[0], bytes[1], bytes[2]};
}

void Canvas::setClip(const Rect& clip)
{
    clip_ = clip.intersected({0, 0, width_, height_});
}

void Canvas::setOrigin(int x, int y)
{
    originX_ = x;
    originY_ = y;
}

void Canvas::fill(const Rect& rect, sim::Colour colour)
{
    if (rect.isEmpty() || clip_.isEmpty())
        return;
    const i64 left = std::max<i64>(i64{rect.left} + originX_, clip_.left);
    const i64 top = std::max<i64>(i64{rect.top} + originY_, clip_.top);
    const i64 right = std::min<i64>(i64{rect.left} + originX_ + rect.width, clip_.right());
    const i64 bottom = std::min<i64>(i64{rect.top} + originY_ + rect.height, clip_.bottom());
    if (left >= right)
        return;
    const Target target{pixels_, stride_, clip_, pack(colour)};
    for (i64 y = top; y < bottom; ++y)
        target.row(y, left, right - 1);
}

void Canvas::setPixel(int x, int y, sim::Colour colour)
{
    const i64 bx = i64{x} + originX_;
    const i64 by = i64{y} + originY_;
    if (bx >= clip_.left && bx < clip_.right() && by >= clip_.top && by < clip_.bottom())
        Target{pixels_, stride_, clip_, pack(colour)}.put(bx, by);
}

void Canvas::setRow(int x, int y, std::span<const sim::Colour> colours)
{
    const i64 by = i64{y} + originY_;
    if (by < clip_.top || by >= clip_.bottom())
        return;
    const i64 bx = i64{x} + originX_;
    const i64 from = std::max<i64>(bx, clip_.left);
    const i64 to = std::min<i64>(bx + static_cast<i64>(colours.size()), clip_.right());
    std::uint32_t* row = pixels_ + by * stride_;
    for (i64 column = from; column < to; ++column)
        row[column] = pack(colours[static_cast<std::size_t>(column - bx)]);
}

void Canvas::line(sim::Point from, sim::Point to, sim::Colour colour, int width)
{
    if (clip_.isEmpty())
        return;
    const i64 x0 = i64{from.x} + originX_;
    const i64 y0 = i64{from.y} + originY_;
    const i64 x1 = i64{to.x} + originX_;
    const i64 y1 = i64{to.y} + originY_;
    for (const i64 v : {x0, y0, x1, y1}) {
        if (v > kCoordinateLimit || v < -kCoordinateLimit)
            return;
    }
    // A repaint of a few small areas passes every tick and grid line through each of them: most
    // lie wholly outside, and no pixel of a line lies farther than its width from its segment.
    const i64 reach = std::clamp(width, 1, kMaxWidth);
    if (std::max(x0, x1) + reach < clip_.left || std::min(x0, x1) - reach >= clip_.right()
        || std::max(y0, y1) + reach < clip_.top || std::min(y0, y1) - reach >= clip_.bottom())
        return;
    const Target target{pixels_, stride_, clip_, pack(colour)};
    if (width <= 1)
        thinLine(target, x0, y0, x1, y1);
    else
        wideLine(target, x0, y0, x1, y1, std::min(width, kMaxWidth));
}

} // namespace core
