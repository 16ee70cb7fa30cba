#include "json_test_text.h"
#include "json/json_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace melvanto {
namespace {

using test::Show;

struct TextCase {
    std::u16string_view json;
    std::u16string_view text; // compact text of the result; "nil" for no value
};

void expectTexts(const TextCase* begin, const TextCase* end) {
    for (const TextCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(Show(c->json));
        IJsonValue value = ParseJson(c->json);
        EXPECT_EQ(value ? value->JsonText() : std::u16string(u"nil"), c->text);
    }
}

TEST(JsonParser, StandardJson) {
    const TextCase cases[] = {
        {u"{\"errorCode\":22000,\"data\":{\"songList\":[{\"songName\":\"x\"}]}}",
         // NameHash: errorCode 4118744494 comes before data 719418782.
         u"{\"errorCode\":22000,\"data\":{\"songList\":[{\"songName\":\"x\"}]}}"},
        {u" [ 1 , [ ] , { } , \"\" , null , true , false ] ", u"[1,[],{},\"\",null,true,false]"},
        {u"\t\r\n\b\f\"x\"", u"\"x\""},
        {u"[\"\u4E2D\u6587\",\"\\u4e2D\"]", u"[\"\u4E2D\u6587\",\"\u4E2D\"]"},
    };
    expectTexts(std::begin(cases), std::end(cases));
}

TEST(JsonParser, LenientForms) {
    const TextCase cases[] = {
        // Whatever follows a complete top value is never read.
        {u"{\"a\":1} trailing text", u"{\"a\":1}"},
        {u"1 2", u"1"},
        {u"[1]]]", u"[1]"},
        {u"\"a\"\"b\"", u"\"a\""},
        // Trailing commas and empty elements.
        {u"[1,2,]", u"[1,2]"},
        {u"{\"a\":1,}", u"{\"a\":1}"},
        {u"[,1]", u"[\"\",1]"},
        {u"[1,,2]", u"[1,\"\",2]"},
        {u"{\"a\":}", u"{\"a\":\"\"}"},
        // Quotes and names.
        {u"{'a':'b'}", u"{\"a\":\"b\"}"},
        {u"{a:1}", u"{\"a\":1}"},
        {u"{\"a\":1}", u"{\"a\":1}"},
        {u"{a : 1}", u"{\"a \":1}"},
        {u"{'it''s':1}", u"nil"},
        {u"{\"q'\":'d\"'}", u"{\"q'\":\"d\\\"\"}"},
        {u"{a\\u0041b:1}", u"{\"aAb\":1}"},
        {u"{\"a\\u0000b\":1}", u"{\"a\":1}"},
        // A leading ( is skipped.
        {u"(5)", u"5"},
        {u"((\"x\"", u"\"x\""},
    };
    expectTexts(std::begin(cases), std::end(cases));
}

TEST(JsonParser, Barewords) {
    const TextCase cases[] = {
        // Inside containers a bareword ends at , and the closing bracket of its parent.
        {u"[abc def , 1]", u"[\"abc def\",1]"},
        {u"[a}b]", u"[\"a}b\"]"},
        {u"{k:v w,l:x]y}", u"{\"l\":\"x]y\",\"k\":\"v w\"}"},
        {u"[a\tb\t]", u"[\"a\tb\t\"]"},
        {u"[x\\,y]", u"[\"x,y\"]"},
        {u"[x\\u0000y]", u"[\"x\"]"},
        {u"[+5, .5, Null, TRUE, nul, nullable, format, title]",
         u"[\"+5\",\".5\",\"Null\",\"TRUE\",\"nul\",\"nullable\",\"format\",\"title\"]"},
        {u"[null1,true.,false_]", u"nil"},
        {u"[null\u0100]", u"[\"null\u0100\"]"},
        // At level 0 a bareword runs to the end of the text.
        {u"Not Found", u"\"Not Found\""},
        {u"<html>\r\n<body>a, b] c}</body>\r\n</html>\r\n",
         u"\"<html>\r\n<body>a, b] c}<\\/body>\r\n<\\/html>\""},
        {u"abc\\n\\x41", u"\"abc\nA\""},
        {u"  ", u"\"\""},
        {u"", u"\"\""},
        {u"nullx", u"\"nullx\""},
        {u"Null", u"\"Null\""},
        {u"nul", u"\"nul\""},
        {u"truth", u"\"truth\""},
        {u"fals", u"\"fals\""},
    };
    expectTexts(std::begin(cases), std::end(cases));
}

TEST(JsonParser, WordsEndAtACharacterThatDoesNotContinueThem) {
    const TextCase cases[] = {
        {u"null", u"null"},
        {u"true", u"true"},
        {u"false", u"false"},
        {u"null1", u"null"},
        {u"true,", u"true"},
        {u"false)", u"false"},
        {u"[null,true,false]", u"[null,true,false]"},
        {u"{a:null}", u"{\"a\":null}"},
    };
    expectTexts(std::begin(cases), std::end(cases));
}

TEST(JsonParser, Escapes) {
    const TextCase cases[] = {
        {u"\"\\u0041\\x42\\q\"", u"\"ABq\""},
        {u"\"\\b\\f\\n\\r\\t\"", u"\"\b\f\n\r\t\""},
        {u"\"\\\"\\\\\\/\\'\"", u"\"\\\"\\\\\\/'\""},
        {u"'\\''", u"\"'\""},
        {u"\"\\u00e9\\u00C9\\xfF\"", u"\"\u00E9\u00C9\u00FF\""},
        // One code unit per \u escape: a pair stays a pair, a lone surrogate stays alone.
        {u"\"\\uD83D\\uDE00\"", u"\"\U0001F600\""},
        {u"\"\\uD83D\"", u"\"\xD83D\""},
        {u"\"a\\u0000b\"", u"\"a\\u0000b\""},
        {u"\"\\u00G1\"", u"nil"},
        {u"\"\\x4\"", u"nil"},
        {u"\"\\u12", u"nil"},
        {u"\"abc", u"nil"},
        {u"\"abc\\", u"nil"},
    };
    expectTexts(std::begin(cases), std::end(cases));
}

TEST(JsonParser, Comments) {
    const TextCase cases[] = {
        {u"/* c */ 1", u"1"},
        {u"1 // c", u"1"},
        {u"1 /* open", u"1"},
        {u"// only\n[1,/*x*/2 // y\n]", u"[1,2]"},
        {u"/* a **/ 2", u"2"},
        {u"/***/3", u"3"},
        {u"{/*a*/\"k\"/*b*/:/*c*/1/*d*/}", u"{\"k\":1}"},
        {u"[1 // c", u"nil"},
        {u"/* open", u"nil"},
        {u"// only", u"nil"},
        {u"/x", u"nil"},
        {u"1 /x", u"nil"},
        {u"[1 /x]", u"nil"},
    };
    expectTexts(std::begin(cases), std::end(cases));
}

TEST(JsonParser, Failures) {
    const TextCase cases[] = {
        {u"[1 2]", u"nil"},   {u"{\"a\" 1}", u"nil"}, {u"{\"a\":1 \"b\":2}", u"nil"},
        {u"{,}", u"nil"},     {u"{:1}", u"nil"},      {u"{[:1}", u"nil"},
        {u"[", u"nil"},       {u"{", u"nil"},         {u"{\"a\"", u"nil"},
        {u"{\"a\":", u"nil"}, {u"[1,", u"nil"},       {u"{a}", u"nil"},
        {u"[abc", u"nil"},    {u"{a:b", u"nil"},
    };
    expectTexts(std::begin(cases), std::end(cases));
}

TEST(JsonParser, NumbersBecomeIntegersCurrenciesOrDoubles) {
    const struct {
        std::u16string_view json;
        JsonKind kind;
        int64_t whole; // Integer value or Currency count
        double real;   // Double value
    } cases[] = {
        {u"22000", JsonKind::Integer, 22000, 0},
        {u"-5", JsonKind::Integer, -5, 0},
        {u"-", JsonKind::Integer, 0, 0},
        {u"007", JsonKind::Integer, 7, 0},
        {u"12-3", JsonKind::Integer, 12, 0},
        {u"9223372036854775807", JsonKind::Integer, std::numeric_limits<int64_t>::max(), 0},
        {u"-9223372036854775808", JsonKind::Integer, std::numeric_limits<int64_t>::min(), 0},
        {u"1.5", JsonKind::Currency, 15000, 0},
        {u"2.", JsonKind::Currency, 20000, 0},
        {u"-0.25", JsonKind::Currency, -2500, 0},
        {u"1.2345", JsonKind::Currency, 12345, 0},
        {u"0.0", JsonKind::Currency, 0, 0},
        {u"0.0001", JsonKind::Currency, 1, 0},
        {u"-.5", JsonKind::Currency, -5000, 0},
        {u"1.2.3", JsonKind::Currency, 12000, 0},
        {u"1.23456", JsonKind::Double, 0, 1.23456},
        {u"1e3", JsonKind::Double, 0, 1000.0},
        {u"-2.5E-3", JsonKind::Double, 0, -0.0025},
        {u"1.5e+2", JsonKind::Double, 0, 150.0},
        {u"1.5e", JsonKind::Double, 0, 1.5},
        {u"1e5e", JsonKind::Double, 0, 100000.0},
        {u"1e999", JsonKind::Double, 0, std::numeric_limits<double>::infinity()},
        {u"-1e999", JsonKind::Double, 0, -std::numeric_limits<double>::infinity()},
        {u"1e-999", JsonKind::Double, 0, 0.0},
        {u"-e", JsonKind::Double, 0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Show(c.json));
        IJsonValue value = ParseJson(c.json);
        ASSERT_TRUE(value);
        EXPECT_EQ(value->Kind(), c.kind);
        if (c.kind == JsonKind::Integer) {
            EXPECT_EQ(value->IntegerValue(), c.whole);
        }
        if (c.kind == JsonKind::Currency) {
            EXPECT_EQ(value->CurrencyValue(), c.whole);
        }
        if (c.kind == JsonKind::Double) {
            EXPECT_EQ(value->DoubleValue(), c.real);
        }
    }
}

TEST(JsonParser, NumbersBeyondTheRangeStopAtItsEnds) {
    const struct {
        std::u16string_view json;
        JsonKind kind;
        int64_t whole;
    } cases[] = {
        {u"99999999999999999999", JsonKind::Integer, std::numeric_limits<int64_t>::max()},
        {u"-99999999999999999999", JsonKind::Integer, std::numeric_limits<int64_t>::min()},
        {u"9223372036854775.5", JsonKind::Currency, std::numeric_limits<int64_t>::max()},
        {u"-9223372036854775.5", JsonKind::Currency, std::numeric_limits<int64_t>::min()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Show(c.json));
        IJsonValue value = ParseJson(c.json);
        ASSERT_TRUE(value);
        EXPECT_EQ(value->Kind(), c.kind);
        EXPECT_EQ(c.kind == JsonKind::Integer ? value->IntegerValue() : value->CurrencyValue(),
                  c.whole);
    }
}

TEST(JsonParser, StringsKeepEveryCodeUnit) {
    const std::u16string_view json(u"[\"a\0b\",'\xD800']", 11);
    IJsonValue value = ParseJson(json);
    ASSERT_TRUE(value);
    TJsonArray* items = value->ArrayView();
    ASSERT_EQ(items->ItemCount(), 2);
    EXPECT_EQ(items->ItemAt(0)->StringValue(), std::u16string(u"a\0b", 3));
    EXPECT_EQ(items->ItemAt(1)->StringValue(), u"\xD800");
}

TEST(JsonParser, AnEmbeddedNulEndsABarewordAndFailsInsideContainers) {
    const struct {
        std::u16string json;
        std::u16string_view text;
    } cases[] = {
        {std::u16string(u"ab\0cd", 5), u"\"ab\""}, {std::u16string(u" \0 x", 4), u"\"\""},
        {std::u16string(u"[1,\0]", 5), u"nil"},    {std::u16string(u"{\"a\":1\0}", 8), u"nil"},
        {std::u16string(u"1 /* \0 */", 9), u"1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Show(c.json));
        IJsonValue value = ParseJson(c.json);
        EXPECT_EQ(value ? value->JsonText() : std::u16string(u"nil"), c.text);
    }
}

TEST(JsonParser, ValueTextOfMembers) {
    IJsonValue reply =
        ParseJson(u"{\"errorCode\":22000,\"size\":-5,\"s\":\"a\\\"b\\/c\",\"n\":null,\"t\":true,"
                  u"\"c1\":1.5,\"c2\":2.0,\"c0\":0.0,\"o\":{},\"e\":[],\"l\":[1,\"x\",null]}");
    ASSERT_TRUE(reply);
    const struct {
        std::u16string_view name;
        std::u16string_view text;
    } cases[] = {
        {u"errorCode", u"22000"},
        {u"size", u"-5"},
        {u"s", u"a\"b/c"},
        {u"n", u"null"},
        {u"t", u"true"},
        {u"c1", u"1.5"},
        {u"c2", u"2."},
        {u"c0", u"0"},
        {u"o", u"{}"},
        {u"e", u"[]"},
        {u"l", u"[1,\"x\",null]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Show(c.name));
        IJsonValue member = reply->Lookup(c.name);
        ASSERT_TRUE(member);
        EXPECT_EQ(member->ValueText(), c.text);
    }
    EXPECT_EQ(reply->Lookup(u"s")->JsonText(), u"\"a\\\"b\\/c\"");
}

} // namespace
} // namespace melvanto
