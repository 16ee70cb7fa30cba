#pragma once
// The kind of a JSON value; the order is part of the value's identity.

#include <cstdint>

namespace melvanto {

enum class JsonKind : uint8_t {
    Null,
    Boolean,
    Double,
    Currency,
    Integer,
    Object,
    Array,
    String,
    Method,
};

} // namespace melvanto
