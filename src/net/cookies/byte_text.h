#pragma once
// Small operations on byte strings that cookie and date texts need. Letter case means the
// ASCII letters only; a blank is a space or a control character.

#include <string>
#include <string_view>

namespace melvanto {

bool IsBlank(char c);
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimLeftBlanks(std::string_view text);

std::string UpperCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
// Negative, zero or positive as a sorts before, with or after b, letter case ignored.
int CompareText(std::string_view a, std::string_view b);

// The text before the first delimiter; text keeps what follows that delimiter. Without a
// delimiter the whole text is taken and text becomes empty.
std::string_view Fetch(std::string_view& text, char delimiter);

} // namespace melvanto
