#include "base/errors.h"
#include "ui/download/decimal_separator.h"
#include "ui/download/size_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <string>

using namespace melvanto;

namespace {

TEST(SizeText, MegabytesWithTwoDecimalsRoundedHalfAwayFromZero) {
    struct Case {
        int32_t bytes;
        const char* text;
    };
    const Case cases[] = {
        {4194304, "4.00"},
        {31457280, "30.00"},
        {131072, "0.13"},  // exactly 0.125: the half goes up
        {655360, "0.63"},  // exactly 0.625
        {1048575, "1.00"}, // 0.99999...
        {0, "0.00"},
        {1, "0.00"},
        {5242, "0.00"},    // 0.0049991...
        {5243, "0.01"},    // 0.0050001...
        {1095761, "1.04"}, // 1.0449999...
        {1095762, "1.05"}, // 1.0450000...
        {1148190, "1.09"}, // 1.0949993...
        {1148191, "1.10"}, // 1.0950003...
        {104857600, "100.00"},
        {std::numeric_limits<int32_t>::max(), "2048.00"},
        {-131072, "-0.13"}, // a negative half goes away from zero too
        {-1048576, "-1.00"},
        {-1, "0.00"}, // rounds to zero: no sign
        {std::numeric_limits<int32_t>::min(), "-2048.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(FormatMegabytes(c.bytes, "."), c.text);
    }
}

TEST(SizeText, TheDecimalSeparatorIsTheOneGiven) {
    EXPECT_EQ(FormatMegabytes(131072, ","), "0,13");
    EXPECT_EQ(FormatMegabytes(31457280, ","), "30,00");
    // A separator of several bytes (as a UTF-8 locale may have) is put in whole.
    EXPECT_EQ(FormatMegabytes(4194304, "\xd9\xab"), "4\xd9\xab"
                                                    "00");
}

TEST(SizeText, EmptyIsZeroAndTheTextIsReadAsAWholeNumber) {
    struct Case {
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        {"", "0"},
        {"4194304", "4,00"},
        {" 131072", "0,13"},
        {"+1048575", "1,00"},
        {"$400000", "4,00"}, // hexadecimal 4194304
        {"0x1E00000", "30,00"},
        {"-1048576", "-1,00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SizeText(c.text, ","), c.shown);
    }
}

TEST(SizeText, TextThatIsNoWholeNumberFailsNamingIt) {
    for (const char* text : {"abc", "null", "4194304x", "2147483648", "1.5", " "}) {
        SCOPED_TRACE(text);
        try {
            SizeText(text, ".");
            ADD_FAILURE() << "no failure";
        } catch (const EConvertError& failure) {
            EXPECT_EQ(failure.Message(),
                      "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

TEST(SizeText, TheUserSeparatorIsTheNumericLocalesDecimalPoint) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "C"), nullptr);
    EXPECT_EQ(UserDecimalSeparator(), ".");
    std::setlocale(LC_NUMERIC, previous.c_str());
}

} // namespace
