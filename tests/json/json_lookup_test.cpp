#include "json_test_text.h"
#include "json/json_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace melvanto {
namespace {

using test::Show;

struct PathCase {
    std::u16string_view path;
    std::u16string_view text; // compact text of the value found; "nil" for none
};

void expectPaths(const IJsonValue& root, std::initializer_list<PathCase> cases) {
    ASSERT_TRUE(root);
    for (const PathCase& c : cases) {
        SCOPED_TRACE(Show(c.path));
        IJsonValue found = root->Lookup(c.path);
        EXPECT_EQ(found ? found->JsonText() : std::u16string(u"nil"), c.text);
    }
}

TEST(JsonLookup, MembersElementsAndDeeperPaths) {
    expectPaths(ParseJson(u"{\"data\":{\"songList\":[{\"songName\":\"x\"}]}}"),
                {
                    {u"data", u"{\"songList\":[{\"songName\":\"x\"}]}"},
                    {u"data.songList", u"[{\"songName\":\"x\"}]"},
                    {u"data.songList[0]", u"{\"songName\":\"x\"}"},
                    {u"data.songList[0].songName", u"\"x\""},
                    {u"data.missing", u"nil"},
                    {u"data.songList[1]", u"nil"},
                    {u"data.songList[-1]", u"nil"},
                    {u"songList", u"nil"},
                    {u"data.songList.x", u"nil"},
                    {u"Data", u"nil"},
                    {u"data..songList", u"[{\"songName\":\"x\"}]"},
                    {u"data.songList[ 0 ]", u"{\"songName\":\"x\"}"},
                    {u"data.songList[00]", u"{\"songName\":\"x\"}"},
                    {u"data.songList[99999999999]", u"nil"},
                    // What follows a finished path is ignored.
                    {u"data.songList[0].songName rest", u"\"x\""},
                    {u"data,x", u"{\"songList\":[{\"songName\":\"x\"}]}"},
                });
}

TEST(JsonLookup, PlainNamesIncludingOnesThatBeginLikeWords) {
    expectPaths(ParseJson(u"{\"format\":\"flac\",\"title\":\"t\",\"null\":1,\"true\":2,"
                          u"\"22000\":\"n\",\"nullable\":3,\"Null\":4,\"_a1\":5,\"\":6,"
                          u"\"\u4E2D\":7,\"a-b\":8,\"fals\":9}"),
                {
                    {u"format", u"\"flac\""},
                    {u"title", u"\"t\""},
                    {u"nullable", u"3"},
                    {u"Null", u"4"},
                    {u"_a1", u"5"},
                    {u"\u4E2D", u"7"},
                    {u"a-b", u"8"},
                    {u"fals", u"9"},
                    // A leading digit names a member on an object.
                    {u"22000", u"\"n\""},
                    // The words themselves are literals, not members.
                    {u"null", u"null"},
                    {u"true", u"true"},
                    {u"false", u"false"},
                    {u"", u"6"},
                    {u"missing", u"nil"},
                });
}

TEST(JsonLookup, LiteralPaths) {
    expectPaths(ParseJson(u"{\"a\":1}"), {
                                             {u"\"a\"", u"\"a\""},
                                             {u"'a'", u"\"a\""},
                                             {u"{}", u"{}"},
                                             {u"[]", u"[]"},
                                             {u"-1", u"-1"},
                                             {u"-1.5", u"-1.5"},
                                             {u"(a)", u"1"},
                                         });
}

TEST(JsonLookup, NamesOnValuesThatAreNotObjectsGiveNil) {
    const std::u16string_view roots[] = {u"[1,2]", u"\"text\"", u"5",   u"1.5",
                                         u"1e3",   u"true",     u"null"};
    for (std::u16string_view json : roots) {
        SCOPED_TRACE(Show(json));
        IJsonValue root = ParseJson(json);
        ASSERT_TRUE(root);
        for (std::u16string_view path : {u"songList", u"a.b", u"x[0]"})
            EXPECT_FALSE(root->Lookup(path)) << Show(path);
    }
}

TEST(JsonLookup, IntegersSelectElementsOfAnArrayRoot) {
    expectPaths(ParseJson(u"[\"a\",{\"b\":2}]"), {
                                                     {u"0", u"\"a\""},
                                                     {u"1", u"{\"b\":2}"},
                                                     {u"2", u"nil"},
                                                     {u"-1", u"nil"},
                                                     {u"1.5", u"1.5"},
                                                 });
}

TEST(JsonLookup, IndexesMayComeFromMembersOfTheRoot) {
    expectPaths(ParseJson(u"{\"list\":[10,20,[30,31]],\"i\":1,\"s\":\"1\"}"),
                {
                    {u"list[i]", u"20"},
                    {u"list[2][1]", u"31"},
                    {u"list[s]", u"nil"},
                    {u"list[2].x", u"nil"},
                });
}

TEST(JsonLookup, TheValueFoundIsAReferenceOfTheCallersOwn) {
    IJsonValue root = ParseJson(u"{\"a\":{\"b\":1}}");
    ASSERT_TRUE(root);
    IJsonValue inner = root->Lookup(u"a");
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->RefCount(), 2);
    EXPECT_EQ(root->RefCount(), 1);
    root.Reset();
    EXPECT_EQ(inner->RefCount(), 1);
    EXPECT_EQ(inner->JsonText(), u"{\"b\":1}");
}

TEST(JsonLookup, ARootNoHandleHoldsSurvivesTheLookup) {
    TJsonValue* root = new TJsonValue(JsonKind::Object);
    root->ObjectView()->StoreMember(u"7", IJsonValue(new TJsonValue(int64_t{7})));
    EXPECT_EQ(root->Lookup(u"7")->IntegerValue(), 7);
    EXPECT_FALSE(root->Lookup(u"x"));
    EXPECT_EQ(root->RefCount(), 0);
    root->Free();
}

TEST(JsonLookup, ParseTextWithARootIsLookup) {
    IJsonValue root = ParseJson(u"{\"a\":[5]}");
    IJsonValue found = ParseText(u"a[0]", root);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->IntegerValue(), 5);
    IJsonValue parsed = ParseText(u"a[0]", IJsonValue());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->StringValue(), u"a[0]");
}

} // namespace
} // namespace melvanto
