#include "net/http/header_fold.h"

namespace melvanto {

namespace {

bool isCutCharacter(char c) {
    return c == ' ' || c == '\t' || c == ',';
}

std::string_view trimTrailingBlanks(std::string_view text) {
    while (!text.empty() && IsHeaderBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

bool IsHeaderBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string_view TrimHeaderBlanks(std::string_view text) {
    while (!text.empty() && IsHeaderBlank(text.front()))
        text.remove_prefix(1);
    return trimTrailingBlanks(text);
}

std::vector<std::string> FoldHeaderLine(std::string_view line, int foldLength) {
    const size_t limit = foldLength > 0 ? static_cast<size_t>(foldLength) : 0;
    if (line.size() <= limit) return {std::string(line)};

    std::vector<std::string_view> pieces;
    constexpr size_t none = std::string_view::npos;
    size_t start = 0;
    size_t lastCut = none;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && isCutCharacter(c) && i > start)
            lastCut = i;

        if (i + 1 - start > limit && lastCut != none) {
            pieces.push_back(line.substr(start, lastCut + 1 - start));
            start = lastCut + 1;
            lastCut = none;
            // Cut characters right after the cut belong to the next piece but are no cut
            // points of it. (Any later ones were remembered as lastCut before this cut.)
            if (start == i + 1) {
                while (i + 1 < line.size() && isCutCharacter(line[i + 1]))
                    ++i;
            }
        }
    }
    pieces.push_back(line.substr(start));

    std::vector<std::string> lines;
    for (std::string_view piece : pieces) {
        piece = trimTrailingBlanks(piece);
        // A piece of blanks only would make an empty or blank line, and an empty line
        // ends a message head.
        if (piece.empty()) continue;
        std::string folded = lines.empty() ? std::string() : std::string(" ");
        folded.append(piece);
        lines.push_back(std::move(folded));
    }
    return lines;
}

} // namespace melvanto
