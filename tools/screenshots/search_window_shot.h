#pragma once
// The search window's picture: the popular-songs chart ("热歌榜") with its update date.

#include <string>

namespace melvanto::screenshots {

// Needs the search window shown and the music service answering. Writes <dir>/search.png;
// std::runtime_error when the chart does not fill the list or a message box interrupts.
void ShootSearchWindow(const std::string& dir);

} // namespace melvanto::screenshots
