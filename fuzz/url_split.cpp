// SplitUrl and MergePath on any text: input is "url" or "url\nnew path". Besides not
// crashing, the parts must fit together the way the splitter promises.
#include "net/http/uri.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using melvanto::TNetURI;

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

void checkSplit(std::string_view url) {
    const TNetURI uri(url);
    std::string text(url);
    for (char& c : text)
        if (c == '\\') c = '/'; // the code page here is UTF-8: no double-byte characters

    for (const std::string* part : {&uri.Path(), &uri.Document(), &uri.Params()})
        check(part->find('#') == std::string::npos && part->find('\\') == std::string::npos);
    check(uri.Document().find('/') == std::string::npos);
    check(uri.Params().empty() || uri.Params()[0] == '?' || uri.Params()[0] == '=');
    check(uri.Host().find_first_of("/?#") == std::string::npos);
    check(uri.Username().find(':') == std::string::npos);
    check(uri.Password().empty() || !uri.Username().empty());
    const bool hasProtocol = text.find("://") != std::string::npos;
    if (hasProtocol)
        check(!uri.Path().empty() && uri.Path()[0] == '/');
    else
        check(uri.Protocol().empty() && uri.Host().empty());

    // The text ends with document, params and fragment as they were cut out of it.
    const std::string tail = uri.Document() + uri.Params();
    const std::string_view whole = text;
    check(whole.ends_with(tail + "#" + uri.Fragment()) ||
          (uri.Fragment().empty() && whole.ends_with(tail)));
}

void checkMerge(std::string_view previous, std::string_view path) {
    const std::string merged = TNetURI::MergePath(previous, path);
    if (!path.empty() && path[0] == '/') {
        check(merged == path);
        return;
    }
    check(merged.size() <= previous.size() + path.size() + 1);
    check(merged.find("//") == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t newline = input.find('\n');
    const std::string_view url = input.substr(0, newline);
    const std::string_view path =
        newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1);
    checkSplit(url);
    const TNetURI uri(url);
    checkMerge(uri.Path(), path);
    checkMerge(path, uri.Path() + uri.Document());
    return 0;
}
