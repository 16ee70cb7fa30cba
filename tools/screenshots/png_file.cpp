#include "png_file.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace melvanto::screenshots {

namespace {

using Bytes = std::vector<std::uint8_t>;

void appendBigEndian(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// Length, type, data, and the CRC of type and data.
void appendChunk(Bytes& out, std::string_view type, const Bytes& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeStart, static_cast<uInt>(out.size() - typeStart));
    appendBigEndian(out, static_cast<std::uint32_t>(crc));
}

Bytes header(const gui::PictureBitmap& pixels) {
    Bytes data;
    appendBigEndian(data, static_cast<std::uint32_t>(pixels.Width()));
    appendBigEndian(data, static_cast<std::uint32_t>(pixels.Height()));
    const bool grey = pixels.PixelFormat() == gui::PictureBitmap::Format::Grey8;
    // Bit depth 8; colour type grey (0) or RGB (2); deflate; adaptive filters; no interlace.
    data.insert(data.end(), {8, static_cast<std::uint8_t>(grey ? 0 : 2), 0, 0, 0});
    return data;
}

// Each row after a filter byte of 0 (none), deflated.
Bytes compressedRows(const gui::PictureBitmap& pixels) {
    Bytes raw;
    for (int y = 0; y < pixels.Height(); ++y) {
        raw.push_back(0);
        const std::uint8_t* row = pixels.Row(y);
        raw.insert(raw.end(), row, row + pixels.BytesPerRow());
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(size);
    if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("cannot compress the picture");
    packed.resize(size);
    return packed;
}

} // namespace

void WritePng(const std::string& path, const gui::PictureBitmap& pixels) {
    if (pixels.Empty()) throw std::runtime_error("empty picture for " + path);
    Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    appendChunk(file, "IHDR", header(pixels));
    appendChunk(file, "IDAT", compressedRows(pixels));
    appendChunk(file, "IEND", {});
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

} // namespace melvanto::screenshots
