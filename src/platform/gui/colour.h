#pragma once
// Colours: fixed values or the system's named colours, resolved from the platform's palette.

#include <cstdint>
#include <variant>

namespace melvanto::gui {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

enum class SystemColour {
    WindowText,   // text of windows, labels and group boxes
    ButtonFace,   // background of the windows
    DarkShadow3D, // the dark shadow of 3-D elements (footer text)
};

// A colour as a layout gives it: either fixed or one of the system's colours.
using Colour = std::variant<Rgb, SystemColour>;

// The current value of a colour; system colours come from the application's palette.
Rgb Resolve(const Colour& colour);

} // namespace melvanto::gui
