#include "common/windowfixture.h"

#include "canvasbridge.h"
#include "colours.h"
#include "itemwidgets.h"

#include <QPainter>

using sim::Item;

namespace {

constexpr QRgb kGreen = qRgb(192, 220, 192);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kSilver = qRgb(192, 192, 192);
constexpr QRgb kAqua = qRgb(0, 255, 255);
constexpr QRgb kLime = qRgb(0, 255, 0);
constexpr QRgb kYellow = qRgb(255, 255, 0);

constexpr int kGraphLeft = 497;
constexpr int kGraphTop = 176;

QRgb at(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

QRgb graphAt(const QImage& image, int x, int y)
{
    return at(image, kGraphLeft + x, kGraphTop + y);
}

std::string hex(QRgb c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", c & 0xFFFFFF);
    return text;
}

#define EXPECT_PIXEL(image, x, y, colour) EXPECT_EQ(hex(at(image, x, y)), hex(colour)) << "at " << (x) << "," << (y)

class Render : public WindowTest {
protected:
    // One record at (50, 350) from the initial amount 4, plotted and joined, and the live line on
    // to (98, 302).
    void recordPlottedJoinedAndLive()
    {
        startRun(4, 1, 1);
        tick(50);
        click(Item::btnKiroku);
        click(Item::btnTenki);
        click(Item::btnMusubu);
        click(Item::spbGraphFlg);
        tick(48);
    }
};

TEST_F(Render, StartingConditionShowsEmptyTankBarsAndGraph)
{
    const QImage image = shot();
    ASSERT_EQ(image.size(), QSize(1024, 768));
    EXPECT_PIXEL(image, 700, 740, kGreen); // the window's own colour
    EXPECT_PIXEL(image, 200, 500, kGreen); // the tank's inside
    EXPECT_PIXEL(image, 200, 690, kGreen); // no water: a shape 1 pixel high shows nothing
    EXPECT_PIXEL(image, 100, 180, kGreen); // no stream
    EXPECT_PIXEL(image, 480, 674, kGreen); // empty level bar inside its frame
    EXPECT_PIXEL(image, 497, 690, kGreen); // empty time bar
    EXPECT_PIXEL(image, 476, 300, kBlack); // the level bar's frame outline
    EXPECT_PIXEL(image, 483, 300, kBlack);
    EXPECT_PIXEL(image, 600, 688, kBlack); // the time bar's frame outline
    EXPECT_PIXEL(image, 600, 695, kBlack);
    EXPECT_PIXEL(image, 170, 72, qRgb(166, 202, 240)); // a caption label's sky blue
    EXPECT_PIXEL(image, 258, 120, kWhite);             // a value box
}

TEST_F(Render, TankOutlineIsOpenAtTheTop)
{
    const QImage image = shot();
    for (int y = 200; y <= 680; y += 40) {
        EXPECT_PIXEL(image, 55, y, kBlack);
        EXPECT_PIXEL(image, 433, y, kBlack);
        EXPECT_PIXEL(image, 434, y, kGreen);
        EXPECT_PIXEL(image, 56, y, kGreen);
    }
    for (int x = 60; x <= 430; x += 37)
        EXPECT_PIXEL(image, x, 692, kBlack);
    EXPECT_PIXEL(image, 200, 190, kGreen);
    EXPECT_PIXEL(image, 200, 693, kGreen);
}

TEST_F(Render, TicksAreLongEveryUnitAndShortBetweenOnAllThreeScales)
{
    const QImage image = shot();
    for (int i = 0; i <= 100; ++i) {
        SCOPED_TRACE(i);
        const bool isLong = i % 5 == 0;
        const int d = 5 * i;
        // Beside the tank: x 50..54 long, 52..54 short. The ends a 2-pixel pen adds are left open.
        const int tankY = 692 - d;
        EXPECT_PIXEL(image, 53, tankY, kRed);
        EXPECT_PIXEL(image, 51, tankY, isLong ? kRed : at(image, 51, tankY));
        EXPECT_NE(at(image, isLong ? 48 : 50, tankY), kRed);
        // Left of the graph: x 491..495 long, 493..495 short.
        const int graphY = 676 - d;
        EXPECT_PIXEL(image, 494, graphY, kRed);
        EXPECT_PIXEL(image, 492, graphY, isLong ? kRed : at(image, 492, graphY));
        EXPECT_NE(at(image, isLong ? 489 : 491, graphY), kRed);
        // Under the graph: y 676..680 long, 676..678 short.
        const int x = 497 + d;
        EXPECT_PIXEL(image, x, 677, kRed);
        EXPECT_PIXEL(image, x, 679, isLong ? kRed : at(image, x, 679));
        EXPECT_NE(at(image, x, isLong ? 682 : 680), kRed);
        // Between two ticks nothing red.
        if (i < 100) {
            EXPECT_NE(at(image, 53, tankY - 2), kRed);
            EXPECT_NE(at(image, x + 3, 677), kRed);
        }
    }
}

TEST_F(Render, GraphIsWhiteWithASilverGridOffItsBorder)
{
    const QImage image = shot();
    for (int j = 25; j <= 475; j += 25) {
        SCOPED_TRACE(j);
        EXPECT_EQ(hex(graphAt(image, j, 10)), hex(kSilver));  // vertical line
        EXPECT_EQ(hex(graphAt(image, 10, j)), hex(kSilver));  // horizontal line
        EXPECT_EQ(hex(graphAt(image, j, 499)), hex(kSilver)); // reaches the last row
        EXPECT_EQ(hex(graphAt(image, j + 1, 10)), hex(kWhite));
        EXPECT_EQ(hex(graphAt(image, 10, j - 1)), hex(kWhite));
        // The long ticks line up with the grid.
        EXPECT_EQ(hex(at(image, kGraphLeft + j, 679)), hex(kRed));
        EXPECT_EQ(hex(at(image, 492, kGraphTop + j)), hex(kRed));
    }
    // The grid lines cross the border but none runs along it.
    for (int k = 1; k < 500; k += 7) {
        if (k % 25 == 0)
            continue;
        EXPECT_EQ(hex(graphAt(image, 0, k)), hex(kWhite)) << k;
        EXPECT_EQ(hex(graphAt(image, 499, k)), hex(kWhite)) << k;
        EXPECT_EQ(hex(graphAt(image, k, 0)), hex(kWhite)) << k;
        EXPECT_EQ(hex(graphAt(image, k, 499)), hex(kWhite)) << k;
    }
}

TEST_F(Render, DotsPolylineAndLiveLineStartAtTheInitialAmount)
{
    recordPlottedJoinedAndLive();
    ASSERT_EQ(window->state().Ten[1], (sim::Point{50, 350}));
    ASSERT_EQ(window->state().Ten[0], (sim::Point{98, 302}));
    const QImage image = shot();
    // A red blob three pixels across, centred on the record.
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy)
            EXPECT_EQ(hex(graphAt(image, 50 + dx, 350 + dy)), hex(kRed)) << dx << "," << dy;
    }
    EXPECT_EQ(hex(graphAt(image, 52, 353)), hex(kWhite));
    // Both lines leave the graph's left edge at the starting point (0, 400), not at the corner.
    EXPECT_EQ(hex(graphAt(image, 0, 400)), hex(kRed));
    EXPECT_EQ(hex(graphAt(image, 0, 499)), hex(kWhite));
    EXPECT_EQ(hex(graphAt(image, 24, 376)), hex(kRed)); // on both lines
    EXPECT_EQ(hex(graphAt(image, 74, 326)), hex(kRed)); // live line beyond the record
    EXPECT_EQ(hex(graphAt(image, 97, 303)), hex(kRed));
    EXPECT_EQ(hex(graphAt(image, 98, 302)), hex(kWhite)) << "a 1-pixel line stops short of its end";
}

TEST(BackBuffer, OnlyAnUnscaledImageOfWholePixelsIsPaintedStraightInto)
{
    struct Case {
        QImage::Format format;
        qreal pixelRatio;
        QTransform transform;
        std::optional<QPoint> corner; // where the widget's (0, 0) lies in the image
    };
    const Case cases[] = {
        {QImage::Format_RGB32, 1, {}, QPoint(0, 0)},
        {QImage::Format_ARGB32_Premultiplied, 1, QTransform::fromTranslate(30, 7), QPoint(30, 7)},
        {QImage::Format_ARGB32, 1, {}, std::nullopt}, // would need unpremultiplying
        {QImage::Format_RGB16, 1, {}, std::nullopt},
        {QImage::Format_RGB32, 2, {}, std::nullopt}, // a scaled screen
        {QImage::Format_RGB32, 1, QTransform::fromTranslate(0.5, 0), std::nullopt},
        {QImage::Format_RGB32, 1, QTransform::fromTranslate(-1, 0), std::nullopt},
        {QImage::Format_RGB32, 1, QTransform::fromScale(2, 2), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.format << " ratio " << c.pixelRatio << " dx " << c.transform.dx());
        QImage image(64, 32, c.format);
        image.setDevicePixelRatio(c.pixelRatio);
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setTransform(c.transform);
        std::optional<core::Canvas> canvas = ui::canvasOver(painter, QSize(100, 100));
        ASSERT_EQ(canvas.has_value(), c.corner.has_value());
        if (!canvas)
            continue;
        // Cut at the image's edge, and placed at the corner.
        EXPECT_EQ(QSize(canvas->width(), canvas->height()), QSize(64 - c.corner->x(), 32 - c.corner->y()));
        canvas->setPixel(0, 0, sim::clRed);
        painter.end();
        EXPECT_EQ(hex(at(image, c.corner->x(), c.corner->y())), hex(kRed));
    }
}

TEST_F(Render, WindowPaintsTheSamePixelsStraightIntoAnImageAndThroughItsCanvas)
{
    recordPlottedJoinedAndLive();
    // An image of the window's own kind is painted straight into; one that is not premultiplied
    // goes through the window's canvas and the pictures' own.
    QImage straight(1024, 768, QImage::Format_RGB32);
    QImage throughCanvas(1024, 768, QImage::Format_ARGB32);
    window->render(&straight);
    window->render(&throughCanvas);
    throughCanvas = throughCanvas.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x)
            differing += at(straight, x, y) != at(throughCanvas, x, y);
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(hex(at(straight, kGraphLeft + 50, kGraphTop + 350)), hex(kRed)) << "the record's dot";
}

TEST_F(Render, LiveLineAppearsAndVanishesWithTheToggle)
{
    startRun(0, 1, 1);
    tick(100);
    EXPECT_EQ(hex(graphAt(shot(), 49, 451)), hex(kWhite));
    click(Item::spbGraphFlg);
    EXPECT_EQ(window->scene().caption(Item::spbGraphFlg), "ON");
    EXPECT_EQ(hex(graphAt(shot(), 49, 451)), hex(kRed));
    click(Item::spbGraphFlg);
    EXPECT_EQ(window->scene().caption(Item::spbGraphFlg), "OFF");
    EXPECT_EQ(hex(graphAt(shot(), 49, 451)), hex(kWhite));
}

TEST_F(Render, LivePointBeyondTheGraphIsCutAtItsEdge)
{
    choose(0, 3, 1);
    click(Item::spbGraphFlg);
    click(Item::btnMizuDasu);
    fallStream();
    tick(167); // three pixels a tick: the bar overshoots to 501 for one tick
    ASSERT_EQ(window->state().Ten[0].x, 501);
    const QImage image = shot();
    EXPECT_EQ(hex(graphAt(image, 499, 334)), hex(kRed));
    for (int y = 0; y < 500; ++y)
        ASSERT_NE(at(image, kGraphLeft + 500, kGraphTop + y), kRed) << y;
}

TEST_F(Render, FullTankFillsTankAndBarsToTheirFrames)
{
    startRun(0, 1, 1);
    tick(600);
    ASSERT_EQ(window->messagesShown(), 1);
    const QImage image = shot();
    EXPECT_PIXEL(image, 200, 192, kAqua);
    EXPECT_PIXEL(image, 200, 690, kAqua);
    EXPECT_PIXEL(image, 56, 400, kAqua);
    EXPECT_PIXEL(image, 431, 400, kAqua);
    EXPECT_NE(at(image, 200, 691), kAqua) << "a shape's last row is not filled";
    EXPECT_PIXEL(image, 200, 191, kGreen);
    EXPECT_PIXEL(image, 477, 176, kLime) << "the level bar's first row is its frame's top line";
    EXPECT_PIXEL(image, 482, 674, kLime);
    EXPECT_PIXEL(image, 483, 400, kBlack);
    EXPECT_PIXEL(image, 497, 689, kYellow);
    EXPECT_PIXEL(image, 995, 694, kYellow) << "the time bar's last column is its frame's right line";
    EXPECT_PIXEL(image, 996, 690, kGreen);
    EXPECT_PIXEL(image, 600, 695, kBlack);
    // The stream is back to nothing after the stop.
    EXPECT_PIXEL(image, 100, 185, kGreen);
}

TEST_F(Render, StreamHangsFromTheFaucetAndTheWaterCoversItsEnd)
{
    choose(2, 1, 1);
    click(Item::btnMizuDasu);
    tick(40); // 200 pixels of stream
    QImage image = shot();
    EXPECT_PIXEL(image, 96, 177, kAqua);
    EXPECT_PIXEL(image, 111, 375, kAqua);
    EXPECT_NE(at(image, 112, 300), kAqua);
    EXPECT_NE(at(image, 95, 300), kAqua);
    fallStream();
    tick(10);
    image = shot();
    EXPECT_PIXEL(image, 104, 600, kAqua);
    EXPECT_PIXEL(image, 300, 633, kAqua); // level 60: rows 632..690
    EXPECT_PIXEL(image, 300, 631, kGreen);
}

TEST_F(Render, SwitchMarksAndTheAutomaticRecordingButton)
{
    click(Item::btnKiroku);
    click(Item::btnTenki);
    QImage image = shot();
    EXPECT_PIXEL(image, 626, 66, qRgb(128, 0, 128)); // the "ON" mark's purple
    EXPECT_PIXEL(image, 802, 66, kGreen);            // not yet for the polyline
    click(Item::btnMusubu);
    image = shot();
    EXPECT_PIXEL(image, 802, 66, qRgb(128, 0, 128));
    // The face keeps its palette: a new palette at every change would fill Qt's pixmap cache
    // with entries it never gives back, a little more memory at every click of a long lesson.
    const qint64 paletteKey = widget(Item::bbtnKirokuAuto)->palette().cacheKey();
    click(Item::bbtnKirokuAuto);
    EXPECT_EQ(window->scene().fontColour(Item::bbtnKirokuAuto), sim::clRed);
    EXPECT_EQ(widget(Item::bbtnKirokuAuto)->palette().cacheKey(), paletteKey);
    EXPECT_EQ(window->scene().caption(Item::bbtnKirokuAuto), "自動記録オン");
    // The caption is drawn in its colour: the strokes of the face are red.
    image = shot();
    const QRect face = widget(Item::bbtnKirokuAuto)->geometry();
    int red = 0;
    for (int y = face.top(); y <= face.bottom(); ++y) {
        for (int x = face.left(); x <= face.right(); ++x)
            red += qRed(at(image, x, y)) > 200 && qGreen(at(image, x, y)) < 90 && qBlue(at(image, x, y)) < 90;
    }
    EXPECT_GT(red, 20);
}

// "10" is wider than the list's one row. A list cuts a row off at its edge, so part of it shows; Qt
// would shorten it with an ellipsis, which leaves nothing of "10" in so narrow a row.
TEST_F(Render, InitialAmountTenIsCutOffAtTheListsEdgeNotLeftOut)
{
    const auto* list = static_cast<ui::ListBox*>(widget(Item::lbxSyokiRyo));
    const QRect row(list->viewport()->mapTo(window.get(), QPoint(0, 0)), list->viewport()->size());
    // The first and last columns of the row where the text's strokes are.
    const auto strokes = [&](int index) {
        window->scene().setSelectedIndex(Item::lbxSyokiRyo, index);
        const QImage image = shot();
        const QRgb ground = at(image, row.left(), row.top());
        std::pair<int, int> columns{-1, -1};
        for (int x = row.left(); x <= row.right(); ++x) {
            for (int y = row.top(); y <= row.bottom(); ++y) {
                if (at(image, x, y) != ground) {
                    columns = {columns.first < 0 ? x : columns.first, x};
                    break;
                }
            }
        }
        return columns;
    };
    const auto [oneFrom, oneTo] = strokes(1);
    const auto [tenFrom, tenTo] = strokes(10);
    ASSERT_GE(oneFrom, 0) << "no \"1\"";
    EXPECT_EQ(tenFrom, oneFrom) << "\"10\" starts where \"1\" does";
    EXPECT_EQ(tenTo, row.right()) << "its \"0\" runs into the edge";
    EXPECT_GT(tenTo, oneTo + 4);
}

TEST_F(Render, RecordTakenWhileIdleShowsInTheTableAtOnce)
{
    click(Item::btnKiroku);
    EXPECT_EQ(window->scene().caption(Item::stxZahyoX1), "0.0");
    EXPECT_EQ(window->scene().caption(Item::stxZahyoY1), "0.0");
    click(Item::btnTenki);
    EXPECT_EQ(hex(graphAt(shot(), 1, 499)), hex(kRed)) << "the dot at (0, 500), cut at the graph's edge";
}

} // namespace
