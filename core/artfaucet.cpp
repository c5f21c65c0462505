#include "artfaucet.h"

#include "artgeometry.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace core::art {

namespace {

// 64 samples a pixel at the design size give the edge greys and seam tones
// enough steps to land on every one of them.
constexpr int kSamples = 8;

enum Label : std::uint8_t { Background = 0, Outline = 1, Fill = 2, Seam = 3 };

// How far the olive seam reaches into the outline from the cream, in pixels.
constexpr double kSeamWidth = 1.25;

struct Colour5 {
    int r = 0;
    int g = 0;
    int b = 0;
};

// A 5-bit colour written as the 8-bit colour it stands for, truncated.
constexpr Colour5 from8(int r, int g, int b)
{
    return {r >> 3, g >> 3, b >> 3};
}

// The colour as the program reads a 5-bit channel: v becomes 8 * v.
sim::Colour shown(Colour5 c)
{
    return {static_cast<std::uint8_t>(c.r * 8), static_cast<std::uint8_t>(c.g * 8), static_cast<std::uint8_t>(c.b * 8)};
}

// 8-bit value of a 5-bit channel, for judging which colour a blend is nearest.
int expand(int v)
{
    return (v * 255 + 15) / 31;
}

// The sixteen colours of the picture.
//
// The window shows the picture through Qt, whose BMP reader turns a 5-bit
// channel v into 8 * v.  The plain green is therefore 8-bit 192, 216, 192 and
// the dither adds green, so that the two average close to the window's
// 192, 220, 192 and the picture's rectangle does not stand out.
constexpr Colour5 kGreen = from8(192, 216, 192);
constexpr Colour5 kGreenDither = from8(192, 224, 192);
constexpr Colour5 kCream = from8(247, 230, 140);
constexpr Colour5 kBlack = from8(8, 8, 8);
// Steps from the outline towards the seam's own tone and just beyond it
// towards the cream.
constexpr std::array<Colour5, 5> kSeams = {
    from8(90, 82, 49), from8(98, 90, 57), from8(106, 98, 57), from8(115, 106, 66), from8(123, 115, 74),
};
// Steps from the outline towards the green, for edges against the background.
constexpr std::array<Colour5, 7> kGreys = {
    from8(25, 25, 25), from8(33, 33, 33), from8(41, 41, 41), from8(41, 49, 41),
    from8(49, 49, 49), from8(49, 58, 49), from8(58, 66, 58),
};
// What a sample of the seam looks like before it is matched to a colour.
constexpr Colour5 kSeamSample = from8(115, 106, 66);

// The ordered dither: every other pixel of the odd rows, a quarter of the
// background, shifted by one from each odd row to the next so the dots form
// a diagonal lattice rather than stripes.
bool ditherAt(int x, int y)
{
    return y % 2 == 1 && (x + y / 2) % 2 == 0;
}

// Paints shapes given in the design's pixels onto a grid of the size drawn.
class Painter {
public:
    Painter(SampleGrid& grid, double ax, double ay)
        : grid_(grid)
        , ax_(ax)
        , ay_(ay)
    {
    }
    void fill(const Path& path, Label label) { grid_.fill(path.mapped(ax_, 0, ay_, 0), label); }
    void stroke(const Path& path, double width, Label label)
    {
        grid_.stroke(path.mapped(ax_, 0, ay_, 0), width * std::min(ax_, ay_), label);
    }

private:
    SampleGrid& grid_;
    double ax_;
    double ay_;
};

// Paints the tap, part by part, back to front.
void drawTap(Painter& g)
{
    const double k = kQuarterArc;

    // Cross handle: two flared arms ending in round knobs, mirrored around
    // the middle of the square hub.
    constexpr double mirror = 157;
    Path arm;
    arm.moveTo({47, 1}).quadTo({84, 8}, {142, 8}).lineTo({142, 40}).quadTo({84, 40}, {47, 48});
    Path knob = Path::ellipse({47, 24.5}, 23.8, 23.5);
    Path armInside;
    armInside.moveTo({47, 13}).quadTo({84, 18}, {136, 18.5}).lineTo({136, 31}).quadTo({84, 31}, {47, 36});
    Path knobInside = Path::ellipse({47, 24.5}, 11.8, 11.5);
    for (const Path* p : {&arm, &knob}) {
        g.fill(*p, Outline);
        g.fill(p->mirroredX(mirror), Outline);
    }
    for (const Path* p : {&armInside, &knobInside}) {
        g.fill(*p, Fill);
        g.fill(p->mirroredX(mirror), Fill);
    }
    g.fill(Path::roundedRect(134, 3, 179, 50, 5), Outline);
    g.fill(Path::roundedRect(144, 12, 170, 42, 3), Fill);

    // Bonnet: a trapezoid with a cream band over a solid black one.
    Path bonnet;
    bonnet.moveTo({119, 48}).lineTo({194, 48}).lineTo({208, 76.5}).lineTo({104, 76.5});
    g.fill(bonnet, Outline);
    Path bonnetBand;
    bonnetBand.moveTo({130, 52}).lineTo({183, 52}).lineTo({188.5, 63}).lineTo({124.5, 63});
    g.fill(bonnetBand, Fill);

    // Pipe body, from the flange on the left round the wide corner into the
    // spout, with the shallow bulge underneath.
    Path body;
    body.moveTo({40, 106}).lineTo({120, 104}).lineTo({203, 108});
    body.cubicTo({203 + 109 * k, 108}, {312, 168 - 60 * k}, {312, 168});
    body.lineTo({312, 246}).lineTo({238, 246}).lineTo({238, 212}).lineTo({218, 212});
    body.cubicTo({184, 232}, {126, 232}, {92, 212});
    body.lineTo({40, 212});
    g.fill(body, Outline);

    // Dome: a block with round shoulders standing under the bonnet.
    const Path dome = Path::roundedRect(96, 74, 216, 150, 14);
    g.fill(dome, Outline);

    Path bodyInside;
    bodyInside.moveTo({44, 119.5}).lineTo({120, 118}).lineTo({203, 122});
    bodyInside.cubicTo({203 + 95 * k, 122}, {298, 168 - 46 * k}, {298, 168});
    bodyInside.lineTo({298, 246}).lineTo({252, 246}).lineTo({252, 199}).lineTo({218, 199});
    bodyInside.cubicTo({184, 218}, {126, 218}, {92, 199});
    bodyInside.lineTo({44, 199});
    g.fill(bodyInside, Fill);

    const Path domeInside = Path::roundedRect(108, 77, 204, 160, 7);
    g.fill(domeInside, Fill);

    // The shading line down the dome's left side.
    Path shading;
    shading.moveTo({134, 80}).cubicTo({126, 92}, {122, 106}, {122, 121});
    g.stroke(shading, 6, Outline);

    // Inlet flange with its two windows, at the picture's left edge.
    Path flange;
    flange.moveTo({-1, 92}).lineTo({38, 92}).cubicTo({41.5, 92}, {44, 94.5}, {44, 98});
    flange.lineTo({44, 221}).cubicTo({44, 224.5}, {41.5, 227}, {38, 227}).lineTo({-1, 227});
    g.fill(flange, Outline);
    g.fill(Path::roundedRect(15, 105, 29, 154, 7), Fill);
    g.fill(Path::roundedRect(15, 165, 29, 214, 7), Fill);

    // Nozzle ring over the spout's end; the water leaves through the cream
    // band's columns.
    g.fill(Path::roundedRect(230, 242, 319, 300, 7), Outline);
    g.fill(Path::rect(252, 255, 298, 272), Fill);
}

// How far the seam reaches, in samples along each axis.  Distances along a
// row are kept in bytes, which the reach never outgrows at the largest size
// drawn (about 130 samples).
constexpr int kMostReach = 254;
struct Reach {
    int x = 0;
    int y = 0;
};

// What addSeam works in, kept from one band to the next.
struct SeamScratch {
    std::vector<std::uint8_t> along;
    std::vector<std::uint16_t> rowsNear;
};

// Marks the outline samples of sample rows [from, to) that lie close to the
// cream as seam; the grid must hold `reach.y` rows more on either side,
// where the picture has them.
void addSeam(SampleGrid& g, int from, int to, Reach reach, SeamScratch& scratch)
{
    if (reach.x <= 0 || reach.y <= 0) {
        return;
    }
    const int w = g.samplesWide();
    const int far = reach.x + 1;

    // Distance along the row to the nearest cream sample, capped at `far`.
    std::vector<std::uint8_t>& along = scratch.along;
    along.resize(static_cast<std::size_t>(g.endRow() - g.firstRow()) * static_cast<std::size_t>(w));
    const auto alongRow = [&along, &g, w](int sy) {
        return along.data() + static_cast<std::size_t>(sy - g.firstRow()) * static_cast<std::size_t>(w);
    };
    for (int sy = g.firstRow(); sy < g.endRow(); ++sy) {
        const std::uint8_t* samples = g.row(sy);
        std::uint8_t* distance = alongRow(sy);
        // Plain comparisons rather than std::min, which a size-optimised
        // build would call for every sample.
        int d = far;
        for (int sx = 0; sx < w; ++sx) {
            d = samples[sx] == Fill ? 0 : (d < far ? d + 1 : far);
            distance[sx] = static_cast<std::uint8_t>(d);
        }
        d = far;
        for (int sx = w - 1; sx >= 0; --sx) {
            d = samples[sx] == Fill ? 0 : (d < far ? d + 1 : far);
            if (d < distance[sx]) {
                distance[sx] = static_cast<std::uint8_t>(d);
            }
        }
    }
    // A sample dy rows away lies within the ellipse of the two reaches,
    // (dx / rx)^2 + (dy / ry)^2 <= 1, for dx up to reachAt[dy + ry].
    const std::int64_t rx2 = std::int64_t{reach.x} * reach.x;
    const std::int64_t ry2 = std::int64_t{reach.y} * reach.y;
    std::vector<std::uint8_t> reachAt;
    for (std::int64_t dy = -reach.y; dy <= reach.y; ++dy) {
        std::int64_t dx = reach.x;
        while (dx * dx * ry2 + dy * dy * rx2 > rx2 * ry2) {
            --dx;
        }
        reachAt.push_back(static_cast<std::uint8_t>(dx));
    }
    // How many rows within reach.y of the current one come within reach.x
    // of the cream along the row: a sample with none there is far from it,
    // and most are, so only the rest need the exact test.
    std::vector<std::uint16_t>& rowsNear = scratch.rowsNear;
    rowsNear.resize(static_cast<std::size_t>(w));
    std::uint16_t* near = rowsNear.data();
    std::memset(near, 0, rowsNear.size() * sizeof(std::uint16_t));
    const auto count = [&](int y, int delta) {
        if (y < g.firstRow() || y >= g.endRow()) {
            return;
        }
        const std::uint8_t* distance = alongRow(y);
        for (int sx = 0; sx < w; ++sx) {
            near[sx] = static_cast<std::uint16_t>(near[sx] + (distance[sx] <= reach.x ? delta : 0));
        }
    };
    for (int y = from - reach.y - 1; y < from + reach.y; ++y) {
        count(y, 1);
    }
    for (int sy = from; sy < to; ++sy) {
        count(sy + reach.y, 1);
        count(sy - reach.y - 1, -1);
        std::uint8_t* samples = g.row(sy);
        for (int sx = 0; sx < w; ++sx) {
            if (near[sx] == 0 || samples[sx] != Outline) {
                continue;
            }
            bool nearFill = false;
            for (int dy = -reach.y; dy <= reach.y && !nearFill; ++dy) {
                const int y = sy + dy;
                if (y >= g.firstRow() && y < g.endRow()) {
                    nearFill = alongRow(y)[sx] <= reachAt[static_cast<std::size_t>(dy + reach.y)];
                }
            }
            if (nearFill) {
                samples[sx] = Seam;
            }
        }
    }
}

struct Blend {
    int r = 0;
    int g = 0;
    int b = 0;
};

int distanceSq(const Blend& a, Colour5 c)
{
    const int dr = a.r - expand(c.r);
    const int dg = a.g - expand(c.g);
    const int db = a.b - expand(c.b);
    return dr * dr + dg * dg + db * db;
}

template <typename Candidates>
Colour5 nearest(const Blend& blend, const Candidates& candidates)
{
    Colour5 best{};
    int bestDistance = std::numeric_limits<int>::max();
    for (const Colour5& c : candidates) {
        const int d = distanceSq(blend, c);
        if (d < bestDistance) {
            bestDistance = d;
            best = c;
        }
    }
    return best;
}

bool same(Colour5 a, Colour5 b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// The colour of a pixel, from how many of its samples carry each label.  It
// depends on nothing else, so a run of pixels alike, most of the picture, is
// matched once.
class PixelColours {
public:
    explicit PixelColours(int total)
        : total_(total)
    {
        // Edges against the green take the dark greys and edges inside the
        // tap the olive seam tones; only a pixel touching both may take
        // either.
        outer_ = {kGreen, kBlack};
        outer_.insert(outer_.end(), kGreys.begin(), kGreys.end());
        inner_ = {kCream, kBlack};
        inner_.insert(inner_.end(), kSeams.begin(), kSeams.end());
        all_ = outer_;
        all_.insert(all_.end(), inner_.begin(), inner_.end());
        const std::array<Colour5, 4> sampleColour = {kGreen, kBlack, kCream, kSeamSample};
        for (std::size_t label = 0; label < sampleColour.size(); ++label) {
            sample_[label] = {expand(sampleColour[label].r), expand(sampleColour[label].g),
                              expand(sampleColour[label].b)};
        }
    }

    Colour5 of(const std::vector<int>& counts)
    {
        if (counts == last_) {
            return lastColour_;
        }
        Blend blend;
        for (std::size_t label = 0; label < sample_.size(); ++label) {
            blend.r += counts[label] * sample_[label].r;
            blend.g += counts[label] * sample_[label].g;
            blend.b += counts[label] * sample_[label].b;
        }
        blend = {blend.r / total_, blend.g / total_, blend.b / total_};
        const bool touchesGreen = counts[Background] > 0;
        const bool touchesCream = counts[Fill] + counts[Seam] > 0;
        last_ = counts;
        lastColour_ =
            touchesGreen ? (touchesCream ? nearest(blend, all_) : nearest(blend, outer_)) : nearest(blend, inner_);
        return lastColour_;
    }

private:
    int total_;
    std::vector<Colour5> outer_;
    std::vector<Colour5> inner_;
    std::vector<Colour5> all_;
    std::array<Blend, 4> sample_{};
    std::vector<int> last_;
    Colour5 lastColour_{};
};

} // namespace

Picture drawFaucet(int width, int height)
{
    if (!isDrawableSize(width, height)) {
        return {};
    }
    const double ax = static_cast<double>(width) / kFaucetWidth;
    const double ay = static_cast<double>(height) / kFaucetHeight;
    const int n = samplesPerSide(kSamples, kFaucetWidth, kFaucetHeight, width, height);
    const Reach reach{std::min(kMostReach, static_cast<int>(kSeamWidth * ax * n)),
                      std::min(kMostReach, static_cast<int>(kSeamWidth * ay * n))};

    Picture picture{width, height, {}};
    picture.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::vector<int> counts(4, 0);
    PixelColours colours(n * n);
    // A band at least as tall as the rows it borrows on either side, so that
    // no more than half the grid is drawn twice however large the picture.
    const int band = std::max(bandPixelRows(width, n), (2 * reach.y + n - 1) / n);
    SampleGrid grid(width, n, 0, 0, Background);
    SeamScratch scratch;
    for (int top = 0; top < height; top += band) {
        const int bottom = std::min(height, top + band);
        // The seam of the band's rows looks `reach.y` sample rows beyond them.
        const int first = std::max(0, top * n - reach.y);
        const int end = std::min(height * n, bottom * n + reach.y);
        grid.reset(first, end - first, Background);
        Painter painter(grid, ax, ay);
        drawTap(painter);
        addSeam(grid, top * n, bottom * n, reach, scratch);

        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < width; ++x) {
                grid.countPixel(x, y, counts);
                Colour5 c = colours.of(counts);
                if (same(c, kGreen) && ditherAt(x, y)) {
                    c = kGreenDither;
                }
                picture.pixels.push_back(shown(c));
            }
        }
    }
    return picture;
}

} // namespace core::art
