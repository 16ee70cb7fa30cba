// Number tokens: integers, currency amounts (up to four decimals) and doubles.

#include "json/json_char_classes.h"
#include "json/json_tokenizer.h"
#include "json/json_value.h"

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

namespace melvanto {

using namespace json_chars;

namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

// An optional sign, then digits up to the first character that is not one, read from
// `head` and, when all of it was read, on into `tail`; nothing read is 0. Values beyond
// the 64-bit range stop at its ends.
int64_t readInteger(std::u16string_view head, std::u16string_view tail = {}) noexcept {
    size_t i = 0;
    bool negative = false;
    if (i < head.size() && (head[i] == u'-' || head[i] == u'+')) negative = head[i++] == u'-';
    const uint64_t limit = negative ? uint64_t{1} << 63 : static_cast<uint64_t>(kMax);
    uint64_t magnitude = 0;
    bool stopped = false;
    auto readDigits = [&](std::u16string_view text, size_t from) {
        for (size_t k = from; k < text.size(); ++k) {
            if (!IsDigit(text[k])) {
                stopped = true;
                return;
            }
            const uint64_t digit = text[k] - u'0';
            if (magnitude > (limit - digit) / 10) {
                magnitude = limit;
                stopped = true;
                return;
            }
            magnitude = magnitude * 10 + digit;
        }
    };
    readDigits(head, i);
    if (!stopped) readDigits(tail, 0);
    if (!negative) return static_cast<int64_t>(magnitude);
    return magnitude == uint64_t{1} << 63 ? kMin : -static_cast<int64_t>(magnitude);
}

int64_t scaled(int64_t value, int64_t factor) noexcept {
    if (value > kMax / factor) return kMax;
    if (value < kMin / factor) return kMin;
    return value * factor;
}

// Decimal conversion of the token (ASCII: only + - . 0-9 E e), independent of the
// locale; the longest part that reads as a number counts, nothing readable is 0.
double readDouble(std::u16string_view token) {
    std::string narrow(token.begin(), token.end());
    double value = 0.0;
    const auto result = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: the C library gives infinity or the
        // nearest small value.
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
        return strtod_l(narrow.c_str(), nullptr, cLocale);
    }
    return result.ec == std::errc() ? value : 0.0;
}

} // namespace

TJsonTokenizer::Step TJsonTokenizer::startNumber() {
    m_accumulator.Clear();
    m_fraction = false;
    m_decimals = -1;
    m_numberStart = m_position;
    level().state = JsonParseState::NumberText;
    return Step::Redo;
}

TJsonTokenizer::Step TJsonTokenizer::onNumberText(char16_t c) {
    // The token's characters are the text from m_numberStart on: they are counted here
    // and read in one piece when the token ends.
    while (IsNumberCharacter(c)) {
        if (c == u'.') {
            m_fraction = true;
            m_decimals = 0;
        } else if (c == u'E' || c == u'e') {
            m_fraction = true;
            m_decimals = -1;
        } else if (IsDigit(c) && m_fraction && m_decimals != -1 && ++m_decimals > 4) {
            m_decimals = -1;
        }
        ++m_position;
        c = atEnd() ? u'\0' : m_text[m_position];
    }
    finishWith(makeNumber(m_text.substr(m_numberStart, m_position - m_numberStart)));
    return finishedOn(c);
}

IJsonValue TJsonTokenizer::makeNumber(std::u16string_view token) const {
    if (!m_fraction) {
        const int64_t value = readInteger(token);
        if (pathMode() && m_root->Kind() == JsonKind::Array) {
            if (value < 0 || value > std::numeric_limits<int32_t>::max()) return {};
            return m_root->ArrayView()->ItemAt(static_cast<int32_t>(value));
        }
        return NewJsonValue(value);
    }
    if (m_decimals >= 0) {
        // Without the first point, and with exactly the counted decimals after it.
        const size_t point = token.find(u'.');
        const int64_t count = readInteger(token.substr(0, point),
                                          token.substr(point + 1, static_cast<size_t>(m_decimals)));
        static constexpr int64_t kFactors[] = {10000, 1000, 100, 10, 1};
        return NewJsonValue(JsonCurrency{scaled(count, kFactors[m_decimals])});
    }
    return NewJsonValue(readDouble(token));
}

} // namespace melvanto
