#pragma once
// Writes JPEG files for tests with libjpeg. Link the test with melvanto_test_jpeg_writer.
//
//     std::string jpeg = test::WriteJpeg({300, 300, test::Quadrants(kRed, kGreen, kBlue, kWhite)});
//
// The pixel function gives the colour of each pixel; a grey picture takes its red part.

#include <cstdint>
#include <functional>
#include <string>

namespace melvanto::test {

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
};

struct JpegSpec {
    int width = 0;
    int height = 0;
    std::function<Rgb(int x, int y)> pixel;
    bool grey = false;
    bool progressive = false;
    int quality = 100;
};

// The bytes of a complete JPEG file.
std::string WriteJpeg(const JpegSpec& spec);

// Four flat colours, one per quarter of a width x height picture.
std::function<Rgb(int, int)> Quadrants(int width, int height, Rgb topLeft, Rgb topRight,
                                       Rgb bottomLeft, Rgb bottomRight);

} // namespace melvanto::test
