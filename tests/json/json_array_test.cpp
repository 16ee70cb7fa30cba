#include "json/json_value.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace melvanto {
namespace {

IJsonValue integer(int64_t value) {
    return IJsonValue(new TJsonValue(value));
}

TEST(JsonArray, ItemAtOutsideTheElementsGivesNil) {
    IJsonValue array(new TJsonValue(JsonKind::Array));
    TJsonArray& items = *array->ArrayView();
    EXPECT_EQ(items.ItemCount(), 0);
    EXPECT_FALSE(items.ItemAt(0));
    items.AppendItem(integer(7));
    items.AppendItem(integer(8));
    for (int32_t index : {2, -1, 1000, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(index);
        EXPECT_FALSE(items.ItemAt(index));
    }
    EXPECT_EQ(items.ItemAt(1)->IntegerValue(), 8);
}

TEST(JsonArray, CapacityDoublesOrJumpsToIndexPlusOne) {
    struct Case {
        std::vector<int32_t> indexes; // SetItemAt one after another
        int32_t capacity;
        int32_t count;
    };
    const Case cases[] = {
        {{}, 32, 0},       {{31}, 32, 32},         {{32}, 64, 33},      {{0, 1, 2}, 32, 3},
        {{100}, 101, 101}, {{100, 101}, 202, 102}, {{63, 64}, 128, 65}, {{5, 2}, 32, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.indexes));
        TJsonArray items;
        for (int32_t index : c.indexes)
            items.SetItemAt(index, integer(index));
        EXPECT_EQ(items.Capacity(), c.capacity);
        EXPECT_EQ(items.ItemCount(), c.count);
        for (int32_t index : c.indexes)
            EXPECT_EQ(items.ItemAt(index)->IntegerValue(), index);
    }
}

TEST(JsonArray, SlotsPassedOverHoldNil) {
    TJsonArray items;
    items.SetItemAt(3, integer(3));
    ASSERT_EQ(items.ItemCount(), 4);
    for (int32_t index = 0; index < 3; ++index)
        EXPECT_FALSE(items.ItemAt(index));
    EXPECT_EQ(items.AppendItem(integer(4)), 4);
    EXPECT_EQ(items.ItemAt(4)->IntegerValue(), 4);
}

TEST(JsonArray, SetItemAtReplacesAndReleasesTheOldElement) {
    IJsonValue first = integer(1);
    TJsonArray items;
    items.AppendItem(first);
    EXPECT_EQ(first->RefCount(), 2);
    items.SetItemAt(0, integer(2));
    EXPECT_EQ(first->RefCount(), 1);
    EXPECT_EQ(items.ItemCount(), 1);
    EXPECT_EQ(items.ItemAt(0)->IntegerValue(), 2);
}

TEST(JsonArray, AnIndexNoCountCanReachStoresNothing) {
    IJsonValue value = integer(1);
    TJsonArray items;
    items.SetItemAt(-1, value);
    items.SetItemAt(INT_MIN, value);
    items.SetItemAt(INT_MAX, value);
    EXPECT_EQ(items.ItemCount(), 0);
    EXPECT_EQ(items.Capacity(), 32);
    EXPECT_EQ(value->RefCount(), 1);
}

TEST(JsonArray, ItemAtHandsOutAReferenceOfTheCallersOwn) {
    TJsonArray items;
    items.AppendItem(integer(5));
    IJsonValue held = items.ItemAt(0);
    EXPECT_EQ(held->RefCount(), 2);
    items.SetItemAt(0, IJsonValue());
    EXPECT_EQ(held->RefCount(), 1);
    EXPECT_EQ(held->IntegerValue(), 5);
}

} // namespace
} // namespace melvanto
