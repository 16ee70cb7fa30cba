#pragma once
// A list of texts, each with an object, in the order they were added; looking a text up
// ignores letter case. The cookie store keeps its domains and each domain's cookie names
// in lists of this kind.

#include "net/cookies/byte_text.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace melvanto {

template <class T> class TNetCookieList {
public:
    static constexpr size_t NotFound = static_cast<size_t>(-1);

    size_t Count() const { return m_entries.size(); }

    size_t IndexOf(std::string_view text) const {
        for (size_t i = 0; i < m_entries.size(); ++i)
            if (SameText(m_entries[i].first, text)) return i;
        return NotFound;
    }

    // Appends the entry and gives its index.
    size_t Add(std::string text, T object) {
        m_entries.emplace_back(std::move(text), std::move(object));
        return m_entries.size() - 1;
    }

    void Delete(size_t index) { m_entries.erase(m_entries.begin() + index); }

    const std::string& Text(size_t index) const { return m_entries[index].first; }
    T& Object(size_t index) { return m_entries[index].second; }
    const T& Object(size_t index) const { return m_entries[index].second; }

private:
    std::vector<std::pair<std::string, T>> m_entries;
};

} // namespace melvanto
