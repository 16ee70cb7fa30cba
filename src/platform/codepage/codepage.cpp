#include "platform/codepage/codepage.h"

#include <cerrno>
#include <iconv.h>
#include <langinfo.h>
#include <memory>
#include <mutex>

namespace melvanto {

namespace {

std::mutex g_pinMutex;
std::string g_pinnedCodeSet;

std::string localeCodeSet() {
    std::string codeset = nl_langinfo(CODESET);
    if (codeset.empty() || codeset == "ANSI_X3.4-1968" || codeset == "ASCII" ||
        codeset == "US-ASCII")
        return "UTF-8";
    return codeset;
}

// One iconv descriptor pair per codeset, reused by the thread that opened it.
class Converter {
public:
    Converter(const std::string& from, const std::string& to)
        : m_cd(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (valid()) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts the bytes; an input sequence the target cannot hold, or an invalid one,
    // is replaced by `replacement` and skipped by `skipUnit` bytes.
    std::string run(const char* in, size_t inLeft, const std::string& replacement,
                    size_t skipUnit) {
        std::string out;
        out.resize(inLeft * 2 + 16);
        char* outPtr = out.data();
        size_t outLeft = out.size();
        char* inPtr = const_cast<char*>(in);
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            size_t r = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
            if (r != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) {
                size_t used = static_cast<size_t>(outPtr - out.data());
                out.resize(out.size() * 2 + 16);
                outPtr = out.data() + used;
                outLeft = out.size() - used;
                continue;
            }
            // EILSEQ or EINVAL: emit the replacement and step over one unit.
            size_t used = static_cast<size_t>(outPtr - out.data());
            if (outLeft < replacement.size()) {
                out.resize(out.size() * 2 + 16);
                outPtr = out.data() + used;
                outLeft = out.size() - used;
            }
            for (char c : replacement) {
                *outPtr++ = c;
                --outLeft;
            }
            size_t skip = skipUnit;
            if (skipUnit == 2 && inLeft >= 4) {
                // A surrogate pair is one character: replace it once.
                auto unit = [&](size_t k) {
                    return static_cast<unsigned char>(inPtr[k]) |
                           (static_cast<unsigned char>(inPtr[k + 1]) << 8);
                };
                if (unit(0) >= 0xD800 && unit(0) < 0xDC00 && unit(2) >= 0xDC00 &&
                    unit(2) < 0xE000)
                    skip = 4;
            }
            skip = skip < inLeft ? skip : inLeft;
            inPtr += skip;
            inLeft -= skip;
        }
        out.resize(static_cast<size_t>(outPtr - out.data()));
        return out;
    }

private:
    iconv_t m_cd;
};

struct ThreadConverters {
    std::string codeset;
    std::unique_ptr<Converter> toWide;
    std::unique_ptr<Converter> fromWide;
};

std::string currentCodeSet() {
    std::lock_guard lock(g_pinMutex);
    return g_pinnedCodeSet.empty() ? localeCodeSet() : g_pinnedCodeSet;
}

ThreadConverters& converters() {
    thread_local ThreadConverters tc;
    std::string codeset = currentCodeSet();
    if (!tc.toWide || tc.codeset != codeset) {
        tc.codeset = codeset;
        tc.toWide = std::make_unique<Converter>(codeset, "UTF-16LE");
        tc.fromWide = std::make_unique<Converter>("UTF-16LE", codeset);
        if (!tc.toWide->valid() || !tc.fromWide->valid()) {
            tc.codeset = "UTF-8";
            tc.toWide = std::make_unique<Converter>("UTF-8", "UTF-16LE");
            tc.fromWide = std::make_unique<Converter>("UTF-16LE", "UTF-8");
        }
    }
    return tc;
}

std::u16string bytesToWide(const std::string& bytes) {
    std::u16string wide(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < wide.size(); ++i)
        wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return wide;
}

std::string wideToBytes(std::u16string_view wide) {
    std::string bytes(wide.size() * 2, '\0');
    for (size_t i = 0; i < wide.size(); ++i) {
        bytes[2 * i] = static_cast<char>(wide[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(wide[i] >> 8);
    }
    return bytes;
}

const std::string kWideQuestion("?\0", 2);

} // namespace

std::u16string AnsiToWide(std::string_view ansi) {
    if (ansi.empty()) return {};
    return bytesToWide(converters().toWide->run(ansi.data(), ansi.size(), kWideQuestion, 1));
}

std::string WideToAnsi(std::u16string_view wide) {
    if (wide.empty()) return {};
    std::string bytes = wideToBytes(wide);
    return converters().fromWide->run(bytes.data(), bytes.size(), "?", 2);
}

std::u16string Utf8ToWide(std::string_view utf8) {
    thread_local Converter cd("UTF-8", "UTF-16LE");
    if (utf8.empty()) return {};
    return bytesToWide(cd.run(utf8.data(), utf8.size(), std::string("\xFD\xFF", 2), 1));
}

std::string WideToUtf8(std::u16string_view wide) {
    thread_local Converter cd("UTF-16LE", "UTF-8");
    if (wide.empty()) return {};
    std::string bytes = wideToBytes(wide);
    return cd.run(bytes.data(), bytes.size(), "\xEF\xBF\xBD", 2);
}

std::string AnsiCodeSet() { return converters().codeset; }

void PinAnsiCodePageForTesting(const std::string& codeset) {
    std::lock_guard lock(g_pinMutex);
    g_pinnedCodeSet = codeset;
}

} // namespace melvanto
