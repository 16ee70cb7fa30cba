#include "platform/gui/picture.h"

#include <stdexcept>

namespace melvanto::gui {

PictureBitmap::PictureBitmap(int width, int height, Format format)
    : m_width(width), m_height(height), m_format(format) {
    if (width < 0 || height < 0) throw std::invalid_argument("negative picture size");
    m_bytes.assign(static_cast<size_t>(BytesPerRow()) * static_cast<size_t>(height), 0);
}

int PictureBitmap::BytesPerRow() const {
    return m_format == Format::Rgb24 ? m_width * 3 : m_width;
}

std::uint8_t* PictureBitmap::Row(int y) {
    return m_bytes.data() + static_cast<size_t>(y) * static_cast<size_t>(BytesPerRow());
}

const std::uint8_t* PictureBitmap::Row(int y) const {
    return m_bytes.data() + static_cast<size_t>(y) * static_cast<size_t>(BytesPerRow());
}

PictureBitmap::Pixel PictureBitmap::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        throw std::out_of_range("pixel outside the picture");
    const std::uint8_t* row = Row(y);
    if (m_format == Format::Grey8) return Pixel{row[x], row[x], row[x]};
    return Pixel{row[3 * x], row[3 * x + 1], row[3 * x + 2]};
}

} // namespace melvanto::gui
