#pragma once

#include <string>
#include <string_view>

namespace sim {

// The one rule by which every shown or recorded number becomes text: the value's exact decimal
// expansion to 18 significant digits is rounded once, halves away from zero, to at most three
// significant digits and one decimal, and written with exactly one decimal.
// 0.25 -> "0.3", 0.35f (a hair below 0.35) -> "0.3", 99.96 -> "100.0", 123.4 -> "123.0".
std::string numberText(long double value, std::string_view decimalSeparator);

} // namespace sim
