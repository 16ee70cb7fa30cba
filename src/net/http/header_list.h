#pragma once
// Header lines ("Name: value"): values looked up, collected and set by name (letter case
// ignored), folded when set and unfolded when read. Lines added as they come are stored
// unchanged.

#include <string>
#include <string_view>
#include <vector>

namespace melvanto {

class TNetHeaderList {
public:
    static constexpr int DefaultFoldLength = 78;

    void Add(std::string line) { m_lines.push_back(std::move(line)); }
    void Clear() { m_lines.clear(); }
    size_t Count() const { return m_lines.size(); }
    const std::string& operator[](size_t index) const { return m_lines[index]; }
    const std::vector<std::string>& Lines() const { return m_lines; }

    int FoldLength() const { return m_foldLength; }
    void SetFoldLength(int length) { m_foldLength = length; }

    // The value of the first line of that name: the text after its ":" trimmed, with
    // its continuation lines (those starting with a space or a tab) trimmed and joined
    // after one space each. Empty when there is no such line.
    std::string Value(std::string_view name) const;
    // The values of every line of that name, in order.
    std::vector<std::string> CollectValues(std::string_view name) const;
    // A non-empty value replaces the first line of that name (and its continuation lines)
    // in place, or is added at the end, as "Name: value" folded at FoldLength. An empty
    // value removes the first line of that name and its continuation lines.
    void SetValue(std::string_view name, std::string_view value);

    // The text before the first ":" (empty without one).
    static std::string_view LineName(std::string_view line);

private:
    size_t indexOf(std::string_view name, size_t from) const;
    // Index past the continuation lines that follow the line at index.
    size_t continuationEnd(size_t index) const;
    std::string valueAt(size_t index) const;

    std::vector<std::string> m_lines;
    int m_foldLength = DefaultFoldLength;
};

} // namespace melvanto
