#include "fonts.h"
#include "itemwidgets.h"
#include "layout.h"
#include "mainwindow.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using sim::Item;

namespace {

// The window as created, before it is shown: every item as the layout lays it out.
class Layout : public testing::Test {
protected:
    MainWindow window;
};

// The same, shown: scroll areas lay out their viewports only then.
class ShownLayout : public Layout {
protected:
    void SetUp() override
    {
        window.FormCreate();
        window.show();
        QCoreApplication::processEvents();
    }
};

TEST_F(Layout, EveryItemHasItsKindBoundsVisibilityAndName)
{
    int widgets = 0;
    for (const core::ItemLayout& entry : core::layout()) {
        SCOPED_TRACE(entry.name);
        QWidget* w = window.item(entry.item);
        if (entry.kind == core::Kind::Timer) {
            EXPECT_EQ(w, nullptr);
            continue;
        }
        ++widgets;
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->objectName(), QString::fromLatin1(entry.name));
        EXPECT_EQ(w->parentWidget(), &window);
        if (entry.item != Item::lblchosaku) { // sized to its text
            EXPECT_EQ(w->geometry(),
                      QRect(entry.bounds.left, entry.bounds.top, entry.bounds.width, entry.bounds.height));
        }
        EXPECT_EQ(!w->isHidden(), entry.visibleAtStart);
        const bool isButton = qobject_cast<QAbstractButton*>(w) != nullptr;
        EXPECT_EQ(isButton, entry.kind == core::Kind::PushButton || entry.kind == core::Kind::ColourButton
                                || entry.kind == core::Kind::ToggleButton);
        EXPECT_EQ(dynamic_cast<ui::ListBox*>(w) != nullptr, entry.kind == core::Kind::ListBox);
        EXPECT_EQ(dynamic_cast<ui::StaticText*>(w) != nullptr, entry.kind == core::Kind::StaticText);
        EXPECT_EQ(dynamic_cast<ui::ShapeItem*>(w) != nullptr, entry.kind == core::Kind::Shape);
        EXPECT_EQ(dynamic_cast<ui::PictureItem*>(w) != nullptr, entry.kind == core::Kind::Picture);
        EXPECT_EQ(qobject_cast<QLabel*>(w) != nullptr, entry.kind == core::Kind::Label);
        // Only the items drawn on the window itself (shapes, pictures, the graph, labels) let clicks through.
        EXPECT_EQ(w->testAttribute(Qt::WA_TransparentForMouseEvents),
                  entry.kind == core::Kind::Shape || entry.kind == core::Kind::Picture
                      || entry.kind == core::Kind::PaintArea || entry.kind == core::Kind::Label);
    }
    EXPECT_EQ(widgets, 57);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("一次関数"));
}

TEST_F(Layout, CreationOrderIsStackingOrder)
{
    // Qt keeps a parent's children in stacking order, bottom first.
    QStringList stacked;
    for (QObject* child : window.children()) {
        if (auto* w = qobject_cast<QWidget*>(child))
            stacked << w->objectName();
    }
    QStringList expected;
    for (const core::ItemLayout& entry : core::layout()) {
        if (entry.kind != core::Kind::Timer)
            expected << QString::fromLatin1(entry.name);
    }
    EXPECT_EQ(stacked, expected);
}

TEST_F(Layout, CaptionsColoursAndFonts)
{
    for (const core::ItemLayout& entry : core::layout()) {
        SCOPED_TRACE(entry.name);
        if (entry.kind == core::Kind::Timer || entry.kind == core::Kind::Shape || entry.kind == core::Kind::Picture
            || entry.kind == core::Kind::PaintArea)
            continue;
        const QWidget* w = window.item(entry.item);
        if (entry.kind != core::Kind::ListBox) {
            EXPECT_EQ(window.scene().caption(entry.item), std::string(entry.caption));
        }
        const QFont font = w->font();
        EXPECT_EQ(font.pixelSize(), entry.font.pixelHeight);
        EXPECT_EQ(font.bold(), entry.font.bold);
        EXPECT_EQ(font.italic(), entry.font.italic);
        // Fontconfig would answer the Japanese face's name with DejaVu Sans, which has no kana.
        const QString family = QFontInfo(font).family();
        EXPECT_EQ(family, entry.font.face == core::Face::Gothic ? QStringLiteral("IPAPGothic")
                                                                : QStringLiteral("Liberation Serif"));
        if (entry.text.source == core::ColourRef::Source::Fixed) {
            const auto role = qobject_cast<const QAbstractButton*>(w) ? QPalette::ButtonText : QPalette::WindowText;
            const QColor shown = entry.kind == core::Kind::ColourButton
                                     ? static_cast<const ui::ColourButton*>(w)->captionColour()
                                     : w->palette().color(role);
            EXPECT_EQ(shown.rgb(), qRgb(entry.text.fixed.r, entry.text.fixed.g, entry.text.fixed.b));
        }
    }
}

TEST_F(Layout, TabOrderVisitsTheFocusableItemsInTheLayoutsOrder)
{
    const QStringList expected{"btnMizuDasu", "btnMizuTome", "btnSaishiko",    "btnOwari",   "lbxJikan",
                               "lbxSuiryo",   "stxKJHyoji",  "stxKSHyoji",     "btnKiroku",  "btnTenki",
                               "btnMusubu",   "lbxSyokiRyo", "bbtnKirokuAuto", "spbGraphFlg"};
    QStringList chain;
    QWidget* w = window.item(Item::btnMizuDasu);
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != window.item(Item::btnMizuDasu) && chain.size() < 60);
    EXPECT_EQ(chain, expected);
    // The toggle and the two numbers take the focus from Tab only: a click leaves it where it was.
    EXPECT_EQ(window.item(Item::spbGraphFlg)->focusPolicy(), Qt::TabFocus);
    EXPECT_EQ(window.item(Item::stxKJHyoji)->focusPolicy(), Qt::TabFocus);
}

TEST_F(ShownLayout, ListsShowOneRowOfTheirValues)
{
    struct Expected {
        Item list;
        QStringList rows;
    };
    const Expected lists[] = {{Item::lbxJikan, {"1", "2", "3", "4", "5"}},
                              {Item::lbxSuiryo, {"1", "2", "3", "4", "5"}},
                              {Item::lbxSyokiRyo, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}}};
    for (const Expected& e : lists) {
        auto* list = static_cast<ui::ListBox*>(window.item(e.list));
        SCOPED_TRACE(list->objectName().toStdString());
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        EXPECT_EQ(rows, e.rows);
        EXPECT_EQ(list->selectedRow(), 0) << "selected by the start-up reset";
        EXPECT_EQ(list->frameWidth(), 2);
        EXPECT_EQ(list->viewport()->height(), 21) << "one 21-pixel row inside the 2-pixel edge";
        EXPECT_EQ(list->sizeHintForRow(0), 21);
        EXPECT_EQ(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
}

TEST_F(Layout, TheUserCannotClearASelection)
{
    auto* list = static_cast<ui::ListBox*>(window.item(Item::lbxSuiryo));
    window.show();
    list->selectRow(2);
    const QRect row = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, row.center());
    EXPECT_EQ(list->selectedRow(), 2);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->selectedRow(), 3);
    EXPECT_EQ(list->visualItemRect(list->item(3)).top(), 0) << "the selected row is the one shown";
}

TEST(Fonts, CreditLineFitsItsPlaceOnTheRight)
{
    const core::ItemLayout& credit = core::layoutOf(Item::lblchosaku);
    const QFontMetrics metrics(ui::fontFor(credit.font));
    const int width = metrics.horizontalAdvance(QString::fromUtf8(credit.caption));
    EXPECT_LE(credit.bounds.left + width, 1024) << "cut off at the screen's edge";
    EXPECT_GE(width, 60);
}

} // namespace
