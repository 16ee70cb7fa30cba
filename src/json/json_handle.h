#pragma once
// IJsonValue: a handle that holds one reference to a TJsonValue. An empty handle is nil.
// Releasing the last reference destroys the value (and the tree below it).

#include "json/json_kind.h"

#include <utility>

namespace melvanto {

class TJsonValue;

class IJsonValue {
public:
    IJsonValue() noexcept = default;
    // Takes a reference of its own to `value` (nil when null).
    explicit IJsonValue(TJsonValue* value);
    IJsonValue(const IJsonValue& other);
    IJsonValue(IJsonValue&& other) noexcept : m_value(std::exchange(other.m_value, nullptr)) {}
    IJsonValue& operator=(const IJsonValue& other);
    IJsonValue& operator=(IJsonValue&& other) noexcept {
        TJsonValue* old = std::exchange(m_value, std::exchange(other.m_value, nullptr));
        if (old) release(old);
        return *this;
    }
    ~IJsonValue() {
        if (m_value) release(m_value);
    }

    explicit operator bool() const noexcept { return m_value != nullptr; }
    TJsonValue* operator->() const noexcept { return m_value; }
    TJsonValue* get() const noexcept { return m_value; }

    // A handle taking over a reference already counted for it.
    static IJsonValue Adopt(TJsonValue* value) noexcept {
        IJsonValue handle;
        handle.m_value = value;
        return handle;
    }
    // Drops the reference; the handle becomes nil.
    void Reset() noexcept;
    // Gives up the reference without dropping it: the caller now owns it.
    TJsonValue* Detach() noexcept { return std::exchange(m_value, nullptr); }

    friend bool operator==(const IJsonValue& a, const IJsonValue& b) noexcept {
        return a.m_value == b.m_value;
    }

private:
    static void release(TJsonValue* value) noexcept;

    TJsonValue* m_value = nullptr;
};

// Kind test: nil counts as Null.
bool IsKind(const IJsonValue& value, JsonKind kind);

} // namespace melvanto
