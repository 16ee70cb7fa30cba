#include "platform/jpeg/jpeg_codec.h"

#include "base/errors.h"
#include "jpeg_test_pictures.h"

#include <gtest/gtest.h>

#include <jerror.h>

#include <string>

using namespace melvanto;
using namespace melvanto::jpeg_test;

namespace {

JpegHeader HeaderOf(const std::string& jpeg) {
    return ReadJpegHeader(reinterpret_cast<const std::uint8_t*>(jpeg.data()), jpeg.size());
}

std::string JpegFailure(int code) {
    return "JPEG error #" + std::to_string(code);
}

TEST(ReadJpegHeader, GivesSizeGreyAndProgressive) {
    struct Case {
        const char* name;
        std::string jpeg;
        JpegHeader expected;
    };
    const Case cases[] = {
        {"colour 150x150", QuadrantJpeg(150), {150, 150, false, false}},
        {"grey 300x200", GreyJpeg(300, 200), {300, 200, true, false}},
        {"progressive 90x90", QuadrantJpeg(90, true), {90, 90, false, true}},
        {"colour 1x1",
         test::WriteJpeg({1, 1, [](int, int) { return kRed; }}),
         {1, 1, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const JpegHeader header = HeaderOf(c.jpeg);
        EXPECT_EQ(header.width, c.expected.width);
        EXPECT_EQ(header.height, c.expected.height);
        EXPECT_EQ(header.grey, c.expected.grey);
        EXPECT_EQ(header.progressive, c.expected.progressive);
    }
}

TEST(ReadJpegHeader, FailsWithLibjpegMessageCode) {
    const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0", 29);
    const std::string jpeg = QuadrantJpeg(64);
    struct Case {
        const char* name;
        std::string bytes;
        int code;
    };
    const Case cases[] = {
        {"PNG file", png, JERR_NO_SOI},
        {"HTML error page", "<html><body><h1>404 Not Found</h1></body></html>", JERR_NO_SOI},
        {"zero bytes", "", JERR_INPUT_EMPTY},
        // Cut before the frame header: libjpeg takes the end of data for an EOI marker.
        {"header cut short", jpeg.substr(0, jpeg.find("\xFF\xC0")), JERR_NO_IMAGE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            HeaderOf(c.bytes);
            ADD_FAILURE() << "no failure";
        } catch (const EJPEG& failure) {
            EXPECT_EQ(failure.Message(), JpegFailure(c.code));
        }
    }
}

// The frame header of the JPEG rewritten to declare another size.
std::string WithDeclaredSize(std::string jpeg, int width, int height) {
    const std::size_t sof = jpeg.find("\xFF\xC0");
    jpeg[sof + 5] = static_cast<char>(height >> 8);
    jpeg[sof + 6] = static_cast<char>(height & 0xFF);
    jpeg[sof + 7] = static_cast<char>(width >> 8);
    jpeg[sof + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
}

TEST(ReadJpegHeader, RefusesAPictureTooBigToDecode) {
    // 9,000 x 9,000 in colour is 232 MiB of pixels; 9,500 x 9,500 is 258 MiB.
    const std::string small = QuadrantJpeg(16);
    const JpegHeader largest = HeaderOf(WithDeclaredSize(small, 9000, 9000));
    EXPECT_EQ(largest.width, 9000);
    for (const auto& [width, height] : {std::pair{9500, 9500}, {65500, 65500}, {65500, 1400}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        try {
            HeaderOf(WithDeclaredSize(small, width, height));
            ADD_FAILURE() << "no failure";
        } catch (const EJPEG& failure) {
            EXPECT_EQ(failure.Message(), JpegFailure(JERR_IMAGE_TOO_BIG));
        }
    }
    const std::string grey = GreyJpeg(16, 16);
    EXPECT_TRUE(HeaderOf(WithDeclaredSize(grey, 16000, 16000)).grey);
}

TEST(DecodeJpeg, ZeroBytesFailWithEmptyInput) {
    const JpegHeader empty;
    try {
        DecodeJpeg(nullptr, 0, empty, nullptr);
        ADD_FAILURE() << "no failure";
    } catch (const EJPEG& failure) {
        EXPECT_EQ(failure.Message(), JpegFailure(JERR_INPUT_EMPTY));
    }
}

TEST(DecodeJpeg, AHeaderBiggerThanTheFileLeavesTheOtherRowsAlone) {
    // The bitmap is made from the header; bytes of another size only fill what fits.
    const std::string jpeg = QuadrantJpeg(16);
    const JpegHeader larger{20, 20, false, false};
    std::vector<std::uint8_t> pixels(20 * 20 * 3, 7);
    DecodeJpeg(reinterpret_cast<const std::uint8_t*>(jpeg.data()), jpeg.size(), larger,
               pixels.data());
    EXPECT_NEAR(pixels[0], kRed.red, 8); // row 0, pixel 0: decoded
    EXPECT_EQ(pixels[16 * 3], 7);        // row 0, pixel 16: beyond the file
    EXPECT_EQ(pixels[19 * 20 * 3], 7);   // row 19: beyond the file
}

} // namespace
