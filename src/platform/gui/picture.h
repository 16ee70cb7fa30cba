#pragma once
// Pictures for the image box: the pixels, and the interface through which a picture
// hands them over when it is first drawn.

#include <cstdint>
#include <vector>

namespace melvanto::gui {

// Pixels in rows from top to bottom, each row packed (no padding): 3 bytes per pixel
// (red, green, blue) for Rgb24, 1 byte per pixel (grey level) for Grey8.
class PictureBitmap {
public:
    enum class Format { Rgb24, Grey8 };

    PictureBitmap() = default;
    // All pixels black; std::invalid_argument for a negative size.
    PictureBitmap(int width, int height, Format format);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Format PixelFormat() const { return m_format; }
    bool Empty() const { return m_width == 0 || m_height == 0; }
    int BytesPerRow() const;
    std::uint8_t* Row(int y);
    const std::uint8_t* Row(int y) const;
    struct Pixel {
        std::uint8_t red, green, blue;
        friend bool operator==(const Pixel&, const Pixel&) = default;
    };
    Pixel At(int x, int y) const;

private:
    int m_width = 0;
    int m_height = 0;
    Format m_format = Format::Rgb24;
    std::vector<std::uint8_t> m_bytes;
};

// A picture the image box holds. The box calls Decode once, on the GUI thread, the first
// time it draws the picture (never before, never again); a failure thrown from it is
// reported once through the failure handler of the dispatch, right after that drawing.
// Pixels() then gives whatever was decoded, before or without a failure; the box draws it
// at its own size from its top-left corner. An empty bitmap draws nothing.
class Picture {
public:
    virtual ~Picture() = default;
    virtual void Decode() = 0;
    virtual const PictureBitmap& Pixels() const = 0;
};

} // namespace melvanto::gui
