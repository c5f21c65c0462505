// The browser page paints the window's surface with the core: its BMP reader must read the
// pictures as Qt does, and the surface it paints must be what the desktop's own widgets show
// wherever no text stands, the faces of the controls included.

#include "bmp.h"
#include "controlpaint.h"
#include "layout.h"
#include "mainwindow.h"
#include "modelwindow.h"
#include "pictures.h"
#include "replay.h"
#include "scenepaint.h"
#include "simulation.h"

#include <QApplication>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

std::vector<std::uint8_t> readAsset(const char* name)
{
    QFile file(QStringLiteral(ASSET_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

TEST(Bmp, ReadsEveryPictureAsQtDoes)
{
    for (const char* name : {"faucet.bmp", "scale-vertical.bmp", "scale-horizontal.bmp", "icon.bmp"}) {
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> bytes = readAsset(name);
        core::Picture picture;
        ASSERT_TRUE(core::decodeBmp(bytes, picture));
        const QImage expected =
            QImage(QStringLiteral(ASSET_DIR "/") + QLatin1String(name)).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(QSize(picture.width, picture.height), expected.size());
        int mismatches = 0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x)
                mismatches += picture.at(x, y).rgb() != (expected.pixel(x, y) & 0xFFFFFFu);
        }
        EXPECT_EQ(mismatches, 0);
        // A file cut short is refused, not read as a picture with a missing end.
        ASSERT_GT(bytes.size(), 100u);
        EXPECT_FALSE(core::decodeBmp(std::span(bytes).first(bytes.size() - 100), picture));
    }
}

TEST(Bmp, StretchedStraightFromTheFileAsFromTheDecodedPicture)
{
    for (const char* name : {"faucet.bmp", "scale-vertical.bmp", "icon.bmp"}) {
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> bytes = readAsset(name);
        core::Picture picture;
        ASSERT_TRUE(core::decodeBmp(bytes, picture));
        for (const core::Rect to : {core::Rect{3, 2, picture.width, picture.height},
                                    {0, 1, 25, 501},
                                    {5, 7, 2 * picture.width + 1, picture.height / 3 + 1}}) {
            const int width = to.right() + 2;
            const int height = to.bottom() + 2;
            core::Canvas expected(width, height);
            core::Canvas drawn(width, height);
            expected.fill({0, 0, width, height}, sim::clWhite);
            drawn.fill({0, 0, width, height}, sim::clWhite);
            core::drawStretched(expected, picture, to);
            // Cut by the clip through the middle of the picture, as a partial repaint is.
            const core::Rect clip{0, to.top + to.height / 2, width, height};
            drawn.setClip(clip);
            ASSERT_TRUE(core::drawBmpStretched(drawn, bytes, to));
            int wrong = 0;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x)
                    wrong += drawn.pixel(x, y) != (clip.contains(x, y) ? expected.pixel(x, y) : sim::clWhite);
            }
            EXPECT_EQ(wrong, 0) << to.width << "x" << to.height;
        }
    }
}

// The window after a run with records, dots, the polyline and the live line, painted by the
// desktop and by the core; the core's pixels must equal the desktop's over every shape, picture,
// label ground and static-text ground and border, button face (the toggle's down), list edge and
// scroll bar, and over the painting of tank and graph.
TEST(ScenePaint, PaintsTheSurfaceAsTheDesktopShowsIt)
{
    const char* script =
        "select lbxSyokiRyo 2\nclick bbtnKirokuAuto\nclick spbGraphFlg\nclick btnMizuDasu\ntick 160\nclick btnTenki\n"
        "click btnMusubu\ntick 40\n";
    MainWindow window;
    Replay::takeControl(window);
    window.FormCreate();
    window.show();
    QCoreApplication::processEvents();
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(Replay(window, out, err).run(in), 0) << err.str();
    QCoreApplication::processEvents();
    const QImage desktop = window.grab(QRect(0, 0, core::kClientWidth, core::kClientHeight))
                               .toImage()
                               .convertToFormat(QImage::Format_RGB32);

    // The same state on the model window, and the surface painted from it.
    core::ModelWindow model;
    sim::Simulation simulation(model);
    simulation.btnSaishikoClick();
    for (const core::ItemLayout& entry : core::layout()) {
        model.setBounds(entry.item, window.scene().bounds(entry.item));
        model.setVisible(entry.item, window.scene().isVisible(entry.item));
    }
    model.setPressed(sim::Item::spbGraphFlg, window.scene().isPressed(sim::Item::spbGraphFlg));
    for (const sim::Item list : {sim::Item::lbxSyokiRyo, sim::Item::lbxJikan, sim::Item::lbxSuiryo})
        model.setSelectedIndex(list, window.scene().selectedIndex(list));
    core::Picture pictures[3];
    const char* files[] = {"faucet.bmp", "scale-vertical.bmp", "scale-horizontal.bmp"};
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(core::decodeBmp(readAsset(files[i]), pictures[i]));
    core::Canvas canvas(core::kClientWidth, core::kClientHeight);
    core::paintScene(canvas, {0, 0, core::kClientWidth, core::kClientHeight}, model, window.state(),
                     {&pictures[0], &pictures[1], &pictures[2]});

    // Texts are the front end's: left out, with the inside of each text's border, of each button's
    // bevel and the list's row.
    std::vector<QRect> skipped;
    for (const core::ItemLayout& entry : core::layout()) {
        const sim::Bounds b = window.scene().bounds(entry.item);
        const QRect r(b.left, b.top, b.width, b.height);
        if (entry.kind == core::Kind::StaticText)
            skipped.push_back(r.adjusted(1, 1, -1, -1));
        else if (entry.kind == core::Kind::PushButton || entry.kind == core::Kind::ColourButton
                 || entry.kind == core::Kind::ToggleButton)
            skipped.push_back(r.adjusted(2, 2, -2, -2));
        else if (entry.kind == core::Kind::ListBox)
            skipped.push_back(r.adjusted(2, 2, -2 - core::kScrollBarExtent, -2));
        else if (entry.kind == core::Kind::Label)
            skipped.push_back(r);
    }
    int compared = 0;
    int mismatches = 0;
    for (int y = 0; y < core::kClientHeight; ++y) {
        for (int x = 0; x < core::kClientWidth; ++x) {
            if (std::any_of(skipped.begin(), skipped.end(), [&](const QRect& r) { return r.contains(x, y); }))
                continue;
            ++compared;
            mismatches += canvas.pixel(x, y).rgb() != (desktop.pixel(x, y) & 0xFFFFFFu);
        }
    }
    EXPECT_GT(compared, core::kClientWidth * core::kClientHeight / 2);
    EXPECT_EQ(mismatches, 0);
}

} // namespace
