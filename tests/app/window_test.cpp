#include "common/windowfixture.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using sim::Item;

namespace {

TEST(Startup, TheResetRunsOnceWhenTheWindowFirstShowsAndNeverBefore)
{
    MainWindow window;
    Replay::takeControl(window);
    EXPECT_EQ(window.scene().caption(Item::stxKJHyoji), "0");
    EXPECT_EQ(window.scene().selectedIndex(Item::lbxJikan), -1);
    EXPECT_FALSE(window.hasStarted());

    // Count paintings to prove the reset came first.
    struct PaintWatch : QObject {
        std::string captionAtFirstPaint;
        MainWindow* window = nullptr;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && captionAtFirstPaint.empty())
                captionAtFirstPaint = window->scene().caption(Item::stxKJHyoji);
            return false;
        }
    } watch;
    watch.window = &window;
    window.installEventFilter(&watch);
    window.FormCreate();
    window.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.hasStarted());
    EXPECT_EQ(watch.captionAtFirstPaint, "0.0");
    EXPECT_EQ(window.scene().selectedIndex(Item::lbxSyokiRyo), 0);
    EXPECT_EQ(QApplication::focusWidget(), window.item(Item::btnMizuDasu));
    window.removeEventFilter(&watch);
}

using Activation = WindowTest;

TEST_F(Activation, LaterActivationsLeaveEverythingAsItWas)
{
    startRun(3, 2, 2);
    tick(30);
    click(Item::btnKiroku);
    const sim::State before = window->state();
    for (QEvent::Type type : {QEvent::WindowDeactivate, QEvent::WindowActivate}) {
        QEvent event(type);
        QCoreApplication::sendEvent(window.get(), &event);
    }
    window->showMinimized();
    window->showNormal();
    window->activateWindow();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->state().Suii, before.Suii);
    EXPECT_EQ(window->state().KirokuSu, 1);
    EXPECT_TRUE(window->program().timerEnabled());
    EXPECT_EQ(window->scene().selectedIndex(Item::lbxSyokiRyo), 3);
}

TEST_F(Activation, FullTankMessageIsModalWithOneOkButtonAndTheWindowKeepsPainting)
{
    window->setMessagePresenter(nullptr); // the real box
    startRun(10, 1, 1);
    tick(249);
    ASSERT_EQ(window->state().Suii, 499);

    int paintsWhileOpen = 0;
    bool checked = false;
    struct Counter : QObject {
        int* paints;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                ++*paints;
            return false;
        }
    } counter;
    counter.paints = &paintsWhileOpen;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("ichijikansu"));
        EXPECT_EQ(box->text(), QStringLiteral("だれじゃ！水をこぼすのは(^_^;)"));
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        ASSERT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->buttons().first()->text().remove(QLatin1Char('&')), QStringLiteral("OK"));
        EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->buttons().first());
        EXPECT_EQ(box->escapeButton(), box->buttons().first());
        EXPECT_FALSE(window->program().timerEnabled()) << "no tick may come while the box is open";
        window->installEventFilter(&counter);
        window->update();
        QTimer::singleShot(50, [&, box] {
            window->removeEventFilter(&counter);
            checked = true;
            QTest::keyClick(box, Qt::Key_Escape);
        });
    });
    tick(1);
    EXPECT_TRUE(checked);
    EXPECT_GT(paintsWhileOpen, 0);
    EXPECT_EQ(window->messagesShown(), 1);
    EXPECT_TRUE(window->state().TomeFlg);
    EXPECT_EQ(window->state().Suii, 500);
    EXPECT_EQ(window->scene().caption(Item::stxKSHyoji), "20.0") << "the reset does not run after the box";
}

TEST_F(Activation, EndButtonAsksToQuitEvenWhileWaterRuns)
{
    bool quitSignalled = false;
    QObject::connect(window.get(), &MainWindow::quitRequested, [&] { quitSignalled = true; });
    click(Item::btnMizuDasu);
    tick(5);
    click(Item::btnOwari);
    EXPECT_TRUE(quitSignalled);
    EXPECT_TRUE(window->quitWasRequested());
}

TEST_F(Activation, HiddenButtonsCannotBeReached)
{
    EXPECT_TRUE(widget(Item::btnTenki)->isHidden());
    click(Item::btnKiroku);
    EXPECT_FALSE(widget(Item::btnTenki)->isHidden());
    EXPECT_TRUE(widget(Item::btnMusubu)->isHidden());
    click(Item::btnSaishiko);
    EXPECT_TRUE(widget(Item::btnTenki)->isHidden());
}

} // namespace
