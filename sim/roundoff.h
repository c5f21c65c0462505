#pragma once

#include <cstdint>

namespace sim {

// Rounds halves away from zero: 2.5 gives 3, -2.5 gives -3. Callers pass values that fit 32 bits.
constexpr std::int32_t roundoff(long double x)
{
    return static_cast<std::int32_t>(x < 0 ? x - 0.5L : x + 0.5L);
}

static_assert(roundoff(2.5L) == 3 && roundoff(-2.5L) == -3 && roundoff(2.49L) == 2 && roundoff(0.0L) == 0);

} // namespace sim
