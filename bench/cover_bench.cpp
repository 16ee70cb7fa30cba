// The cover step of the detail window beside its floor, for one 500 x 500 JPEG served
// over loopback by a server in this process:
//
//   cover_step          loadCoverPicture (fetch with the window's http1, header read, hand
//                       to img1) and the first drawing of img1, which decodes the picture
//   bare_get_and_decode one GET of the same bytes with a TNetHTTP of its own, then a bare
//                       libjpeg decode of them into a buffer (same settings: islow DCT,
//                       smooth upsampling, RGB)
//
// The ratio cover_step / bare_get_and_decode is the cost of the program's own layers.
// Run the release build with medians:
//   bench_cover --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

#include "app/application.h"
#include "base/memory_stream.h"
#include "net/http/http_client.h"
#include "platform/gui/application.h"
#include "platform/gui/testing.h"
#include "service/service_hosts.h"
#include "support/jpeg_writer.h"
#include "support/loopback_http_server.h"
#include "ui/download/dl_form.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

using namespace melvanto;

namespace {

constexpr char kCoverPath[] = "/data2/pic/cover5_500x500.jpg";
constexpr int kCoverSize = 500;

// Smooth gradients with some texture, at a photo's usual quality: a cover's typical work.
std::string coverJpeg() {
    return test::WriteJpeg({kCoverSize, kCoverSize,
                            [](int x, int y) {
                                const int texture = (x * 7 + y * 13) % 23;
                                return test::Rgb{static_cast<std::uint8_t>(x / 2 + texture),
                                                 static_cast<std::uint8_t>(y / 2 + texture),
                                                 static_cast<std::uint8_t>((x + y) / 4)};
                            },
                            false, false, 90});
}

struct Fixture {
    Fixture() : jpeg(coverJpeg()) {
        server.Reply(kCoverPath, {200, jpeg, "image/jpeg"});
        form = std::make_unique<TdlForm>(ServiceHosts::AllOn(server.Host()));
        form->Show();
    }
    std::string jpeg;
    test::LoopbackHttpServer server;
    std::unique_ptr<TdlForm> form;
};

Fixture* g_fixture = nullptr;

// A bare libjpeg decode; the default error handler ends the program on a fatal error,
// which the well-formed bench picture never meets.
void bareDecode(const TMemoryStream& bytes, std::vector<std::uint8_t>& pixels) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.Data(), static_cast<unsigned long>(bytes.Size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_fancy_upsampling = TRUE;
    jpeg_start_decompress(&cinfo);
    const size_t rowBytes = static_cast<size_t>(cinfo.output_width) * 3;
    pixels.resize(rowBytes * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels.data() + cinfo.output_scanline * rowBytes;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
}

void cover_step(benchmark::State& state) {
    TdlForm& form = *g_fixture->form;
    const std::string url = g_fixture->server.Url(kCoverPath);
    for (auto _ : state) {
        form.loadCoverPicture(url);
        const gui::PictureBitmap shot = gui::test::Grab(form.img1);
        benchmark::DoNotOptimize(shot.Row(0));
    }
    if (gui::test::Grab(form.img1).At(149, 149) == gui::PictureBitmap::Pixel{0, 0, 0})
        state.SkipWithError("the cover was not drawn");
}

void bare_get_and_decode(benchmark::State& state) {
    TNetHTTP http;
    const std::string url = g_fixture->server.Url(kCoverPath);
    std::vector<std::uint8_t> pixels;
    for (auto _ : state) {
        TMemoryStream bytes;
        http.FetchToStream(url, bytes);
        bareDecode(bytes, pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
}

BENCHMARK(cover_step)->Unit(benchmark::kMicrosecond);
BENCHMARK(bare_get_and_decode)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    gui::Application platform(argc, argv);
    Application application;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    Fixture fixture;
    g_fixture = &fixture;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
