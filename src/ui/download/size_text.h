#pragma once
// The file size shown in the artist line: megabytes (1,048,576 bytes) with two decimals.

#include <cstdint>
#include <string>
#include <string_view>

namespace melvanto {

// Bytes as megabytes in the form "0.00": at least one digit before the separator, exactly
// two after it, no grouping; the hundredths are rounded half away from zero. Computed from
// whole numbers, so 131072 bytes (exactly 0.125) gives "0.13". A negative count keeps its
// sign unless it rounds to zero.
std::string FormatMegabytes(int32_t bytes, std::string_view decimalSeparator);

// The size text of a song: "0" for an empty text, otherwise the text read as a whole number
// of bytes (StrToInt, failing with EConvertError) and written by FormatMegabytes.
std::string SizeText(std::string_view sizeText, std::string_view decimalSeparator);

} // namespace melvanto
