#include "json_test_text.h"
#include "json/json_text_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace melvanto {
namespace {

using test::Show;

TEST(JsonTextBuffer, StartsEmptyWithCapacity32AndATerminator) {
    TJsonTextBuffer buffer;
    EXPECT_EQ(buffer.Length(), 0);
    EXPECT_EQ(buffer.Capacity(), 32);
    EXPECT_EQ(buffer.Content().data()[0], u'\0');
}

TEST(JsonTextBuffer, GrowsToTwiceTheCapacityOrToLengthPlusCountPlusEight) {
    struct Case {
        std::vector<int32_t> emits; // counts emitted one after another
        int32_t capacity;           // capacity afterwards
    };
    const Case cases[] = {
        {{31}, 32},         // 31 < 32 - 0: room enough
        {{32}, 64},         // 32 >= 32: doubles (64 > 0 + 32 + 8)
        {{31, 1}, 64},      // 1 >= 32 - 31
        {{60}, 68},         // 0 + 60 + 8 beats 64
        {{31, 1, 31}, 64},  // 31 < 64 - 32
        {{31, 1, 32}, 128}, // 32 >= 64 - 32
        {{10, 200}, 218},   // 10 + 200 + 8
        {{0, -5}, 32},      // nothing for counts of 0 or less
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.emits));
        TJsonTextBuffer buffer;
        int32_t length = 0;
        for (int32_t count : c.emits) {
            std::u16string units(count > 0 ? count : 0, u'x');
            EXPECT_EQ(buffer.Emit(units.data(), count), count);
            if (count > 0) length += count;
        }
        EXPECT_EQ(buffer.Length(), length);
        EXPECT_EQ(buffer.Capacity(), c.capacity);
        EXPECT_EQ(buffer.Content(), std::u16string(length, u'x'));
        EXPECT_EQ(buffer.Content().data()[length], u'\0');
    }
}

TEST(JsonTextBuffer, AppendFollowsTheGrowthOfAnEmitOfOne) {
    TJsonTextBuffer buffer;
    for (int i = 0; i < 31; ++i)
        buffer.Append(u'a');
    EXPECT_EQ(buffer.Capacity(), 32);
    buffer.Append(u'b');
    EXPECT_EQ(buffer.Capacity(), 64);
    EXPECT_EQ(buffer.Content(), std::u16string(31, u'a') + u"b");
    EXPECT_EQ(buffer.Content().data()[32], u'\0');
}

TEST(JsonTextBuffer, EmitTextStopsAtTheFirstNul) {
    TJsonTextBuffer buffer;
    buffer.EmitText(std::u16string_view(u"ab\0cd", 5));
    buffer.EmitText(u"");
    buffer.EmitText(u"ef");
    EXPECT_EQ(Show(buffer.Content()), "abef");
}

TEST(JsonTextBuffer, ContentToNulEndsAtAnEmbeddedNul) {
    TJsonTextBuffer buffer;
    const char16_t units[] = {u'a', u'\0', u'b'};
    buffer.Emit(units, 3);
    EXPECT_EQ(buffer.Content().size(), 3u);
    EXPECT_EQ(Show(buffer.ContentToNul()), "a");
}

TEST(JsonTextBuffer, TrimTrailingDropsSpacesCrAndLfOnly) {
    const struct {
        std::u16string_view in;
        std::u16string_view out;
    } cases[] = {
        {u"abc \r\n \n", u"abc"}, {u"abc\t ", u"abc\t"}, {u" \r\n", u""}, {u"", u""},
        {u"a b", u"a b"},         {u"x\f", u"x\f"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Show(c.in));
        TJsonTextBuffer buffer;
        buffer.EmitText(c.in);
        buffer.TrimTrailing();
        EXPECT_EQ(Show(buffer.Content()), Show(c.out));
        EXPECT_EQ(buffer.Content().data()[buffer.Length()], u'\0');
    }
}

TEST(JsonTextBuffer, ClearAndDropLastKeepTheTerminator) {
    TJsonTextBuffer buffer;
    buffer.EmitText(u"abc");
    buffer.DropLast();
    EXPECT_EQ(Show(buffer.Content()), "ab");
    EXPECT_EQ(buffer.Content().data()[2], u'\0');
    buffer.Clear();
    EXPECT_EQ(buffer.Length(), 0);
    EXPECT_EQ(buffer.Content().data()[0], u'\0');
    buffer.DropLast();
    EXPECT_EQ(buffer.Length(), 0);
}

} // namespace
} // namespace melvanto
