#include "platform/jpeg/jpeg_codec.h"

#include "base/errors.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>

// jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace melvanto {

namespace {

// libjpeg's error manager with the place to jump back to on a fatal error.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

extern "C" void exitOnFatal(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings and trace messages are dropped: damaged or short data decodes as far as it goes.
extern "C" void dropMessage(j_common_ptr, int) {}

void installErrorManager(jpeg_decompress_struct& cinfo, ErrorManager& errors) {
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = exitOnFatal;
    errors.pub.emit_message = dropMessage;
}

// The functions below hold setjmp. Between setjmp and a longjmp back to it only libjpeg and
// these plain C-style frames run, with no C++ object that needs its destructor; each returns
// 0 or libjpeg's message code, and the caller throws.

int readHeaderC(jpeg_decompress_struct* cinfo, ErrorManager* errors, const std::uint8_t* data,
                std::size_t size, JpegHeader* header) {
    if (setjmp(errors->jump)) {
        const int code = errors->pub.msg_code;
        jpeg_destroy_decompress(cinfo);
        return code;
    }
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(cinfo, TRUE);
    header->width = static_cast<int>(cinfo->image_width);
    header->height = static_cast<int>(cinfo->image_height);
    header->grey = cinfo->jpeg_color_space == JCS_GRAYSCALE;
    header->progressive = jpeg_has_multiple_scans(cinfo) != 0;
    jpeg_destroy_decompress(cinfo);
    return 0;
}

int decodeC(jpeg_decompress_struct* cinfo, ErrorManager* errors, const std::uint8_t* data,
            std::size_t size, const JpegHeader* header, std::uint8_t* pixels) {
    if (setjmp(errors->jump)) {
        const int code = errors->pub.msg_code;
        jpeg_destroy_decompress(cinfo);
        return code;
    }
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(cinfo, TRUE);
    cinfo->out_color_space = header->grey ? JCS_GRAYSCALE : JCS_RGB;
    cinfo->dct_method = JDCT_ISLOW;
    cinfo->do_fancy_upsampling = TRUE;
    cinfo->scale_num = 1;
    cinfo->scale_denom = 1;
    jpeg_start_decompress(cinfo);

    const std::size_t pixelBytes = header->grey ? 1 : 3;
    const std::size_t rowBytes = static_cast<std::size_t>(header->width) * pixelBytes;
    const std::size_t decodedBytes =
        static_cast<std::size_t>(cinfo->output_width) * cinfo->output_components;
    const bool direct =
        decodedBytes == rowBytes && static_cast<int>(cinfo->output_height) == header->height;
    // Only for bytes that do not match the header the bitmap was made from: decode into a
    // row of libjpeg's own and copy what fits.
    JSAMPARRAY scratch =
        direct ? nullptr
               : (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                             static_cast<JDIMENSION>(decodedBytes), 1);
    while (cinfo->output_scanline < cinfo->output_height) {
        const std::size_t y = cinfo->output_scanline;
        if (direct) {
            JSAMPROW row = pixels + y * rowBytes;
            jpeg_read_scanlines(cinfo, &row, 1);
        } else {
            jpeg_read_scanlines(cinfo, scratch, 1);
            if (y < static_cast<std::size_t>(header->height))
                std::memcpy(pixels + y * rowBytes, scratch[0], std::min(rowBytes, decodedBytes));
        }
    }
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    return 0;
}

[[noreturn]] void failWith(int code) {
    throw EJPEG("JPEG error #" + std::to_string(code));
}

} // namespace

JpegHeader ReadJpegHeader(const std::uint8_t* data, std::size_t size) {
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    installErrorManager(cinfo, errors);
    JpegHeader header;
    if (const int code = readHeaderC(&cinfo, &errors, data, size, &header)) failWith(code);
    const std::size_t decodedBytes = static_cast<std::size_t>(header.width) *
                                     static_cast<std::size_t>(header.height) *
                                     (header.grey ? 1 : 3);
    if (decodedBytes > kMaxDecodedBytes) failWith(JERR_IMAGE_TOO_BIG);
    return header;
}

void DecodeJpeg(const std::uint8_t* data, std::size_t size, const JpegHeader& header,
                std::uint8_t* pixels) {
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    installErrorManager(cinfo, errors);
    if (const int code = decodeC(&cinfo, &errors, data, size, &header, pixels)) failWith(code);
}

} // namespace melvanto
