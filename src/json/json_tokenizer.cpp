#include "json/json_tokenizer.h"

#include "json/json_char_classes.h"
#include "json/json_value.h"

namespace melvanto {

using namespace json_chars;

void TJsonParseLevel::Reset() noexcept {
    state = JsonParseState::SkipSpace;
    resume = JsonParseState::ValueStart;
    current.Reset();
    pendingName.clear();
    indexOperand.Reset();
    hasIndexOperand = false;
}

IJsonValue TJsonTokenizer::Run(std::u16string_view text) {
    m_text = text;
    m_position = 0;
    for (;;) {
        const char16_t c = m_position < m_text.size() ? m_text[m_position] : u'\0';
        // The commonest step, taken here: no space to skip, on to the state that follows.
        TJsonParseLevel& here = level();
        if (here.state == JsonParseState::SkipSpace && !IsWhitespace(c) && c != u'/')
            here.state = here.resume;
        const Step step = dispatch(c);
        if (step == Step::Stop) break;
        if (step == Step::Redo) continue;
        if (m_position < m_text.size()) {
            ++m_position;
            continue;
        }
        // The terminating U+0000 is consumed: only a comment after the complete top value
        // may have taken it.
        if (m_depth != 0 || levelAt(0).resume != JsonParseState::Finished)
            fail(JsonParseFailure::EndOfText);
        break;
    }
    if (m_failure != JsonParseFailure::None) return {};
    return std::move(levelAt(0).current);
}

TJsonTokenizer::~TJsonTokenizer() {
    for (int32_t depth = m_built - 1; depth >= 0; --depth)
        levelAt(depth).~TJsonParseLevel();
}

TJsonTokenizer::Step TJsonTokenizer::dispatch(char16_t c) {
    switch (level().state) {
    case JsonParseState::SkipSpace:
        return onSkipSpace(c);
    case JsonParseState::CommentOpen:
        return onCommentOpen(c);
    case JsonParseState::BlockComment:
        return onBlockComment(c);
    case JsonParseState::BlockCommentStar:
        return onBlockCommentStar(c);
    case JsonParseState::LineComment:
        return onLineComment(c);
    case JsonParseState::ValueStart:
        return onValueStart(c);
    case JsonParseState::NullWord:
        return onWord(c, false);
    case JsonParseState::BooleanWord:
        return onWord(c, true);
    case JsonParseState::QuotedString:
        return onQuotedString(c);
    case JsonParseState::Escape:
        return onEscape(c);
    case JsonParseState::EscapeHex4:
        return onEscapeHex(c, 4);
    case JsonParseState::EscapeHex2:
        return onEscapeHex(c, 2);
    case JsonParseState::Bareword:
        return pathMode() ? onPathBareword(c) : onBareword(c);
    case JsonParseState::NumberText:
        return onNumberText(c);
    case JsonParseState::ArrayItem:
        return onArrayItem(c);
    case JsonParseState::ArrayItemDone:
        return onArrayItemDone(c);
    case JsonParseState::ArrayComma:
        return onArrayComma(c);
    case JsonParseState::MemberStart:
        return onMemberStart(c);
    case JsonParseState::QuotedName:
        return onQuotedName(c);
    case JsonParseState::BareName:
        return onBareName(c);
    case JsonParseState::NameDone:
        return onNameDone(c);
    case JsonParseState::MemberValue:
        return descend(JsonParseState::MemberValueDone, c);
    case JsonParseState::MemberValueDone:
        return onMemberValueDone(c);
    case JsonParseState::MemberComma:
        return onMemberComma(c);
    case JsonParseState::Finished:
        return onFinished(c);
    case JsonParseState::PathMember:
        return onPathMember();
    case JsonParseState::PathIndex:
        return onPathIndex();
    case JsonParseState::IndexValue:
        return descend(JsonParseState::IndexDone, c);
    case JsonParseState::IndexDone:
        return onIndexDone(c);
    }
    return fail(JsonParseFailure::EndOfText);
}

TJsonTokenizer::Step TJsonTokenizer::onSkipSpace(char16_t c) {
    if (IsWhitespace(c)) {
        do
            ++m_position;
        while (m_position < m_text.size() && IsWhitespace(m_text[m_position]));
        return Step::Redo;
    }
    if (c == u'/') {
        m_accumulator.Clear();
        level().state = JsonParseState::CommentOpen;
        return Step::Consume;
    }
    level().state = level().resume;
    return Step::Redo;
}

TJsonTokenizer::Step TJsonTokenizer::onCommentOpen(char16_t c) {
    if (c == u'*') {
        level().state = JsonParseState::BlockComment;
        return Step::Consume;
    }
    if (c == u'/') {
        level().state = JsonParseState::LineComment;
        return Step::Consume;
    }
    return fail(JsonParseFailure::Comment);
}

TJsonTokenizer::Step TJsonTokenizer::onBlockComment(char16_t c) {
    if (c == u'*') {
        level().state = JsonParseState::BlockCommentStar;
        return Step::Consume;
    }
    if (atEnd()) return Step::Consume;
    size_t star = m_text.find(u'*', m_position);
    m_position = star == std::u16string_view::npos ? m_text.size() : star;
    return Step::Redo;
}

TJsonTokenizer::Step TJsonTokenizer::onBlockCommentStar(char16_t c) {
    if (c == u'/')
        level().state = JsonParseState::SkipSpace;
    else if (c != u'*')
        level().state = JsonParseState::BlockComment;
    return Step::Consume;
}

TJsonTokenizer::Step TJsonTokenizer::onLineComment(char16_t c) {
    if (c == u'\n') {
        level().state = JsonParseState::SkipSpace;
        return Step::Consume;
    }
    if (atEnd()) return Step::Consume;
    size_t lineEnd = m_text.find(u'\n', m_position);
    m_position = lineEnd == std::u16string_view::npos ? m_text.size() : lineEnd;
    return Step::Redo;
}

TJsonTokenizer::Step TJsonTokenizer::onValueStart(char16_t c) {
    TJsonParseLevel& here = level();
    switch (c) {
    case u'"':
    case u'\'':
        m_quote = c;
        m_accumulator.Clear();
        here.state = JsonParseState::QuotedString;
        return Step::Consume;
    case u'-':
        return startNumber();
    case u'{':
        here.current = NewJsonValue(JsonKind::Object);
        return skipSpaceThen(JsonParseState::MemberStart, Step::Consume);
    case u'[':
        here.current = NewJsonValue(JsonKind::Array);
        return skipSpaceThen(JsonParseState::ArrayItem, Step::Consume);
    case u'(':
        return Step::Consume;
    case u'n':
    case u'N':
        m_accumulator.Clear();
        m_literalPosition = 0;
        here.state = JsonParseState::NullWord;
        return Step::Redo;
    case u't':
    case u'T':
    case u'f':
    case u'F':
        m_accumulator.Clear();
        m_literalPosition = 0;
        here.state = JsonParseState::BooleanWord;
        return Step::Redo;
    default:
        break;
    }
    if (IsDigit(c)) {
        // A path such as `22000` on an object names a member. The name is applied to the
        // root, as it is when the level holds no value yet, so no reference is taken.
        if (pathMode() && m_depth == 0 && m_root->Kind() == JsonKind::Object) {
            here.state = JsonParseState::Bareword;
            return Step::Redo;
        }
        return startNumber();
    }
    m_accumulator.Clear();
    here.state = JsonParseState::Bareword;
    return Step::Redo;
}

TJsonTokenizer::Step TJsonTokenizer::onArrayItem(char16_t c) {
    if (c == u']') return skipSpaceThen(JsonParseState::Finished, Step::Consume);
    return descend(JsonParseState::ArrayItemDone, c);
}

TJsonTokenizer::Step TJsonTokenizer::onArrayItemDone(char16_t c) {
    level().current->ArrayView()->AppendItem(std::move(m_child));
    if (spaceSkipped(JsonParseState::ArrayComma, c)) return onArrayComma(c);
    return Step::Redo;
}

TJsonTokenizer::Step TJsonTokenizer::onArrayComma(char16_t c) {
    if (c == u']') return skipSpaceThen(JsonParseState::Finished, Step::Consume);
    if (c == u',') return skipSpaceThen(JsonParseState::ArrayItem, Step::Consume);
    return fail(JsonParseFailure::Array);
}

TJsonTokenizer::Step TJsonTokenizer::onMemberStart(char16_t c) {
    if (c == u'}') return skipSpaceThen(JsonParseState::Finished, Step::Consume);
    if (c == u'"' || c == u'\'') {
        m_quote = c;
        m_accumulator.Clear();
        level().state = JsonParseState::QuotedName;
        return Step::Consume;
    }
    if (IsReserved(c)) return fail(JsonParseFailure::MemberName);
    m_accumulator.Clear();
    level().state = JsonParseState::BareName;
    return Step::Redo;
}

TJsonTokenizer::Step TJsonTokenizer::onNameDone(char16_t c) {
    if (c == u':') return skipSpaceThen(JsonParseState::MemberValue, Step::Consume);
    return fail(JsonParseFailure::NameSeparator);
}

TJsonTokenizer::Step TJsonTokenizer::onMemberValueDone(char16_t c) {
    TJsonParseLevel& here = level();
    here.current->ObjectView()->StoreMember(here.pendingName, std::move(m_child));
    here.pendingName.clear();
    if (spaceSkipped(JsonParseState::MemberComma, c)) return onMemberComma(c);
    return Step::Redo;
}

TJsonTokenizer::Step TJsonTokenizer::onMemberComma(char16_t c) {
    if (c == u'}') return skipSpaceThen(JsonParseState::Finished, Step::Consume);
    if (c == u',') return skipSpaceThen(JsonParseState::MemberStart, Step::Consume);
    return fail(JsonParseFailure::ValueSeparator);
}

TJsonTokenizer::Step TJsonTokenizer::onFinished(char16_t c) {
    if (m_depth == 0) return Step::Stop;
    m_child = std::move(level().current);
    level().Reset();
    --m_depth;
    switch (level().state) {
    case JsonParseState::ArrayItemDone:
        return onArrayItemDone(c);
    case JsonParseState::MemberValueDone:
        return onMemberValueDone(c);
    default:
        return Step::Redo;
    }
}

TJsonTokenizer::Step TJsonTokenizer::descend(JsonParseState followUp, char16_t c) {
    if (m_depth >= kLevels - 1) return fail(JsonParseFailure::Depth);
    level().state = followUp;
    ++m_depth;
    if (m_depth == m_built) {
        new (&m_levels[m_depth]) TJsonParseLevel;
        ++m_built;
    } else {
        level().Reset();
    }
    if (spaceSkipped(JsonParseState::ValueStart, c)) return onValueStart(c);
    return Step::Redo;
}

bool TJsonTokenizer::spaceSkipped(JsonParseState resume, char16_t c) noexcept {
    TJsonParseLevel& here = level();
    here.resume = resume;
    if (IsWhitespace(c) || c == u'/') {
        here.state = JsonParseState::SkipSpace;
        return false;
    }
    here.state = resume;
    return true;
}

TJsonTokenizer::Step TJsonTokenizer::finishedOn(char16_t c) {
    if (spaceSkipped(JsonParseState::Finished, c)) return onFinished(c);
    return Step::Redo;
}

void TJsonTokenizer::finishWith(IJsonValue value) noexcept {
    TJsonParseLevel& here = level();
    here.current = std::move(value);
    here.resume = JsonParseState::Finished;
    here.state = JsonParseState::SkipSpace;
}

TJsonTokenizer::Step TJsonTokenizer::fail(JsonParseFailure failure) noexcept {
    m_failure = failure;
    return Step::Stop;
}

TJsonTokenizer::Step TJsonTokenizer::skipSpaceThen(JsonParseState resume, Step step) noexcept {
    level().resume = resume;
    level().state = JsonParseState::SkipSpace;
    return step;
}

} // namespace melvanto
