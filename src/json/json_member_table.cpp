#include "json/json_member_table.h"

namespace melvanto {

uint32_t NameHash(std::u16string_view name) noexcept {
    uint32_t hash = 0;
    for (char16_t unit : name)
        hash = hash * 129u + unit + 0x9E370001u;
    return hash;
}

IJsonValue TJsonMemberTable::MemberAt(std::u16string_view name) const {
    const TJsonAvlEntry* entry = Find(NameHash(name), name);
    return entry ? entry->value : IJsonValue();
}

void TJsonMemberTable::StoreMember(std::u16string_view name, IJsonValue value) {
    FindOrInsert(NameHash(name), name)->value = std::move(value);
}

} // namespace melvanto
