#pragma once
// The form-style URL encoding of the search keyword.

#include <string>
#include <string_view>

namespace melvanto {

// Byte by byte up to the end (or a zero byte): letters, digits and ! $ ' ( ) * - . @ _
// stay; a space becomes "+"; every other byte becomes "%" and two upper-case hex digits.
std::string HttpFormEncode(std::string_view bytes);

// The keyword as the keyword box holds it (ANSI text) to the query value of the
// suggestion request: to UTF-16, to UTF-8, then HttpFormEncode.
std::string EncodeKeyword(std::string_view ansiKeyword);

} // namespace melvanto
