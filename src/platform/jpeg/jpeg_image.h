#pragma once
// TJPEGImage: a JPEG picture for the image box. It keeps the compressed bytes of one JPEG
// file and what its header says; the pixels are decoded on the first drawing, once.
//
//     TJPEGImage picture;
//     picture.LoadFromStream(buffer);                         // header read here
//     box.SetPicture(std::make_unique<TJPEGImage>(picture));   // shares the bytes

#include "platform/gui/picture.h"
#include "platform/jpeg/jpeg_codec.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace melvanto {

class TStream;

class TJPEGImage final : public gui::Picture {
public:
    TJPEGImage() = default;
    // A copy shares the compressed bytes and copies the decoded bitmap, if there is one.
    TJPEGImage(const TJPEGImage&) = default;
    TJPEGImage& operator=(const TJPEGImage&) = default;

    // Takes its own copy of every byte from the stream's position to its end, dropping the
    // previous contents and bitmap, and reads the header when there is at least one byte
    // (EJPEG when it cannot be read). Zero bytes load without a header: an empty picture
    // whose decoding fails.
    void LoadFromStream(TStream& stream);

    int Width() const { return m_header.width; }
    int Height() const { return m_header.height; }
    bool Grayscale() const { return m_header.grey; }
    bool ProgressiveEncoding() const { return m_header.progressive; }
    // The compressed bytes, shared between copies; null before the first load.
    const std::shared_ptr<const std::vector<std::uint8_t>>& Data() const { return m_data; }

    // Makes the bitmap (grey 8-bit for a grey picture, else 24-bit), then decodes into it;
    // only the first call decodes, so a failure is not met again. EJPEG on a fatal error,
    // with the rows decoded before it kept.
    void Decode() override;
    const gui::PictureBitmap& Pixels() const override { return m_bitmap; }
    bool Decoded() const { return m_decoded; }

private:
    std::shared_ptr<const std::vector<std::uint8_t>> m_data;
    JpegHeader m_header;
    gui::PictureBitmap m_bitmap;
    bool m_decoded = false;
};

} // namespace melvanto
