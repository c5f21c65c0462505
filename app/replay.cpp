#include "replay.h"

#include "layout.h"
#include "mainwindow.h"
#include "periodictimer.h"
#include "replayscript.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

#include <istream>
#include <ostream>

using sim::Item;

namespace {

void settle()
{
    QCoreApplication::processEvents();
}

// The window as a replay script sees it: clicks are real mouse clicks on the widgets.
class WindowTarget : public core::ReplayTarget {
public:
    explicit WindowTarget(MainWindow& window)
        : window_(window)
    {
    }

    bool isShown(Item item) const override { return !window_.item(item)->isHidden(); }
    void click(Item button) override
    {
        QWidget* widget = window_.item(button);
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    }
    void select(Item list, int row) override { window_.scene().setSelectedIndex(list, row); }
    bool tick() override
    {
        if (!window_.program().tick())
            return false;
        settle();
        return true;
    }
    std::string dump() override
    {
        settle();
        return window_.program().dump();
    }
    bool render(const std::string& file, const core::Scale& scale, std::string& problem) override
    {
        // At another scale the window takes the size that shows the lesson so, and goes back.
        const QSize size = window_.size();
        const QSize shown(scale.at(core::kClientWidth), scale.at(core::kClientHeight));
        if (shown != size)
            window_.resize(shown);
        settle();
        // The pictures drawn for the size, not the bitmaps stretched while they are drawn.
        if (!QTest::qWaitFor([this] { return !window_.pictures().isDrawing(); }, 10000)) {
            problem = "the pictures were not drawn in time";
            return false;
        }
        const QPixmap picture = window_.grab(QRect(QPoint(0, 0), shown));
        if (shown != size) {
            window_.resize(size);
            settle();
        }
        if (picture.save(QString::fromStdString(file), "PNG"))
            return true;
        problem = "cannot write '" + file + "'";
        return false;
    }
    bool quitRequested() const override { return window_.quitWasRequested(); }

private:
    MainWindow& window_;
};

} // namespace

Replay::Replay(MainWindow& window, std::ostream& out, std::ostream& err)
    : window_(window)
    , out_(out)
    , err_(err)
{
}

void Replay::takeControl(MainWindow& window)
{
    window.timer().setManual(true);
    window.setMessagePresenter([](const QString&, const QString&) {});
}

int Replay::run(std::istream& script)
{
    WindowTarget target(window_);
    core::ReplayRunner runner(target);
    std::string line;
    while (std::getline(script, line)) {
        std::string out;
        std::string err;
        const bool goesOn = runner.runLine(line, out, err);
        out_ << out << std::flush;
        err_ << err << std::flush;
        if (!goesOn)
            break;
    }
    return runner.exitCode();
}
