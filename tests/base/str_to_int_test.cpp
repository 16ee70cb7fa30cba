#include "base/errors.h"
#include "base/str_to_int.h"

#include <gtest/gtest.h>

using namespace melvanto;

TEST(StrToInt, ReadsDecimalAndHexadecimalForms) {
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {
        {"0", 0},           {"22000", 22000},     {"  -12", -12},          {"+7", 7},
        {"$1F", 31},        {"0x1f", 31},         {"x10", 16},             {"X10", 16},
        {"0X7FFFFFFF", 2147483647},               {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},         {"-$10", -16},           {"007", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StrToInt(c.text), c.expected);
    }
}

TEST(StrToInt, RejectsEverythingElseWithTheMessage) {
    const char* bad[] = {"12a", "2147483648", "-2147483649", "", " ", "-", "$", "0x", "1 ",
                         "abc", "1.5", "0x80000000", "\t1", "null", "--1", "+-1"};
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(TryStrToInt(text).has_value());
        try {
            StrToInt(text);
            ADD_FAILURE() << "no failure";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}
