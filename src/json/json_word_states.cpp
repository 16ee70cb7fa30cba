// The words null, true and false, and barewords: unquoted strings in parse mode.

#include "json/json_char_classes.h"
#include "json/json_tokenizer.h"
#include "json/json_value.h"

#include <algorithm>

namespace melvanto {

using namespace json_chars;

namespace {

// Whether the first min(count, word length) units of `text` and `word` agree.
bool agrees(std::u16string_view text, std::u16string_view word, size_t count) noexcept {
    size_t n = std::min(count, word.size());
    return text.substr(0, n) == word.substr(0, n);
}

} // namespace

TJsonTokenizer::Step TJsonTokenizer::onWord(char16_t c, bool boolean) {
    m_accumulator.Append(c);
    const std::u16string_view text = m_accumulator.Content();
    const size_t count = static_cast<size_t>(m_literalPosition) + 1;
    std::u16string_view word;
    IJsonValue literal;
    if (!boolean) {
        if (agrees(text, u"null", count)) word = u"null";
    } else if (agrees(text, u"true", count)) {
        word = u"true";
    } else if (agrees(text, u"false", count)) {
        word = u"false";
    }

    if (word.empty()) {
        m_accumulator.DropLast();
        level().state = JsonParseState::Bareword;
        return Step::Redo;
    }
    if (static_cast<size_t>(m_literalPosition) < word.size()) {
        ++m_literalPosition;
        return Step::Consume;
    }
    // The character after the complete word: a word going on is a bareword.
    if (IsWordContinuing(c) || c >= 0x100) {
        level().state = JsonParseState::Bareword;
        ++m_literalPosition;
        return Step::Consume;
    }
    if (word == u"null")
        finishWith(NewJsonValue(JsonKind::Null));
    else
        finishWith(NewJsonValue(word == u"true"));
    return finishedOn(c);
}

bool TJsonTokenizer::endsBareword(char16_t c) const noexcept {
    if (c == u'\0') return true;
    if (m_depth == 0) return false;
    switch (levelAt(m_depth - 1).state) {
    case JsonParseState::ArrayItemDone:
        return c == u',' || c == u']';
    case JsonParseState::MemberValueDone:
        return c == u',' || c == u'}';
    default:
        return false;
    }
}

TJsonTokenizer::Step TJsonTokenizer::onBareword(char16_t c) {
    if (c < 0x100 && endsBareword(c)) {
        m_accumulator.TrimTrailing();
        finishWith(NewJsonValue(std::u16string_view(m_accumulator.ContentToNul())));
        return finishedOn(c);
    }
    if (c == u'\\') return startEscape(JsonParseState::Bareword);
    // The run up to the next backslash or character that may end the bareword.
    const char16_t* begin = m_text.data() + m_position;
    const char16_t* end = m_text.data() + m_text.size();
    const char16_t* p = begin + 1;
    while (p != end && *p != u'\\' && !(*p < 0x100 && endsBareword(*p)))
        ++p;
    m_accumulator.EmitAll({begin, static_cast<size_t>(p - begin)});
    m_position += static_cast<size_t>(p - begin);
    return Step::Redo;
}

} // namespace melvanto
