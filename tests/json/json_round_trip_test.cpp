#include "json_test_text.h"
#include "json/json_parser.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace melvanto {
namespace {

using test::Show;

// A document of every kind the parser makes, nested, with names and strings that need
// the short escaping, generated from a fixed seed.
class DocumentMaker {
public:
    explicit DocumentMaker(unsigned seed) : m_random(seed) {}

    // An object of three to ten members.
    std::u16string Document() {
        std::u16string text = u"{";
        for (unsigned i = 0, n = 3 + pick(8); i < n; ++i) {
            if (i) text += u',';
            text += String();
            text += u':';
            text += Value(1);
        }
        return text + u"}";
    }

    std::u16string Value(int depth) {
        switch (pick(depth < 6 ? 9 : 7)) {
        case 0:
            return u"null";
        case 1:
            return pick(2) ? u"true" : u"false";
        case 2:
            return Wide(std::to_string(static_cast<int64_t>(m_random()) - 2'000'000'000));
        case 3:
            return Wide(std::to_string(pick(100000)) + "." + std::to_string(pick(10000)));
        case 4:
            return Wide(std::to_string(pick(1000)) + "." + std::to_string(pick(1000000)) + "e" +
                        std::to_string(static_cast<int>(pick(40)) - 20));
        case 5:
        case 6:
            return String();
        case 7: {
            std::u16string text = u"[";
            for (unsigned i = 0, n = pick(5); i < n; ++i) {
                if (i) text += u',';
                text += Value(depth + 1);
            }
            return text + u"]";
        }
        default: {
            std::u16string text = u"{";
            for (unsigned i = 0, n = pick(5); i < n; ++i) {
                if (i) text += u',';
                text += String();
                text += u':';
                text += Value(depth + 1);
            }
            return text + u"}";
        }
        }
    }

private:
    unsigned pick(unsigned count) { return m_random() % count; }

    std::u16string String() {
        static const std::u16string_view pieces[] = {
            u"a",      u"song",   u"\\\"", u"\\/", u"\\\\",           u"\\n", u"\\u0000", u"\\t",
            u"\u4E2D", u"\u00E9", u" ",    u"'",   u"\\uD83D\\uDE00", u"x1"};
        std::u16string text = u"\"";
        for (unsigned i = 0, n = pick(6); i < n; ++i)
            text += pieces[pick(std::size(pieces))];
        return text + u"\"";
    }

    static std::u16string Wide(const std::string& ascii) {
        return std::u16string(ascii.begin(), ascii.end());
    }

    std::mt19937 m_random;
};

void expectStableText(std::u16string_view json) {
    IJsonValue first = ParseJson(json);
    ASSERT_TRUE(first);
    const std::u16string text = first->JsonText();
    IJsonValue second = ParseJson(text);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->JsonText(), text);
}

TEST(JsonRoundTrip, CompactTextParsesBackToTheSameText) {
    const std::u16string_view documents[] = {
        u"{\"billboard\":{\"update_date\":\"2015-06-24\",\"name\":\"\u65B0\u6B4C\u699C\"},"
        u"\"song_list\":[{\"song_id\":\"877578\",\"title\":\"a/b\",\"artist_name\":\"x\"}],"
        u"\"error_code\":22000}",
        u"{\"errorCode\":22000,\"data\":{\"songList\":[{\"songName\":\"x\",\"size\":123456,"
        u"\"time\":245,\"rate\":320,\"format\":\"flac\",\"songLink\":"
        u"\"http:\\/\\/h\\/a.flac?x=1&y=2\",\"lrcLink\":\"\",\"songPicBig\":null}]}}",
        u"[1.5,2.,0.0001,-0.25,1.23456,1e300,-7,\"\",[],{},[[[]]],{\"\":{\"\":null}}]",
        u"{'single':'quotes', bare : word , list:[a b, c,], /* c */ n: -}",
    };
    for (std::u16string_view json : documents) {
        SCOPED_TRACE(Show(json));
        expectStableText(json);
    }
}

TEST(JsonRoundTrip, GeneratedDocuments) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        DocumentMaker maker(seed);
        const std::u16string json = maker.Document();
        SCOPED_TRACE(Show(json.substr(0, 200)));
        expectStableText(json);
    }
}

} // namespace
} // namespace melvanto
