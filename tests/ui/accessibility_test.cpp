#include "common/contrast.h"
#include "common/windowfixture.h"

#include "accessibility.h"
#include "graphdescription.h"
#include "itemwidgets.h"
#include "layout.h"
#include "windowstyle.h"

#include <QAccessible>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>

#include <cmath>

using sim::Item;

namespace {

QAccessibleInterface* iface(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

QString readOut(QWidget* widget, QAccessible::Text what)
{
    QAccessibleInterface* found = iface(widget);
    return found != nullptr ? found->text(what) : QStringLiteral("<no interface>");
}

QString textOf(QAccessibleInterface* found)
{
    return found != nullptr && found->textInterface() != nullptr ? found->textInterface()->text(0, -1)
                                                                 : QStringLiteral("<no text>");
}

using Accessibility = WindowTest;

TEST_F(Accessibility, EveryControlNumberAndPictureHasANameAndSaysWhatItIs)
{
    for (const core::ItemLayout& entry : core::layout()) {
        const bool control =
            (entry.tabOrder >= 0 && entry.kind != core::Kind::StaticText) || entry.kind == core::Kind::ToggleButton;
        const bool number = entry.kind == core::Kind::StaticText && entry.alignment == core::Align::RightTop;
        const bool picture =
            entry.kind == core::Kind::Shape || entry.kind == core::Kind::Picture || entry.kind == core::Kind::PaintArea;
        if (!control && !number && !picture)
            continue;
        SCOPED_TRACE(entry.name);
        QWidget* w = widget(entry.item);
        EXPECT_FALSE(readOut(w, QAccessible::Name).isEmpty());
        EXPECT_FALSE(readOut(w, QAccessible::Description).isEmpty());
    }
    EXPECT_EQ(readOut(widget(Item::btnMizuDasu), QAccessible::Name), QStringLiteral("水を入れる"));
    EXPECT_EQ(readOut(widget(Item::lbxSyokiRyo), QAccessible::Name), QStringLiteral("最初の水の量"));
    EXPECT_EQ(iface(widget(Item::PaintBox1))->role(), QAccessible::Graphic);
    EXPECT_EQ(iface(window.get())->role(), QAccessible::Window) << "AT-SPI shows a window as a frame";
    EXPECT_EQ(readOut(window.get(), QAccessible::Name), QStringLiteral("一次関数"));
}

TEST_F(Accessibility, NumbersReadAsTextAndAsValueInEitherDecimalSeparator)
{
    for (const char* separator : {".", ","}) {
        SCOPED_TRACE(separator);
        window->setDecimalSeparator(separator);
        click(Item::btnSaishiko);
        startRun(2, 1, 1);
        tick(37);
        const QString point = QString::fromLatin1(separator);
        for (const auto& [item, text, value] :
             {std::tuple{Item::stxKJHyoji, QStringLiteral("1") + point + QStringLiteral("5"), 1.5},
              std::tuple{Item::stxKSHyoji, QStringLiteral("3") + point + QStringLiteral("5"), 3.5}}) {
            QAccessibleInterface* number = iface(widget(item));
            ASSERT_NE(number->valueInterface(), nullptr);
            EXPECT_EQ(textOf(number), text);
            EXPECT_EQ(number->valueInterface()->currentValue().toDouble(), value);
        }
        EXPECT_EQ(readOut(widget(Item::stxKJHyoji), QAccessible::Name), QStringLiteral("経過時間"));
    }
}

TEST_F(Accessibility, RecordsAreATableWithRowAndColumnHeaders)
{
    startRun(2, 1, 1);
    tick(25);
    click(Item::btnKiroku);
    QAccessibleInterface* frame = iface(window.get());
    QAccessibleInterface* table = nullptr;
    for (int i = 0; i < frame->childCount(); ++i) {
        QAccessibleInterface* child = frame->child(i);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(frame->indexOfChild(child), i);
        EXPECT_EQ(child->parent(), frame);
        EXPECT_NE(child->role(), QAccessible::Cell) << "a cell outside the table";
        if (child->role() == QAccessible::Table)
            table = child;
    }
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(frame->childCount(), sim::kItemCount - 1 - 22 + 1 + static_cast<int>(core::kLists.size()))
        << "22 items make the table, each list's scroll bar stands beside it; the timer is none";
    EXPECT_EQ(table->childCount(), 10 + 2 * 11);
    for (int i = 0; i < table->childCount(); ++i) {
        ASSERT_NE(table->child(i), nullptr);
        EXPECT_EQ(table->child(i)->parent(), table);
        EXPECT_EQ(table->indexOfChild(table->child(i)), i);
    }
    QAccessibleTableInterface* grid = table->tableInterface();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->columnCount(), 10);
    const QString expected[2][2] = {{QStringLiteral("1.0"), QString()}, {QStringLiteral("3.0"), QString()}};
    const QString rowHeaders[2] = {QStringLiteral("ｘ座標"), QStringLiteral("ｙ座標")};
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 10; ++column) {
            SCOPED_TRACE(testing::Message() << "row " << row << ", column " << column);
            QAccessibleInterface* cell = grid->cellAt(row, column);
            ASSERT_NE(cell, nullptr);
            ASSERT_NE(cell->tableCellInterface(), nullptr);
            EXPECT_EQ(cell->parent(), table);
            const QString shown = column < 2 ? expected[row][column] : QString();
            // An empty cell says so rather than falling back to its description.
            EXPECT_EQ(cell->text(QAccessible::Name), shown.isEmpty() ? QStringLiteral("空") : shown);
            EXPECT_EQ(textOf(cell), shown);
            const auto rowHeader = cell->tableCellInterface()->rowHeaderCells();
            const auto columnHeader = cell->tableCellInterface()->columnHeaderCells();
            ASSERT_EQ(rowHeader.size(), 1);
            ASSERT_EQ(columnHeader.size(), 1);
            EXPECT_EQ(rowHeader[0]->text(QAccessible::Name), rowHeaders[row]);
            EXPECT_EQ(columnHeader[0]->text(QAccessible::Name), QString::number(column + 1));
            EXPECT_EQ(cell->tableCellInterface()->rowIndex(), row);
            EXPECT_EQ(cell->tableCellInterface()->columnIndex(), column);
        }
    }
}

// A list's scroll bar tells of every scroll. A screen reader then asks where it and each of its
// parents stand: Qt keeps the bar in a box of its own inside the list, which the list, counting
// only its rows, cannot place.
TEST_F(Accessibility, EachListsScrollBarStandsInTheWindowBesideItsList)
{
    QAccessibleInterface* frame = iface(window.get());
    for (const Item item : core::kLists) {
        SCOPED_TRACE(core::layoutOf(item).name);
        auto* list = static_cast<ui::ListBox*>(widget(item));
        QAccessibleInterface* bar = iface(list->verticalScrollBar());
        EXPECT_EQ(bar->role(), QAccessible::ScrollBar);
        EXPECT_EQ(bar->parent(), frame);
        const int at = frame->indexOfChild(bar);
        EXPECT_EQ(at, frame->indexOfChild(iface(list)) + 1);
        EXPECT_EQ(frame->child(at), bar);
        ASSERT_NE(bar->valueInterface(), nullptr);
        list->selectRow(list->count() - 1);
        EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), list->verticalScrollBar()->value());
    }
}

TEST_F(Accessibility, TheGraphSaysWhatIsDrawnOnIt)
{
    startRun(2, 1, 1);
    tick(25);
    click(Item::btnKiroku);
    click(Item::btnTenki);
    click(Item::spbGraphFlg);
    tick(10);
    const QString said = readOut(widget(Item::PaintBox1), QAccessible::Description);
    EXPECT_EQ(said, QString::fromStdString(core::graphDescription(window->state(), true, ".")));
    EXPECT_TRUE(said.contains(QStringLiteral("(1.0、3.0)"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("自動描画の線が (0.0、2.0) から (1.4、3.4)"))) << said.toStdString();
}

TEST_F(Accessibility, SwitchesAreCheckBoxesWhoseActionIsAClick)
{
    struct Case {
        Item item;
        std::string captionOn;
        std::string captionOff;
    };
    for (const Case& c :
         {Case{Item::spbGraphFlg, "ON", "OFF"}, Case{Item::bbtnKirokuAuto, "自動記録オン", "自動記録オフ"}}) {
        SCOPED_TRACE(core::layoutOf(c.item).name);
        QAccessibleInterface* toggle = iface(widget(c.item));
        EXPECT_EQ(toggle->role(), QAccessible::CheckBox);
        EXPECT_TRUE(toggle->state().checkable);
        EXPECT_FALSE(toggle->state().checked);
        ASSERT_NE(toggle->actionInterface(), nullptr);
        toggle->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        EXPECT_TRUE(toggle->state().checked);
        EXPECT_EQ(window->scene().caption(c.item), c.captionOn) << "the handler ran";
        toggle->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_FALSE(toggle->state().checked);
        EXPECT_EQ(window->scene().caption(c.item), c.captionOff);
    }
    EXPECT_EQ(window->state().KirokuAutoFlg, false);
}

TEST_F(Accessibility, OnMarksAreLabelledByTheirButtons)
{
    for (const auto& [mark, button] :
         {std::pair{Item::LblTenkiFlg, Item::btnTenki}, std::pair{Item::LblMusubuFlg, Item::btnMusubu}}) {
        SCOPED_TRACE(core::layoutOf(mark).name);
        const auto labels = iface(widget(mark))->relations(QAccessible::Label);
        ASSERT_EQ(labels.size(), 1);
        EXPECT_EQ(labels[0].first, iface(widget(button)));
        EXPECT_EQ(labels[0].second, QAccessible::Label);
    }
}

// Named as the window is, and its message said once, by its label (a description would say it again).
TEST_F(Accessibility, TheFullTankMessageIsNamedAsTheWindowAndSaysItsMessageOnce)
{
    window->setMessagePresenter({});
    QString name;
    QString description;
    QString label;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            name = readOut(box, QAccessible::Name);
            description = readOut(box, QAccessible::Description);
            label = box->text();
            box->accept();
        }
    });
    closer.start(10);
    startRun(10, 1, 5);
    tick(400);
    ASSERT_EQ(window->messagesShown(), 1);
    EXPECT_EQ(name, QStringLiteral("一次関数"));
    EXPECT_EQ(description, QString());
    EXPECT_EQ(label, QStringLiteral("だれじゃ！水をこぼすのは(^_^;)"));
}

// Every item the keyboard reaches shows a ring only on itself, at least 3:1 against every pixel
// beside it. Each item is shot with the focus on it and again with the focus on the next one.
TEST_F(Accessibility, EveryFocusedItemShowsARingOfAtLeastThreeToOne)
{
    click(Item::btnKiroku);
    click(Item::btnTenki); // both hidden buttons shown
    window->activateWindow();
    widget(Item::btnMizuDasu)->setFocus(Qt::OtherFocusReason);
    std::vector<std::pair<QWidget*, QImage>> shots;
    for (int i = 0; i < 15; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        shots.emplace_back(QApplication::focusWidget(), shot());
    }
    ASSERT_EQ(shots.front().first, shots.back().first) << "the tab chain has 14 items";
    const QRgb ring = ui::kFocusRingColour & 0xFFFFFF;
    for (std::size_t i = 0; i + 1 < shots.size(); ++i) {
        QWidget* focused = shots[i].first;
        SCOPED_TRACE(focused->objectName().toStdString());
        const QImage& on = shots[i].second;
        const QImage& off = shots[i + 1].second;
        const QRect own = focused->geometry().adjusted(-1, -1, 1, 1);
        const QRect next = shots[i + 1].first->geometry().adjusted(-1, -1, 1, 1);
        const auto isRing = [&](int x, int y) {
            return own.contains(x, y) && (on.pixel(x, y) & 0xFFFFFF) == ring && on.pixel(x, y) != off.pixel(x, y);
        };
        int ringPixels = 0;
        int elsewhere = 0;
        int neighbours = 0;
        int faint = 0;
        double lowest = 21.0;
        for (int y = 0; y < on.height(); ++y) {
            for (int x = 0; x < on.width(); ++x) {
                if (on.pixel(x, y) != off.pixel(x, y) && !own.contains(x, y) && !next.contains(x, y))
                    ++elsewhere;
                if (!isRing(x, y))
                    continue;
                ++ringPixels;
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint n = QPoint(x, y) + d;
                    if (!on.rect().contains(n) || isRing(n.x(), n.y()))
                        continue;
                    const double ratio = contrast(ring, on.pixel(n) & 0xFFFFFF);
                    ++neighbours;
                    faint += ratio < 3.0;
                    lowest = std::min(lowest, ratio);
                }
            }
        }
        EXPECT_EQ(elsewhere, 0) << "pixels changed outside the focused item";
        EXPECT_GE(ringPixels, 2 * (focused->width() + focused->height())) << "no ring all round";
        // A neighbour's text may touch the item's edge (最初の水の量 touches its list): a pixel or
        // two of another item's strokes may be as dark as the ring, nothing more.
        EXPECT_LE(faint, neighbours / 100) << "lowest contrast " << lowest << ":1";
        std::printf("focus ring of %s: %d pixels, contrast %.2f:1 or more against %d of %d neighbours\n",
                    qPrintable(focused->objectName()), ringPixels, lowest, neighbours - faint, neighbours);
    }
}

// Choose, start, record, plot, join, live line, stop, reset and quit with keys alone.
TEST_F(Accessibility, ALessonRunsFromTheKeyboardAlone)
{
    window->activateWindow();
    ASSERT_EQ(QApplication::focusWidget(), widget(Item::btnMizuDasu));
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QCoreApplication::processEvents();
    };
    // Forward through the chain to the item; false if it is not in reach.
    const auto tabTo = [&](Item item) {
        for (int i = 0; i < 13 && QApplication::focusWidget() != widget(item); ++i)
            press(Qt::Key_Tab);
        return QApplication::focusWidget() == widget(item);
    };
    // Time step 2, initial amount 2 (three places back from 水を入れる), then start with Space.
    ASSERT_TRUE(tabTo(Item::lbxJikan));
    press(Qt::Key_Down);
    ASSERT_TRUE(tabTo(Item::btnMizuDasu));
    for (int i = 0; i < 3; ++i)
        press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), widget(Item::lbxSyokiRyo));
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    ASSERT_TRUE(tabTo(Item::btnMizuDasu));
    press(Qt::Key_Space);
    EXPECT_TRUE(window->program().timerEnabled());
    EXPECT_EQ(window->state().Jikan, 2);
    EXPECT_EQ(window->state().SyokiRyo, 2);
    fallStream();
    tick(25);
    // Record with Enter, plot and join with Space, then the live line.
    ASSERT_TRUE(tabTo(Item::btnKiroku));
    press(Qt::Key_Return);
    EXPECT_EQ(window->state().KirokuSu, 1);
    ASSERT_TRUE(tabTo(Item::btnTenki));
    press(Qt::Key_Space);
    EXPECT_TRUE(window->state().TenkiFlg);
    ASSERT_TRUE(tabTo(Item::btnMusubu));
    press(Qt::Key_Space);
    EXPECT_TRUE(window->state().MusubuFlg);
    ASSERT_TRUE(tabTo(Item::spbGraphFlg));
    press(Qt::Key_Space);
    EXPECT_TRUE(window->scene().isPressed(Item::spbGraphFlg));
    EXPECT_EQ(window->scene().caption(Item::spbGraphFlg), "ON") << "Space ran the handler as a click does";
    EXPECT_TRUE(readOut(widget(Item::PaintBox1), QAccessible::Description).contains(QStringLiteral("自動描画の線が")));
    // Stop, start again from the beginning, and quit.
    ASSERT_TRUE(tabTo(Item::btnMizuTome));
    press(Qt::Key_Space);
    EXPECT_FALSE(window->program().timerEnabled());
    ASSERT_TRUE(tabTo(Item::btnSaishiko));
    press(Qt::Key_Space);
    EXPECT_EQ(window->state().KirokuSu, 0);
    EXPECT_TRUE(widget(Item::btnTenki)->isHidden());
    ASSERT_TRUE(tabTo(Item::btnOwari));
    press(Qt::Key_Space);
    EXPECT_TRUE(window->quitWasRequested());
}

} // namespace
