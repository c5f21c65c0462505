#include "artgeometry.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace core::art {

namespace {

// Enough segments that a flattened curve stays well under a tenth of a
// sample away from the true one at the sizes drawn here.
constexpr int kCurveSegments = 48;

Pt lerp(Pt a, Pt b, double t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

} // namespace

Pt& Path::current()
{
    if (contours_.empty() || contours_.back().empty()) {
        moveTo({0, 0});
    }
    return contours_.back().back();
}

Path& Path::moveTo(Pt p)
{
    contours_.push_back({p});
    return *this;
}

Path& Path::lineTo(Pt p)
{
    current();
    contours_.back().push_back(p);
    return *this;
}

Path& Path::quadTo(Pt c, Pt p)
{
    const Pt start = current();
    for (int i = 1; i <= kCurveSegments; ++i) {
        const double t = static_cast<double>(i) / kCurveSegments;
        contours_.back().push_back(lerp(lerp(start, c, t), lerp(c, p, t), t));
    }
    return *this;
}

Path& Path::cubicTo(Pt c1, Pt c2, Pt p)
{
    const Pt start = current();
    for (int i = 1; i <= kCurveSegments; ++i) {
        const double t = static_cast<double>(i) / kCurveSegments;
        const Pt a = lerp(start, c1, t);
        const Pt b = lerp(c1, c2, t);
        const Pt c = lerp(c2, p, t);
        contours_.back().push_back(lerp(lerp(a, b, t), lerp(b, c, t), t));
    }
    return *this;
}

Path& Path::append(const Path& other)
{
    contours_.insert(contours_.end(), other.contours_.begin(), other.contours_.end());
    return *this;
}

Path Path::rect(double x0, double y0, double x1, double y1)
{
    Path p;
    p.moveTo({x0, y0}).lineTo({x1, y0}).lineTo({x1, y1}).lineTo({x0, y1});
    return p;
}

Path Path::roundedRect(double x0, double y0, double x1, double y1, double r)
{
    const double k = r * kQuarterArc;
    Path p;
    p.moveTo({x0 + r, y0}).lineTo({x1 - r, y0});
    p.cubicTo({x1 - r + k, y0}, {x1, y0 + r - k}, {x1, y0 + r});
    p.lineTo({x1, y1 - r});
    p.cubicTo({x1, y1 - r + k}, {x1 - r + k, y1}, {x1 - r, y1});
    p.lineTo({x0 + r, y1});
    p.cubicTo({x0 + r - k, y1}, {x0, y1 - r + k}, {x0, y1 - r});
    p.lineTo({x0, y0 + r});
    p.cubicTo({x0, y0 + r - k}, {x0 + r - k, y0}, {x0 + r, y0});
    return p;
}

Path Path::ellipse(Pt c, double rx, double ry)
{
    const double kx = rx * kQuarterArc;
    const double ky = ry * kQuarterArc;
    Path p;
    p.moveTo({c.x, c.y - ry});
    p.cubicTo({c.x + kx, c.y - ry}, {c.x + rx, c.y - ky}, {c.x + rx, c.y});
    p.cubicTo({c.x + rx, c.y + ky}, {c.x + kx, c.y + ry}, {c.x, c.y + ry});
    p.cubicTo({c.x - kx, c.y + ry}, {c.x - rx, c.y + ky}, {c.x - rx, c.y});
    p.cubicTo({c.x - rx, c.y - ky}, {c.x - kx, c.y - ry}, {c.x, c.y - ry});
    return p;
}

Path Path::mapped(double ax, double bx, double ay, double by) const
{
    Path out = *this;
    for (auto& contour : out.contours_) {
        for (auto& p : contour) {
            p = {ax * p.x + bx, ay * p.y + by};
        }
    }
    return out;
}

Path Path::mirroredX(double axis) const
{
    return mapped(-1.0, 2.0 * axis, 1.0, 0.0);
}

int samplesPerSide(int nativePerSide, int nativeWidth, int nativeHeight, int width, int height)
{
    if (width <= 0 || height <= 0) {
        return nativePerSide;
    }
    // nativePerSide * native / target, rounded, along the axis magnified most.
    const auto along = [nativePerSide](std::int64_t native, std::int64_t target) {
        return (2 * nativePerSide * native + target) / (2 * target);
    };
    const std::int64_t n = std::min(along(nativeWidth, width), along(nativeHeight, height));
    return static_cast<int>(std::clamp<std::int64_t>(n, std::min(4, nativePerSide), nativePerSide));
}

int bandPixelRows(int widthPx, int perSide)
{
    constexpr std::int64_t kBandSamples = std::int64_t{1} << 20;
    const std::int64_t perPixelRow = std::int64_t{widthPx} * perSide * perSide;
    return static_cast<int>(std::max<std::int64_t>(1, kBandSamples / std::max<std::int64_t>(1, perPixelRow)));
}

SampleGrid::SampleGrid(int widthPx, int heightPx, int perSide, std::uint8_t initial)
    : SampleGrid(widthPx, perSide, 0, heightPx * perSide, initial)
{
}

SampleGrid::SampleGrid(int widthPx, int perSide, int firstRow, int rows, std::uint8_t initial)
    : widthPx_(widthPx)
    , perSide_(perSide)
    , firstRow_(0)
    , rows_(0)
{
    reset(firstRow, rows, initial);
}

void SampleGrid::reset(int firstRow, int rows, std::uint8_t initial)
{
    firstRow_ = firstRow;
    rows_ = rows;
    labels_.resize(static_cast<std::size_t>(samplesWide()) * static_cast<std::size_t>(rows));
    if (!labels_.empty()) {
        std::memset(labels_.data(), initial, labels_.size());
    }
}

void SampleGrid::fill(const Path& path, std::uint8_t label)
{
    const double s = perSide_;
    // Only the edges that reach the band's rows can cross one of them.
    const double bandTop = (firstRow_ + 0.5) / s;
    const double bandBottom = (endRow() - 0.5) / s;
    struct Edge {
        Pt a;
        Pt b;
    };
    std::vector<Edge> edges;
    for (const auto& contour : path.contours()) {
        const std::size_t n = contour.size();
        for (std::size_t i = 0; i < n; ++i) {
            const Pt a = contour[i];
            const Pt b = contour[(i + 1) % n];
            if (std::max(a.y, b.y) >= bandTop && std::min(a.y, b.y) <= bandBottom) {
                edges.push_back({a, b});
            }
        }
    }
    std::vector<double> crossings;
    for (int sy = firstRow_; sy < endRow(); ++sy) {
        const double y = (sy + 0.5) / s;
        crossings.clear();
        for (const Edge& e : edges) {
            const Pt a = e.a;
            const Pt b = e.b;
            // Half-open rule: a vertex lying on the sample row is counted
            // once, by the edge that leaves it upwards or downwards.
            if ((a.y <= y) != (b.y <= y)) {
                crossings.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Sample sx sits at (sx + 0.5) / s; take those in [left, right).
            const double left = std::ceil(crossings[i] * s - 0.5);
            const double right = std::ceil(crossings[i + 1] * s - 0.5);
            const int from = static_cast<int>(std::clamp(left, 0.0, double(samplesWide())));
            const int to = static_cast<int>(std::clamp(right, 0.0, double(samplesWide())));
            if (from < to) {
                std::memset(row(sy) + from, label, static_cast<std::size_t>(to - from));
            }
        }
    }
}

void SampleGrid::stroke(const Path& path, double width, std::uint8_t label)
{
    const double radius = width / 2;
    for (const auto& contour : path.contours()) {
        if (contour.size() == 1) {
            strokeSegment(contour[0], contour[0], radius, label);
        }
        for (std::size_t i = 0; i + 1 < contour.size(); ++i) {
            strokeSegment(contour[i], contour[i + 1], radius, label);
        }
    }
}

void SampleGrid::strokeSegment(Pt a, Pt b, double radius, std::uint8_t label)
{
    const double s = perSide_;
    const auto sampleRange = [s](double lo, double hi, int first, int end, int& from, int& to) {
        from = static_cast<int>(std::clamp(std::floor(lo * s - 0.5), double(first), double(end)));
        to = static_cast<int>(std::clamp(std::ceil(hi * s - 0.5) + 1, double(first), double(end)));
    };
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    sampleRange(std::min(a.x, b.x) - radius, std::max(a.x, b.x) + radius, 0, samplesWide(), x0, x1);
    sampleRange(std::min(a.y, b.y) - radius, std::max(a.y, b.y) + radius, firstRow_, endRow(), y0, y1);

    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSq = dx * dx + dy * dy;
    const double radiusSq = radius * radius;
    for (int sy = y0; sy < y1; ++sy) {
        const double py = (sy + 0.5) / s;
        std::uint8_t* samples = row(sy);
        for (int sx = x0; sx < x1; ++sx) {
            // The segments of a line overlap, so most samples they cover are
            // already painted: no need to measure those again.
            if (samples[sx] == label) {
                continue;
            }
            const double px = (sx + 0.5) / s;
            double t = 0;
            if (lengthSq > 0) {
                t = std::clamp(((px - a.x) * dx + (py - a.y) * dy) / lengthSq, 0.0, 1.0);
            }
            const double ex = px - (a.x + t * dx);
            const double ey = py - (a.y + t * dy);
            if (ex * ex + ey * ey <= radiusSq) {
                samples[sx] = label;
            }
        }
    }
}

void SampleGrid::countPixel(int px, int py, std::vector<int>& counts) const
{
    std::fill(counts.begin(), counts.end(), 0);
    std::size_t known = counts.size();
    int* count = counts.data();
    for (int j = 0; j < perSide_; ++j) {
        const std::uint8_t* samples = row(py * perSide_ + j) + px * perSide_;
        for (int i = 0; i < perSide_; ++i) {
            const std::uint8_t label = samples[i];
            if (label >= known) {
                counts.resize(label + 1u, 0);
                known = counts.size();
                count = counts.data();
            }
            ++count[label];
        }
    }
}

} // namespace core::art
