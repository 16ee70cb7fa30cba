#include "json/json_handle.h"

#include "json/json_value.h"

namespace melvanto {

IJsonValue::IJsonValue(TJsonValue* value) : m_value(value) {
    if (m_value) m_value->Acquire();
}

IJsonValue::IJsonValue(const IJsonValue& other) : m_value(other.m_value) {
    if (m_value) m_value->Acquire();
}

IJsonValue& IJsonValue::operator=(const IJsonValue& other) {
    // Take the new reference first: `other` may hang below the value released here.
    if (other.m_value) other.m_value->Acquire();
    TJsonValue* old = std::exchange(m_value, other.m_value);
    if (old) release(old);
    return *this;
}

void IJsonValue::Reset() noexcept {
    if (TJsonValue* old = std::exchange(m_value, nullptr)) release(old);
}

void IJsonValue::release(TJsonValue* value) noexcept {
    value->Release();
}

bool IsKind(const IJsonValue& value, JsonKind kind) {
    return value ? value->Kind() == kind : kind == JsonKind::Null;
}

} // namespace melvanto
