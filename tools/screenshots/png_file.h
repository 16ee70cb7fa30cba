#pragma once
// Writing a grabbed picture as a PNG file.

#include "platform/gui/picture.h"

#include <string>

namespace melvanto::screenshots {

// Writes the pixels as an 8-bit RGB (or grey) PNG; std::runtime_error when the file
// cannot be written.
void WritePng(const std::string& path, const gui::PictureBitmap& pixels);

} // namespace melvanto::screenshots
