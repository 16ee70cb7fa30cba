#include "ui/download/size_text.h"

#include "base/str_to_int.h"

namespace melvanto {

namespace {

constexpr int64_t kBytesPerMegabyte = 1048576;

} // namespace

std::string FormatMegabytes(int32_t bytes, std::string_view decimalSeparator) {
    const int64_t magnitude = bytes < 0 ? -static_cast<int64_t>(bytes) : bytes;
    const int64_t hundredths = (magnitude * 100 + kBytesPerMegabyte / 2) / kBytesPerMegabyte;
    std::string text = bytes < 0 && hundredths != 0 ? "-" : "";
    text += std::to_string(hundredths / 100);
    text += decimalSeparator;
    const int64_t fraction = hundredths % 100;
    if (fraction < 10) text += '0';
    text += std::to_string(fraction);
    return text;
}

std::string SizeText(std::string_view sizeText, std::string_view decimalSeparator) {
    if (sizeText.empty()) return "0";
    return FormatMegabytes(StrToInt(sizeText), decimalSeparator);
}

} // namespace melvanto
