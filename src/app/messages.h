#pragma once
// The two boxes through which the user is told everything. Both are modal, captioned
// with the application title and return when the user has closed them.

#include "base/errors.h"

#include <string>

namespace melvanto {

// The plain message box with a fixed text (ANSI): no icon, one "OK" button; "&" underlines
// the character after it and "&&" shows one "&".
void ShowPlainMessage(const std::string& text);

// The failure box: the stop icon, one "OK" button, the failure's message with every "&"
// shown, and a "." appended when the message is not empty and its last character sorts
// after ".". Reached through the event dispatch, never called by a handler itself.
void ReportFailure(const Exception& failure);

} // namespace melvanto
