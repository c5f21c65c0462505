// The lesson on a screen larger than its design, as the X server shows it: the window filled at the
// largest scale that fits, centred, every button pressed where it is drawn, and Ctrl+0 for the
// actual size. Run on a 1920 by 1080 Xvfb through the xcb platform (tests/screen/onxvfb.sh).

#include "common/contrast.h"
#include "common/windowfixture.h"

#include "bindings.h"
#include "controlpaint.h"
#include "itemwidgets.h"
#include "layout.h"
#include "windowstyle.h"

#include <QAbstractButton>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

using sim::Item;

namespace {

// Where the lesson should stand, worked out here in floating point from the screen's size alone:
// the largest s at which 1024s by 768s fits, centred, an edge at v landing on round(v * s).
struct Expected {
    double s = 1;
    int left = 0;
    int top = 0;

    int x(double v) const { return left + static_cast<int>(std::floor(v * s + 0.5)); }
    int y(double v) const { return top + static_cast<int>(std::floor(v * s + 0.5)); }

    static Expected forSpace(int width, int height)
    {
        Expected e;
        e.s = std::min(width / 1024.0, height / 768.0);
        e.left = (width - static_cast<int>(std::floor(1024 * e.s + 0.5))) / 2;
        e.top = (height - static_cast<int>(std::floor(768 * e.s + 0.5))) / 2;
        return e;
    }
};

class FilledScreen : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window->setGeometry(window->screen()->geometry());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::qWait(50);
    }

    Expected expected() const { return Expected::forSpace(window->width(), window->height()); }

    // What the X server shows of the window now.
    QImage screen() const
    {
        QCoreApplication::processEvents();
        return window->screen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    }

    // A real click of the window system at a point of the window: Qt finds the widget under it.
    void clickAt(const QPoint& point)
    {
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, point);
        QCoreApplication::processEvents();
    }
};

TEST_F(FilledScreen, TheLessonFillsTheScreenCentredAtTheLargestScaleThatFits)
{
    ASSERT_EQ(window->devicePixelRatioF(), 1.0) << "these figures are for a screen of whole pixels";
    ASSERT_EQ(window->size(), QSize(1920, 1080));
    const Expected e = expected();
    EXPECT_EQ(e.left, 240);
    const core::Stage& stage = window->staging().stage;
    EXPECT_EQ(stage.scale.factor(), e.s);
    EXPECT_EQ(QRect(stage.left, stage.top, stage.width, stage.height), QRect(e.left, e.top, 1440, 1080));

    const QImage shown = screen();
    const QRgb green = rgbOf(sim::clMoneyGreen);
    // The margin on either side has the window's colour from top to bottom.
    for (int y = 0; y < shown.height(); y += 7) {
        EXPECT_EQ(shown.pixel(e.left - 1, y), green) << y;
        EXPECT_EQ(shown.pixel(1920 - e.left, y), green) << y;
    }
    // The graph's white ground runs from its scaled left edge to its scaled right one, and no further.
    const int row = e.y(176 + 10);
    EXPECT_NE(shown.pixel(e.x(497) - 1, row), rgbOf(sim::clWhite));
    EXPECT_EQ(shown.pixel(e.x(497), row), rgbOf(sim::clWhite));
    EXPECT_EQ(shown.pixel(e.x(997) - 1, row), rgbOf(sim::clWhite));
    EXPECT_NE(shown.pixel(e.x(997), row), rgbOf(sim::clWhite));
    // A list shows one row, as tall as the room inside its edge, at its scaled place.
    for (const Item item : core::kLists) {
        SCOPED_TRACE(core::layoutOf(item).name);
        const auto* list = static_cast<const ui::ListBox*>(widget(item));
        const sim::Bounds& b = core::layoutOf(item).bounds;
        EXPECT_EQ(list->geometry(),
                  QRect(QPoint(e.x(b.left), e.y(b.top)), QPoint(e.x(b.left + b.width) - 1, e.y(b.top + b.height) - 1)));
        EXPECT_EQ(list->viewport()->height(), list->height() - 2 * list->frameWidth());
        EXPECT_EQ(list->sizeHintForRow(0), list->viewport()->height());
        EXPECT_GT(list->frameWidth(), 2) << "the edge grows with the lesson";
    }
}

// Whether an item created later lies over part of the item.
bool coveredByALaterItem(const core::ItemLayout& entry)
{
    const QRect own(entry.bounds.left, entry.bounds.top, entry.bounds.width, entry.bounds.height);
    for (const core::ItemLayout& other : core::layout()) {
        const QRect theirs(other.bounds.left, other.bounds.top, other.bounds.width, other.bounds.height);
        if (sim::indexOf(other.item) > sim::indexOf(entry.item) && other.visibleAtStart && theirs.intersects(own))
            return true;
    }
    return false;
}

TEST_F(FilledScreen, AClickWhereEachButtonIsDrawnPressesIt)
{
    const Expected e = expected();
    const QImage shown = screen();
    std::map<Item, int> presses;
    std::vector<const core::ButtonBinding*> buttons;
    for (const core::ButtonBinding& binding : core::buttonBindings()) {
        auto* button = qobject_cast<QAbstractButton*>(widget(binding.item));
        QObject::connect(button, &QAbstractButton::clicked, [&presses, item = binding.item] { ++presses[item]; });
        buttons.push_back(&binding);
    }
    // The end button last: the program takes no more clicks after it.
    std::stable_partition(buttons.begin(), buttons.end(), [](auto* b) { return b->item != Item::btnOwari; });
    for (const core::ButtonBinding* binding : buttons) {
        const core::ItemLayout& entry = core::layoutOf(binding->item);
        SCOPED_TRACE(entry.name);
        const sim::Bounds& b = entry.bounds;
        // The face's first pixel is its highlight, its last one its dark bevel, where it shows.
        const QPoint first(e.x(b.left), e.y(b.top));
        const QPoint last(e.x(b.left + b.width) - 1, e.y(b.top + b.height) - 1);
        std::vector<QPoint> points{first, QPoint(static_cast<int>(e.left + (b.left + b.width / 2.0) * e.s),
                                                 static_cast<int>(e.top + (b.top + b.height / 2.0) * e.s))};
        if (entry.visibleAtStart) {
            EXPECT_EQ(shown.pixel(first), rgbOf(core::kBevelHighlight));
        }
        if (!coveredByALaterItem(entry)) {
            points.push_back(last);
            if (entry.visibleAtStart) {
                EXPECT_EQ(shown.pixel(last), rgbOf(core::kBevelDarkShadow));
            }
        }
        window->scene().setVisible(binding->item, true);
        QCoreApplication::processEvents();
        for (const QPoint& at : points) {
            const int before = presses[binding->item];
            clickAt(at);
            EXPECT_EQ(presses[binding->item], before + 1) << "at " << at.x() << "," << at.y();
        }
    }
}

TEST_F(FilledScreen, TheFocusRingIsWiderWithTheLessonAndStandsOut)
{
    const Expected e = expected();
    QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
    QTest::keyClick(window->windowHandle(), Qt::Key_Backtab);
    ASSERT_TRUE(widget(Item::btnMizuDasu)->hasFocus());
    const QImage shown = screen();
    // Across the button's middle row, from its left edge inwards: the first run of ring pixels.
    const sim::Bounds& b = core::layoutOf(Item::btnMizuDasu).bounds;
    const int y = e.y(b.top + b.height / 2);
    const QRgb ring = ui::kFocusRingColour;
    int first = e.x(b.left);
    while (first < e.x(b.left + b.width / 2) && shown.pixel(first, y) != ring)
        ++first;
    int last = first;
    while (shown.pixel(last + 1, y) == ring)
        ++last;
    ASSERT_EQ(shown.pixel(first, y), ring) << "no ring";
    const int width = last - first + 1;
    EXPECT_EQ(width, std::max(2, static_cast<int>(std::floor(2 * e.s + 0.5))));
    EXPECT_GE(contrast(ring, shown.pixel(first - 1, y)), 3.0);
    EXPECT_GE(contrast(ring, shown.pixel(last + 1, y)), 3.0);
}

TEST_F(FilledScreen, CtrlZeroShowsTheActualSizeAndBack)
{
    QWidget* start = widget(Item::btnMizuDasu);
    const core::ItemLayout& entry = core::layoutOf(Item::btnMizuDasu);
    const QRect actual(entry.bounds.left, entry.bounds.top, entry.bounds.width, entry.bounds.height);
    const QRect filled = start->geometry();
    ASSERT_NE(filled, actual);

    QTest::keyClick(window->windowHandle(), Qt::Key_0, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->fillsWindow());
    EXPECT_EQ(window->staging().stage, core::actualSize());
    EXPECT_EQ(start->geometry(), actual);
    EXPECT_EQ(screen().pixel(actual.right(), actual.bottom()), rgbOf(core::kBevelDarkShadow));
    // The simulation's view of the items is the layout's, at either size.
    EXPECT_EQ(window->scene().bounds(Item::btnMizuDasu), entry.bounds);

    QTest::keyClick(window->windowHandle(), Qt::Key_0, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->fillsWindow());
    EXPECT_EQ(start->geometry(), filled);
    EXPECT_EQ(window->scene().bounds(Item::btnMizuDasu), entry.bounds);
}

TEST_F(FilledScreen, AWindowOfTheDesignsSizeShowsTheLessonAsDesigned)
{
    window->setGeometry(0, 0, core::kClientWidth, core::kClientHeight);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->staging().stage, core::actualSize());
    // Every item where the simulation has put it, in the layout's own pixels.
    for (const core::ItemLayout& entry : core::layout()) {
        if (entry.kind == core::Kind::Timer)
            continue;
        const sim::Bounds b = window->scene().bounds(entry.item);
        EXPECT_EQ(widget(entry.item)->geometry(), QRect(b.left, b.top, b.width, b.height)) << entry.name;
    }
    EXPECT_EQ(widget(Item::btnMizuDasu)->font().pixelSize(), core::layoutOf(Item::btnMizuDasu).font.pixelHeight);
}

// Under a window manager's title bar a 1024×768 screen leaves the lesson a little less room: its
// fonts round to the same pixel size, and a label sized to its text must still hold all of it.
TEST_F(FilledScreen, ALabelSizedToItsTextHoldsItAtEveryScale)
{
    for (const QSize space : {QSize(1024, 749), QSize(700, 525), QSize(1920, 1061)}) {
        window->setGeometry(QRect(QPoint(0, 0), space));
        QCoreApplication::processEvents();
        for (const core::ItemLayout& entry : core::layout()) {
            if (entry.sizedToText) {
                EXPECT_GE(widget(entry.item)->width(), widget(entry.item)->sizeHint().width())
                    << entry.name << " at " << space.width() << "x" << space.height();
            }
        }
    }
}

} // namespace
