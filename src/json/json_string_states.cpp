// The states that read quoted strings, member names and backslash escapes.

#include "json/json_char_classes.h"
#include "json/json_tokenizer.h"
#include "json/json_value.h"

namespace melvanto {

using namespace json_chars;

namespace {

// How far a run of ordinary characters goes: up to the first of `a` or `b`, or the end.
size_t runLength(std::u16string_view text, char16_t a, char16_t b) noexcept {
    const char16_t* begin = text.data();
    const char16_t* end = begin + text.size();
    const char16_t* p = begin;
    while (p != end && *p != a && *p != b)
        ++p;
    return static_cast<size_t>(p - begin);
}

std::u16string_view upToNul(std::u16string_view text) noexcept {
    return text.substr(0, text.find(u'\0'));
}

} // namespace

TJsonTokenizer::Step TJsonTokenizer::startEscape(JsonParseState resume) noexcept {
    level().resume = resume;
    level().state = JsonParseState::Escape;
    return Step::Consume;
}

TJsonTokenizer::Step TJsonTokenizer::onQuotedString(char16_t c) {
    if (c == m_quote) {
        finishWith(NewJsonValue(std::u16string_view(m_accumulator.Content())));
        return Step::Consume;
    }
    if (c == u'\\') return startEscape(JsonParseState::QuotedString);
    if (atEnd()) {
        m_accumulator.Append(c);
        return Step::Consume;
    }
    // A run of ordinary characters at once; a string without escapes goes straight from
    // the text into its value.
    std::u16string_view rest = m_text.substr(m_position);
    size_t run = runLength(rest, m_quote, u'\\');
    if (run < rest.size() && rest[run] == m_quote && m_accumulator.Length() == 0) {
        finishWith(NewJsonValue(std::u16string_view(rest.substr(0, run))));
        m_position += run;
        return Step::Consume;
    }
    m_accumulator.EmitAll(rest.substr(0, run));
    m_position += run;
    return Step::Redo;
}

TJsonTokenizer::Step TJsonTokenizer::onQuotedName(char16_t c) {
    if (c == m_quote) {
        level().pendingName.assign(m_accumulator.ContentToNul());
        return skipSpaceThen(JsonParseState::NameDone, Step::Consume);
    }
    if (c == u'\\') return startEscape(JsonParseState::QuotedName);
    if (atEnd()) {
        m_accumulator.Append(c);
        return Step::Consume;
    }
    std::u16string_view rest = m_text.substr(m_position);
    size_t run = runLength(rest, m_quote, u'\\');
    if (run < rest.size() && rest[run] == m_quote && m_accumulator.Length() == 0) {
        level().pendingName.assign(upToNul(rest.substr(0, run)));
        m_position += run;
        return skipSpaceThen(JsonParseState::NameDone, Step::Consume);
    }
    m_accumulator.EmitAll(rest.substr(0, run));
    m_position += run;
    return Step::Redo;
}

TJsonTokenizer::Step TJsonTokenizer::onBareName(char16_t c) {
    if (c == u'\0' || c == u':') {
        level().pendingName.assign(m_accumulator.ContentToNul());
        return skipSpaceThen(JsonParseState::NameDone, Step::Redo);
    }
    if (c == u'\\') return startEscape(JsonParseState::BareName);
    m_accumulator.Append(c);
    return Step::Consume;
}

TJsonTokenizer::Step TJsonTokenizer::onEscape(char16_t c) {
    TJsonParseLevel& here = level();
    switch (c) {
    case u'b':
        m_accumulator.Append(u'\b');
        break;
    case u'f':
        m_accumulator.Append(u'\f');
        break;
    case u'n':
        m_accumulator.Append(u'\n');
        break;
    case u'r':
        m_accumulator.Append(u'\r');
        break;
    case u't':
        m_accumulator.Append(u'\t');
        break;
    case u'u':
    case u'x':
        m_escape = 0;
        m_literalPosition = 0;
        here.state = c == u'u' ? JsonParseState::EscapeHex4 : JsonParseState::EscapeHex2;
        return Step::Consume;
    default:
        // \" \\ \/ \' and any other character stand for themselves.
        m_accumulator.Append(c);
        break;
    }
    here.state = here.resume;
    return Step::Consume;
}

TJsonTokenizer::Step TJsonTokenizer::onEscapeHex(char16_t c, int32_t digits) {
    const int value = HexDigitValue(c);
    if (value < 0) return fail(JsonParseFailure::String);
    m_escape = static_cast<uint16_t>(m_escape + (value << (4 * (digits - 1 - m_literalPosition))));
    if (++m_literalPosition == digits) {
        // One code unit: surrogates are neither checked nor joined.
        m_accumulator.Append(static_cast<char16_t>(m_escape));
        level().state = level().resume;
    }
    return Step::Consume;
}

} // namespace melvanto
