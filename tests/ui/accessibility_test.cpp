#include "common/windowfixture.h"

#include "accessibility.h"
#include "layout.h"

#include <QAccessible>

using sim::Item;

namespace {

QString readOut(QWidget* widget, QAccessible::Text what)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface != nullptr ? iface->text(what) : QStringLiteral("<no interface>");
}

using Accessibility = WindowTest;

TEST_F(Accessibility, EveryControlHasANameAndSaysWhatItDoes)
{
    for (const core::ItemLayout& entry : core::layout()) {
        const bool control = entry.tabOrder >= 0 || entry.kind == core::Kind::ToggleButton;
        const bool valueBox = entry.kind == core::Kind::StaticText && entry.alignment == core::Align::RightTop;
        const bool cell = QByteArray(entry.name).startsWith("stxZahyo") && QByteArray(entry.name).size() > 9;
        if (!control || (entry.kind == core::Kind::StaticText && !valueBox && !cell))
            continue;
        SCOPED_TRACE(entry.name);
        QWidget* w = widget(entry.item);
        EXPECT_FALSE(readOut(w, QAccessible::Name).isEmpty());
        EXPECT_FALSE(readOut(w, QAccessible::Description).isEmpty());
    }
    EXPECT_EQ(readOut(widget(Item::btnMizuDasu), QAccessible::Name), QStringLiteral("水を入れる"));
    EXPECT_EQ(readOut(widget(Item::lbxSyokiRyo), QAccessible::Name), QStringLiteral("最初の水の量"));
}

TEST_F(Accessibility, ValueBoxesAndCellsReadTheirCurrentText)
{
    startRun(2, 1, 1);
    tick(25);
    click(Item::btnKiroku);
    EXPECT_EQ(readOut(widget(Item::stxKJHyoji), QAccessible::Name), QStringLiteral("経過時間"));
    EXPECT_EQ(readOut(widget(Item::stxKJHyoji), QAccessible::Value), QStringLiteral("1.0"));
    EXPECT_EQ(readOut(widget(Item::stxKSHyoji), QAccessible::Value), QStringLiteral("3.0"));
    EXPECT_EQ(readOut(widget(Item::stxZahyoX1), QAccessible::Name), QStringLiteral("ｘ座標 1"));
    EXPECT_EQ(readOut(widget(Item::stxZahyoX1), QAccessible::Value), QStringLiteral("1.0"));
    EXPECT_EQ(readOut(widget(Item::stxZahyoY1), QAccessible::Value), QStringLiteral("3.0"));
    EXPECT_EQ(readOut(widget(Item::stxZahyoY2), QAccessible::Value), QString());
}

TEST_F(Accessibility, ALessonRunsFromTheKeyboardAlone)
{
    window->activateWindow();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_EQ(focus, widget(Item::btnMizuDasu));
    const auto press = [](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QCoreApplication::processEvents();
    };
    // Tab to the time step list and choose 2 with the arrow key.
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), widget(Item::lbxJikan));
    press(Qt::Key_Down);
    EXPECT_EQ(window->scene().selectedIndex(Item::lbxJikan), 1);
    // Back to "水を入れる" and press it with Space.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), widget(Item::btnMizuDasu));
    press(Qt::Key_Space);
    EXPECT_TRUE(window->timer().isEnabled());
    EXPECT_EQ(window->state().Jikan, 2);
    // Record with Space on "→ 記録する →" (tab past the two lists).
    for (int i = 0; i < 6; ++i)
        press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), widget(Item::btnKiroku));
    press(Qt::Key_Space);
    EXPECT_EQ(window->state().KirokuSu, 1);
}

} // namespace
