#include "platform/browser/browser.h"

#include "platform/browser/spawn_detached.h"

namespace melvanto {

namespace {

std::function<void(const std::string&)>& substitute() {
    static std::function<void(const std::string&)> function;
    return function;
}

} // namespace

void OpenInBrowser(const std::string& text) {
    if (substitute()) {
        substitute()(text);
        return;
    }
    SpawnDetached("xdg-open", text);
}

void SubstituteBrowserForTesting(std::function<void(const std::string& text)> function) {
    substitute() = std::move(function);
}

} // namespace melvanto
