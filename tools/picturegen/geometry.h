// Vector shapes and a supersampled label grid to rasterise them on.
//
// Everything here uses only +, -, *, / and sqrt-free comparisons on doubles,
// never trigonometry or library maths, so the pictures come out bit-identical
// on every run and with every C library.
#pragma once

#include <cstdint>
#include <vector>

namespace picturegen {

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

// A grid of samples, `perSide` x `perSide` of them inside every pixel, each
// holding a small label.  Shapes are painted in order; the last one wins.
class SampleGrid {
public:
    SampleGrid(int widthPx, int heightPx, int perSide, std::uint8_t initial);

    int widthPx() const { return widthPx_; }
    int heightPx() const { return heightPx_; }
    int perSide() const { return perSide_; }
    int samplesWide() const { return widthPx_ * perSide_; }
    int samplesHigh() const { return heightPx_ * perSide_; }

    std::uint8_t at(int sx, int sy) const { return labels_[index(sx, sy)]; }
    void set(int sx, int sy, std::uint8_t label) { labels_[index(sx, sy)] = label; }

    // Even-odd fill of all contours of the path taken as closed polygons.
    void fill(const Path& path, std::uint8_t label);
    // Round-capped, round-joined line of the given width along every contour
    // taken as an open polyline.
    void stroke(const Path& path, double width, std::uint8_t label);

    // Labels found in pixel (px, py), as counts indexed by label.
    void countPixel(int px, int py, std::vector<int>& counts) const;

private:
    std::size_t index(int sx, int sy) const
    {
        return static_cast<std::size_t>(sy) * static_cast<std::size_t>(samplesWide()) + static_cast<std::size_t>(sx);
    }
    void strokeSegment(Pt a, Pt b, double radius, std::uint8_t label);

    int widthPx_;
    int heightPx_;
    int perSide_;
    std::vector<std::uint8_t> labels_;
};

} // namespace picturegen
