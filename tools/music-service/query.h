#pragma once
// Reading a request's query the way a form is encoded: "+" is a space, "%XX" a byte.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace melvanto::music_service {

// The decoded value of each key of the query part of a request target ("/path?a=1&b=2");
// the first occurrence of a key wins.
std::map<std::string, std::string> ParseQuery(std::string_view target);

// "+" to space, "%XX" to its byte; a "%" without two hex digits stays as it is.
std::string FormDecode(std::string_view text);

// A whole number of ASCII digits only (no sign, no blanks) below one billion.
std::optional<int> ParseCount(std::string_view text);

} // namespace melvanto::music_service
