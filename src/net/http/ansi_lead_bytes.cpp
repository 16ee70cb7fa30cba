#include "net/http/ansi_lead_bytes.h"

#include "platform/codepage/codepage.h"

#include <array>
#include <mutex>
#include <string>

namespace melvanto {

namespace {

// A byte leads a double-byte character when, followed by some second byte, the code
// page reads the pair as one character. Learned once per code page. UTF-8 is no
// double-byte code page: none of its sequences holds an ASCII byte.
std::array<bool, 256> learnLeadBytes(const std::string& codeSet) {
    std::array<bool, 256> lead{};
    if (codeSet == "UTF-8") return lead;
    for (int first = 0x80; first <= 0xFF; ++first) {
        for (int second = 0x40; second <= 0xFE && !lead[first]; ++second) {
            const char pair[2] = {static_cast<char>(first), static_cast<char>(second)};
            lead[first] = AnsiToWide(std::string_view(pair, 2)).size() == 1;
        }
    }
    return lead;
}

} // namespace

bool IsAnsiLeadByte(unsigned char byte) {
    if (byte < 0x80) return false;
    static std::mutex mutex;
    static std::string learnedFor;
    static std::array<bool, 256> lead{};
    std::lock_guard lock(mutex);
    const std::string codeSet = AnsiCodeSet();
    if (codeSet != learnedFor) {
        lead = learnLeadBytes(codeSet);
        learnedFor = codeSet;
    }
    return lead[byte];
}

} // namespace melvanto
