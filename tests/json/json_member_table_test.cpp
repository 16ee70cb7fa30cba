#include "json_test_text.h"
#include "json/json_avl_iterator.h"
#include "json/json_value.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace melvanto {
namespace {

using test::Show;
using test::Wide;

IJsonValue integer(int64_t value) {
    return IJsonValue(new TJsonValue(value));
}

// The names in the order of the table's walk.
std::vector<std::u16string> walkNames(const TJsonMemberTable& table) {
    std::vector<std::u16string> names;
    TJsonAvlIterator walker(table);
    while (const TJsonAvlEntry* entry = walker.Next())
        names.emplace_back(std::u16string_view(entry->name));
    return names;
}

// Checks the search order, the stored hashes and the AVL balance below `entry`;
// returns the subtree's height.
int checkSubtree(const TJsonAvlEntry* entry) {
    if (!entry) return 0;
    EXPECT_EQ(entry->hash, NameHash(entry->name)) << Show(entry->name);
    auto before = [](const TJsonAvlEntry& a, const TJsonAvlEntry& b) {
        return a.hash > b.hash || (a.hash == b.hash && a.name < b.name);
    };
    if (entry->less) {
        EXPECT_TRUE(before(*entry->less, *entry));
    }
    if (entry->greater) {
        EXPECT_TRUE(before(*entry, *entry->greater));
    }
    int lessHeight = checkSubtree(entry->less);
    int greaterHeight = checkSubtree(entry->greater);
    EXPECT_EQ(entry->balance, greaterHeight - lessHeight) << Show(entry->name);
    EXPECT_LE(std::abs(entry->balance), 1);
    return 1 + std::max(lessHeight, greaterHeight);
}

TEST(JsonMemberTable, NameHashMultipliesBy129AndAdds9E370001) {
    const struct {
        std::u16string_view name;
        uint32_t hash;
    } cases[] = {
        {u"", 0u},
        {u"a", 0x9E370001u + 97u},
        {u"artistname", 3703024706u},
        {u"songname", 3389017696u},
        {u"songid", 1793361930u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Show(c.name));
        EXPECT_EQ(NameHash(c.name), c.hash);
    }
    // Two units: ((a + K) * 129 + b + K) mod 2^32.
    EXPECT_EQ(NameHash(u"ab"),
              static_cast<uint32_t>((97u + 0x9E370001u) * 129u + 98u + 0x9E370001u));
}

TEST(JsonMemberTable, WalkGoesByFallingHashThenRisingName) {
    // "A\u00E0" and "B_" share a hash: (65 - 66) * 129 == 95 - 224.
    ASSERT_EQ(NameHash(u"A\u00E0"), NameHash(u"B_"));
    const std::vector<std::u16string> inserted = {u"songid",  u"B_",       u"artistname", u"a",
                                                  u"A\u00E0", u"songname", u"b"};
    TJsonMemberTable table;
    for (const std::u16string& name : inserted)
        table.StoreMember(name, integer(1));

    std::vector<std::u16string> expected = inserted;
    std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        uint32_t ha = NameHash(a), hb = NameHash(b);
        return ha > hb || (ha == hb && a < b);
    });
    EXPECT_EQ(walkNames(table), expected);
    EXPECT_EQ(table.MemberCount(), 7);
    // The pair with equal hashes comes by rising name, next to each other.
    auto pair = std::find(expected.begin(), expected.end(), u"A\u00E0");
    ASSERT_NE(pair + 1, expected.end());
    EXPECT_EQ(*(pair + 1), u"B_");
}

TEST(JsonMemberTable, StoringANamePresentReplacesItsValueInPlace) {
    TJsonMemberTable table;
    for (const char* name : {"a", "b", "c", "d", "e"})
        table.StoreMember(Wide(name), integer(1));
    const TJsonAvlEntry* before = table.Find(NameHash(u"c"), u"c");
    IJsonValue old = table.MemberAt(u"c");
    ASSERT_EQ(old->RefCount(), 2);

    table.StoreMember(u"c", integer(2));
    EXPECT_EQ(table.MemberCount(), 5);
    EXPECT_EQ(table.Find(NameHash(u"c"), u"c"), before);
    EXPECT_EQ(table.MemberAt(u"c")->IntegerValue(), 2);
    EXPECT_EQ(old->RefCount(), 1);
}

TEST(JsonMemberTable, MemberAtMatchesTheExactName) {
    TJsonMemberTable table;
    table.StoreMember(u"data", integer(1));
    table.StoreMember(u"", integer(2));
    table.StoreMember(u"\u4E2D\u6587", integer(3));
    const struct {
        std::u16string_view name;
        int64_t value; // 0: absent
    } cases[] = {
        {u"data", 1}, {u"", 2},      {u"\u4E2D\u6587", 3}, {u"Data", 0},
        {u"dat", 0},  {u"data ", 0}, {u"\u4E2D", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Show(c.name));
        IJsonValue found = table.MemberAt(c.name);
        if (c.value == 0)
            EXPECT_FALSE(found);
        else
            EXPECT_EQ(found->IntegerValue(), c.value);
    }
}

TEST(JsonMemberTable, StaysBalancedAndOrderedUnderManyInsertions) {
    std::vector<std::u16string> names;
    for (int i = 0; i < 3000; ++i) {
        std::string name = "m";
        name += std::to_string(i);
        names.push_back(Wide(name));
    }
    std::mt19937 random(12345);
    std::shuffle(names.begin(), names.end(), random);

    TJsonMemberTable table;
    for (size_t i = 0; i < names.size(); ++i) {
        table.StoreMember(names[i], integer(static_cast<int64_t>(i)));
        if (i % 500 == 0) checkSubtree(table.Root());
    }
    const int height = checkSubtree(table.Root());
    EXPECT_LE(height, 17); // 1.44 log2(3000) rounded up
    EXPECT_EQ(table.MemberCount(), 3000);
    const std::vector<std::u16string> walked = walkNames(table);
    EXPECT_EQ(walked.size(), 3000u);
    EXPECT_TRUE(std::is_sorted(walked.begin(), walked.end(), [](const auto& a, const auto& b) {
        uint32_t ha = NameHash(a), hb = NameHash(b);
        return ha > hb || (ha == hb && a < b);
    }));
    for (size_t i = 0; i < names.size(); ++i)
        ASSERT_EQ(table.MemberAt(names[i])->IntegerValue(), static_cast<int64_t>(i));
}

TEST(JsonMemberTable, SortedInsertionsStayBalanced) {
    // Rising and falling hashes exercise the single rotations of both sides.
    for (bool rising : {true, false}) {
        SCOPED_TRACE(rising);
        TJsonMemberTable table;
        for (int i = 0; i < 1000; ++i) {
            char16_t unit = static_cast<char16_t>(rising ? 0x100 + i : 0x1000 - i);
            table.StoreMember(std::u16string(1, unit), IJsonValue());
        }
        EXPECT_LE(checkSubtree(table.Root()), 14);
        EXPECT_EQ(table.MemberCount(), 1000);
    }
}

TEST(JsonMemberTable, ValuesMayBeNil) {
    TJsonMemberTable table;
    table.StoreMember(u"x", IJsonValue());
    EXPECT_EQ(table.MemberCount(), 1);
    EXPECT_FALSE(table.MemberAt(u"x"));
    EXPECT_NE(table.Find(NameHash(u"x"), u"x"), nullptr);
}

} // namespace
} // namespace melvanto
