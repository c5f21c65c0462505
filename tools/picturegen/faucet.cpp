#include "faucet.h"

#include "geometry.h"

#include <algorithm>
#include <array>
#include <limits>

namespace picturegen {

namespace {

// 64 samples a pixel give the edge greys and seam tones enough steps to
// land on every one of them.
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

std::uint16_t pack(Colour5 c)
{
    return static_cast<std::uint16_t>((c.r << 10) | (c.g << 5) | c.b);
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

// Paints the tap, part by part, back to front.
void drawTap(SampleGrid& g)
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

// Marks the outline samples close to the cream as seam.
void addSeam(SampleGrid& g)
{
    const int reach = static_cast<int>(kSeamWidth * kSamples);
    const int w = g.samplesWide();
    const int h = g.samplesHigh();
    const int far = reach + 1;

    // Distance along the row to the nearest cream sample, capped at `far`.
    std::vector<int> along(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), far);
    for (int sy = 0; sy < h; ++sy) {
        int* row = &along[static_cast<std::size_t>(sy) * static_cast<std::size_t>(w)];
        int d = far;
        for (int sx = 0; sx < w; ++sx) {
            d = g.at(sx, sy) == Fill ? 0 : std::min(d + 1, far);
            row[sx] = d;
        }
        d = far;
        for (int sx = w - 1; sx >= 0; --sx) {
            d = g.at(sx, sy) == Fill ? 0 : std::min(d + 1, far);
            row[sx] = std::min(row[sx], d);
        }
    }
    for (int sy = 0; sy < h; ++sy) {
        for (int sx = 0; sx < w; ++sx) {
            if (g.at(sx, sy) != Outline) {
                continue;
            }
            bool nearFill = false;
            for (int dy = -reach; dy <= reach && !nearFill; ++dy) {
                const int y = sy + dy;
                if (y < 0 || y >= h) {
                    continue;
                }
                const int dx =
                    along[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(sx)];
                nearFill = dx * dx + dy * dy <= reach * reach;
            }
            if (nearFill) {
                g.set(sx, sy, Seam);
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

} // namespace

Image555 renderFaucet()
{
    SampleGrid grid(kFaucetWidth, kFaucetHeight, kSamples, Background);
    drawTap(grid);
    addSeam(grid);

    // Edges against the green take the dark greys and edges inside the tap
    // the olive seam tones; only a pixel touching both may take either.
    std::vector<Colour5> outer = {kGreen, kBlack};
    outer.insert(outer.end(), kGreys.begin(), kGreys.end());
    std::vector<Colour5> inner = {kCream, kBlack};
    inner.insert(inner.end(), kSeams.begin(), kSeams.end());
    std::vector<Colour5> all = outer;
    all.insert(all.end(), inner.begin(), inner.end());

    const std::array<Colour5, 4> sampleColour = {kGreen, kBlack, kCream, kSeamSample};
    Image555 image{kFaucetWidth, kFaucetHeight, {}};
    image.pixels.reserve(static_cast<std::size_t>(kFaucetWidth * kFaucetHeight));
    std::vector<int> counts(4, 0);
    constexpr int total = kSamples * kSamples;
    for (int y = 0; y < kFaucetHeight; ++y) {
        for (int x = 0; x < kFaucetWidth; ++x) {
            grid.countPixel(x, y, counts);
            Blend blend;
            for (std::size_t label = 0; label < sampleColour.size(); ++label) {
                blend.r += counts[label] * expand(sampleColour[label].r);
                blend.g += counts[label] * expand(sampleColour[label].g);
                blend.b += counts[label] * expand(sampleColour[label].b);
            }
            blend = {blend.r / total, blend.g / total, blend.b / total};
            const bool touchesGreen = counts[Background] > 0;
            const bool touchesCream = counts[Fill] + counts[Seam] > 0;
            Colour5 c =
                touchesGreen ? (touchesCream ? nearest(blend, all) : nearest(blend, outer)) : nearest(blend, inner);
            if (same(c, kGreen) && ditherAt(x, y)) {
                c = kGreenDither;
            }
            image.pixels.push_back(pack(c));
        }
    }
    return image;
}

} // namespace picturegen
