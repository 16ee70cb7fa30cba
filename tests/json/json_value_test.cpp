#include "base/errors.h"
#include "json_test_text.h"
#include "json/json_parser.h"
#include "json/json_value.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace melvanto {
namespace {

using test::Show;

TEST(JsonValue, KindsHaveTheirOrder) {
    const JsonKind kinds[] = {JsonKind::Null,     JsonKind::Boolean, JsonKind::Double,
                              JsonKind::Currency, JsonKind::Integer, JsonKind::Object,
                              JsonKind::Array,    JsonKind::String,  JsonKind::Method};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(static_cast<int>(kinds[i]), i);
    EXPECT_EQ(sizeof(JsonKind), 1u);
}

TEST(JsonValue, ConstructorsSetKindAndValue) {
    IJsonValue boolean(new TJsonValue(true));
    IJsonValue dbl(new TJsonValue(2.5));
    IJsonValue currency(new TJsonValue(JsonCurrency{15000}));
    IJsonValue integer(new TJsonValue(int64_t{-7}));
    IJsonValue string(new TJsonValue(u"x"));
    EXPECT_EQ(boolean->Kind(), JsonKind::Boolean);
    EXPECT_TRUE(boolean->BooleanValue());
    EXPECT_EQ(dbl->Kind(), JsonKind::Double);
    EXPECT_EQ(dbl->DoubleValue(), 2.5);
    EXPECT_EQ(currency->Kind(), JsonKind::Currency);
    EXPECT_EQ(currency->CurrencyValue(), 15000);
    EXPECT_EQ(integer->Kind(), JsonKind::Integer);
    EXPECT_EQ(integer->IntegerValue(), -7);
    EXPECT_EQ(string->Kind(), JsonKind::String);
    EXPECT_EQ(string->StringValue(), u"x");
    // A value of another kind reads as zero.
    EXPECT_EQ(string->IntegerValue(), 0);
    EXPECT_EQ(integer->CurrencyValue(), 0);
}

TEST(JsonValue, ANewValueOfAKindStartsEmptyOrZero) {
    for (int k = 0; k <= static_cast<int>(JsonKind::Method); ++k) {
        const JsonKind kind = static_cast<JsonKind>(k);
        SCOPED_TRACE(k);
        IJsonValue value(new TJsonValue(kind));
        EXPECT_EQ(value->Kind(), kind);
        EXPECT_FALSE(value->Busy());
        EXPECT_EQ(value->ArrayView() != nullptr, kind == JsonKind::Array);
        EXPECT_EQ(value->ObjectView() != nullptr, kind == JsonKind::Object);
        EXPECT_EQ(value->IntegerValue(), 0);
        EXPECT_EQ(value->DoubleValue(), 0.0);
        EXPECT_TRUE(value->StringValue().empty());
        if (kind == JsonKind::Array) {
            EXPECT_EQ(value->ArrayView()->ItemCount(), 0);
            EXPECT_EQ(value->ArrayView()->Capacity(), 32);
        }
        if (kind == JsonKind::Object) {
            EXPECT_EQ(value->ObjectView()->MemberCount(), 0);
        }
    }
}

TEST(JsonValue, IsKindCountsNilAsNull) {
    IJsonValue nil;
    IJsonValue text(new TJsonValue(u"x"));
    IJsonValue null(new TJsonValue(JsonKind::Null));
    for (int k = 0; k <= static_cast<int>(JsonKind::Method); ++k) {
        const JsonKind kind = static_cast<JsonKind>(k);
        SCOPED_TRACE(k);
        EXPECT_EQ(IsKind(nil, kind), kind == JsonKind::Null);
        EXPECT_EQ(IsKind(null, kind), kind == JsonKind::Null);
        EXPECT_EQ(IsKind(text, kind), kind == JsonKind::String);
    }
}

TEST(JsonValue, HandlesHoldOneReferenceEach) {
    TJsonValue* raw = new TJsonValue(int64_t{1});
    EXPECT_EQ(raw->RefCount(), 0);
    IJsonValue first(raw);
    EXPECT_EQ(raw->RefCount(), 1);
    {
        IJsonValue copy = first;
        EXPECT_EQ(raw->RefCount(), 2);
        IJsonValue moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_EQ(raw->RefCount(), 2);
        IJsonValue assigned;
        assigned = moved;
        EXPECT_EQ(raw->RefCount(), 3);
        assigned = IJsonValue();
        EXPECT_EQ(raw->RefCount(), 2);
    }
    EXPECT_EQ(raw->RefCount(), 1);
    first = first; // self-assignment keeps the reference
    EXPECT_EQ(raw->RefCount(), 1);
    EXPECT_EQ(first.get(), raw);
}

TEST(JsonValue, ReleasingTheLastReferenceReleasesTheWholeTree) {
    IJsonValue leaf(new TJsonValue(u"leaf"));
    {
        IJsonValue object(new TJsonValue(JsonKind::Object));
        IJsonValue array(new TJsonValue(JsonKind::Array));
        array->ArrayView()->AppendItem(leaf);
        object->ObjectView()->StoreMember(u"list", array);
        object->ObjectView()->StoreMember(u"same", leaf);
        EXPECT_EQ(leaf->RefCount(), 3);
        EXPECT_EQ(array->RefCount(), 2);
    }
    EXPECT_EQ(leaf->RefCount(), 1);
}

TEST(JsonValue, FreeIsRefusedWhileReferencesRemain) {
    TJsonValue* raw = new TJsonValue(JsonKind::Array);
    IJsonValue held(raw);
    try {
        raw->Free();
        FAIL() << "Free went through";
    } catch (const EInvalidPointer& failure) {
        EXPECT_EQ(failure.Message(), "Invalid pointer");
    }
    EXPECT_EQ(held->RefCount(), 1);
    EXPECT_EQ(held->ArrayView()->ItemCount(), 0);

    // Without references, Free destroys the value (the sanitizer build checks the rest).
    TJsonValue* unowned = new TJsonValue(JsonKind::Object);
    unowned->ObjectView()->StoreMember(u"a", IJsonValue(new TJsonValue(int64_t{1})));
    EXPECT_NO_THROW(unowned->Free());
}

TEST(JsonValue, DeepTreesBuiltByCodeAreReleasedWithoutRecursion) {
    // Far deeper than any call stack could follow.
    constexpr int kDepth = 300'000;
    for (JsonKind kind : {JsonKind::Array, JsonKind::Object}) {
        SCOPED_TRACE(static_cast<int>(kind));
        IJsonValue top(new TJsonValue(kind));
        IJsonValue tip = top;
        for (int i = 0; i < kDepth; ++i) {
            IJsonValue next(new TJsonValue(kind));
            if (kind == JsonKind::Array)
                tip->ArrayView()->AppendItem(next);
            else
                tip->ObjectView()->StoreMember(u"a", next);
            tip = std::move(next);
        }
        IJsonValue watched = tip;
        tip.Reset();
        EXPECT_EQ(watched->RefCount(), 2);
        top.Reset();
        EXPECT_EQ(watched->RefCount(), 1);
    }
}

TEST(JsonValue, ReferenceCountsAreAtomic) {
    IJsonValue shared(new TJsonValue(int64_t{1}));
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&shared] {
            for (int i = 0; i < 100'000; ++i) {
                IJsonValue copy = shared;
                IJsonValue another = copy;
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(shared->RefCount(), 1);
}

TEST(JsonValue, TreesMadeOnOneThreadMayBeReleasedOnAnother) {
    const std::u16string json =
        u"{\"list\":[1,\"a somewhat longer string\",{\"k\":2.5}],\"n\":null}";
    const std::u16string text = ParseJson(json)->JsonText();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        std::vector<IJsonValue> trees;
        std::thread maker([&] {
            for (int i = 0; i < 2000; ++i)
                trees.push_back(ParseJson(json));
        });
        maker.join();
        // The releasing thread ends with the blocks it freed; others take them up again.
        std::thread releaser([&] { trees.clear(); });
        releaser.join();
        std::vector<IJsonValue> again;
        for (int i = 0; i < 2000; ++i) {
            again.push_back(ParseJson(json));
            ASSERT_EQ(again.back()->JsonText(), text);
        }
    }
}

TEST(JsonValue, ValueTextByKind) {
    IJsonValue array(new TJsonValue(JsonKind::Array));
    array->ArrayView()->AppendItem(IJsonValue(new TJsonValue(int64_t{1})));
    array->ArrayView()->AppendItem(IJsonValue(new TJsonValue(u"x")));
    array->ArrayView()->AppendItem(IJsonValue(new TJsonValue(JsonKind::Null)));
    const struct {
        IJsonValue value;
        const char* text;
    } cases[] = {
        {IJsonValue(new TJsonValue(u"a\"b/c")), "a\"b/c"},
        {IJsonValue(new TJsonValue(int64_t{22000})), "22000"},
        {IJsonValue(new TJsonValue(int64_t{-5})), "-5"},
        {IJsonValue(new TJsonValue(JsonCurrency{15000})), "1.5"},
        {IJsonValue(new TJsonValue(JsonCurrency{20000})), "2."},
        {IJsonValue(new TJsonValue(JsonCurrency{0})), "0"},
        {IJsonValue(new TJsonValue(1.23456)), "1.23456"},
        {IJsonValue(new TJsonValue(true)), "true"},
        {IJsonValue(new TJsonValue(false)), "false"},
        {IJsonValue(new TJsonValue(JsonKind::Null)), "null"},
        {IJsonValue(new TJsonValue(JsonKind::Object)), "{}"},
        {IJsonValue(new TJsonValue(JsonKind::Array)), "[]"},
        {array, "[1,\"x\",null]"},
        {IJsonValue(new TJsonValue(JsonKind::Method)), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Show(c.value->ValueText()), c.text);
    }
}

} // namespace
} // namespace melvanto
