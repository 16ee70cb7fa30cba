#include "detail_window_test.h"

#include "platform/gui/colour.h"
#include "platform/jpeg/jpeg_image.h"
#include "support/jpeg_writer.h"

#include <jerror.h>

#include <cstdlib>

using namespace melvanto;
using namespace melvanto::detail_test;

namespace {

using Pixel = gui::PictureBitmap::Pixel;

constexpr Pixel kRed{220, 30, 30};
constexpr Pixel kGreen{30, 200, 40};
constexpr Pixel kBlue{20, 40, 210};
constexpr Pixel kWhite{250, 250, 250};
constexpr char kCoverPath[] = "/data2/pic/cover1_150x150.jpg";

test::Rgb rgb(Pixel pixel) {
    return {pixel.red, pixel.green, pixel.blue};
}

std::string QuadrantJpeg(int size, bool progressive = false) {
    return test::WriteJpeg(
        {size, size, test::Quadrants(size, size, rgb(kRed), rgb(kGreen), rgb(kBlue), rgb(kWhite)),
         false, progressive});
}

std::string FlatJpeg(int size, Pixel colour) {
    return test::WriteJpeg({size, size, [colour](int, int) { return rgb(colour); }});
}

// A grey picture: level 40 on the left half, 200 on the right.
std::string GreyJpeg(int size) {
    return test::WriteJpeg({size, size,
                            [size](int x, int) {
                                const std::uint8_t level = x < size / 2 ? 40 : 200;
                                return test::Rgb{level, level, level};
                            },
                            true});
}

std::string JpegFailure(int code) {
    return "JPEG error #" + std::to_string(code) + ".";
}

bool Near(Pixel actual, Pixel expected) {
    constexpr int kTolerance = 8;
    return std::abs(actual.red - expected.red) <= kTolerance &&
           std::abs(actual.green - expected.green) <= kTolerance &&
           std::abs(actual.blue - expected.blue) <= kTolerance;
}

Pixel Background() {
    const gui::Rgb face = gui::Resolve(gui::SystemColour::ButtonFace);
    return {face.red, face.green, face.blue};
}

struct Sample {
    int x, y;
    Pixel expected;
};

void ExpectPixels(const gui::PictureBitmap& shot, std::initializer_list<Sample> samples) {
    for (const Sample& s : samples) {
        const Pixel actual = shot.At(s.x, s.y);
        EXPECT_TRUE(Near(actual, s.expected))
            << "at " << s.x << "," << s.y << ": " << int(actual.red) << " " << int(actual.green)
            << " " << int(actual.blue) << ", expected " << int(s.expected.red) << " "
            << int(s.expected.green) << " " << int(s.expected.blue);
    }
}

// Every pixel of the box is the window's background.
void ExpectEmptyBox(const TdlForm& form) {
    const gui::PictureBitmap shot = gt::Grab(form.img1);
    ASSERT_EQ(shot.Width(), 150);
    ASSERT_EQ(shot.Height(), 150);
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 150; ++x)
            ASSERT_EQ(shot.At(x, y), Background()) << "at " << x << "," << y;
}

class CoverPicture : public DetailWindowTest {
protected:
    Song WithCover(const std::string& path) const {
        return With(DefaultSong(), "songPicBig", JsonString(server.Url(path)));
    }
    void QueueCover(const std::string& path, std::string body, int status = 200,
                    std::string type = "image/jpeg") {
        server.Queue(path, {status, std::move(body), std::move(type)});
    }
    // A window whose first reply gave a red cover (already drawn once).
    TdlForm& OpenWindowWithRedCover() {
        QueueReply(SongLinkReply({WithCover(kCoverPath)}));
        QueueCover(kCoverPath, FlatJpeg(150, kRed));
        TdlForm& form = OpenWindow();
        ExpectPixels(gt::Grab(form.img1), {{0, 0, kRed}, {149, 149, kRed}});
        gt::ProcessEvents();
        EXPECT_TRUE(boxes.Boxes().empty());
        return form;
    }
    // The cover requests, in order.
    std::vector<std::string> CoverTargets() const {
        std::vector<std::string> covers;
        for (const std::string& target : server.Targets())
            if (target.starts_with("/data2/pic/")) covers.push_back(target);
        return covers;
    }
};

TEST_F(CoverPicture, IsDrawnUnscaledFromTheTopLeftAndCutAtTheBox) {
    struct Case {
        const char* name;
        std::string jpeg;
        std::initializer_list<Sample> samples;
    };
    const Pixel bg = Background();
    const Pixel darkGrey{40, 40, 40};
    const Pixel lightGrey{200, 200, 200};
    const Case cases[] = {
        {"150x150 fills the box",
         QuadrantJpeg(150),
         {{0, 0, kRed}, {149, 0, kGreen}, {0, 149, kBlue}, {149, 149, kWhite}}},
        // Colour is stored at half resolution, so the edge at 150 blurs the last two columns
        // and rows of the quarter: they are left out.
        {"300x300 shows its top-left quarter",
         QuadrantJpeg(300),
         {{0, 0, kRed}, {147, 0, kRed}, {0, 147, kRed}, {147, 147, kRed}, {75, 75, kRed}}},
        {"90x90 sits in the corner",
         QuadrantJpeg(90),
         {{0, 0, kRed},
          {89, 0, kGreen},
          {0, 89, kBlue},
          {89, 89, kWhite},
          {90, 0, bg},
          {0, 90, bg},
          {149, 149, bg}}},
        {"grey shows grey", GreyJpeg(150), {{0, 0, darkGrey}, {149, 149, lightGrey}}},
        {"progressive shows complete",
         QuadrantJpeg(150, true),
         {{0, 0, kRed}, {149, 0, kGreen}, {0, 149, kBlue}, {149, 149, kWhite}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QueueReply(SongLinkReply({WithCover(kCoverPath)}));
        QueueCover(kCoverPath, c.jpeg);
        TdlForm& form = OpenWindow();
        const gui::PictureBitmap shot = gt::Grab(form.img1);
        ASSERT_EQ(shot.Width(), 150);
        ASSERT_EQ(shot.Height(), 150);
        ExpectPixels(shot, c.samples);
        // Nothing of the picture outside the box: right of it and below it the window's
        // background shows.
        const gui::PictureBitmap window = gt::Grab(form);
        ExpectPixels(window, {{384 + 152, 60, bg}, {450, 8 + 152, bg}});
        gt::ProcessEvents();
        EXPECT_TRUE(boxes.Boxes().empty());
    }
}

TEST_F(CoverPicture, GreyDecodesToGreyLevels) {
    QueueReply(SongLinkReply({WithCover(kCoverPath)}));
    QueueCover(kCoverPath, GreyJpeg(150));
    TdlForm& form = OpenWindow();
    const gui::PictureBitmap shot = gt::Grab(form.img1);
    for (const auto& [x, y] : {std::pair{10, 10}, {140, 10}, {74, 120}, {75, 149}}) {
        const Pixel pixel = shot.At(x, y);
        EXPECT_EQ(pixel.red, pixel.green) << x << "," << y;
        EXPECT_EQ(pixel.green, pixel.blue) << x << "," << y;
    }
    const auto* picture = dynamic_cast<const TJPEGImage*>(form.img1.CurrentPicture());
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->Grayscale());
    EXPECT_EQ(picture->Pixels().PixelFormat(), gui::PictureBitmap::Format::Grey8);
}

TEST_F(CoverPicture, BeforeAnyCoverAndWithoutAnAddressTheBoxIsEmpty) {
    QueueReply(SongLinkReply({DefaultSong()}));
    TdlForm& form = OpenWindow();
    EXPECT_EQ(form.img1.CurrentPicture(), nullptr);
    ExpectEmptyBox(form);
    EXPECT_TRUE(CoverTargets().empty());
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(CoverPicture, ACutShortJpegDecodesWithoutFailure) {
    const std::string whole = QuadrantJpeg(150);
    const std::size_t sos = whole.find("\xFF\xDA");
    ASSERT_NE(sos, std::string::npos);
    const std::string cut = whole.substr(0, sos + (whole.size() - sos) / 3);

    QueueReply(SongLinkReply({WithCover(kCoverPath)}));
    QueueCover(kCoverPath, cut);
    TdlForm& form = OpenWindow();
    ExpectPixels(gt::Grab(form.img1), {{0, 0, kRed}, {149, 0, kGreen}});
    gt::ProcessEvents();
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(CoverPicture, AFailedFetchOrHeaderKeepsThePreviousCover) {
    const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0", 29);
    struct Case {
        const char* name;
        int status;
        std::string body;
        std::string type;
        std::string failure;
    };
    const Case cases[] = {
        {"PNG picture", 200, png, "image/png", JpegFailure(JERR_NO_SOI)},
        {"HTML error page", 200, "<html><body><h1>Service Unavailable</h1></body></html>",
         "text/html", JpegFailure(JERR_NO_SOI)},
        {"not found", 404, "<html><body>404</body></html>", "text/html", "HTTP/1.1 404 Not Found."},
    };
    TdlForm& form = OpenWindowWithRedCover();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const gui::Picture* previous = form.img1.CurrentPicture();
        QueueReply(SongLinkReply({WithCover(kCoverPath)}));
        QueueCover(kCoverPath, c.body, c.status, c.type);
        gt::ModalBoxRecorder recorded;
        gt::Click(form.btn3);
        ExpectOneBox(recorded.Boxes(), gt::BoxKind::Failure, c.failure);
        EXPECT_EQ(form.img1.CurrentPicture(), previous);
        ExpectPixels(gt::Grab(form.img1), {{0, 0, kRed}, {149, 149, kRed}});
    }
}

TEST_F(CoverPicture, AnEmptyBodyIsTakenAndFailsOnceWhenDrawn) {
    TdlForm& form = OpenWindowWithRedCover();
    QueueReply(SongLinkReply({WithCover(kCoverPath)}));
    QueueCover(kCoverPath, "");
    gt::Click(form.btn4);
    EXPECT_TRUE(boxes.Boxes().empty());

    gt::Grab(form.img1);
    gt::ProcessEvents();
    ExpectOneBox(boxes.Boxes(), gt::BoxKind::Failure, JpegFailure(JERR_INPUT_EMPTY));
    // Drawn again: nothing, and no second report.
    ExpectEmptyBox(form);
    gt::ProcessEvents();
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(CoverPicture, AnEmptyAddressAfterACoverKeepsIt) {
    TdlForm& form = OpenWindowWithRedCover();
    const gui::Picture* previous = form.img1.CurrentPicture();
    QueueReply(SongLinkReply({DefaultSong()}));
    gt::Click(form.btn5);
    EXPECT_EQ(form.img1.CurrentPicture(), previous);
    ExpectPixels(gt::Grab(form.img1), {{0, 0, kRed}, {149, 149, kRed}});
    EXPECT_EQ(CoverTargets(), std::vector<std::string>{kCoverPath});
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(CoverPicture, TwoElementsFetchBothCoversInOrderAndShowTheSecond) {
    QueueReply(
        SongLinkReply({WithCover("/data2/pic/first.jpg"), WithCover("/data2/pic/second.jpg")}));
    QueueCover("/data2/pic/first.jpg", FlatJpeg(150, kRed));
    QueueCover("/data2/pic/second.jpg", FlatJpeg(150, kBlue));
    TdlForm& form = OpenWindow();
    EXPECT_EQ(CoverTargets(),
              (std::vector<std::string>{"/data2/pic/first.jpg", "/data2/pic/second.jpg"}));
    ExpectPixels(gt::Grab(form.img1), {{0, 0, kBlue}, {149, 149, kBlue}});
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(CoverPicture, AQualityButtonFetchesTheSameAddressAgain) {
    TdlForm& form = OpenWindowWithRedCover();
    QueueReply(SongLinkReply({WithCover(kCoverPath)}));
    QueueCover(kCoverPath, FlatJpeg(150, kGreen));
    gt::Click(form.btn6);
    EXPECT_EQ(CoverTargets(), (std::vector<std::string>{kCoverPath, kCoverPath}));
    ExpectPixels(gt::Grab(form.img1), {{0, 0, kGreen}, {149, 149, kGreen}});
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(CoverPicture, TheWindowKeepsItsHttpClientAndCookiesBetweenFetches) {
    server.Queue(kCoverPath, {200, FlatJpeg(150, kRed), "image/jpeg", {{"Set-Cookie", "visit=1"}}});
    QueueReply(SongLinkReply({WithCover(kCoverPath)}));
    TdlForm& form = OpenWindow();
    const TNetCookieManager* cookies = form.http1.CookieManager();
    ASSERT_NE(cookies, nullptr);

    QueueReply(SongLinkReply({WithCover(kCoverPath)}));
    QueueCover(kCoverPath, FlatJpeg(150, kGreen));
    gt::Click(form.btn3);
    EXPECT_EQ(form.http1.CookieManager(), cookies);
    EXPECT_EQ(form.http1.Request().RawHeaders().Value("Cookie"), "visit=1");
    EXPECT_TRUE(boxes.Boxes().empty());
}

} // namespace
