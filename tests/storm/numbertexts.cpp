#include "numbertexts.h"

#include <cmath>
#include <cstdint>

namespace storm {

namespace {

std::string withTenths(std::int64_t tenths, std::string_view separator)
{
    std::string text = std::to_string(tenths / 10);
    text += separator;
    text += static_cast<char>('0' + tenths % 10);
    return text;
}

} // namespace

std::string oneDecimalText(double value, std::string_view separator)
{
    // The values come from single precision, so value * 10 and the sums below are exact in
    // double and floor() rounds the true decimal value.
    if (value < 100.0)
        return withTenths(static_cast<std::int64_t>(std::floor(value * 10.0 + 0.5)), separator);
    double step = 1.0;
    for (double bound = 1000.0; value >= bound; bound *= 10.0)
        step *= 10.0;
    const double kept = std::floor((value + step / 2.0) / step) * step;
    return withTenths(static_cast<std::int64_t>(kept) * 10, separator);
}

std::string volumeText(int levelPx, std::string_view separator)
{
    // level / 25 in tenths is 2 * level / 5; its hundredths digit is even, so never a half.
    return withTenths((4 * static_cast<std::int64_t>(levelPx) + 5) / 10, separator);
}

std::optional<double> parseOneDecimal(std::string_view text, std::string_view separator)
{
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos || at == 0 || at + separator.size() + 1 != text.size())
        return std::nullopt;
    const std::string_view whole = text.substr(0, at);
    const char tenth = text.back();
    if (tenth < '0' || tenth > '9' || whole.size() > 12 || (whole.size() > 1 && whole.front() == '0'))
        return std::nullopt;
    double value = 0.0;
    for (const char c : whole) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10.0 + (c - '0');
    }
    return value + (tenth - '0') / 10.0;
}

} // namespace storm
