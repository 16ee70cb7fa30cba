#include "net/http/body_limit_stream.h"

#include "base/errors.h"

#include <string>

namespace melvanto {

void TNetBodyLimitStream::CheckRoom(int64_t count) const {
    const int64_t written = m_target.Position() - m_start;
    if (count > m_limit - written)
        throw ENetException("Reply body too large (over " + std::to_string(m_limit >> 20) +
                            " MiB).");
}

void TNetBodyLimitStream::Write(const void* data, size_t count) {
    CheckRoom(static_cast<int64_t>(count));
    m_target.Write(data, count);
}

} // namespace melvanto
