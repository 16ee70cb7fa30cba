// Header lines added, looked up, collected, set and folded. Input: one byte of fold
// length, then lines separated by LF; the last two lines are a name and a value to set.
#include "net/http/header_list.h"
#include "net/http/header_fold.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using melvanto::FoldHeaderLine;
using melvanto::IsHeaderBlank;
using melvanto::TNetHeaderList;

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (char c : text)
        if (!IsHeaderBlank(c)) out.push_back(c);
    return out;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] + 32) : a[i];
        char y = b[i] >= 'A' && b[i] <= 'Z' ? char(b[i] + 32) : b[i];
        if (x != y) return false;
    }
    return true;
}

size_t linesNamed(const TNetHeaderList& list, std::string_view name) {
    size_t count = 0;
    for (const std::string& line : list.Lines())
        if (sameName(TNetHeaderList::LineName(line), name)) ++count;
    return count;
}

void checkFold(std::string_view line, int foldLength) {
    const std::vector<std::string> pieces = FoldHeaderLine(line, foldLength);
    std::string joined;
    for (size_t i = 0; i < pieces.size(); ++i) {
        check(!pieces[i].empty() || line.empty()); // an empty line stays as it is
        if (i > 0) check(pieces[i][0] == ' ');
        joined += pieces[i];
    }
    // Folding moves blanks about but never loses or adds anything else.
    check(withoutBlanks(joined) == withoutBlanks(line));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int foldLength = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<std::string_view> lines;
    for (;;) {
        size_t newline = rest.find('\n');
        lines.push_back(rest.substr(0, newline));
        if (newline == std::string_view::npos) break;
        rest.remove_prefix(newline + 1);
    }
    std::string_view value = lines.back();
    lines.pop_back();
    std::string_view name = lines.empty() ? std::string_view("Name") : lines.back();
    if (!lines.empty()) lines.pop_back();

    TNetHeaderList list;
    list.SetFoldLength(foldLength);
    for (std::string_view line : lines)
        list.Add(std::string(line));
    check(list.Count() == lines.size());
    // Each look-up walks the whole list: a few dozen lines keep a run quick.
    for (size_t i = 0; i < lines.size() && i < 32; ++i) {
        const std::string_view line = lines[i];
        std::string_view lineName = TNetHeaderList::LineName(line);
        std::vector<std::string> values = list.CollectValues(lineName);
        check(!values.empty());
        check(values[0] == list.Value(lineName));
        checkFold(line, foldLength);
    }

    // Setting changes only the first line of the name; with a name like a real one (no
    // ":", no blanks or commas where a fold could cut it) the value reads back with every
    // non-blank byte in place.
    bool plainName = !name.empty();
    for (char c : name)
        if (c == ':' || c == ',' || IsHeaderBlank(c)) plainName = false;
    const size_t before = linesNamed(list, name);
    list.SetValue(name, value);
    if (plainName) {
        if (value.empty()) {
            check(linesNamed(list, name) == (before > 0 ? before - 1 : 0));
        } else {
            check(linesNamed(list, name) == (before > 0 ? before : 1));
            check(withoutBlanks(list.Value(name)) == withoutBlanks(value));
        }
    }
    return 0;
}
