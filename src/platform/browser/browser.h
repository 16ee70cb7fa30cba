#pragma once
// Opening an address in the user's web browser.

#include <functional>
#include <string>

namespace melvanto {

// Starts the desktop's opener (xdg-open) with the text, unchanged, as its one argument:
// no shell, so spaces, quotes, "&" or ";" in it mean nothing special. Returns at once;
// whether the browser could be started is not looked at and nothing is reported. The
// child process is reaped in the background, so none is left behind as a zombie.
void OpenInBrowser(const std::string& text);

// Tests only: while a substitute is set, OpenInBrowser hands the text to it instead of
// starting anything; an empty function restores the real launcher.
void SubstituteBrowserForTesting(std::function<void(const std::string& text)> substitute);

} // namespace melvanto
