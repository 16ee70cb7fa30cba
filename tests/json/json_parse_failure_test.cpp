#include "json_test_text.h"
#include "json/json_parser.h"
#include "json/json_tokenizer.h"

#include <gtest/gtest.h>

#include <string>

namespace melvanto {
namespace {

using test::Show;

std::u16string repeat(std::u16string_view part, int count) {
    std::u16string text;
    for (int i = 0; i < count; ++i)
        text += part;
    return text;
}

struct FailureCase {
    std::u16string text;
    JsonParseFailure failure;
};

void expectFailures(const IJsonValue& root, std::initializer_list<FailureCase> cases) {
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(Show(c.text.substr(0, 80)));
        TJsonTokenizer tokenizer(root.get());
        IJsonValue value = tokenizer.Run(c.text);
        EXPECT_EQ(tokenizer.Failure(), c.failure);
        EXPECT_EQ(static_cast<bool>(value), c.failure == JsonParseFailure::None);
    }
}

TEST(JsonParseFailure, EachFailureOfTheParseMode) {
    using F = JsonParseFailure;
    expectFailures(IJsonValue(), {
                                     {u"[1,\"\"]", F::None},
                                     // Text after the complete top value is not looked at.
                                     {u"1 \"\\u00G1", F::None},
                                     {u"\"abc", F::EndOfText},
                                     {u"\"ab\\", F::EndOfText},
                                     {u"\"ab\\u00", F::String},
                                     {u"{\"ab", F::EndOfText},
                                     {u"{a\\", F::EndOfText},
                                     {u"[1 // c", F::EndOfText},
                                     {u"/* open", F::EndOfText},
                                     {u"// only", F::EndOfText},
                                     {u"abc\\", F::EndOfText},
                                     {u"/x", F::Comment},
                                     {u"[1, /x]", F::Comment},
                                     {u"\"\\u00G1\"", F::String},
                                     {u"\"\\xZ1\"", F::String},
                                     {u"[1 2]", F::Array},
                                     {u"[abc", F::Array},
                                     {u"[", F::Array},
                                     {u"{,}", F::MemberName},
                                     {u"{:1}", F::MemberName},
                                     {u"{{}", F::MemberName},
                                     {u"{", F::MemberName},
                                     {u"{\"a\" 1}", F::NameSeparator},
                                     {u"{a}", F::NameSeparator},
                                     {u"{\"a\":1 \"b\":2}", F::ValueSeparator},
                                     {u"{\"a\":1", F::ValueSeparator},
                                 });
}

TEST(JsonParseFailure, ThirtyTwoLevelsAtMost) {
    using F = JsonParseFailure;
    expectFailures(IJsonValue(),
                   {
                       // 32 nested containers parse when the innermost is empty...
                       {repeat(u"[", 32) + repeat(u"]", 32), F::None},
                       {repeat(u"{\"a\":", 31) + u"{}" + repeat(u"}", 31), F::None},
                       {repeat(u"[", 31) + u"1" + repeat(u"]", 31), F::None},
                       // ...and anything inside the 32nd fails.
                       {repeat(u"[", 32) + u"1" + repeat(u"]", 32), F::Depth},
                       {repeat(u"[", 32) + repeat(u"]", 33), F::None},
                       {repeat(u"[", 33) + repeat(u"]", 33), F::Depth},
                       {repeat(u"{\"a\":", 31) + u"{\"b\":1}" + repeat(u"}", 31), F::Depth},
                       {repeat(u"[", 100'000), F::Depth},
                       {repeat(u"{a:", 100'000), F::Depth},
                   });
    IJsonValue deepest = ParseJson(repeat(u"[", 32) + repeat(u"]", 32));
    ASSERT_TRUE(deepest);
    EXPECT_EQ(deepest->JsonText(), repeat(u"[", 32) + repeat(u"]", 32));
}

TEST(JsonParseFailure, EachFailureOfThePathMode) {
    using F = JsonParseFailure;
    IJsonValue root = ParseJson(u"{\"data\":{\"songList\":[{\"songName\":\"x\"}]},\"i\":0}");
    ASSERT_TRUE(root);
    expectFailures(root, {
                             {u"data.songList[0].songName", F::None},
                             {u"data.songList.x", F::PathObject},
                             {u"missing.x", F::PathObject},
                             {u"data.songList[0].songName.x", F::PathObject},
                             {u"data.songList[1].x", F::PathObject},
                             {u"data.songList[0].songName[0]", F::PathArray},
                             {u"data[0]", F::PathArray},
                             {u"data.songList[0 x]", F::PathArray},
                             {u"data.songList[0", F::PathArray},
                             {u"data.songList[-1]", F::PathIndex},
                             {u"data.songList[1.5]", F::PathIndex},
                             {u"data.songList[\"0\"]", F::PathIndex},
                             {u"data.songList[missing]", F::PathIndex},
                             {u"data(1)", F::PathCall},
                             {u"data.songList[" + repeat(u"[", 40), F::Depth},
                             {u"\"open", F::EndOfText},
                         });
}

} // namespace
} // namespace melvanto
