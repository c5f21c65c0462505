// The pictures as the window shows them: stretched by whole rows and columns, in their places,
// and lined up with the ticks the window draws beside them.

#include "common/windowfixture.h"

#include "art.h"
#include "bmp.h"
#include "pictures.h"

using sim::Item;

namespace {

constexpr QRgb kBackground = qRgb(192, 220, 192);

bool isInk(QRgb c)
{
    // The figures are black smoothed towards the background; anything clearly darker is ink.
    return qGreen(c) < 150;
}

struct Extent {
    int first = -1;
    int last = -1;
    double centre() const { return (first + last) / 2.0; }
};

core::Picture decoded(core::Art art)
{
    core::Picture picture;
    core::decodeBmp(ui::artFile(art), picture);
    return picture;
}

QRgb rgbOf(sim::Colour c)
{
    return qRgb(c.r, c.g, c.b);
}

using PicturesOnScreen = WindowTest;

TEST_F(PicturesOnScreen, EachPictureIsItsBitmapStretchedByWholeRowsAndColumns)
{
    const QImage image = shot();
    for (Item item : {Item::Jaguchi, Item::ImgSuiryo, Item::ImgYjiku, Item::ImgXJiku}) {
        SCOPED_TRACE(core::layoutOf(item).name);
        const QRect r = widget(item)->geometry();
        const core::Picture art = decoded(core::layoutOf(item).art);
        ASSERT_GT(art.width, 0);
        int wrong = 0;
        for (int y = 0; y < r.height(); ++y) {
            for (int x = 0; x < r.width(); ++x) {
                if (item == Item::Jaguchi && y == r.height() - 1 && r.x() + x >= 16 && r.x() + x <= 40)
                    continue; // covered by ImgSuiryo, drawn later
                const QRgb expected = rgbOf(art.at(x * art.width / r.width(), y * art.height / r.height()));
                wrong += image.pixel(r.x() + x, r.y() + y) != expected;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
    // Where the faucet's last row meets the volume scale, the scale (drawn later) is seen.
    const core::Picture scale = decoded(core::Art::VerticalScale);
    for (int x = 16; x <= 40; ++x)
        EXPECT_EQ(image.pixel(x, 176), rgbOf(scale.at((x - 16) * 20 / 25, 0))) << x;
}

TEST_F(PicturesOnScreen, TheStreamLeavesTheNozzleAtItsFullWidth)
{
    choose(0, 1, 1);
    click(Item::btnMizuDasu);
    tick(5);
    const QImage image = shot();
    const QRgb cream = image.pixel(104, 168);
    EXPECT_GT(qRed(cream), 200);
    EXPECT_GT(qGreen(cream), 200);
    EXPECT_LT(qBlue(cream), 160);
    for (int x = 96; x <= 112; ++x)
        EXPECT_EQ(image.pixel(x, 168), cream) << "nozzle band at window column " << x;
    EXPECT_NE(image.pixel(95, 168), cream);
    EXPECT_NE(image.pixel(114, 168), cream);
    for (int x = 96; x <= 111; ++x)
        EXPECT_EQ(image.pixel(x, 177) & 0xFFFFFF, 0x00FFFFu) << "stream below the nozzle at " << x;
}

TEST_F(PicturesOnScreen, VerticalNumbersSitJustAboveTheirLongTicks)
{
    const QImage image = shot();
    for (const auto& [item, floor] : {std::pair{Item::ImgYjiku, 676}, std::pair{Item::ImgSuiryo, 692}}) {
        const QRect r = widget(item)->geometry();
        for (int v = 0; v <= 20; ++v) {
            SCOPED_TRACE(std::string(core::layoutOf(item).name) + " " + std::to_string(v));
            const int tick = floor - 25 * v;
            Extent rows;
            for (int y = tick - 14; y <= tick + 9; ++y) {
                bool ink = false;
                for (int x = r.left(); x <= r.right() && y >= r.top() && y <= r.bottom(); ++x)
                    ink = ink || isInk(image.pixel(x, y));
                if (ink) {
                    rows.first = rows.first < 0 ? y : rows.first;
                    rows.last = y;
                }
            }
            ASSERT_GE(rows.first, 0);
            const double above = tick - rows.centre();
            EXPECT_GE(above, 1.2);
            EXPECT_LE(above, 3.9);
        }
    }
}

TEST_F(PicturesOnScreen, HorizontalNumbersAreCentredOnTheirLongTicks)
{
    const QImage image = shot();
    const QRect r = widget(Item::ImgXJiku)->geometry();
    for (int v = 0; v <= 20; ++v) {
        SCOPED_TRACE(v);
        const int tick = 497 + 25 * v;
        Extent columns;
        for (int x = std::max(r.left(), tick - 11); x <= std::min(r.right(), tick + 11); ++x) {
            bool ink = false;
            for (int y = r.top(); y <= r.bottom(); ++y)
                ink = ink || isInk(image.pixel(x, y));
            if (ink) {
                columns.first = columns.first < 0 ? x : columns.first;
                columns.last = x;
            }
        }
        ASSERT_GE(columns.first, 0);
        const double offset = columns.centre() - tick;
        EXPECT_GE(offset, -3.3);
        EXPECT_LE(offset, 1.0);
    }
    // Nothing but the figures: the picture has no ticks of its own.
    EXPECT_EQ(image.pixel(r.left() + 1, r.bottom()) & 0xFFFFFF, kBackground & 0xFFFFFF);
}

// A window larger than the design shows each picture drawn afresh by the core at the size it is
// shown, never its bitmap stretched; until a drawing arrives the stretched bitmap stands in.
TEST_F(PicturesOnScreen, AtAnotherScaleEachPictureIsDrawnForItsSize)
{
    for (const QSize size : {QSize(2048, 1536), QSize(1440, 1080)}) {
        SCOPED_TRACE(size.width());
        window->resize(size);
        QCoreApplication::processEvents();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->pictures().isDrawing(); }, 10000));
        const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (Item item : {Item::Jaguchi, Item::ImgSuiryo, Item::ImgYjiku, Item::ImgXJiku}) {
            SCOPED_TRACE(core::layoutOf(item).name);
            const QRect r = widget(item)->geometry();
            const core::Picture art = core::drawArt(core::layoutOf(item).art, r.width(), r.height());
            ASSERT_EQ(art.width, r.width());
            int wrong = 0;
            for (int y = 0; y < r.height(); ++y) {
                for (int x = 0; x < r.width(); ++x) {
                    const QPoint at = r.topLeft() + QPoint(x, y);
                    if (item == Item::Jaguchi && widget(Item::ImgSuiryo)->geometry().contains(at))
                        continue; // covered by ImgSuiryo, drawn later
                    wrong += image.pixel(at) != rgbOf(art.at(x, y));
                }
            }
            EXPECT_EQ(wrong, 0);
        }
    }
}

} // namespace
