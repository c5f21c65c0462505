#include "invariantwatch.h"

#include "invariants.h"
#include "numbertexts.h"

#include "mainwindow.h"
#include "periodictimer.h"

#include <algorithm>
#include <cmath>
#include <sstream>

using sim::Item;

namespace storm {

namespace {

constexpr Item kLists[] = {Item::lbxSyokiRyo, Item::lbxJikan, Item::lbxSuiryo};
constexpr int kFullPx = 500;

bool sameRecords(const sim::State& a, const sim::State& b, int upTo)
{
    for (std::size_t k = 1; k <= static_cast<std::size_t>(upTo); ++k) {
        if (a.Ten[k] != b.Ten[k] || a.KirokuX[k] != b.KirokuX[k] || a.KirokuY[k] != b.KirokuY[k])
            return false;
    }
    return true;
}

bool sameState(const sim::State& a, const sim::State& b)
{
    return a.Suii == b.Suii && a.Nagare == b.Nagare && a.Kankaku == b.Kankaku && a.Jikan == b.Jikan
           && a.Suiryo == b.Suiryo && a.SyokiRyo == b.SyokiRyo && a.SyokiY == b.SyokiY && a.KirokuSu == b.KirokuSu
           && a.KeikaTick == b.KeikaTick && a.Ten[0] == b.Ten[0] && sameRecords(a, b, sim::kMaxRecords)
           && a.TenkiFlg == b.TenkiFlg && a.MusubuFlg == b.MusubuFlg && a.TomeFlg == b.TomeFlg
           && a.KirokuAutoFlg == b.KirokuAutoFlg;
}

class Rules {
public:
    Rules(std::vector<std::string>& problems, const std::string& what)
        : problems_(problems)
        , what_(what)
    {
    }

    template <typename... Parts>
    void expect(bool holds, const Parts&... parts)
    {
        if (holds)
            return;
        std::ostringstream out;
        out << what_ << ": ";
        (out << ... << parts);
        problems_.push_back(out.str());
    }

private:
    std::vector<std::string>& problems_;
    std::string what_;
};

} // namespace

InvariantWatch::InvariantWatch(const MainWindow& window)
    : window_(window)
    , before_(take())
{
}

InvariantWatch::Snapshot InvariantWatch::take() const
{
    Snapshot s;
    s.state = window_.state();
    s.timerEnabled = window_.program().timerEnabled();
    s.interval = window_.program().timerInterval();
    s.water = window_.scene().bounds(Item::shpScale);
    s.level = window_.scene().bounds(Item::ShpScaleY);
    s.time = window_.scene().bounds(Item::ShpScaleX);
    s.stream = window_.scene().bounds(Item::shpMizu);
    s.timeShown = window_.scene().caption(Item::stxKJHyoji);
    s.volumeShown = window_.scene().caption(Item::stxKSHyoji);
    for (std::size_t i = 0; i < 3; ++i)
        s.selected[i] = window_.scene().selectedIndex(kLists[i]);
    s.messages = window_.messagesShown();
    s.quit = window_.quitWasRequested();
    s.pressed = window_.scene().isPressed(Item::spbGraphFlg);
    return s;
}

std::vector<std::string> InvariantWatch::afterEvent(Cause cause, Item item)
{
    std::vector<std::string> problems = checkInvariants(window_);
    const Snapshot b = before_;
    const Snapshot a = take();
    before_ = a;
    const sim::State& sb = b.state;
    const sim::State& sa = a.state;
    const std::string sep = window_.program().decimalSeparator();
    const std::string what = cause == Cause::Tick        ? std::string("tick")
                             : cause == Cause::Selection ? std::string("select ") + core::layoutOf(item).name
                                                         : std::string("click ") + core::layoutOf(item).name;
    Rules rule(problems, what);

    const bool isTick = cause == Cause::Tick;
    const auto clicked = [&](Item button) { return cause == Cause::Click && item == button; };
    const bool streamTick = isTick && b.stream.top + b.stream.height < b.water.top;
    const bool risingTick = isTick && !streamTick;

    // The elapsed time moves only with a rising tick and goes back only through the reset.
    if (risingTick)
        rule.expect(sa.KeikaTick == sb.KeikaTick + 1.0F, "KeikaTick ", sb.KeikaTick, " -> ", sa.KeikaTick);
    else if (clicked(Item::btnSaishiko))
        rule.expect(sa.KeikaTick == 0.0F, "KeikaTick ", sa.KeikaTick, " after a reset");
    else
        rule.expect(sa.KeikaTick == sb.KeikaTick, "KeikaTick ", sb.KeikaTick, " -> ", sa.KeikaTick);
    if (sa.KeikaTick == sb.KeikaTick) {
        rule.expect(a.timeShown == b.timeShown, "time shown '", b.timeShown, "' -> '", a.timeShown,
                    "' without a rising tick");
        rule.expect(a.time == b.time && sa.Ten[0].x == sb.Ten[0].x, "time bar width ", b.time.width, " -> ",
                    a.time.width, " without a rising tick");
    }

    // Records: one more per record click (at most ten) or automatic record, none lost but by a reset.
    if (clicked(Item::btnSaishiko)) {
        rule.expect(sa.KirokuSu == 0, "KirokuSu ", sa.KirokuSu, " after a reset");
    } else {
        rule.expect(sameRecords(sa, sb, sb.KirokuSu), "a stored record changed");
        const int wanted = clicked(Item::btnKiroku) ? std::min(sb.KirokuSu + 1, sim::kMaxRecords) : -1;
        if (wanted >= 0)
            rule.expect(sa.KirokuSu == wanted, "KirokuSu ", sb.KirokuSu, " -> ", sa.KirokuSu);
        else if (!risingTick)
            rule.expect(sa.KirokuSu == sb.KirokuSu, "KirokuSu ", sb.KirokuSu, " -> ", sa.KirokuSu);
    }
    // A record by the button is taken at the time shown; an automatic one, at a tick, under the
    // whole unit that tick reached.
    const auto elapsedTime = [&sa](float keikaTick) {
        return static_cast<float>(static_cast<long double>(sa.Jikan) * keikaTick / sa.Suiryo / sim::kUnitPx);
    };
    if (sa.KirokuSu == sb.KirokuSu + 1) {
        const auto k = static_cast<std::size_t>(sa.KirokuSu);
        const std::string timeText =
            risingTick ? oneDecimalText(std::trunc(elapsedTime(sa.KeikaTick)), sep) : a.timeShown;
        rule.expect(sa.Ten[k] == sa.Ten[0] && sa.KirokuX[k] == timeText && sa.KirokuY[k] == a.volumeShown, "record ", k,
                    " stored (", sa.Ten[k].x, ',', sa.Ten[k].y, ") '", sa.KirokuX[k], "'/'", sa.KirokuY[k], "', want (",
                    sa.Ten[0].x, ',', sa.Ten[0].y, ") '", timeText, "'/'", a.volumeShown, "'");
    }

    const bool full = risingTick && sa.Suii == kFullPx;
    rule.expect(a.messages == b.messages + (full ? 1 : 0), "messages ", b.messages, " -> ", a.messages);
    rule.expect(a.quit == (b.quit || clicked(Item::btnOwari)), "quit requested ", a.quit);
    rule.expect(a.pressed == (b.pressed != clicked(Item::spbGraphFlg)), "spbGraphFlg pressed ", a.pressed);

    if (streamTick) {
        rule.expect(sa.Nagare == sb.Nagare + 5 && sa.Suii == sb.Suii && a.timerEnabled, "stream tick: Nagare ",
                    sb.Nagare, " -> ", sa.Nagare, ", Suii ", sb.Suii, " -> ", sa.Suii);
    }
    if (risingTick) {
        rule.expect(sa.Suii == std::min(sb.Suii + 1, kFullPx), "Suii ", sb.Suii, " -> ", sa.Suii);
        const long double elapsedPx = static_cast<long double>(sa.Jikan) * sa.KeikaTick / sa.Suiryo;
        const float t = static_cast<float>(elapsedPx / sim::kUnitPx);
        const std::string timeText = oneDecimalText(t, sep);
        rule.expect(a.timeShown == timeText, "time shown '", a.timeShown, "', want '", timeText, "' for tick ",
                    sa.KeikaTick, " at ", sa.Jikan, '/', sa.Suiryo);
        // The bar is compared with its frame before it is recomputed: it may stand beyond the frame
        // for one tick and then comes back to the frame's width for good.
        const int frame = window_.scene().bounds(Item::ShpWakuX).width;
        const int bar = b.time.width < frame ? static_cast<int>(elapsedPx + 0.5L) : frame;
        rule.expect(a.time.width == bar, "time bar ", b.time.width, " -> ", a.time.width, ", want ", bar);
        const int y = t > 20.0F ? sb.Ten[0].y : kFullPx - sa.Suii;
        rule.expect(sa.Ten[0] == sim::Point{a.time.width, y}, "live point (", sa.Ten[0].x, ',', sa.Ten[0].y,
                    "), want (", a.time.width, ',', y, ')');
        const float whole = std::trunc(t);
        const bool autoRecord = sa.KirokuAutoFlg && sb.KirokuSu < sim::kMaxRecords && whole >= 1.0F
                                && whole > std::trunc(elapsedTime(sa.KeikaTick - 1.0F));
        rule.expect(sa.KirokuSu == sb.KirokuSu + (autoRecord ? 1 : 0), "KirokuSu ", sb.KirokuSu, " -> ", sa.KirokuSu,
                    " at time ", t);
        if (full)
            rule.expect(!a.timerEnabled && sa.TomeFlg && sa.Nagare == 0, "full tank did not stop the run");
        else
            rule.expect(a.timerEnabled && sa.Nagare == sb.Nagare, "rising tick stopped the run or moved the stream");
    }

    if (clicked(Item::btnMizuDasu)) {
        rule.expect(a.timerEnabled, "timer off after a start");
        if (sb.TomeFlg && sb.Jikan != 0) {
            const std::array<int, 3> remembered{sb.SyokiRyo, sb.Jikan - 1, sb.Suiryo - 1};
            rule.expect(a.selected == remembered && sa.Suii == sb.Suii && a.interval == b.interval
                            && sa.Kankaku == sb.Kankaku && sa.TomeFlg,
                        "resume: lists ", a.selected[0], '/', a.selected[1], '/', a.selected[2], " Suii ", sa.Suii,
                        " interval ", a.interval);
        } else {
            const int initial = std::max(0, b.selected[0]);
            const int jikan = std::max(0, b.selected[1]) + 1;
            const int suiryo = std::max(0, b.selected[2]) + 1;
            const int suii = initial * sim::kUnitPx;
            rule.expect(sa.SyokiRyo == initial && sa.Suii == suii && sa.Jikan == jikan && sa.Suiryo == suiryo
                            && sa.Kankaku == 20 * jikan / suiryo && sa.SyokiY == kFullPx - suii
                            && sa.Ten[0].y == sa.SyokiY && sa.TomeFlg == sb.TomeFlg && a.selected == b.selected,
                        "fresh start from lists ", b.selected[0], '/', b.selected[1], '/', b.selected[2],
                        " gave SyokiRyo ", sa.SyokiRyo, " Suii ", sa.Suii, " rate ", sa.Jikan, '/', sa.Suiryo,
                        " Kankaku ", sa.Kankaku, " SyokiY ", sa.SyokiY);
        }
    }
    if (clicked(Item::btnMizuTome)) {
        rule.expect(!a.timerEnabled && sa.TomeFlg && sa.Nagare == 0 && sa.Kankaku == 20 && a.interval == b.interval
                        && sa.Suii == sb.Suii,
                    "stop: timer ", a.timerEnabled, " TomeFlg ", sa.TomeFlg, " Nagare ", sa.Nagare, " Kankaku ",
                    sa.Kankaku);
    }
    if (clicked(Item::btnSaishiko)) {
        rule.expect(a.selected == std::array<int, 3>{0, 0, 0} && sa.Suii == sb.Suii && sa.Jikan == sb.Jikan
                        && sa.Suiryo == sb.Suiryo && sa.SyokiRyo == sb.SyokiRyo && a.interval == b.interval
                        && !sa.TomeFlg && !sa.TenkiFlg && !sa.MusubuFlg && !sa.KirokuAutoFlg,
                    "reset changed what it keeps or kept what it clears");
    }
    if (clicked(Item::btnTenki))
        rule.expect(sa.TenkiFlg, "dots not switched on");
    if (clicked(Item::btnMusubu))
        rule.expect(sa.MusubuFlg, "lines not switched on");
    if (clicked(Item::bbtnKirokuAuto))
        rule.expect(sa.KirokuAutoFlg != sb.KirokuAutoFlg, "automatic recording not switched");
    if (cause == Cause::Selection || clicked(Item::spbGraphFlg) || clicked(Item::btnOwari)) {
        rule.expect(sameState(sa, sb) && a.timerEnabled == b.timerEnabled, "the state changed");
        for (std::size_t i = 0; i < 3; ++i) {
            if (cause != Cause::Selection || kLists[i] != item)
                rule.expect(a.selected[i] == b.selected[i], core::layoutOf(kLists[i]).name, " changed");
        }
    }
    return problems;
}

} // namespace storm
