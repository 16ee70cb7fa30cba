#include "platform/jpeg/jpeg_image.h"

#include "base/memory_stream.h"

namespace melvanto {

void TJPEGImage::LoadFromStream(TStream& stream) {
    const int64_t remaining = stream.Size() - stream.Position();
    auto bytes = std::make_shared<std::vector<std::uint8_t>>(
        static_cast<std::size_t>(remaining > 0 ? remaining : 0));
    bytes->resize(stream.Read(bytes->data(), bytes->size()));

    m_data = std::move(bytes);
    m_header = JpegHeader{};
    m_bitmap = gui::PictureBitmap();
    m_decoded = false;
    if (!m_data->empty()) m_header = ReadJpegHeader(m_data->data(), m_data->size());
}

void TJPEGImage::Decode() {
    if (m_decoded) return;
    m_decoded = true;
    m_bitmap = gui::PictureBitmap(m_header.width, m_header.height,
                                  m_header.grey ? gui::PictureBitmap::Format::Grey8
                                                : gui::PictureBitmap::Format::Rgb24);
    const std::uint8_t* data = m_data ? m_data->data() : nullptr;
    const std::size_t size = m_data ? m_data->size() : 0;
    DecodeJpeg(data, size, m_header, m_bitmap.Empty() ? nullptr : m_bitmap.Row(0));
}

} // namespace melvanto
