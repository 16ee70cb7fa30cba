#pragma once
// The detail window's picture: a song of a chart double-clicked in the search window,
// then every quality button pressed in turn, with the song's cover drawn.

#include <string>

namespace melvanto::screenshots {

// Needs the search window shown and the music service answering. Writes <dir>/detail.png;
// std::runtime_error when the window cannot be reached, a message box interrupts, or the
// cover is missing or cannot be drawn.
void ShootDetailWindow(const std::string& dir);

} // namespace melvanto::screenshots
