#include "tickclock.h"

#include <algorithm>

namespace core {

void TickClock::restart(std::int64_t nowMicroseconds)
{
    start_ = nowMicroseconds;
    taken_ = 0;
}

int TickClock::take(std::int64_t nowMicroseconds, std::uint32_t intervalMilliseconds)
{
    if (intervalMilliseconds == 0 || nowMicroseconds <= start_)
        return 0;
    const std::int64_t interval = std::int64_t{intervalMilliseconds} * 1000;
    const std::int64_t due = (nowMicroseconds - start_) / interval - taken_;
    if (due <= 0)
        return 0;
    const std::int64_t limit = std::max<std::int64_t>(1, kCatchUpLimitMicroseconds / interval);
    if (due > limit) {
        restart(nowMicroseconds);
        return static_cast<int>(limit);
    }
    taken_ += due;
    return static_cast<int>(due);
}

} // namespace core
