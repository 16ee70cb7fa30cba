#pragma once
// Conversions between UTF-16 and the ANSI code page of the current locale (its codeset;
// a C/POSIX locale counts as UTF-8). What the code page cannot hold becomes "?".

#include <string>
#include <string_view>

namespace melvanto {

std::u16string AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::u16string_view wide);

// Lossless conversions for files and literals that are UTF-8 whatever the locale.
std::u16string Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::u16string_view wide);

// The codeset in use, e.g. "UTF-8" or "GBK".
std::string AnsiCodeSet();

// Tests only: pin the ANSI code page to a codeset ("GBK" stands for code page 936);
// an empty name returns to the locale's codeset.
void PinAnsiCodePageForTesting(const std::string& codeset);

} // namespace melvanto
