#include "covers.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <stdexcept>

namespace melvanto::music_service {

namespace {

struct CoverKind {
    int size;
    bool grey;
    bool progressive;
};

constexpr std::array kCoverKinds = {
    CoverKind{150, false, false}, CoverKind{300, false, false}, CoverKind{90, false, false},
    CoverKind{150, true, false},  CoverKind{300, false, true},  CoverKind{500, false, false},
    CoverKind{150, false, true},  CoverKind{300, false, false},
};

struct Rgb {
    double r, g, b;
};

Rgb hue(double degrees) {
    const double h = std::fmod(degrees, 360.0) / 60.0;
    const double x = 1.0 - std::fabs(std::fmod(h, 2.0) - 1.0);
    switch (static_cast<int>(h)) {
    case 0:
        return {1, x, 0};
    case 1:
        return {x, 1, 0};
    case 2:
        return {0, 1, x};
    case 3:
        return {0, x, 1};
    case 4:
        return {x, 0, 1};
    default:
        return {1, 0, x};
    }
}

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// The design of picture `index` at pixel (x, y), both in 0..1.
Rgb pixel(int index, double x, double y) {
    const Rgb from = hue(index * 47.0);
    const Rgb to = mix(hue(index * 47.0 + 150.0), Rgb{0.1, 0.1, 0.15}, 0.5);
    Rgb colour = mix(from, to, (x + y) / 2.0);
    // A ring whose place and width change from picture to picture.
    const double cx = 0.35 + 0.05 * (index % 4), cy = 0.4 + 0.04 * (index % 3);
    const double radius = 0.22 + 0.02 * (index % 5);
    const double distance = std::hypot(x - cx, y - cy);
    if (std::fabs(distance - radius) < 0.03 + 0.01 * (index % 2))
        colour = Rgb{1, 1, 1};
    else if (distance < radius * 0.35)
        colour = mix(colour, Rgb{0, 0, 0}, 0.6);
    // A band of diagonal stripes near the bottom.
    if (y > 0.78 && y < 0.9 && static_cast<int>((x + y) * (8 + index)) % 2 == 0)
        colour = mix(colour, Rgb{1, 1, 1}, 0.7);
    return colour;
}

unsigned char channel(double value) {
    const double clamped = value < 0 ? 0 : value > 1 ? 1 : value;
    return static_cast<unsigned char>(std::lround(clamped * 255.0));
}

void throwOnError(j_common_ptr info) {
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    throw std::runtime_error(std::string("libjpeg: ") + message);
}

std::string encode(int index, const CoverKind& kind) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = throwOnError;
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    std::string jpeg;
    try {
        jpeg_mem_dest(&info, &buffer, &length);
        info.image_width = static_cast<JDIMENSION>(kind.size);
        info.image_height = static_cast<JDIMENSION>(kind.size);
        info.input_components = kind.grey ? 1 : 3;
        info.in_color_space = kind.grey ? JCS_GRAYSCALE : JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, 85, TRUE);
        if (kind.progressive) jpeg_simple_progression(&info);
        jpeg_start_compress(&info, TRUE);
        std::vector<unsigned char> row(static_cast<size_t>(kind.size * info.input_components));
        while (info.next_scanline < info.image_height) {
            const double y = static_cast<double>(info.next_scanline) / kind.size;
            for (int column = 0; column < kind.size; ++column) {
                const Rgb c = pixel(index, static_cast<double>(column) / kind.size, y);
                if (kind.grey) {
                    row[static_cast<size_t>(column)] =
                        channel(0.299 * c.r + 0.587 * c.g + 0.114 * c.b);
                } else {
                    row[static_cast<size_t>(column) * 3] = channel(c.r);
                    row[static_cast<size_t>(column) * 3 + 1] = channel(c.g);
                    row[static_cast<size_t>(column) * 3 + 2] = channel(c.b);
                }
            }
            JSAMPROW rows[1] = {row.data()};
            jpeg_write_scanlines(&info, rows, 1);
        }
        jpeg_finish_compress(&info);
        jpeg.assign(reinterpret_cast<const char*>(buffer), length);
    } catch (...) {
        jpeg_destroy_compress(&info);
        free(buffer);
        throw;
    }
    jpeg_destroy_compress(&info);
    free(buffer);
    return jpeg;
}

} // namespace

std::vector<Cover> MakeCovers() {
    std::vector<Cover> covers;
    for (size_t i = 0; i < kCoverKinds.size(); ++i) {
        const CoverKind& kind = kCoverKinds[i];
        Cover cover;
        cover.size = kind.size;
        cover.grey = kind.grey;
        cover.progressive = kind.progressive;
        cover.name = "cover" + std::to_string(i) + "_" + std::to_string(kind.size) + "x" +
                     std::to_string(kind.size) + (kind.grey ? "_grey" : "") +
                     (kind.progressive ? "_progressive" : "") + ".jpg";
        cover.jpeg = encode(static_cast<int>(i), kind);
        covers.push_back(std::move(cover));
    }
    return covers;
}

} // namespace melvanto::music_service
