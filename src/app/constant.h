#pragma once
// Strings shared by the windows for the whole run.

#include <string>

namespace melvanto {

// Song id of the list row handed over last (ANSI, as the list shows it); written by the
// search window's double-click before the detail window is made, read by the detail
// window's song-link request. Empty at start.
extern std::string CurrentSongId;

} // namespace melvanto
