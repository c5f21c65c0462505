#include "invariants.h"

#include "numbertexts.h"

#include "colours.h"
#include "layout.h"
#include "mainwindow.h"
#include "periodictimer.h"

#include <QApplication>

#include <array>
#include <cmath>
#include <sstream>

using sim::Bounds;
using sim::Item;

namespace storm {

namespace {

constexpr int kTankBottom = 692;  // ShpWaku: top 192 + height 500
constexpr int kGraphBottom = 676; // PaintBox1: top 176 + height 500
constexpr int kFullPx = 500;
constexpr int kLongestStream = 515; // from the faucet's mouth at row 177 down to the tank floor
constexpr std::uint32_t kIntervalBeforeAnyStart = 1000;

std::string str(const Bounds& b)
{
    std::ostringstream out;
    out << '{' << b.left << ',' << b.top << ',' << b.width << ',' << b.height << '}';
    return out.str();
}

bool isTableInterval(std::uint32_t interval)
{
    for (int jikan = 1; jikan <= 5; ++jikan) {
        for (int suiryo = 1; suiryo <= 5; ++suiryo) {
            if (interval == static_cast<std::uint32_t>(20 * jikan / suiryo))
                return true;
        }
    }
    return false;
}

class Checker {
public:
    explicit Checker(const MainWindow& window)
        : w_(window)
        , s_(window.state())
        , sep_(window.program().decimalSeparator())
    {
    }

    std::vector<std::string> run()
    {
        ranges();
        timer();
        if (w_.hasStarted()) {
            lists();
            shapes();
            shownNumbers();
        }
        records();
        switches();
        noErrorBox();
        return std::move(problems_);
    }

private:
    template <typename... Parts>
    void expect(bool holds, const Parts&... parts)
    {
        if (holds)
            return;
        std::ostringstream out;
        (out << ... << parts);
        problems_.push_back(out.str());
    }

    void ranges()
    {
        expect(s_.Suii >= 0 && s_.Suii <= kFullPx, "Suii ", s_.Suii, " outside 0..500");
        expect(s_.KirokuSu >= 0 && s_.KirokuSu <= sim::kMaxRecords, "KirokuSu ", s_.KirokuSu, " outside 0..10");
        const bool rateChosen = s_.Jikan != 0;
        expect(rateChosen ? (s_.Jikan >= 1 && s_.Jikan <= 5 && s_.Suiryo >= 1 && s_.Suiryo <= 5)
                          : (s_.Suiryo == 0 && s_.SyokiRyo == 0 && s_.Suii == 0),
               "rate Jikan ", s_.Jikan, " Suiryo ", s_.Suiryo, " SyokiRyo ", s_.SyokiRyo, " Suii ", s_.Suii,
               ": both 1..5 after a fresh start, else all 0");
        expect(s_.SyokiRyo >= 0 && s_.SyokiRyo <= 10, "SyokiRyo ", s_.SyokiRyo, " outside 0..10");
        expect(s_.Suii >= s_.SyokiRyo * sim::kUnitPx, "Suii ", s_.Suii, " below the initial level of SyokiRyo ",
               s_.SyokiRyo);
        expect(s_.Nagare >= 0 && s_.Nagare <= kLongestStream && s_.Nagare % 5 == 0, "Nagare ", s_.Nagare,
               " not a multiple of 5 in 0..515");
        expect(s_.KeikaTick >= 0.0F && std::floor(s_.KeikaTick) == s_.KeikaTick, "KeikaTick ", s_.KeikaTick,
               " not a whole count");
    }

    void timer()
    {
        const std::uint32_t interval = w_.program().timerInterval();
        expect(interval == kIntervalBeforeAnyStart || isTableInterval(interval), "timer interval ", interval,
               " neither 1000 nor a value of the interval table");
        if (s_.Jikan == 0) {
            expect(interval == kIntervalBeforeAnyStart, "timer interval ", interval, " before any start, not 1000");
        } else {
            // Every fresh start works from the base interval, never from the last one.
            const auto wanted = static_cast<std::uint32_t>(20 * s_.Jikan / s_.Suiryo);
            expect(interval == wanted, "timer interval ", interval, " for Jikan ", s_.Jikan, " Suiryo ", s_.Suiryo,
                   ", want ", wanted);
        }
        expect(!w_.program().timerEnabled() || s_.Jikan != 0,
               "timer enabled before any fresh start: it would run without a rate");
        if (!w_.hasStarted())
            return;
        if (!w_.program().timerEnabled()) {
            expect(s_.Kankaku == 20, "Kankaku ", s_.Kankaku, " while the timer is off, want 20");
            expect(s_.Nagare == 0, "Nagare ", s_.Nagare, " while the timer is off, want 0");
        } else if (!s_.TomeFlg) {
            expect(static_cast<std::uint32_t>(s_.Kankaku) == interval, "Kankaku ", s_.Kankaku,
                   " differs from the running interval ", interval);
        } else {
            expect(s_.Kankaku == 20 || static_cast<std::uint32_t>(s_.Kankaku) == interval, "Kankaku ", s_.Kankaku,
                   " is neither 20 nor the interval ", interval);
        }
    }

    void lists()
    {
        for (const Item list : {Item::lbxJikan, Item::lbxSuiryo, Item::lbxSyokiRyo}) {
            const int row = w_.scene().selectedIndex(list);
            expect(row >= 0 && row < core::layoutOf(list).listRows, core::layoutOf(list).name, " selects row ", row);
        }
    }

    void shapes()
    {
        const Bounds water = w_.scene().bounds(Item::shpScale);
        const Bounds level = w_.scene().bounds(Item::ShpScaleY);
        const Bounds time = w_.scene().bounds(Item::ShpScaleX);
        const Bounds stream = w_.scene().bounds(Item::shpMizu);
        const int suii = s_.Suii;

        const Bounds liveWater{56, kTankBottom - suii, 377, suii};
        const Bounds emptiedWater{56, kTankBottom, 377, 1};
        const bool live = water == liveWater;
        const bool emptied = water == emptiedWater;
        expect(live || emptied, "shpScale ", str(water), " is neither ", str(liveWater), " for Suii ", suii,
               " nor the emptied ", str(emptiedWater));

        if (live) {
            const Bounds wanted{477, kGraphBottom - suii, 7, suii};
            expect(level == wanted, "ShpScaleY ", str(level), " for Suii ", suii, ", want ", str(wanted));
            // A resume after a reset keeps the reset's starting point until the next fresh start.
            expect(s_.SyokiY == kFullPx - s_.SyokiRyo * sim::kUnitPx || s_.SyokiY == kFullPx, "SyokiY ", s_.SyokiY,
                   " fits neither SyokiRyo ", s_.SyokiRyo, " nor a reset");
        }
        if (emptied) {
            // Nothing has filled the tank since the last reset: no fresh start and no rising tick.
            const int keptTop = s_.Jikan == 0 ? core::layoutOf(Item::ShpScaleY).bounds.top : kGraphBottom - suii;
            const Bounds wanted{477, keptTop, 7, 1};
            expect(level == wanted, "ShpScaleY ", str(level), " with an emptied tank, want ", str(wanted));
            expect(s_.KeikaTick == 0.0F, "KeikaTick ", s_.KeikaTick, " with an emptied tank");
            expect(s_.SyokiY == kFullPx, "SyokiY ", s_.SyokiY, " with an emptied tank, want 500");
            expect(s_.Kankaku == 20, "Kankaku ", s_.Kankaku, " with an emptied tank, want 20");
        }
        const bool idle = !w_.program().timerEnabled() && !s_.TomeFlg;
        if (idle)
            expect(emptied, "idle after a reset but shpScale ", str(water), " is not emptied");

        if (s_.KeikaTick == 0.0F) {
            expect(time == Bounds{497, 689, 1, 7}, "ShpScaleX ", str(time), " before the first rising tick");
            expect(s_.Ten[0].x == 0, "Ten[0].x ", s_.Ten[0].x, " before the first rising tick");
            expect(s_.Ten[0].y == s_.SyokiY, "Ten[0].y ", s_.Ten[0].y, " before the first rising tick, want SyokiY ",
                   s_.SyokiY);
        } else {
            expect(time.left == 497 && time.top == 689 && time.height == 7 && time.width >= 0, "ShpScaleX ", str(time));
            expect(s_.Ten[0].x == time.width, "Ten[0].x ", s_.Ten[0].x, " differs from the time bar ", str(time));
        }
        // The live point's y follows the level, or stays where it was once the time passed 20 units.
        expect(s_.Ten[0].y >= kFullPx - suii && s_.Ten[0].y <= kFullPx, "Ten[0].y ", s_.Ten[0].y, " for Suii ", suii);

        const int streamHeight = s_.Nagare == 0 ? 1 : s_.Nagare;
        expect(stream == Bounds{96, 177, 17, streamHeight}, "shpMizu ", str(stream), " for Nagare ", s_.Nagare);
    }

    void shownNumbers()
    {
        const std::string timeText = w_.scene().caption(Item::stxKJHyoji);
        const std::string volume = w_.scene().caption(Item::stxKSHyoji);
        const std::optional<double> t = parseOneDecimal(timeText, sep_);
        expect(t.has_value(), "time shown '", timeText, "' is not a one-decimal text");
        // Within one fill the time cannot pass 100 units (at most 0.2 per rising tick). Repeated
        // fresh starts without a reset and resumes at a full tank keep counting, beyond it.
        if (t && s_.KeikaTick <= static_cast<float>(kFullPx))
            expect(*t <= 100.0, "time shown '", timeText, "' beyond 100.0 after ", s_.KeikaTick, " rising ticks");
        if (s_.KeikaTick == 0.0F)
            expect(timeText == "0" + sep_ + "0", "time shown '", timeText, "' before the first rising tick");

        const bool emptied = w_.scene().bounds(Item::shpScale) == Bounds{56, kTankBottom, 377, 1};
        const std::string wanted = emptied ? "0" + sep_ + "0" : volumeText(s_.Suii, sep_);
        expect(volume == wanted, "volume shown '", volume, "', want '", wanted, "'");
    }

    void records()
    {
        for (int k = 1; k <= sim::kMaxRecords; ++k) {
            const auto i = static_cast<std::size_t>(k);
            const std::string& x = s_.KirokuX[i];
            const std::string& y = s_.KirokuY[i];
            expect(w_.scene().caption(sim::timeCell(k)) == x && w_.scene().caption(sim::volumeCell(k)) == y,
                   "record table column ", k, " shows '", w_.scene().caption(sim::timeCell(k)), "'/'",
                   w_.scene().caption(sim::volumeCell(k)), "', stored '", x, "'/'", y, "'");
            if (k > s_.KirokuSu) {
                expect(x.empty() && y.empty(), "unused record ", k, " holds '", x, "'/'", y, "'");
                continue;
            }
            const std::optional<double> volume = parseOneDecimal(y, sep_);
            expect(parseOneDecimal(x, sep_).has_value(), "record ", k, " time '", x, "' is not a one-decimal text");
            expect(volume && *volume >= 0.0 && *volume <= 20.0, "record ", k, " volume '", y, "' not in 0.0..20.0");
            const sim::Point p = s_.Ten[i];
            expect(p.x >= 0 && p.y >= 0 && p.y <= kFullPx, "record ", k, " point (", p.x, ',', p.y, ')');
        }
    }

    void switches()
    {
        const auto shown = [this](Item item) { return !w_.item(item)->isHidden(); };
        if (w_.hasStarted()) {
            expect(shown(Item::btnTenki) == (s_.KirokuSu > 0), "btnTenki shown ", shown(Item::btnTenki), " with ",
                   s_.KirokuSu, " records");
        }
        expect(shown(Item::LblTenkiFlg) == s_.TenkiFlg && shown(Item::btnMusubu) == s_.TenkiFlg,
               "LblTenkiFlg/btnMusubu shown ", shown(Item::LblTenkiFlg), '/', shown(Item::btnMusubu), " with TenkiFlg ",
               s_.TenkiFlg);
        expect(shown(Item::LblMusubuFlg) == s_.MusubuFlg, "LblMusubuFlg shown ", shown(Item::LblMusubuFlg),
               " with MusubuFlg ", s_.MusubuFlg);
        expect(!s_.MusubuFlg || s_.TenkiFlg, "lines joined without the dots switched on");
        expect(!s_.TenkiFlg || s_.KirokuSu > 0, "dots switched on without a record");

        const std::string autoCaption = w_.scene().caption(Item::bbtnKirokuAuto);
        const sim::Colour autoColour = w_.scene().fontColour(Item::bbtnKirokuAuto);
        if (w_.hasStarted()) {
            expect(s_.KirokuAutoFlg ? (autoCaption == "自動記録オン" && autoColour == sim::clRed)
                                    : (autoCaption == "自動記録オフ" && autoColour == sim::clNavy),
                   "bbtnKirokuAuto reads '", autoCaption, "' in #", std::hex, autoColour.rgb(), std::dec,
                   " with KirokuAutoFlg ", s_.KirokuAutoFlg);
        }
        const std::string toggle = w_.scene().caption(Item::spbGraphFlg);
        expect(toggle == (w_.scene().isPressed(Item::spbGraphFlg) ? "ON" : "OFF"), "spbGraphFlg reads '", toggle,
               "' while pressed is ", w_.scene().isPressed(Item::spbGraphFlg));
    }

    void noErrorBox()
    {
        const QWidget* modal = QApplication::activeModalWidget();
        expect(modal == nullptr, "a modal window is open: ", modal ? modal->windowTitle().toStdString() : "");
    }

    const MainWindow& w_;
    const sim::State& s_;
    const std::string sep_;
    std::vector<std::string> problems_;
};

} // namespace

std::vector<std::string> checkInvariants(const MainWindow& window)
{
    return Checker(window).run();
}

} // namespace storm
