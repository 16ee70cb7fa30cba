#pragma once
// The lenient JSON parser: one pass over UTF-16 code units, no recursion, nil on failure.
// Besides standard JSON it takes single-quoted strings, unquoted names and strings,
// comments, trailing commas and the escapes \x and \', and ignores whatever follows a
// complete top value.

#include "json/json_value.h"

#include <string_view>

namespace melvanto {

// The value of `text`, or nil when it does not parse.
IJsonValue ParseJson(std::u16string_view text);
// With a nil root: ParseJson. With a root: evaluates `text` as a member path against it
// (what Lookup does).
IJsonValue ParseText(std::u16string_view text, const IJsonValue& root);

} // namespace melvanto
