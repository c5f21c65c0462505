#pragma once

#include <optional>
#include <string>
#include <string_view>

// How the window must write its numbers, worked out independently of the program's own
// formatting so that the checks below can catch a fault in it.
namespace storm {

// The one-decimal text of a non-negative value: rounded once, halves away from zero, at the
// tenths or at the third significant digit, whichever is coarser.
// 0.35f -> "0.3" (the float lies below 0.35), 99.96 -> "100.0", 1579.4 -> "1580.0".
std::string oneDecimalText(double value, std::string_view separator);

// The volume text of a water level in pixels: level / 25 with one decimal. No level lands on a
// half, so this is plain integer rounding.
std::string volumeText(int levelPx, std::string_view separator);

// The value of a text of the form DIGITS SEPARATOR DIGIT ("12.3"), or nothing for any other form.
std::optional<double> parseOneDecimal(std::string_view text, std::string_view separator);

} // namespace storm
