#pragma once
// Folding of one long header line into a first line and continuation lines.

#include <string>
#include <string_view>
#include <vector>

namespace melvanto {

// Blanks are spaces and control characters, the bytes trimmed from header values.
bool IsHeaderBlank(char c);
std::string_view TrimHeaderBlanks(std::string_view text);

// Cuts a line longer than foldLength the way a word wrapper does: right after the last
// space, tab or comma outside double quotes once the piece has grown past foldLength
// (a piece without such a character grows until one comes). The spaces, tabs and commas
// right after a cut open the next piece. Each piece loses its trailing blanks and every
// piece after the first gets one space in front. A line no longer than foldLength
// stays whole.
std::vector<std::string> FoldHeaderLine(std::string_view line, int foldLength);

} // namespace melvanto
