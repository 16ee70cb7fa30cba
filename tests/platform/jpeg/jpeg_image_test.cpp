#include "platform/jpeg/jpeg_image.h"

#include "base/errors.h"
#include "base/memory_stream.h"
#include "jpeg_test_pictures.h"

#include <gtest/gtest.h>

#include <jerror.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using namespace melvanto;
using namespace melvanto::jpeg_test;
using Format = gui::PictureBitmap::Format;

namespace {

TJPEGImage Loaded(const std::string& bytes) {
    TMemoryStream stream;
    stream.Write(bytes.data(), bytes.size());
    stream.SetPosition(0);
    TJPEGImage picture;
    picture.LoadFromStream(stream);
    return picture;
}

std::string FailureOf(TJPEGImage& picture) {
    try {
        picture.Decode();
    } catch (const EJPEG& failure) {
        return failure.Message();
    }
    return "";
}

TEST(TJPEGImage, LoadsTheHeaderAndDecodesOnDemand) {
    struct Case {
        const char* name;
        std::string jpeg;
        int width, height;
        bool grey, progressive;
        Format format;
    };
    const Case cases[] = {
        {"colour", QuadrantJpeg(150), 150, 150, false, false, Format::Rgb24},
        {"grey", GreyJpeg(120, 80), 120, 80, true, false, Format::Grey8},
        {"progressive", QuadrantJpeg(300, true), 300, 300, false, true, Format::Rgb24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TJPEGImage picture = Loaded(c.jpeg);
        EXPECT_EQ(picture.Width(), c.width);
        EXPECT_EQ(picture.Height(), c.height);
        EXPECT_EQ(picture.Grayscale(), c.grey);
        EXPECT_EQ(picture.ProgressiveEncoding(), c.progressive);
        EXPECT_FALSE(picture.Decoded());
        EXPECT_TRUE(picture.Pixels().Empty());

        picture.Decode();
        const gui::PictureBitmap& pixels = picture.Pixels();
        ASSERT_EQ(pixels.Width(), c.width);
        ASSERT_EQ(pixels.Height(), c.height);
        EXPECT_EQ(pixels.PixelFormat(), c.format);
    }
}

TEST(TJPEGImage, DecodesEveryPartOfThePicture) {
    // The last rows and columns prove a progressive picture is decoded whole.
    const auto checkQuadrants = [](const std::string& jpeg, int size) {
        TJPEGImage picture = Loaded(jpeg);
        picture.Decode();
        const gui::PictureBitmap& pixels = picture.Pixels();
        const int far = size - 1;
        ExpectNear(pixels.At(0, 0), kRed);
        ExpectNear(pixels.At(far, 0), kGreen);
        ExpectNear(pixels.At(0, far), kBlue);
        ExpectNear(pixels.At(far, far), kWhite);
    };
    for (const bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        checkQuadrants(QuadrantJpeg(96, progressive), 96);
    }

    TJPEGImage grey = Loaded(GreyJpeg(64, 32));
    grey.Decode();
    ExpectNear(grey.Pixels().At(0, 31), {40, 40, 40});
    ExpectNear(grey.Pixels().At(63, 0), {200, 200, 200});
}

TEST(TJPEGImage, ACutShortPictureDecodesWithoutFailure) {
    const std::string whole = QuadrantJpeg(160);
    const std::size_t data = ScanDataStart(whole);
    const std::string cut = whole.substr(0, data + (whole.size() - data) / 3);

    TJPEGImage picture = Loaded(cut);
    EXPECT_EQ(FailureOf(picture), "");
    ASSERT_EQ(picture.Pixels().Width(), 160);
    ExpectNear(picture.Pixels().At(0, 0), kRed);
    ExpectNear(picture.Pixels().At(159, 0), kGreen);
}

TEST(TJPEGImage, AFailurePartWayKeepsTheRowsDecodedBeforeIt) {
    // The scan data stops at a second frame header: the rows before it are decoded, the
    // rest filled in, and reading on meets the duplicate frame, a fatal error.
    const std::string whole = QuadrantJpeg(160);
    const std::size_t data = ScanDataStart(whole);
    const std::string broken =
        whole.substr(0, data + (whole.size() - data) / 3) + whole.substr(whole.find("\xFF\xC0"));

    TJPEGImage picture = Loaded(broken);
    EXPECT_EQ(FailureOf(picture), "JPEG error #" + std::to_string(JERR_SOF_DUPLICATE));
    EXPECT_TRUE(picture.Decoded());
    ASSERT_EQ(picture.Pixels().Width(), 160);
    ExpectNear(picture.Pixels().At(0, 0), kRed);
    ExpectNear(picture.Pixels().At(159, 0), kGreen);
    EXPECT_EQ(FailureOf(picture), "");
}

TEST(TJPEGImage, ZeroBytesLoadAndFailOnceWhenDecoded) {
    TJPEGImage picture = Loaded("");
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Height(), 0);
    EXPECT_EQ(FailureOf(picture), "JPEG error #" + std::to_string(JERR_INPUT_EMPTY));
    EXPECT_TRUE(picture.Decoded());
    // Decoded at most once: the failure is not met again.
    EXPECT_EQ(FailureOf(picture), "");
    EXPECT_TRUE(picture.Pixels().Empty());
}

TEST(TJPEGImage, NonJpegBytesFailToLoad) {
    for (const char* body : {"\x89PNG\r\n\x1a\n", "<html>Service Unavailable</html>"}) {
        SCOPED_TRACE(body);
        try {
            Loaded(body);
            ADD_FAILURE() << "no failure";
        } catch (const EJPEG& failure) {
            EXPECT_EQ(failure.Message(), "JPEG error #" + std::to_string(JERR_NO_SOI));
        }
    }
}

TEST(TJPEGImage, LoadTakesTheBytesFromThePositionAndDropsThePrevious) {
    const std::string jpeg = QuadrantJpeg(32);
    TMemoryStream stream;
    stream.Write("junk", 4);
    stream.Write(jpeg.data(), jpeg.size());
    stream.SetPosition(4);

    TJPEGImage picture = Loaded(GreyJpeg(8, 8));
    picture.Decode();
    picture.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    ASSERT_TRUE(picture.Data());
    EXPECT_EQ(std::string(picture.Data()->begin(), picture.Data()->end()), jpeg);
    EXPECT_EQ(picture.Width(), 32);
    EXPECT_FALSE(picture.Grayscale());
    EXPECT_FALSE(picture.Decoded());
    EXPECT_TRUE(picture.Pixels().Empty());
}

TEST(TJPEGImage, ACopySharesTheBytesAndCopiesTheBitmap) {
    TJPEGImage original = Loaded(QuadrantJpeg(48));
    const TJPEGImage undecodedCopy(original);
    EXPECT_EQ(undecodedCopy.Data().get(), original.Data().get());
    EXPECT_FALSE(undecodedCopy.Decoded());

    original.Decode();
    TJPEGImage decodedCopy(original);
    EXPECT_EQ(decodedCopy.Data().get(), original.Data().get());
    EXPECT_TRUE(decodedCopy.Decoded());
    EXPECT_EQ(decodedCopy.Pixels().At(47, 47), original.Pixels().At(47, 47));

    // The bytes live as long as any picture holding them.
    const auto bytes = original.Data().get();
    original = TJPEGImage();
    EXPECT_EQ(decodedCopy.Data().get(), bytes);
    EXPECT_EQ(decodedCopy.Data()->size(), undecodedCopy.Data()->size());
}

// Real files from elsewhere, beside the ones made here.
class RealJpegFiles : public ::testing::Test {
protected:
    std::string read(const char* name) {
        const std::filesystem::path path = std::filesystem::path(MELVANTO_JPEG_TESTDATA_DIR) / name;
        std::ifstream file(path, std::ios::binary);
        if (!file) return {};
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
};

TEST_F(RealJpegFiles, DecodeBaselineRestartAndArithmeticCoded) {
    if (!std::filesystem::is_directory(MELVANTO_JPEG_TESTDATA_DIR))
        GTEST_SKIP() << "no JPEG test files at " << MELVANTO_JPEG_TESTDATA_DIR;
    for (const char* name : {"testorig.jpg", "testimgint.jpg", "testimgari.jpg"}) {
        SCOPED_TRACE(name);
        const std::string bytes = read(name);
        ASSERT_FALSE(bytes.empty());
        TJPEGImage picture = Loaded(bytes);
        EXPECT_EQ(picture.Width(), 227);
        EXPECT_EQ(picture.Height(), 149);
        EXPECT_FALSE(picture.Grayscale());
        EXPECT_EQ(FailureOf(picture), "");
        ASSERT_EQ(picture.Pixels().Height(), 149);
        // Not left black: the last row was decoded.
        const gui::PictureBitmap::Pixel corner = picture.Pixels().At(226, 148);
        EXPECT_GT(corner.red + corner.green + corner.blue, 0);
    }
}

TEST_F(RealJpegFiles, TwelveBitPrecisionFails) {
    if (!std::filesystem::is_directory(MELVANTO_JPEG_TESTDATA_DIR))
        GTEST_SKIP() << "no JPEG test files at " << MELVANTO_JPEG_TESTDATA_DIR;
    const std::string bytes = read("monkey12.jpg");
    ASSERT_FALSE(bytes.empty());
    try {
        Loaded(bytes);
        ADD_FAILURE() << "no failure";
    } catch (const EJPEG& failure) {
        EXPECT_EQ(failure.Message(), "JPEG error #" + std::to_string(JERR_BAD_PRECISION));
    }
}

} // namespace
