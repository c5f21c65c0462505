#pragma once

#include "canvas.h"
#include "state.h"
#include "window.h"

#include <cstdint>
#include <numeric>

namespace core {

// How the layout's units become device pixels, for every front end and every size: a layout
// coordinate v lies at round(v * s), halves rounding up, with s kept as an exact fraction so that
// every machine and both front ends land on the same pixels. A rectangle takes its two mapped
// edges, so items that touch in the layout still touch at any scale; a pen w pixels wide becomes
// round(w * s) pixels, and never less than one.
class Scale {
public:
    constexpr Scale() = default; // one device pixel per layout pixel
    // numerator / denominator in lowest terms, both above zero; anything else is taken as 1.
    static constexpr Scale ratio(std::int64_t numerator, std::int64_t denominator)
    {
        Scale s;
        if (numerator <= 0 || denominator <= 0)
            return s;
        const std::int64_t common = std::gcd(numerator, denominator);
        if (numerator / common <= kLimit && denominator / common <= kLimit) {
            s.numerator_ = numerator / common;
            s.denominator_ = denominator / common;
        }
        return s;
    }
    // The nearest fraction with the given denominator; nothing at or below zero, nothing absurd.
    static Scale nearest(double factor, std::int64_t denominator = 1024);

    constexpr std::int64_t numerator() const { return numerator_; }
    constexpr std::int64_t denominator() const { return denominator_; }
    constexpr bool isIdentity() const { return numerator_ == denominator_; }
    double factor() const { return static_cast<double>(numerator_) / static_cast<double>(denominator_); }

    // The device coordinate of the layout's edge or corner v.
    constexpr int at(int v) const
    {
        return static_cast<int>(floorDiv(2 * std::int64_t{v} * numerator_ + denominator_, 2 * denominator_));
    }
    // The device pixel whose centre lies nearest the centre of layout pixel v.
    constexpr int centreOf(int v) const
    {
        return static_cast<int>(floorDiv((2 * std::int64_t{v} + 1) * numerator_, 2 * denominator_));
    }
    constexpr Rect rect(const Rect& r) const
    {
        const int left = at(r.left);
        const int top = at(r.top);
        return {left, top, at(r.left + r.width) - left, at(r.top + r.height) - top};
    }
    constexpr Rect rect(const sim::Bounds& b) const { return rect(Rect{b.left, b.top, b.width, b.height}); }
    // A length that is no edge: a pen's width, a border's, a text's height.
    constexpr int length(int w) const
    {
        const int scaled =
            static_cast<int>(floorDiv(2 * std::int64_t{w} * numerator_ + denominator_, 2 * denominator_));
        return scaled < 1 ? 1 : scaled;
    }

    // Where a line drawn in the layout with a pen `width` wide, through layout point p, is drawn
    // on the device with a pen length(width) wide. The canvas takes an odd pen's point as the centre
    // of its pixel and an even pen's as the pixel's corner; the point keeps its place on the
    // layout's plane and is snapped by the device pen's own rule, so a line stays centred where it
    // was, whatever the parity of its two pens.
    constexpr sim::Point point(sim::Point p, int width) const { return {axis(p.x, width), axis(p.y, width)}; }

    // The first device pixel across a straight line drawn through layout pixel v (its corner, for
    // an even pen) with a pen `width` wide: the line covers length(width) pixels from there.
    constexpr int lineStart(int v, int width) const
    {
        const int p = length(width);
        return axis(v, width) - (p % 2 != 0 ? (p - 1) / 2 : p / 2);
    }

    friend constexpr bool operator==(const Scale& a, const Scale& b)
    {
        return a.numerator_ * b.denominator_ == b.numerator_ * a.denominator_;
    }

private:
    static constexpr std::int64_t kLimit = std::int64_t{1} << 24;

    static constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) // b > 0
    {
        const std::int64_t q = a / b;
        return (a % b != 0 && a < 0) ? q - 1 : q;
    }
    constexpr int axis(int v, int width) const
    {
        // Doubled layout coordinate of the line's centre on this axis.
        const std::int64_t twice = 2 * std::int64_t{v} + (width % 2 != 0 ? 1 : 0);
        if (length(width) % 2 != 0)
            return static_cast<int>(floorDiv(twice * numerator_, 2 * denominator_));            // the pixel holding it
        return static_cast<int>(floorDiv(twice * numerator_ + denominator_, 2 * denominator_)); // the nearest corner
    }

    std::int64_t numerator_ = 1;
    std::int64_t denominator_ = 1;
};

// Where the lesson stands in the space a front end has for it: at `scale`, its top-left corner at
// (left, top) in device pixels, `width` by `height` pixels. Beyond it the window's colour.
struct Stage {
    Scale scale;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    // Where a rectangle of the layout stands in the space, in device pixels.
    constexpr Rect place(const Rect& r) const
    {
        const Rect mapped = scale.rect(r);
        return {left + mapped.left, top + mapped.top, mapped.width, mapped.height};
    }
    constexpr Rect place(const sim::Bounds& b) const { return place(Rect{b.left, b.top, b.width, b.height}); }
    friend constexpr bool operator==(const Stage&, const Stage&) = default;
};

// The largest scale at which the whole lesson fits the space, centred in it: no upper limit, and no
// lower one but fitting. A space without area gets the design's size at its corner.
Stage fitLesson(int spaceWidth, int spaceHeight);
// The design's actual size, at the space's top-left corner, as the layout fixes it: one layout
// pixel to `pixelRatio` device pixels (a screen's own ratio of device pixels to its logical ones).
Stage actualSize(const Scale& pixelRatio = {});

} // namespace core
