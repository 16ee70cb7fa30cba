#pragma once
// A stream that passes everything on to another one but lets a reply body grow only up
// to a limit past the position it started at. A body that would go beyond it fails with
// "Reply body too large (over 64 MiB)." (the limit in MiB) instead of taking all memory.

#include "base/memory_stream.h"

#include <cstdint>

namespace melvanto {

class TNetBodyLimitStream final : public TStream {
public:
    static constexpr int64_t DefaultMaxBodySize = int64_t{64} << 20;

    TNetBodyLimitStream(TStream& target, int64_t limit)
        : m_target(target), m_start(target.Position()), m_limit(limit) {}

    // Fails unless count more bytes fit into the body.
    void CheckRoom(int64_t count) const;

    int64_t Size() const override { return m_target.Size(); }
    void SetSize(int64_t size) override { m_target.SetSize(size); }
    int64_t Position() const override { return m_target.Position(); }
    void SetPosition(int64_t position) override { m_target.SetPosition(position); }
    void Write(const void* data, size_t count) override;
    size_t Read(void* data, size_t count) override { return m_target.Read(data, count); }

private:
    TStream& m_target;
    int64_t m_start;
    int64_t m_limit;
};

} // namespace melvanto
