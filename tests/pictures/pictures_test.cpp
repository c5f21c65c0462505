// Checks the fixed pictures in assets/: their exact BMP layout, the colours
// they may use, where the numbers and the nozzle stand, how Qt shows them,
// and that the generator reproduces them byte for byte.

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string kAssets = PICTURES_ASSETS_DIR;

std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    }
    return v;
}

// A BMP as stored: its header fields and its pixel rows, top row first.
struct Bmp {
    std::vector<std::uint8_t> bytes;
    int width = 0;
    int height = 0;
    int bits = 0;
    std::uint32_t offset = 0;
    std::uint32_t stride = 0;

    explicit Bmp(const std::string& name)
        : bytes(readBytes(kAssets + "/" + name))
    {
        if (bytes.size() >= 54) {
            offset = le(bytes, 10, 4);
            width = static_cast<int>(le(bytes, 18, 4));
            height = static_cast<int>(le(bytes, 22, 4));
            bits = static_cast<int>(le(bytes, 28, 2));
            stride = (static_cast<std::uint32_t>(width * bits) + 31u) / 32u * 4u;
        }
    }
    // Header read and every pixel row present.
    bool complete() const
    {
        return width > 0 && height > 0 && bytes.size() >= offset + stride * static_cast<std::uint32_t>(height);
    }
    std::size_t rowStart(int y) const { return offset + static_cast<std::size_t>(height - 1 - y) * stride; }
    // For 24-bit pictures: 0xRRGGBB.
    std::uint32_t rgb(int x, int y) const
    {
        const std::size_t at = rowStart(y) + static_cast<std::size_t>(x) * 3;
        return le(bytes, at, 3);
    }
    // For 16-bit pictures: the 5-5-5 word.
    std::uint16_t word(int x, int y) const
    {
        return static_cast<std::uint16_t>(le(bytes, rowStart(y) + static_cast<std::size_t>(x) * 2, 2));
    }
};

// ---------------------------------------------------------------- headers

struct HeaderCase {
    const char* file;
    int width;
    int height;
    int bits;
    std::uint32_t compression;
    std::uint32_t fileSize;
    std::uint32_t offset;
    std::uint32_t stride;
    std::uint32_t coloursUsed;
};

class Header : public testing::TestWithParam<HeaderCase> { };

TEST_P(Header, HasExactlyTheStatedFields)
{
    const HeaderCase& c = GetParam();
    const Bmp bmp(c.file);
    ASSERT_EQ(bmp.bytes.size(), c.fileSize);
    ASSERT_TRUE(bmp.complete());
    EXPECT_EQ(bmp.bytes[0], 'B');
    EXPECT_EQ(bmp.bytes[1], 'M');
    EXPECT_EQ(le(bmp.bytes, 2, 4), c.fileSize);
    EXPECT_EQ(le(bmp.bytes, 6, 4), 0u);
    EXPECT_EQ(le(bmp.bytes, 10, 4), c.offset);
    EXPECT_EQ(le(bmp.bytes, 14, 4), 40u);
    EXPECT_EQ(le(bmp.bytes, 18, 4), static_cast<std::uint32_t>(c.width));
    // A positive height: rows are stored bottom-up.
    EXPECT_EQ(le(bmp.bytes, 22, 4), static_cast<std::uint32_t>(c.height));
    EXPECT_EQ(le(bmp.bytes, 26, 2), 1u);
    EXPECT_EQ(le(bmp.bytes, 28, 2), static_cast<std::uint32_t>(c.bits));
    EXPECT_EQ(le(bmp.bytes, 30, 4), c.compression);
    EXPECT_EQ(le(bmp.bytes, 34, 4), c.stride * static_cast<std::uint32_t>(c.height));
    EXPECT_EQ(le(bmp.bytes, 34, 4), c.fileSize - c.offset);
    EXPECT_EQ(le(bmp.bytes, 38, 4), 2834u);
    EXPECT_EQ(le(bmp.bytes, 42, 4), 2834u);
    EXPECT_EQ(le(bmp.bytes, 46, 4), c.coloursUsed);
    EXPECT_EQ(le(bmp.bytes, 50, 4), 0u);
    ASSERT_EQ(bmp.stride, c.stride);

    // Row padding is zero.
    const std::uint32_t used = (static_cast<std::uint32_t>(c.width * c.bits) + 7u) / 8u;
    for (int y = 0; y < c.height; ++y) {
        for (std::uint32_t i = used; i < c.stride; ++i) {
            ASSERT_EQ(bmp.bytes[bmp.rowStart(y) + i], 0) << "row " << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, Header,
                         testing::Values(HeaderCase{"faucet.bmp", 319, 287, 16, 3, 183746, 66, 640, 0},
                                         HeaderCase{"scale-vertical.bmp", 20, 439, 24, 0, 26394, 54, 60, 0},
                                         HeaderCase{"scale-horizontal.bmp", 439, 20, 24, 0, 26454, 54, 1320, 0},
                                         HeaderCase{"icon.bmp", 32, 32, 4, 0, 630, 118, 16, 16}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             name = name.substr(0, name.find('.'));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(Header, FaucetMasksFollowTheInfoHeader)
{
    const Bmp bmp("faucet.bmp");
    ASSERT_TRUE(bmp.complete());
    ASSERT_EQ(bmp.offset, 66u);
    EXPECT_EQ(le(bmp.bytes, 54, 4), 0x7C00u);
    EXPECT_EQ(le(bmp.bytes, 58, 4), 0x03E0u);
    EXPECT_EQ(le(bmp.bytes, 62, 4), 0x001Fu);
}

// ----------------------------------------------------------------- scales

constexpr std::uint32_t kMoneyGreen = 0xC0DCC0;

std::uint32_t level(int k)
{
    const auto part = [k](std::uint32_t v) { return (2 * v * static_cast<std::uint32_t>(k) + 15) / 30; };
    return part(kMoneyGreen >> 16) << 16 | part((kMoneyGreen >> 8) & 0xFF) << 8 | part(kMoneyGreen & 0xFF);
}

class ScaleLevels : public testing::TestWithParam<const char*> { };

TEST_P(ScaleLevels, UseOnlyTheSixteenShadesOfTheBackground)
{
    const Bmp bmp(GetParam());
    ASSERT_TRUE(bmp.complete());
    ASSERT_EQ(bmp.bits, 24);
    std::map<std::uint32_t, int> shadeOf;
    for (int k = 0; k <= 15; ++k) {
        shadeOf[level(k)] = k;
    }
    ASSERT_EQ(level(1), 0x0D0F0Du);  // 13, 15, 13
    ASSERT_EQ(level(14), 0xB3CDB3u); // 179, 205, 179
    std::set<int> seen;
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            const auto it = shadeOf.find(bmp.rgb(x, y));
            ASSERT_NE(it, shadeOf.end()) << "pixel " << x << "," << y;
            seen.insert(it->second);
        }
    }
    // Solid black cores, the background, and smoothing between them.
    EXPECT_TRUE(seen.count(0) && seen.count(15));
    EXPECT_GE(seen.size(), 12u);
}

INSTANTIATE_TEST_SUITE_P(Pictures, ScaleLevels, testing::Values("scale-vertical.bmp", "scale-horizontal.bmp"),
                         [](const auto& info) { return std::string(info.index == 0 ? "Vertical" : "Horizontal"); });

struct Span {
    int first = -1;
    int last = -1;
};

TEST(VerticalScale, NumbersStandAtTheirRowsAndColumns)
{
    const Bmp bmp("scale-vertical.bmp");
    ASSERT_TRUE(bmp.complete());
    ASSERT_EQ(bmp.width, 20);
    ASSERT_EQ(bmp.height, 439);
    // Runs of rows with ink, from the top, with the columns they cover.
    std::vector<Span> rows;
    std::vector<Span> columns;
    bool inRun = false;
    for (int y = 0; y < bmp.height; ++y) {
        Span cols;
        for (int x = 0; x < bmp.width; ++x) {
            if (bmp.rgb(x, y) != kMoneyGreen) {
                cols.last = x;
                if (cols.first < 0) {
                    cols.first = x;
                }
            }
        }
        if (cols.first >= 0) {
            if (!inRun) {
                rows.push_back({y, y});
                columns.push_back(cols);
            }
            rows.back().last = y;
            columns.back().first = std::min(columns.back().first, cols.first);
            columns.back().last = std::max(columns.back().last, cols.last);
        }
        inRun = cols.first >= 0;
    }

    constexpr std::array<int, 21> tops = {5,   26,  47,  68,  89,  110, 130, 151, 172, 193, 214,
                                          235, 255, 276, 297, 318, 339, 360, 380, 401, 422};
    ASSERT_EQ(rows.size(), tops.size());
    for (std::size_t i = 0; i < tops.size(); ++i) {
        const int value = 20 - static_cast<int>(i);
        SCOPED_TRACE("number " + std::to_string(value));
        EXPECT_EQ(rows[i].first, tops[i]);
        EXPECT_EQ(rows[i].last, tops[i] + 9);
        if (value == 1 || value == 11) {
            EXPECT_EQ(columns[i].first, value == 1 ? 12 : 2);
            EXPECT_EQ(columns[i].last, 17);
        } else {
            const int left = columns[i].first;
            EXPECT_TRUE(value >= 10 ? (left == 1 || left == 2) : (left == 11 || left == 12)) << left;
            EXPECT_EQ(columns[i].last, 19);
        }
    }
}

TEST(HorizontalScale, NumbersCoverExactlyTheirColumns)
{
    const Bmp bmp("scale-horizontal.bmp");
    ASSERT_TRUE(bmp.complete());
    ASSERT_EQ(bmp.width, 439);
    ASSERT_EQ(bmp.height, 20);
    constexpr std::array<Span, 21> places = {{{3, 9},     {25, 28},   {46, 51},   {67, 72},   {88, 94},   {109, 115},
                                              {131, 136}, {152, 157}, {173, 179}, {195, 200}, {210, 222}, {231, 241},
                                              {252, 264}, {274, 285}, {295, 307}, {316, 328}, {338, 349}, {359, 370},
                                              {380, 392}, {401, 413}, {422, 435}}};
    std::vector<Span> inkRows(static_cast<std::size_t>(bmp.width));
    for (int x = 0; x < bmp.width; ++x) {
        for (int y = 0; y < bmp.height; ++y) {
            if (bmp.rgb(x, y) != kMoneyGreen) {
                Span& s = inkRows[static_cast<std::size_t>(x)];
                s.last = y;
                if (s.first < 0) {
                    s.first = y;
                }
            }
        }
    }
    const auto inked = [&](int x) {
        return x >= 0 && x < bmp.width && inkRows[static_cast<std::size_t>(x)].first >= 0;
    };
    std::vector<bool> listed(static_cast<std::size_t>(bmp.width), false);
    for (std::size_t v = 0; v < places.size(); ++v) {
        SCOPED_TRACE("number " + std::to_string(v));
        const Span p = places[v];
        EXPECT_TRUE(inked(p.first));
        EXPECT_TRUE(inked(p.last));
        EXPECT_FALSE(inked(p.first - 1));
        EXPECT_FALSE(inked(p.last + 1));
        Span rows{99, -1};
        for (int x = p.first; x <= p.last; ++x) {
            listed[static_cast<std::size_t>(x)] = true;
            if (inked(x)) {
                rows.first = std::min(rows.first, inkRows[static_cast<std::size_t>(x)].first);
                rows.last = std::max(rows.last, inkRows[static_cast<std::size_t>(x)].last);
            }
        }
        EXPECT_EQ(rows.first, 2);
        EXPECT_EQ(rows.last, 15);
    }
    for (int x = 0; x < bmp.width; ++x) {
        EXPECT_TRUE(listed[static_cast<std::size_t>(x)] || !inked(x)) << "stray ink in column " << x;
    }
}

// ----------------------------------------------------------------- faucet

constexpr std::uint16_t word555(int r, int g, int b)
{
    return static_cast<std::uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
}
constexpr std::uint16_t kCream = word555(247, 230, 140);

struct Channels {
    int r, g, b;
};
Channels channels(std::uint16_t w)
{
    return {w >> 10 & 31, w >> 5 & 31, w & 31};
}

bool within(Channels c, Channels lo, Channels hi)
{
    return c.r >= lo.r && c.r <= hi.r && c.g >= lo.g && c.g <= hi.g && c.b >= lo.b && c.b <= hi.b;
}

bool isGreen(std::uint16_t w)
{
    return within(channels(w), {20, 25, 20}, {25, 29, 25});
}

TEST(Faucet, NozzleBandIsCreamInExactlyItsColumns)
{
    const Bmp bmp("faucet.bmp");
    ASSERT_TRUE(bmp.complete());
    ASSERT_EQ(bmp.width, 319);
    ASSERT_EQ(bmp.height, 287);
    for (int y = 253; y <= 273; ++y) {
        for (int x = 248; x <= 301; ++x) {
            const bool band = y >= 255 && y <= 271 && x >= 252 && x <= 297;
            EXPECT_EQ(bmp.word(x, y) == kCream, band) << x << "," << y;
        }
    }
}

TEST(Faucet, UsesSixteenColoursFromTheTapsFamilies)
{
    const Bmp bmp("faucet.bmp");
    ASSERT_TRUE(bmp.complete());
    ASSERT_EQ(bmp.bits, 16);
    std::map<std::uint16_t, int> counts;
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            ++counts[bmp.word(x, y)];
        }
    }
    EXPECT_EQ(counts.size(), 16u);
    for (const auto& [w, n] : counts) {
        const Channels c = channels(w);
        const bool known = isGreen(w) || w == kCream || w == word555(8, 8, 8) || within(c, {11, 10, 6}, {15, 14, 9})
                           ||                               // olive seam
                           within(c, {3, 3, 3}, {7, 8, 7}); // dark grey edge
        EXPECT_TRUE(known) << "colour " << c.r << "," << c.g << "," << c.b << " used " << n << " times";
    }
    EXPECT_GT(counts[kCream], 20000);
    EXPECT_GT(counts[word555(8, 8, 8)], 20000);
}

TEST(Faucet, TouchesLeftRightAndBottomAndStartsAtRowOne)
{
    const Bmp bmp("faucet.bmp");
    ASSERT_TRUE(bmp.complete());
    ASSERT_EQ(bmp.width, 319);
    ASSERT_EQ(bmp.height, 287);
    const auto tapIn = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                if (!isGreen(bmp.word(x, y))) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_FALSE(tapIn(0, 0, 318, 0));
    EXPECT_TRUE(tapIn(0, 1, 318, 1));
    EXPECT_TRUE(tapIn(0, 0, 0, 286));
    EXPECT_TRUE(tapIn(318, 0, 318, 286));
    EXPECT_TRUE(tapIn(0, 286, 318, 286));
}

TEST(Faucet, BackgroundMatchesTheWindowWhenQtShowsIt)
{
    const Bmp bmp("faucet.bmp");
    ASSERT_TRUE(bmp.complete());
    const QImage image(QString::fromStdString(kAssets + "/faucet.bmp"));
    ASSERT_EQ(image.width(), 319);
    ASSERT_EQ(image.height(), 287);
    std::map<std::uint16_t, int> greens;
    std::map<std::uint16_t, bool> onEvenRow;
    double r = 0, g = 0, b = 0;
    int n = 0;
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            const std::uint16_t w = bmp.word(x, y);
            if (!isGreen(w)) {
                continue;
            }
            ++greens[w];
            onEvenRow[w] = onEvenRow[w] || y % 2 == 0;
            const QRgb c = image.pixel(x, y);
            r += qRed(c);
            g += qGreen(c);
            b += qBlue(c);
            ++n;
        }
    }
    ASSERT_GT(n, 319 * 287 / 3);
    EXPECT_NEAR(r / n, 192, 3);
    EXPECT_NEAR(g / n, 220, 3);
    EXPECT_NEAR(b / n, 192, 3);

    // One plain green, and a sparser dither that keeps to the odd rows.
    ASSERT_EQ(greens.size(), 2u);
    const auto plain =
        greens.begin()->second > std::next(greens.begin())->second ? greens.begin() : std::next(greens.begin());
    const auto dither = plain == greens.begin() ? std::next(greens.begin()) : greens.begin();
    EXPECT_FALSE(onEvenRow[dither->first]);
    EXPECT_LT(dither->second * 3, n);
    EXPECT_GT(dither->second * 18, n);
}

// ------------------------------------------------------------------- icon

TEST(Icon, IsThirtyTwoSquareInSixteenColours)
{
    const QImage icon(QString::fromStdString(kAssets + "/icon.bmp"));
    ASSERT_EQ(icon.width(), 32);
    ASSERT_EQ(icon.height(), 32);
    EXPECT_LE(icon.colorCount(), 16);
    std::set<QRgb> used;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            used.insert(icon.pixel(x, y));
        }
    }
    EXPECT_LE(used.size(), 16u);
    EXPECT_GE(used.size(), 6u);
}

TEST(Icon, LargeRenderingIsTheSameDrawing)
{
    const QImage icon(QString::fromStdString(kAssets + "/icon.bmp"));
    const QImage large(QString::fromStdString(kAssets + "/icon-256.png"));
    ASSERT_EQ(large.width(), 256);
    ASSERT_EQ(large.height(), 256);
    ASSERT_EQ(icon.width(), 32);
    // The middle of each 8 x 8 block shows the small icon's pixel, save where
    // a slanting edge crosses it.
    int same = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QColor a(icon.pixel(x, y));
            const QColor b(large.pixel(x * 8 + 4, y * 8 + 4));
            same += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) <= 24;
        }
    }
    EXPECT_GE(same, 32 * 32 * 95 / 100);
}

// ---------------------------------------------------------- reproduction

TEST(Generator, RedrawsTheKeptPicturesByteForByte)
{
    const std::array<const char*, 5> files = {"faucet.bmp", "scale-vertical.bmp", "scale-horizontal.bmp", "icon.bmp",
                                              "icon-256.png"};
    std::array<QTemporaryDir, 2> runs;
    for (QTemporaryDir& dir : runs) {
        ASSERT_TRUE(dir.isValid());
        const int status = QProcess::execute(QStringLiteral(PICTUREGEN_PATH), {dir.path()});
        ASSERT_EQ(status, 0);
    }
    for (const char* name : files) {
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> kept = readBytes(kAssets + "/" + name);
        ASSERT_FALSE(kept.empty());
        for (const QTemporaryDir& dir : runs) {
            EXPECT_TRUE(readBytes(dir.filePath(name).toStdString()) == kept);
        }
    }
}

} // namespace
