#include "service/form_encode.h"

#include "platform/codepage/codepage.h"

#include <cstdio>
#include <gtest/gtest.h>

using namespace melvanto;

namespace {

class FormEncode : public ::testing::Test {
protected:
    void TearDown() override { PinAnsiCodePageForTesting(""); }
};

TEST_F(FormEncode, EncodesTheKnownExamplesAndTheCharactersThatCouldBreakAUrl) {
    auto check = [](std::string_view in, std::string_view expected) {
        SCOPED_TRACE(in);
        EXPECT_EQ(HttpFormEncode(in), expected);
    };
    check("a b&c", "a+b%26c");
    check("\xE6\xAD\x8C", "%E6%AD%8C");
    check("it's (live)!", "it's+(live)!");
    check("1+1 ~1/2", "1%2B1+%7E1%2F2");
    check("   ", "+++");
    check("&", "%26");
    check("=", "%3D");
    check("#", "%23");
    check("+", "%2B");
    check("%", "%25");
    check("a?b", "a%3Fb");
    check("\r\n\t", "%0D%0A%09");
    check("", "");
}

TEST_F(FormEncode, EveryByteFallsIntoItsClass) {
    const std::string kept = "!$'()*-.@_";
    for (int value = 1; value < 256; ++value) {
        const unsigned char byte = static_cast<unsigned char>(value);
        SCOPED_TRACE(value);
        const std::string in(1, static_cast<char>(byte));
        const bool alphanumeric = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                  (byte >= '0' && byte <= '9');
        if (alphanumeric || kept.find(static_cast<char>(byte)) != std::string::npos) {
            EXPECT_EQ(HttpFormEncode(in), in);
        } else if (byte == ' ') {
            EXPECT_EQ(HttpFormEncode(in), "+");
        } else {
            char expected[4];
            std::snprintf(expected, sizeof expected, "%%%02X", byte);
            EXPECT_EQ(HttpFormEncode(in), expected);
        }
    }
}

TEST_F(FormEncode, StopsAtAZeroByte) {
    EXPECT_EQ(HttpFormEncode(std::string_view("ab\0cd", 5)), "ab");
}

TEST_F(FormEncode, KeywordIsSentAsUtf8WhateverTheCodePage) {
    struct Case {
        const char* codeset;
        std::string keyword; // as the keyword box holds it, in that code page
        std::string sent;
    } cases[] = {
        {"UTF-8", "\xE6\xAD\x8C a", "%E6%AD%8C+a"},
        {"UTF-8", "caf\xC3\xA9", "caf%C3%A9"},
        {"UTF-8", "\xED\x95\x9C", "%ED%95%9C"},
        {"UTF-8", "   ", "+++"},
        {"UTF-8", "a&b=c#d+e", "a%26b%3Dc%23d%2Be"},
        {"GBK", "\xB8\xE8\xC7\xFA 1", "%E6%AD%8C%E6%9B%B2+1"},
        {"GBK", "it's (live)!", "it's+(live)!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.codeset) + " " + c.keyword);
        PinAnsiCodePageForTesting(c.codeset);
        EXPECT_EQ(EncodeKeyword(c.keyword), c.sent);
    }
}

// A UTF-8 locale can type characters beyond the basic plane; their surrogate pair is sent
// as one four-byte sequence, not as two three-byte halves no server could decode.
TEST_F(FormEncode, KeywordBeyondTheBasicPlaneIsOneUtf8Sequence) {
    PinAnsiCodePageForTesting("UTF-8");
    EXPECT_EQ(EncodeKeyword("\xF0\x9F\x98\x80!"), "%F0%9F%98%80!");
}

} // namespace
