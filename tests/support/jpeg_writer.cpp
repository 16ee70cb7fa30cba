#include "support/jpeg_writer.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace melvanto::test {

std::string WriteJpeg(const JpegSpec& spec) {
    // A valid spec never meets a libjpeg error; the default handler ends the test program.
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(spec.width);
    cinfo.image_height = static_cast<JDIMENSION>(spec.height);
    cinfo.input_components = spec.grey ? 1 : 3;
    cinfo.in_color_space = spec.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, spec.quality, TRUE);
    if (spec.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(spec.width) * (spec.grey ? 1 : 3));
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < spec.width; ++x) {
            const Rgb colour = spec.pixel(x, y);
            if (spec.grey) {
                row[x] = colour.red;
            } else {
                row[3 * x] = colour.red;
                row[3 * x + 1] = colour.green;
                row[3 * x + 2] = colour.blue;
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

std::function<Rgb(int, int)> Quadrants(int width, int height, Rgb topLeft, Rgb topRight,
                                       Rgb bottomLeft, Rgb bottomRight) {
    return [=](int x, int y) {
        const bool right = x >= width / 2;
        if (y < height / 2) return right ? topRight : topLeft;
        return right ? bottomRight : bottomLeft;
    };
}

} // namespace melvanto::test
