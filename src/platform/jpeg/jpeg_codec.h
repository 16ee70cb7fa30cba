#pragma once
// The libjpeg decoder behind the JPEG picture: the header of a JPEG file held in memory,
// and its pixels at full scale. A fatal libjpeg error becomes EJPEG "JPEG error #%d" with
// libjpeg's message code; warnings (damaged data, data ending early) are dropped, so
// such a file decodes as far as it goes and libjpeg fills in the rest.

#include <cstddef>
#include <cstdint>

namespace melvanto {

struct JpegHeader {
    int width = 0;
    int height = 0;
    // Colour space grey: decoded to one grey byte per pixel, else to red, green, blue.
    bool grey = false;
    // More than one scan; such a file is still decoded whole.
    bool progressive = false;
};

// The largest decoded picture taken: 256 MiB of pixels (about 9,400 x 9,400 in colour).
// A few bytes can declare 65,500 x 65,500 pixels, which would take 12 GiB and minutes.
inline constexpr std::size_t kMaxDecodedBytes = std::size_t{256} << 20;

// Reads the header only. EJPEG when the bytes are not a JPEG file libjpeg can read, and
// with libjpeg's "image too big" code when the decoded picture would pass kMaxDecodedBytes.
JpegHeader ReadJpegHeader(const std::uint8_t* data, std::size_t size);

// Decodes the whole picture with libjpeg's accurate defaults (islow DCT, smooth
// upsampling) into `pixels`: `header.height` packed rows of `header.width` pixels, one
// byte per pixel for a grey header and three (red, green, blue) otherwise. A row the
// file does not give stays as it was. EJPEG on a fatal error (also for zero bytes); the
// rows decoded before it stay written.
void DecodeJpeg(const std::uint8_t* data, std::size_t size, const JpegHeader& header,
                std::uint8_t* pixels);

} // namespace melvanto
