#pragma once
// TJsonString: the characters of string values and member names, held in blocks of the
// node pool when they are short, like the nodes they belong to.

#include "json/json_node_pool.h"

#include <string>

namespace melvanto {

using TJsonString =
    std::basic_string<char16_t, std::char_traits<char16_t>, TJsonPoolAllocator<char16_t>>;

} // namespace melvanto
