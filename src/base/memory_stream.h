#pragma once
// Seekable byte streams: the HTTP client writes reply bodies into one, the cover step
// reads the picture back from it.

#include <cstddef>
#include <cstdint>

namespace melvanto {

class TStream {
public:
    virtual ~TStream() = default;
    virtual int64_t Size() const = 0;
    // Grows or cuts the stream; the position is left where it was (but never past the end).
    virtual void SetSize(int64_t size) = 0;
    virtual int64_t Position() const = 0;
    virtual void SetPosition(int64_t position) = 0;
    // Writes at the position and moves it on; the stream grows when needed.
    virtual void Write(const void* data, size_t count) = 0;
    // Reads up to count bytes from the position; gives the number read.
    virtual size_t Read(void* data, size_t count) = 0;
};

// A growable block of bytes. Growing does not clear the new bytes: they are only ever
// read after they have been written.
class TMemoryStream final : public TStream {
public:
    TMemoryStream() = default;
    ~TMemoryStream() override;
    TMemoryStream(const TMemoryStream&) = delete;
    TMemoryStream& operator=(const TMemoryStream&) = delete;

    int64_t Size() const override { return static_cast<int64_t>(m_size); }
    void SetSize(int64_t size) override;
    int64_t Position() const override { return static_cast<int64_t>(m_position); }
    void SetPosition(int64_t position) override;
    void Write(const void* data, size_t count) override;
    size_t Read(void* data, size_t count) override;

    const uint8_t* Data() const { return m_data; }

private:
    void reserve(size_t capacity);

    uint8_t* m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
    size_t m_position = 0;
};

} // namespace melvanto
