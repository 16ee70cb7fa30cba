#pragma once
// The detail window's picture: a song of a chart double-clicked in the search window,
// then every quality button pressed in turn.

#include <string>

namespace melvanto::screenshots {

// Needs the search window shown and the music service answering. Writes <dir>/detail.png;
// std::runtime_error when the window cannot be reached or a message box interrupts.
void ShootDetailWindow(const std::string& dir);

} // namespace melvanto::screenshots
