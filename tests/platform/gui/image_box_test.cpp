#include "platform/gui/image_box.h"
#include "platform/gui/testing.h"
#include "platform/gui/window.h"

#include <gtest/gtest.h>

using namespace melvanto;
using namespace melvanto::gui;

namespace {

using Pixel = PictureBitmap::Pixel;

// A picture of one colour whose decoding can fail part way: the rows before `failAtRow`
// are filled, the rest stay black.
class TestPicture : public Picture {
public:
    TestPicture(int width, int height, Pixel colour, int* decodes, int failAtRow = -1,
                PictureBitmap::Format format = PictureBitmap::Format::Rgb24)
        : m_width(width), m_height(height), m_colour(colour), m_decodes(decodes),
          m_failAtRow(failAtRow), m_format(format) {}

    void Decode() override {
        ++*m_decodes;
        m_pixels = PictureBitmap(m_width, m_height, m_format);
        for (int y = 0; y < m_height; ++y) {
            if (y == m_failAtRow) throw EJPEG("JPEG error #42");
            std::uint8_t* row = m_pixels.Row(y);
            for (int x = 0; x < m_width; ++x) {
                if (m_format == PictureBitmap::Format::Grey8) {
                    row[x] = m_colour.red;
                } else {
                    row[3 * x] = m_colour.red;
                    row[3 * x + 1] = m_colour.green;
                    row[3 * x + 2] = m_colour.blue;
                }
            }
        }
    }
    const PictureBitmap& Pixels() const override { return m_pixels; }

private:
    int m_width, m_height;
    Pixel m_colour;
    int* m_decodes;
    int m_failAtRow;
    PictureBitmap::Format m_format;
    PictureBitmap m_pixels;
};

constexpr Pixel kBlue{10, 20, 200};
constexpr Pixel kBlack{0, 0, 0};

class ImageBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetFailureHandler([this](const Exception& failure) {
            // Never from inside a paint: the box is done drawing when this runs.
            failures.push_back(failure.Message());
        });
        window.Show();
    }
    void TearDown() override { SetFailureHandler({}); }

    Pixel background() const {
        const Rgb face = Resolve(SystemColour::ButtonFace);
        return Pixel{face.red, face.green, face.blue};
    }

    std::vector<std::string> failures;
    int decodes = 0;
    Window window{"image", {564, 448}, Font{u"MS Sans Serif", 11}};
    ImageBox img1{window, "img1", {384, 8, 150, 150}};
};

TEST_F(ImageBoxTest, APictureIsDrawnAtItsOwnSizeFromTheTopLeftAndClipped) {
    for (int size : {150, 300, 90}) {
        SCOPED_TRACE(size);
        img1.SetPicture(std::make_unique<TestPicture>(size, size, kBlue, &decodes));
        const PictureBitmap shot = test::Grab(img1);
        ASSERT_EQ(shot.Width(), 150);
        ASSERT_EQ(shot.Height(), 150);
        EXPECT_EQ(shot.At(0, 0), kBlue);
        const int last = std::min(size, 150) - 1;
        EXPECT_EQ(shot.At(last, last), kBlue);
        if (size < 150) {
            EXPECT_EQ(shot.At(size, size), background());
            EXPECT_EQ(shot.At(149, 0), background());
            EXPECT_EQ(shot.At(0, 149), background());
        }
    }
    EXPECT_TRUE(failures.empty());
}

TEST_F(ImageBoxTest, NoPictureAndAnEmptyPictureDrawNothing) {
    EXPECT_EQ(img1.CurrentPicture(), nullptr);
    EXPECT_EQ(test::Grab(img1).At(75, 75), background());
    img1.SetPicture(std::make_unique<TestPicture>(0, 0, kBlue, &decodes));
    EXPECT_EQ(test::Grab(img1).At(0, 0), background());
    EXPECT_EQ(decodes, 1);
    EXPECT_TRUE(failures.empty());
}

TEST_F(ImageBoxTest, APictureIsDecodedOnItsFirstDrawAndNeverAgain) {
    auto picture = std::make_unique<TestPicture>(40, 40, kBlue, &decodes);
    Picture* held = picture.get();
    img1.SetPicture(std::move(picture));
    EXPECT_EQ(img1.CurrentPicture(), held);
    EXPECT_EQ(decodes, 0);
    test::Grab(img1);
    test::Grab(window);
    test::ProcessEvents();
    EXPECT_EQ(decodes, 1);
    // A new picture is decoded again, once.
    img1.SetPicture(std::make_unique<TestPicture>(40, 40, kBlue, &decodes));
    test::Grab(img1);
    test::Grab(img1);
    EXPECT_EQ(decodes, 2);
}

TEST_F(ImageBoxTest, ADecodingFailureIsReportedOnceAfterThePaintAndThePartIsShown) {
    img1.SetPicture(std::make_unique<TestPicture>(100, 100, kBlue, &decodes, 30));
    const PictureBitmap shot = test::Grab(img1);
    EXPECT_TRUE(failures.empty()) << "reported from inside the paint";
    EXPECT_EQ(shot.At(50, 29), kBlue);
    EXPECT_EQ(shot.At(50, 30), kBlack);

    test::ProcessEvents();
    EXPECT_EQ(failures, std::vector<std::string>{"JPEG error #42"});
    test::Grab(img1);
    test::Grab(window);
    test::ProcessEvents();
    EXPECT_EQ(failures.size(), 1u);
    EXPECT_EQ(decodes, 1);
}

TEST_F(ImageBoxTest, GreyPicturesAreDrawnGreyAndANullPictureEmptiesTheBox) {
    img1.SetPicture(std::make_unique<TestPicture>(20, 20, Pixel{128, 0, 0}, &decodes, -1,
                                                  PictureBitmap::Format::Grey8));
    EXPECT_EQ(test::Grab(img1).At(5, 5), (Pixel{128, 128, 128}));
    img1.SetPicture(nullptr);
    EXPECT_EQ(img1.CurrentPicture(), nullptr);
    EXPECT_EQ(test::Grab(img1).At(5, 5), background());
}

TEST(PictureBitmapTest, RowsArePackedAndStartBlack) {
    const PictureBitmap rgb(5, 2, PictureBitmap::Format::Rgb24);
    const PictureBitmap grey(5, 2, PictureBitmap::Format::Grey8);
    EXPECT_EQ(rgb.BytesPerRow(), 15);
    EXPECT_EQ(grey.BytesPerRow(), 5);
    EXPECT_EQ(rgb.Row(1) - rgb.Row(0), 15);
    EXPECT_EQ(rgb.At(4, 1), kBlack);
    EXPECT_FALSE(rgb.Empty());
    EXPECT_TRUE(PictureBitmap().Empty());
    EXPECT_TRUE(PictureBitmap(0, 7, PictureBitmap::Format::Rgb24).Empty());
    EXPECT_THROW(PictureBitmap(-1, 1, PictureBitmap::Format::Rgb24), std::invalid_argument);
    EXPECT_THROW(rgb.At(5, 0), std::out_of_range);
}

} // namespace
