#include "numbertext.h"

#include <gtest/gtest.h>

namespace {

struct Example {
    long double value;
    const char* separator;
    const char* text;
};

class NumberText : public testing::TestWithParam<Example> { };

TEST_P(NumberText, RoundsOnceHalvesAwayFromZero)
{
    const Example& e = GetParam();
    EXPECT_EQ(sim::numberText(e.value, e.separator), e.text) << static_cast<double>(e.value);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, NumberText,
    testing::Values(Example{0.0L, ".", "0.0"}, Example{0.04L, ".", "0.0"}, Example{0.25L, ".", "0.3"},
                    // The float nearest 0.35 lies just below it: no double rounding to 0.4.
                    Example{0.35F, ".", "0.3"}, Example{2.44L, ".", "2.4"}, Example{12.34L, ".", "12.3"},
                    Example{99.96L, ".", "100.0"}, Example{100.0L, ".", "100.0"},
                    // Three significant digits at most.
                    Example{123.4L, ".", "123.0"}, Example{0.05L, ".", "0.1"}, Example{0.049L, ".", "0.0"},
                    Example{9.95L, ".", "10.0"}, Example{19.96F, ".", "20.0"}, Example{1.08F, ".", "1.1"},
                    // No minus sign before a zero.
                    Example{-0.04L, ".", "0.0"}, Example{-0.25L, ".", "-0.3"},
                    // The locale's separator.
                    Example{1.0L, ",", "1,0"}, Example{12.34L, ",", "12,3"}, Example{0.0L, ",", "0,0"}));

TEST(NumberTextRange, EveryTenthUpToAHundredComesBackAsWritten)
{
    // Every value the program shows is a float of k/25 or a whole number; tenths must survive.
    for (int tenths = 0; tenths <= 1000; ++tenths) {
        const float value = static_cast<float>(tenths) / 10.0F;
        const std::string expected = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
        ASSERT_EQ(sim::numberText(value, "."), expected) << tenths;
    }
}

} // namespace
