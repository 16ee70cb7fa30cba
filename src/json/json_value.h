#pragma once
// TJsonValue: one JSON value of one kind, reference counted and handed out through
// IJsonValue handles. Objects own a member table, arrays an element storage.

#include "json/json_array.h"
#include "json/json_handle.h"
#include "json/json_kind.h"
#include "json/json_member_table.h"
#include "json/json_node_pool.h"
#include "json/json_string.h"
#include "json/json_writer.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace melvanto {

// A currency amount as a count of ten-thousandths (1.5 is held as 15000).
struct JsonCurrency {
    int64_t tenThousandths;
};

class TJsonValue {
public:
    // Objects start with an empty member table, arrays with an empty element storage,
    // strings empty, every other kind with a zero value.
    explicit TJsonValue(JsonKind kind);
    explicit TJsonValue(bool value);
    explicit TJsonValue(double value);
    explicit TJsonValue(JsonCurrency value);
    explicit TJsonValue(int64_t value);
    explicit TJsonValue(std::u16string_view value);
    explicit TJsonValue(const char16_t* value) : TJsonValue(std::u16string_view(value)) {}
    TJsonValue(const TJsonValue&) = delete;
    TJsonValue& operator=(const TJsonValue&) = delete;

    static void* operator new(size_t size) { return TJsonNodePool::Allocate(size); }
    static void operator delete(void* block, size_t size) noexcept {
        TJsonNodePool::Release(block, size);
    }

    // The reference-counting pair. Release destroys the value with its last reference.
    int32_t Acquire() noexcept;
    int32_t Release() noexcept;
    int32_t RefCount() const noexcept { return m_refCount.load(std::memory_order_acquire); }
    // Destroys a value that no handle holds; refused with EInvalidPointer ("Invalid
    // pointer") while references remain.
    void Free();

    JsonKind Kind() const noexcept { return m_kind; }
    bool Busy() const noexcept { return m_busy; }
    void SetBusy(bool busy) noexcept { m_busy = busy; }

    // The value found at `path` (a member name, `a.b`, `a[0]`, ...), or nil.
    IJsonValue Lookup(std::u16string_view path) const;
    // Emits the compact JSON text of the value.
    void WriteTo(TJsonWriter& writer) const;
    std::u16string ValueText() const;
    std::u16string JsonText() const;

    // The storage of an array / the member table of an object; null for other kinds.
    // Owned by the value: hold the value while using them.
    TJsonArray* ArrayView() noexcept { return m_kind == JsonKind::Array ? &m_array : nullptr; }
    const TJsonArray* ArrayView() const noexcept {
        return m_kind == JsonKind::Array ? &m_array : nullptr;
    }
    TJsonMemberTable* ObjectView() noexcept {
        return m_kind == JsonKind::Object ? &m_object : nullptr;
    }
    const TJsonMemberTable* ObjectView() const noexcept {
        return m_kind == JsonKind::Object ? &m_object : nullptr;
    }

    // The stored scalar; zero, false or empty for a value of another kind.
    bool BooleanValue() const noexcept { return m_kind == JsonKind::Boolean && m_boolean; }
    double DoubleValue() const noexcept { return m_kind == JsonKind::Double ? m_double : 0.0; }
    int64_t CurrencyValue() const noexcept { return m_kind == JsonKind::Currency ? m_currency : 0; }
    int64_t IntegerValue() const noexcept { return m_kind == JsonKind::Integer ? m_integer : 0; }
    // The characters of a String value; empty for other kinds.
    std::u16string_view StringValue() const noexcept {
        return m_kind == JsonKind::String ? std::u16string_view(m_string) : std::u16string_view();
    }

private:
    // Only the release of the last reference (or Free) destroys a value.
    ~TJsonValue();
    // Destroys `value` and every value below it that loses its last reference, without
    // recursion, so that trees of any depth can go.
    static void destroyTree(TJsonValue* value) noexcept;

    std::atomic<int32_t> m_refCount{0};
    mutable bool m_busy = false;
    JsonKind m_kind;
    // The value by kind. A container's storage lives here too, so that a value is one
    // allocation whatever its kind.
    union {
        bool m_boolean;
        double m_double;
        int64_t m_currency;
        int64_t m_integer;
        TJsonMemberTable m_object;
        TJsonArray m_array;
        TJsonString m_string;
    };

    friend class TJsonCompactWriter;
    template <typename... Args> friend IJsonValue NewJsonValue(Args&&... args);
};

// A new value made from `args` (see the constructors), held by the handle returned.
template <typename... Args> IJsonValue NewJsonValue(Args&&... args) {
    auto* value = new TJsonValue(std::forward<Args>(args)...);
    // Nothing else can see the value yet: its first reference needs no atomic step.
    value->m_refCount.store(1, std::memory_order_relaxed);
    return IJsonValue::Adopt(value);
}

} // namespace melvanto
