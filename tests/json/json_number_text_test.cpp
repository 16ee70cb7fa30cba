#include "json_test_text.h"
#include "json/json_number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

namespace melvanto {
namespace {

using test::Show;

TEST(JsonNumberText, CurrencyText) {
    const struct {
        int64_t count;
        const char* text;
    } cases[] = {
        {15000, "1.5"},
        {20000, "2."},
        {12345, "1.2345"},
        {5000, "0.5"},
        {100000, "10."},
        {-2500, "-0.25"},
        {1, "0.0001"},
        {-1, "-0.0001"},
        {0, "0"},
        {10, "0.001"},
        {-20000, "-2."},
        {std::numeric_limits<int64_t>::max(), "922337203685477.5807"},
        {std::numeric_limits<int64_t>::min(), "-922337203685477.5808"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(Show(CurrencyText(c.count).View()), c.text);
    }
}

TEST(JsonNumberText, IntegerText) {
    const struct {
        int64_t value;
        const char* text;
    } cases[] = {
        {22000, "22000"},
        {-5, "-5"},
        {0, "0"},
        {std::numeric_limits<int64_t>::max(), "9223372036854775807"},
        {std::numeric_limits<int64_t>::min(), "-9223372036854775808"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Show(IntegerText(c.value).View()), c.text);
    }
}

TEST(JsonNumberText, DoubleTextHasFifteenSignificantDigitsLikePercentPointFifteenG) {
    const double values[] = {1000.0,
                             1.23456,
                             0.1,
                             1.0 / 3.0,
                             -2.5e-7,
                             1e20,
                             123456789012345678.0,
                             -0.0,
                             5e-324,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity()};
    for (double value : values) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.15g", value);
        SCOPED_TRACE(expected);
        EXPECT_EQ(Show(DoubleText(value).View()), expected);
    }
    EXPECT_EQ(Show(DoubleText(1000.0).View()), "1000");
    EXPECT_EQ(Show(DoubleText(1e20).View()), "1e+20");
    EXPECT_EQ(Show(DoubleText(1.0 / 3.0).View()), "0.333333333333333");
}

} // namespace
} // namespace melvanto
