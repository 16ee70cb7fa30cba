#pragma once
// TJsonMemberTable: the members of an object value, kept in a TJsonAvlTree keyed by
// NameHash and name. Names are unique: storing a name again replaces its value in place.

#include "json/json_avl_tree.h"
#include "json/json_handle.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace melvanto {

// h := h * 129 + c + 0x9E370001 for each code unit c, modulo 2^32, from h = 0.
uint32_t NameHash(std::u16string_view name) noexcept;

class TJsonMemberTable : public TJsonAvlTree {
public:
    // The value stored under exactly `name` (a reference of the caller's own), or nil.
    IJsonValue MemberAt(std::u16string_view name) const;
    // Stores `value` under `name`, replacing the value of a member of that name.
    void StoreMember(std::u16string_view name, IJsonValue value);
    int32_t MemberCount() const noexcept { return Count(); }
};

} // namespace melvanto
