#include "platform/codepage/codepage.h"

#include <gtest/gtest.h>

using namespace melvanto;

class CodePage : public ::testing::Test {
protected:
    void TearDown() override { PinAnsiCodePageForTesting(""); }
};

TEST_F(CodePage, CLocaleCountsAsUtf8) {
    EXPECT_EQ(AnsiCodeSet(), "UTF-8");
    EXPECT_EQ(WideToAnsi(u"歌曲 한국 😀"), "歌曲 한국 😀");
    EXPECT_EQ(AnsiToWide("歌曲 한국"), u"歌曲 한국");
}

TEST_F(CodePage, Gbk936KeepsChineseAndLosesWhatItCannotHold) {
    PinAnsiCodePageForTesting("GBK");
    EXPECT_EQ(AnsiCodeSet(), "GBK");
    const std::string gbk = WideToAnsi(u"歌A");
    EXPECT_EQ(gbk, "\xB8\xE8" "A");
    EXPECT_EQ(AnsiToWide(gbk), u"歌A");
    // Hangul and emoji have no place in code page 936; a surrogate pair is one character.
    EXPECT_EQ(WideToAnsi(u"한x😀y"), "?x?y");
    EXPECT_EQ(AnsiToWide(WideToAnsi(u"한국 노래")), u"?? ??");
}

TEST_F(CodePage, UnpairedSurrogateAndBadBytesBecomeReplacements) {
    EXPECT_EQ(WideToAnsi(std::u16string(1, char16_t(0xD800)) + u"a"), "?a");
    EXPECT_EQ(AnsiToWide("a\xFF" "b"), u"a?b");
    EXPECT_EQ(Utf8ToWide("\xE6\xAD\x8C"), u"歌");
    EXPECT_EQ(WideToUtf8(u"歌"), "\xE6\xAD\x8C");
}
