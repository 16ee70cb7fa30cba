#include "json/json_value.h"

#include "base/errors.h"
#include "json/json_compact_writer.h"
#include "json/json_number_text.h"
#include "json/json_text_buffer.h"
#include "json/json_tokenizer.h"

#include <vector>

namespace melvanto {

TJsonValue::TJsonValue(JsonKind kind) : m_kind(kind), m_integer(0) {
    if (kind == JsonKind::Object) new (&m_object) TJsonMemberTable;
    if (kind == JsonKind::Array) new (&m_array) TJsonArray;
    if (kind == JsonKind::String) new (&m_string) TJsonString;
}

TJsonValue::TJsonValue(bool value) : m_kind(JsonKind::Boolean), m_integer(0) {
    m_boolean = value;
}

TJsonValue::TJsonValue(double value) : m_kind(JsonKind::Double), m_double(value) {}

TJsonValue::TJsonValue(JsonCurrency value)
    : m_kind(JsonKind::Currency), m_currency(value.tenThousandths) {}

TJsonValue::TJsonValue(int64_t value) : m_kind(JsonKind::Integer), m_integer(value) {}

TJsonValue::TJsonValue(std::u16string_view value) : m_kind(JsonKind::String), m_string(value) {}

TJsonValue::~TJsonValue() {
    if (m_kind == JsonKind::Object) m_object.~TJsonMemberTable();
    if (m_kind == JsonKind::Array) m_array.~TJsonArray();
    if (m_kind == JsonKind::String) m_string.~basic_string();
}

int32_t TJsonValue::Acquire() noexcept {
    return m_refCount.fetch_add(1, std::memory_order_relaxed) + 1;
}

int32_t TJsonValue::Release() noexcept {
    int32_t remaining = m_refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (remaining == 0) destroyTree(this);
    return remaining;
}

void TJsonValue::Free() {
    if (RefCount() != 0) throw EInvalidPointer("Invalid pointer");
    destroyTree(this);
}

void TJsonValue::destroyTree(TJsonValue* value) noexcept {
    // Children that lose their last reference wait here instead of being destroyed from
    // inside their parent's destruction.
    std::vector<TJsonValue*> pending;
    auto orphan = [&pending](IJsonValue& child) {
        TJsonValue* held = child.Detach();
        if (held && held->m_refCount.fetch_sub(1, std::memory_order_acq_rel) == 1)
            pending.push_back(held);
    };
    for (;;) {
        if (value->m_kind == JsonKind::Array) value->m_array.DrainItems(orphan);
        if (value->m_kind == JsonKind::Object) value->m_object.DrainValues(orphan);
        delete value;
        if (pending.empty()) return;
        value = pending.back();
        pending.pop_back();
    }
}

IJsonValue TJsonValue::Lookup(std::u16string_view path) const {
    TJsonTokenizer tokenizer(this);
    return tokenizer.Run(path);
}

void TJsonValue::WriteTo(TJsonWriter& writer) const {
    TJsonCompactWriter(writer).Write(*this);
}

std::u16string TJsonValue::ValueText() const {
    switch (m_kind) {
    case JsonKind::Null:
        return u"null";
    case JsonKind::Boolean:
        return m_boolean ? u"true" : u"false";
    case JsonKind::Double:
        return std::u16string(DoubleText(m_double).View());
    case JsonKind::Currency:
        return std::u16string(CurrencyText(m_currency).View());
    case JsonKind::Integer:
        return std::u16string(IntegerText(m_integer).View());
    case JsonKind::Object:
    case JsonKind::Array:
        return JsonText();
    case JsonKind::String:
        return std::u16string(m_string.data(), m_string.size());
    case JsonKind::Method:
        break;
    }
    return {};
}

std::u16string TJsonValue::JsonText() const {
    TJsonTextBuffer buffer;
    WriteTo(buffer);
    return std::u16string(buffer.ContentToNul());
}

} // namespace melvanto
