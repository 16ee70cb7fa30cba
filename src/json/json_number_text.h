#pragma once
// The text of the numeric kinds, shared by ValueText and the compact writer.

#include <cstdint>
#include <string_view>

namespace melvanto {

struct JsonNumberText {
    char16_t units[32];
    int32_t length = 0;

    std::u16string_view View() const noexcept { return {units, static_cast<size_t>(length)}; }
};

// Decimal digits, "-" before negative values, no leading zeros.
JsonNumberText IntegerText(int64_t value) noexcept;
// From a count of ten-thousandths: 15000 gives "1.5", 20000 "2.", 0 "0", 1 "0.0001".
JsonNumberText CurrencyText(int64_t tenThousandths) noexcept;
// 15 significant digits, as printf's "%.15g" in the C locale.
JsonNumberText DoubleText(double value) noexcept;

} // namespace melvanto
