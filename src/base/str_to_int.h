#pragma once
// Whole numbers read from text: decimal in the signed 32-bit range, leading spaces and a
// sign allowed, a leading "$", "x" or "0x" marking hexadecimal. Anything else fails with
// EConvertError "'<text>' is not a valid integer value".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace melvanto {

std::optional<int32_t> TryStrToInt(std::string_view text);
int32_t StrToInt(std::string_view text);
std::string NotAnIntegerMessage(std::string_view text);

} // namespace melvanto
