#include "net/http/header_list.h"

#include <gtest/gtest.h>

#include <vector>

using namespace melvanto;

namespace {

TNetHeaderList listOf(const std::vector<std::string>& lines) {
    TNetHeaderList list;
    for (const std::string& line : lines)
        list.Add(line);
    return list;
}

} // namespace

TEST(HeaderList, ValuesAreTrimmedAndUnfoldedWhenRead) {
    const TNetHeaderList list = listOf({
        "X-A:  one",
        "\ttwo",
        "   three  ",
        "Host: h",
        "Empty:",
        "NoColon",
        "Spaced :x",
        "Other: a:b ",
    });
    struct Case {
        const char* name;
        const char* value;
    } cases[] = {
        {"X-A", "one two three"},
        {"x-a", "one two three"},
        {"HOST", "h"},
        {"Empty", ""},
        {"Missing", ""},
        {"Other", "a:b"},
        // The name is everything before the first ":", blanks included.
        {"Spaced", ""},
        {"Spaced ", "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(list.Value(c.name), c.value);
    }
    EXPECT_EQ(TNetHeaderList::LineName("NoColon"), "");
    EXPECT_EQ(TNetHeaderList::LineName("A: b: c"), "A");
}

TEST(HeaderList, CollectsTheValuesOfEveryLineOfAName) {
    const TNetHeaderList list = listOf({
        "Set-Cookie: a=1",
        "Other: x",
        "set-cookie:  b=2;",
        " path=/",
        "SET-COOKIE:",
    });
    EXPECT_EQ(list.CollectValues("Set-cookie"),
              (std::vector<std::string>{"a=1", "b=2; path=/", ""}));
    EXPECT_TRUE(list.CollectValues("Missing").empty());
}

TEST(HeaderList, LinesAddedAsTheyComeAreKeptUnchanged) {
    const std::vector<std::string> lines = {"Host:   h  ", "\t folded ", "no colon at all", "",
                                            "X: \"quoted, with, commas\""};
    const TNetHeaderList list = listOf(lines);
    EXPECT_EQ(list.Lines(), lines);
    ASSERT_EQ(list.Count(), lines.size());
    EXPECT_EQ(list[1], "\t folded ");
}

TEST(HeaderList, SettingANameTwiceKeepsOneLineInItsPlace) {
    TNetHeaderList list = listOf({"Accept: */*", "Host: old", " continued", "User-Agent: u"});
    list.SetValue("Host", "first");
    list.SetValue("HOST", "second");
    EXPECT_EQ(list.Lines(),
              (std::vector<std::string>{"Accept: */*", "HOST: second", "User-Agent: u"}));
}

TEST(HeaderList, SettingAppendsANewNameAndAnEmptyValueRemovesTheFirstLine) {
    TNetHeaderList list = listOf({"A: 1", "B: 2", " 2b", "b: 3"});
    list.SetValue("C", "4");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"A: 1", "B: 2", " 2b", "b: 3", "C: 4"}));
    list.SetValue("B", "");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"A: 1", "b: 3", "C: 4"}));
    list.SetValue("Missing", "");
    EXPECT_EQ(list.Count(), 3u);
    list.Clear();
    EXPECT_EQ(list.Count(), 0u);
}

TEST(HeaderList, ALongValueIsFoldedWhenSetAndUnfoldedWhenRead) {
    TNetHeaderList list = listOf({"Before: x", "Cookie: old", "After: y"});
    EXPECT_EQ(list.FoldLength(), TNetHeaderList::DefaultFoldLength);
    list.SetFoldLength(24);
    list.SetValue("Cookie", "a=1; b=\"two, three, four\"; c=3");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{
                                "Before: x",
                                "Cookie: a=1;",
                                " b=\"two, three, four\";",
                                " c=3",
                                "After: y",
                            }));
    EXPECT_EQ(list.Value("cookie"), "a=1; b=\"two, three, four\"; c=3");

    // The default of 78 keeps a value of ordinary length on one line.
    TNetHeaderList plain;
    plain.SetValue("User-Agent", "Mozilla/3.0 (compatible; Melvanto)");
    EXPECT_EQ(plain.Lines(),
              (std::vector<std::string>{"User-Agent: Mozilla/3.0 (compatible; Melvanto)"}));
}
