#include "numbertext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace sim {

namespace {

constexpr int kSignificantDigits = 18;
constexpr int kKeptSignificant = 3;

// The value in tenths after the single rounding step, or a negative number when the value is too
// large for the fixed form (never the case for the values this program shows).
std::int64_t roundedTenths(long double magnitude)
{
    // "d.ddddddddddddddddde±XX": 18 significant digits of the exact binary value.
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*Le", kSignificantDigits - 1, magnitude);
    char digits[kSignificantDigits + 1] = {};
    int count = 0;
    const char* p = buffer;
    for (; *p != 'e' && *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9' && count < kSignificantDigits)
            digits[count++] = *p;
    }
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    if (exponent > 15)
        return -1;

    // Digits up to the tenths place are exponent + 2; at most three of them are kept.
    const int keep = std::min(kKeptSignificant, exponent + 2);
    if (keep < 0)
        return 0;
    std::int64_t kept = 0;
    for (int i = 0; i < keep; ++i)
        kept = kept * 10 + (digits[i] - '0');
    if (digits[keep] >= '5') // on the decimal expansion, 5 and up is at least half: away from zero
        ++kept;
    for (int i = keep; i < exponent + 2; ++i)
        kept *= 10;
    return kept;
}

} // namespace

std::string numberText(long double value, std::string_view decimalSeparator)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
    const long double magnitude = std::fabs(value);
    const std::int64_t tenths = roundedTenths(magnitude);
    if (tenths < 0) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.1LE", value);
        return buffer;
    }
    std::string text = (value < 0 && tenths != 0) ? "-" : "";
    text += std::to_string(tenths / 10);
    text += decimalSeparator;
    text += static_cast<char>('0' + tenths % 10);
    return text;
}

} // namespace sim
