#include "net/http/header_list.h"

#include "net/http/header_fold.h"

namespace melvanto {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

bool isContinuation(const std::string& line) {
    return !line.empty() && (line.front() == ' ' || line.front() == '\t');
}

} // namespace

std::string_view TNetHeaderList::LineName(std::string_view line) {
    size_t colon = line.find(':');
    return colon == std::string_view::npos ? std::string_view() : line.substr(0, colon);
}

size_t TNetHeaderList::indexOf(std::string_view name, size_t from) const {
    for (size_t i = from; i < m_lines.size(); ++i)
        if (sameName(LineName(m_lines[i]), name)) return i;
    return m_lines.size();
}

size_t TNetHeaderList::continuationEnd(size_t index) const {
    size_t end = index + 1;
    while (end < m_lines.size() && isContinuation(m_lines[end]))
        ++end;
    return end;
}

std::string TNetHeaderList::valueAt(size_t index) const {
    std::string_view line = m_lines[index];
    size_t colon = line.find(':');
    std::string value(colon == std::string_view::npos ? std::string_view()
                                                      : TrimHeaderBlanks(line.substr(colon + 1)));
    const size_t end = continuationEnd(index);
    for (size_t i = index + 1; i < end; ++i) {
        value.push_back(' ');
        value.append(TrimHeaderBlanks(m_lines[i]));
    }
    return value;
}

std::string TNetHeaderList::Value(std::string_view name) const {
    size_t index = indexOf(name, 0);
    return index < m_lines.size() ? valueAt(index) : std::string();
}

std::vector<std::string> TNetHeaderList::CollectValues(std::string_view name) const {
    std::vector<std::string> values;
    for (size_t i = indexOf(name, 0); i < m_lines.size(); i = indexOf(name, i + 1))
        values.push_back(valueAt(i));
    return values;
}

void TNetHeaderList::SetValue(std::string_view name, std::string_view value) {
    const size_t index = indexOf(name, 0);
    const bool found = index < m_lines.size();
    if (found)
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(index),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(continuationEnd(index)));
    if (value.empty()) return;

    std::string line(name);
    line.append(": ");
    line.append(value);
    std::vector<std::string> folded = FoldHeaderLine(line, m_foldLength);
    auto at = found ? m_lines.begin() + static_cast<std::ptrdiff_t>(index) : m_lines.end();
    m_lines.insert(at, std::make_move_iterator(folded.begin()),
                   std::make_move_iterator(folded.end()));
}

} // namespace melvanto
