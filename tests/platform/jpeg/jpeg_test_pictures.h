#pragma once
// Pictures and checks shared by the JPEG tests.

#include "platform/gui/picture.h"
#include "support/jpeg_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace melvanto::jpeg_test {

inline constexpr test::Rgb kRed{220, 30, 30};
inline constexpr test::Rgb kGreen{30, 200, 40};
inline constexpr test::Rgb kBlue{20, 40, 210};
inline constexpr test::Rgb kWhite{250, 250, 250};

inline std::string QuadrantJpeg(int size, bool progressive = false) {
    return test::WriteJpeg(
        {size, size, test::Quadrants(size, size, kRed, kGreen, kBlue, kWhite), false, progressive});
}

// A grey picture whose level is 40 on the left half and 200 on the right.
inline std::string GreyJpeg(int width, int height) {
    return test::WriteJpeg({width, height,
                            [width](int x, int) {
                                const std::uint8_t level = x < width / 2 ? 40 : 200;
                                return test::Rgb{level, level, level};
                            },
                            true});
}

inline std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// JPEG is lossy: a flat area comes back within a few levels of its colour.
inline void ExpectNear(const gui::PictureBitmap::Pixel& actual, const test::Rgb& expected) {
    constexpr int kTolerance = 8;
    EXPECT_LE(std::abs(actual.red - expected.red), kTolerance);
    EXPECT_LE(std::abs(actual.green - expected.green), kTolerance);
    EXPECT_LE(std::abs(actual.blue - expected.blue), kTolerance);
}

// Offset of the first byte of entropy-coded data (after the SOS segment).
inline std::size_t ScanDataStart(const std::string& jpeg) {
    const std::size_t sos = jpeg.find("\xFF\xDA");
    const std::size_t length =
        (static_cast<std::uint8_t>(jpeg[sos + 2]) << 8) | static_cast<std::uint8_t>(jpeg[sos + 3]);
    return sos + 2 + length;
}

} // namespace melvanto::jpeg_test
