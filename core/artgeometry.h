// Vector shapes and a supersampled label grid to rasterise them on.
//
// Everything here uses only +, -, *, / and sqrt-free comparisons on doubles,
// never trigonometry or library maths, so the pictures come out bit-identical
// on every run and with every C library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace core::art {

struct Pt {
    double x = 0;
    double y = 0;
};

// A set of contours built from lines and Bezier curves.  Curves are flattened
// into a fixed number of segments as they are added.
class Path {
public:
    Path& moveTo(Pt p);
    Path& lineTo(Pt p);
    Path& quadTo(Pt c, Pt p);
    Path& cubicTo(Pt c1, Pt c2, Pt p);
    // Adds the other path's contours as further contours of this one.
    Path& append(const Path& other);

    // Closed shapes made of the above; corners are quarter ellipses.
    static Path rect(double x0, double y0, double x1, double y1);
    static Path roundedRect(double x0, double y0, double x1, double y1, double r);
    static Path ellipse(Pt centre, double rx, double ry);

    // Maps every point through x' = ax * x + bx, y' = ay * y + by.
    Path mapped(double ax, double bx, double ay, double by) const;
    // Mirror image around the vertical line x = axis.
    Path mirroredX(double axis) const;

    const std::vector<std::vector<Pt>>& contours() const { return contours_; }

private:
    Pt& current();
    std::vector<std::vector<Pt>> contours_;
};

// Cubic control-point factor that makes a quarter of an ellipse.
inline constexpr double kQuarterArc = 0.5522847498;

// The largest side a picture is drawn at; beyond it a request is refused
// rather than allowed to claim the memory.
inline constexpr int kMaxPictureSide = 8192;

inline bool isDrawableSize(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

// Samples per pixel side for a picture designed at nativeWidth x nativeHeight
// with `nativePerSide` a side, drawn at width x height: about as many per
// design pixel as at the design size, so the cost follows the design and not
// the screen, yet never fewer than four a side, which the edge shades need,
// nor more than the design size has.
int samplesPerSide(int nativePerSide, int nativeWidth, int nativeHeight, int width, int height);

// Sample rows that keep a band of the grid near a megabyte.
int bandPixelRows(int widthPx, int perSide);

// A grid of samples, `perSide` x `perSide` of them inside every pixel, each
// holding a small label.  Shapes are painted in order; the last one wins.
//
// The grid may hold only a band of the picture's sample rows: painting lands
// on the samples of the band exactly as it would on a grid of the whole
// picture, so a large picture is drawn band by band in little memory.
// Coordinates are always those of the whole picture.
class SampleGrid {
public:
    // The whole of a widthPx x heightPx picture.
    SampleGrid(int widthPx, int heightPx, int perSide, std::uint8_t initial);
    // Sample rows [firstRow, firstRow + rows) of a picture widthPx wide.
    SampleGrid(int widthPx, int perSide, int firstRow, int rows, std::uint8_t initial);

    int perSide() const { return perSide_; }
    int samplesWide() const { return widthPx_ * perSide_; }
    int firstRow() const { return firstRow_; }
    int endRow() const { return firstRow_ + rows_; }

    // Makes the grid hold sample rows [firstRow, firstRow + rows) instead,
    // every sample `initial`, keeping its memory for the next band.
    void reset(int firstRow, int rows, std::uint8_t initial);

    std::uint8_t at(int sx, int sy) const { return labels_[index(sx, sy)]; }
    void set(int sx, int sy, std::uint8_t label) { labels_[index(sx, sy)] = label; }
    // The samples of row sy from the left edge, for the loops that walk a
    // row: a size-optimised build calls rather than inlines at() and set().
    std::uint8_t* row(int sy) { return labels_.data() + index(0, sy); }
    const std::uint8_t* row(int sy) const { return labels_.data() + index(0, sy); }

    // Even-odd fill of all contours of the path taken as closed polygons.
    void fill(const Path& path, std::uint8_t label);
    // Round-capped, round-joined line of the given width along every contour
    // taken as an open polyline.
    void stroke(const Path& path, double width, std::uint8_t label);

    // Labels found in pixel (px, py), as counts indexed by label; the pixel's
    // samples must lie in the band.
    void countPixel(int px, int py, std::vector<int>& counts) const;

private:
    std::size_t index(int sx, int sy) const
    {
        return static_cast<std::size_t>(sy - firstRow_) * static_cast<std::size_t>(samplesWide())
               + static_cast<std::size_t>(sx);
    }
    void strokeSegment(Pt a, Pt b, double radius, std::uint8_t label);

    int widthPx_;
    int perSide_;
    int firstRow_;
    int rows_;
    std::vector<std::uint8_t> labels_;
};

} // namespace core::art
