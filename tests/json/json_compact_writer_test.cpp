#include "json_test_text.h"
#include "json/json_parser.h"
#include "json/json_text_buffer.h"
#include "json/json_value.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

namespace melvanto {
namespace {

using test::Show;
using test::Wide;

IJsonValue make(TJsonValue* value) {
    return IJsonValue(value);
}

TEST(JsonCompactWriter, ObjectMembersComeInTableOrder) {
    const struct {
        const char* json;
        const char* text;
    } cases[] = {
        {R"({"songid":"1","songname":"a/b","artistname":null})",
         R"({"artistname":null,"songname":"a\/b","songid":"1"})"},
        {R"({"a":1,"b":2})", R"({"b":2,"a":1})"},
        {R"({"a":1,"a":2})", R"({"a":2})"},
        {R"({})", R"({})"},
        {R"([])", R"([])"},
        {R"( [ 1 , "x" , null , true , false , { } , [ ] ] )", R"([1,"x",null,true,false,{},[]])"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        IJsonValue value = ParseJson(Wide(c.json));
        ASSERT_TRUE(value);
        EXPECT_EQ(Show(value->JsonText()), c.text);
    }
}

TEST(JsonCompactWriter, ShortEscapingOfStringsAndNames) {
    const struct {
        std::u16string text;
        std::u16string written; // between the quotes
    } cases[] = {
        {u"a\"b/c", u"a\\\"b\\/c"},
        {u"back\\slash", u"back\\\\slash"},
        {std::u16string(u"nul\0here", 8), u"nul\\u0000here"},
        // Control characters and non-ASCII stay as they are.
        {u"tab\tline\n\u00E9\u4E2D\U0001F600", u"tab\tline\n\u00E9\u4E2D\U0001F600"},
        {u"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Show(c.written));
        IJsonValue string = make(new TJsonValue(c.text));
        EXPECT_EQ(string->JsonText(), u"\"" + c.written + u"\"");
        IJsonValue object = make(new TJsonValue(JsonKind::Object));
        object->ObjectView()->StoreMember(c.text, IJsonValue(new TJsonValue(int64_t{1})));
        EXPECT_EQ(object->JsonText(), u"{\"" + c.written + u"\":1}");
    }
}

TEST(JsonCompactWriter, ScalarsWriteTheirValueText) {
    const struct {
        IJsonValue value;
        const char* text;
    } cases[] = {
        {make(new TJsonValue(JsonCurrency{20000})), "2."},
        {make(new TJsonValue(JsonCurrency{-2500})), "-0.25"},
        {make(new TJsonValue(1e20)), "1e+20"},
        {make(new TJsonValue(int64_t{-5})), "-5"},
        {make(new TJsonValue(JsonKind::Null)), "null"},
        {make(new TJsonValue(false)), "false"},
        {make(new TJsonValue(JsonKind::Method)), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Show(c.value->JsonText()), c.text);
    }
}

TEST(JsonCompactWriter, MethodsAreLeftOutAndNilIsNull) {
    IJsonValue array = make(new TJsonValue(JsonKind::Array));
    TJsonArray& items = *array->ArrayView();
    items.AppendItem(IJsonValue(new TJsonValue(JsonKind::Method)));
    items.AppendItem(IJsonValue(new TJsonValue(int64_t{1})));
    items.AppendItem(IJsonValue());
    items.AppendItem(IJsonValue(new TJsonValue(JsonKind::Method)));
    EXPECT_EQ(Show(array->JsonText()), "[1,null]");

    IJsonValue object = make(new TJsonValue(JsonKind::Object));
    object->ObjectView()->StoreMember(u"m", IJsonValue(new TJsonValue(JsonKind::Method)));
    EXPECT_EQ(Show(object->JsonText()), "{}");
    object->ObjectView()->StoreMember(u"n", IJsonValue());
    EXPECT_EQ(Show(object->JsonText()), R"({"n":null})");
}

TEST(JsonCompactWriter, CyclesAreCutByBusy) {
    // a = [b, 1], b = [a, 2]: writing a meets a again inside b and leaves it out.
    IJsonValue a = make(new TJsonValue(JsonKind::Array));
    IJsonValue b = make(new TJsonValue(JsonKind::Array));
    a->ArrayView()->AppendItem(b);
    a->ArrayView()->AppendItem(IJsonValue(new TJsonValue(int64_t{1})));
    b->ArrayView()->AppendItem(a);
    b->ArrayView()->AppendItem(IJsonValue(new TJsonValue(int64_t{2})));
    EXPECT_EQ(Show(a->JsonText()), "[[2],1]");
    EXPECT_EQ(Show(b->JsonText()), "[[1],2]");
    EXPECT_FALSE(a->Busy());
    EXPECT_FALSE(b->Busy());

    IJsonValue self = make(new TJsonValue(JsonKind::Object));
    self->ObjectView()->StoreMember(u"me", self);
    self->ObjectView()->StoreMember(u"x", IJsonValue(new TJsonValue(int64_t{3})));
    EXPECT_EQ(Show(self->JsonText()), R"({"x":3})");

    // The cycles hold their own references: cut them so everything goes.
    b->ArrayView()->SetItemAt(0, IJsonValue());
    self->ObjectView()->StoreMember(u"me", IJsonValue());
}

TEST(JsonCompactWriter, ABusyValueWritesNull) {
    IJsonValue value = make(new TJsonValue(JsonKind::Array));
    value->ArrayView()->AppendItem(IJsonValue(new TJsonValue(int64_t{1})));
    value->SetBusy(true);
    EXPECT_EQ(Show(value->JsonText()), "null");
    EXPECT_TRUE(value->Busy());
    value->SetBusy(false);
    EXPECT_EQ(Show(value->JsonText()), "[1]");
}

// A sink that fails once it has taken a given number of code units.
class FailingWriter : public TJsonWriter {
public:
    explicit FailingWriter(int32_t room) : m_room(room) {}
    int32_t Emit(const char16_t*, int32_t count) override {
        if (count > 0 && (m_room -= count) < 0) throw std::bad_alloc();
        return count;
    }

private:
    int32_t m_room;
};

TEST(JsonCompactWriter, BusyIsClearedWhenEmittingFails) {
    IJsonValue value = ParseJson(u"{\"a\":[[1,2],{\"b\":[3]}],\"c\":\"text\"}");
    ASSERT_TRUE(value);
    const int32_t length = static_cast<int32_t>(value->JsonText().size());
    for (int32_t room = 0; room < length; ++room) {
        SCOPED_TRACE(room);
        FailingWriter writer(room);
        EXPECT_THROW(value->WriteTo(writer), std::bad_alloc);
        // Every container of the tree is free again.
        EXPECT_EQ(Show(value->JsonText()), R"({"c":"text","a":[[1,2],{"b":[3]}]})");
    }
}

TEST(JsonCompactWriter, DeepTreesBuiltByCodeAreWrittenWithoutRecursion) {
    constexpr int kDepth = 200'000;
    IJsonValue top = make(new TJsonValue(JsonKind::Array));
    IJsonValue tip = top;
    for (int i = 0; i < kDepth; ++i) {
        IJsonValue next = make(new TJsonValue(i % 2 ? JsonKind::Array : JsonKind::Object));
        if (tip->Kind() == JsonKind::Array)
            tip->ArrayView()->AppendItem(next);
        else
            tip->ObjectView()->StoreMember(u"k", next);
        tip = std::move(next);
    }
    std::u16string expected;
    JsonKind kind = JsonKind::Array;
    std::u16string closing;
    for (int i = 0; i <= kDepth; ++i) {
        const bool array = kind == JsonKind::Array;
        if (i == kDepth) {
            expected += array ? u"[]" : u"{}";
        } else {
            expected += array ? u"[" : u"{\"k\":";
            closing += array ? u']' : u'}';
        }
        kind = i % 2 ? JsonKind::Array : JsonKind::Object;
    }
    expected.append(closing.rbegin(), closing.rend());
    EXPECT_TRUE(top->JsonText() == expected);
}

} // namespace
} // namespace melvanto
