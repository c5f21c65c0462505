// The core's drawings of the fixed pictures: at their design size they are the bitmaps kept in
// assets/, and at the sizes the lesson is shown they keep their colours, their figures' boxes and
// the nozzle's columns.

#include "art.h"
#include "artnumerals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

using core::Art;
using core::Picture;

struct Kept {
    Art art;
    const char* file;
    int shownWidth; // the picture's bounds in the window's layout at scale 1
    int shownHeight;
};

constexpr Kept kFaucet{Art::Faucet, "faucet.bmp", 121, 105};
constexpr Kept kVertical{Art::VerticalScale, "scale-vertical.bmp", 25, 529};
constexpr Kept kHorizontal{Art::HorizontalScale, "scale-horizontal.bmp", 521, 25};

Picture decodedAsset(const char* file)
{
    std::ifstream in(std::string(PICTURES_ASSETS_DIR) + "/" + file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    Picture picture;
    EXPECT_TRUE(core::decodeBmp(bytes, picture)) << file;
    return picture;
}

int shown(int side, double scale)
{
    return static_cast<int>(std::lround(side * scale));
}

std::string nameOf(Art art)
{
    constexpr const char* kNames[] = {"None", "Faucet", "Vertical", "Horizontal"};
    return kNames[static_cast<int>(art)];
}

// ------------------------------------------------------------ design size

class ArtAtDesignSize : public testing::TestWithParam<Kept> { };

TEST_P(ArtAtDesignSize, IsTheKeptBitmapAsTheCoreReadsIt)
{
    const Picture kept = decodedAsset(GetParam().file);
    const core::PictureSize size = core::artSize(GetParam().art);
    ASSERT_EQ(size.width, kept.width);
    ASSERT_EQ(size.height, kept.height);
    const Picture drawn = core::drawArt(GetParam().art, size.width, size.height);
    ASSERT_EQ(drawn.width, kept.width);
    ASSERT_EQ(drawn.pixels.size(), kept.pixels.size());
    int differing = 0;
    for (std::size_t i = 0; i < kept.pixels.size(); ++i) {
        differing += drawn.pixels[i] != kept.pixels[i];
    }
    EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Art, ArtAtDesignSize, testing::Values(kFaucet, kVertical, kHorizontal),
                         [](const auto& info) { return nameOf(info.param.art); });

// ------------------------------------------------------------ shown sizes

struct Shown {
    Kept kept;
    double scale;
};

// "Faucet_x1p5" for the faucet at one and a half times its size.
std::string nameOf(const testing::TestParamInfo<Shown>& info)
{
    std::string scale = testing::PrintToString(info.param.scale);
    std::replace(scale.begin(), scale.end(), '.', 'p');
    return nameOf(info.param.kept.art) + "_x" + scale;
}

void PrintTo(const Kept& k, std::ostream* out)
{
    *out << k.file;
}

void PrintTo(const Shown& c, std::ostream* out)
{
    *out << c.kept.file << " at " << c.scale;
}

Picture drawnShown(const Shown& c)
{
    return core::drawArt(c.kept.art, shown(c.kept.shownWidth, c.scale), shown(c.kept.shownHeight, c.scale));
}

// The scales' sixteen steps from the window's green to black, as the kept scales are written.
std::set<std::uint32_t> scaleRamp()
{
    std::set<std::uint32_t> ramp;
    for (std::uint32_t keep = 0; keep <= 15; ++keep) {
        const auto step = [keep](std::uint32_t v) { return (2 * v * keep + 15) / 30; };
        ramp.insert(step(192) << 16 | step(220) << 8 | step(192));
    }
    return ramp;
}

class ArtColours : public testing::TestWithParam<Shown> { };

TEST_P(ArtColours, AreThePicturesOwn)
{
    const Shown& c = GetParam();
    std::set<std::uint32_t> palette;
    if (c.kept.art == Art::Faucet) {
        for (const sim::Colour colour : decodedAsset(c.kept.file).pixels) {
            palette.insert(colour.rgb());
        }
        ASSERT_EQ(palette.size(), 16u);
    } else {
        palette = scaleRamp();
    }
    const Picture drawn = drawnShown(c);
    ASSERT_EQ(drawn.width, shown(c.kept.shownWidth, c.scale));
    ASSERT_EQ(drawn.pixels.size(), static_cast<std::size_t>(drawn.width) * static_cast<std::size_t>(drawn.height));
    std::set<std::uint32_t> used;
    for (int y = 0; y < drawn.height; ++y) {
        for (int x = 0; x < drawn.width; ++x) {
            const std::uint32_t rgb = drawn.at(x, y).rgb();
            ASSERT_TRUE(palette.count(rgb)) << "colour " << std::hex << rgb << " at " << std::dec << x << "," << y;
            used.insert(rgb);
        }
    }
    // Solid ink, the background and edge shades between them.
    EXPECT_GE(used.size(), 10u);
}

INSTANTIATE_TEST_SUITE_P(Art, ArtColours,
                         testing::Values(Shown{kFaucet, 1.5}, Shown{kFaucet, 2}, Shown{kVertical, 1.5},
                                         Shown{kVertical, 2}, Shown{kHorizontal, 1.5}, Shown{kHorizontal, 2}),
                         [](const auto& info) { return nameOf(info); });

class ArtFigures : public testing::TestWithParam<Shown> { };

TEST_P(ArtFigures, FillTheirBoxesCarriedToTheShownSize)
{
    const Shown& c = GetParam();
    const core::art::ScaleLayout design =
        c.kept.art == Art::VerticalScale ? core::art::verticalScaleLayout() : core::art::horizontalScaleLayout();
    const Picture drawn = drawnShown(c);
    const core::art::ScaleLayout layout = core::art::scaledLayout(design, drawn.width, drawn.height);

    // Every box edge where the design's edge falls once magnified, to the pixel.
    const double fx = static_cast<double>(drawn.width) / design.width;
    const double fy = static_cast<double>(drawn.height) / design.height;
    ASSERT_EQ(layout.numbers.size(), design.numbers.size());
    for (std::size_t i = 0; i < design.numbers.size(); ++i) {
        ASSERT_EQ(layout.numbers[i].figures.size(), design.numbers[i].figures.size());
        for (std::size_t j = 0; j < design.numbers[i].figures.size(); ++j) {
            const core::art::FigureBox& from = design.numbers[i].figures[j];
            const core::art::FigureBox& to = layout.numbers[i].figures[j];
            SCOPED_TRACE("number " + std::to_string(design.numbers[i].value) + " figure " + std::to_string(j));
            EXPECT_NEAR(to.left, from.left * fx, 0.5);
            EXPECT_NEAR(to.right + 1, (from.right + 1) * fx, 0.5);
            EXPECT_NEAR(to.top, from.top * fy, 0.5);
            EXPECT_NEAR(to.bottom + 1, (from.bottom + 1) * fy, 0.5);
        }
    }
    std::string problem;
    EXPECT_TRUE(core::art::inkMatchesLayout(drawn, layout, problem)) << problem;
}

INSTANTIATE_TEST_SUITE_P(Art, ArtFigures,
                         testing::Values(Shown{kVertical, 1}, Shown{kVertical, 1.40625}, Shown{kVertical, 2},
                                         Shown{kVertical, 3}, Shown{kHorizontal, 1}, Shown{kHorizontal, 1.40625},
                                         Shown{kHorizontal, 2}, Shown{kHorizontal, 3}),
                         [](const auto& info) { return nameOf(info); });

class ArtNozzle : public testing::TestWithParam<double> { };

// The stream leaves through the cream band of the nozzle, design columns 252 to 297.
TEST_P(ArtNozzle, BandLandsOnItsMagnifiedColumns)
{
    const Shown c{kFaucet, GetParam()};
    const Picture drawn = drawnShown(c);
    const double fx = static_cast<double>(drawn.width) / 319;
    const int row = static_cast<int>((255 + 272) / 2.0 * drawn.height / 287);
    const sim::Colour cream{247 >> 3 << 3, 230 >> 3 << 3, 140 >> 3 << 3};
    int first = -1;
    int last = -1;
    for (int x = static_cast<int>(230 * fx); x < drawn.width; ++x) {
        if (drawn.at(x, row) == cream) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    EXPECT_NEAR(first, 252 * fx, 1.0);
    EXPECT_NEAR(last + 1, 298 * fx, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Art, ArtNozzle, testing::Values(1.5, 2.0, 3.0));

// ------------------------------------------------------------ refused sizes

struct Request {
    Art art;
    int width;
    int height;
    bool drawn;
};

void PrintTo(const Request& r, std::ostream* out)
{
    *out << nameOf(r.art) << " " << r.width << "x" << r.height;
}

class ArtSizes : public testing::TestWithParam<Request> { };

TEST_P(ArtSizes, OnlyThoseThatCanBeDrawnAreDrawn)
{
    const Request& r = GetParam();
    const Picture picture = core::drawArt(r.art, r.width, r.height);
    if (r.drawn) {
        EXPECT_EQ(picture.width, r.width);
        EXPECT_EQ(picture.height, r.height);
        EXPECT_EQ(picture.pixels.size(), static_cast<std::size_t>(r.width) * static_cast<std::size_t>(r.height));
    } else {
        EXPECT_EQ(picture.width, 0);
        EXPECT_EQ(picture.height, 0);
        EXPECT_EQ(picture.pixels.capacity(), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Art, ArtSizes,
                         testing::Values(Request{Art::Faucet, 0, 105, false}, Request{Art::Faucet, 121, -3, false},
                                         Request{Art::VerticalScale, 8193, 529, false},
                                         Request{Art::HorizontalScale, 521, 1 << 30, false},
                                         Request{Art::None, 100, 100, false}, Request{Art::Faucet, 1, 1, true},
                                         Request{Art::VerticalScale, 2, 3, true},
                                         Request{Art::HorizontalScale, 8192, 1, true}));

} // namespace
