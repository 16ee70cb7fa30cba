// Path mode: the states that apply member names and indexes to the root and the values
// found below it (`data.songList[0].songName`).

#include "json/json_char_classes.h"
#include "json/json_tokenizer.h"
#include "json/json_value.h"

#include <limits>

namespace melvanto {

using namespace json_chars;

TJsonTokenizer::Step TJsonTokenizer::onPathBareword(char16_t c) {
    if (!IsReserved(c)) {
        // A name takes every character that is not reserved, unchanged.
        const char16_t* begin = m_text.data() + m_position;
        const char16_t* end = m_text.data() + m_text.size();
        const char16_t* p = begin + 1;
        while (p != end && !IsReserved(*p))
            ++p;
        m_accumulator.EmitAll({begin, static_cast<size_t>(p - begin)});
        m_position += static_cast<size_t>(p - begin);
        return Step::Redo;
    }

    TJsonParseLevel& here = level();
    const TJsonValue* container = here.current ? here.current.get() : m_root;
    if (const TJsonMemberTable* members = container->ObjectView()) {
        const std::u16string_view name = m_accumulator.Content();
        if (!name.empty() || (c != u'.' && c != u'[')) here.current = members->MemberAt(name);
        switch (c) {
        case u'.':
            here.state = JsonParseState::PathMember;
            return Step::Consume;
        case u'[':
            here.state = JsonParseState::PathIndex;
            return Step::Consume;
        case u'(':
            return fail(JsonParseFailure::PathCall);
        default:
            finishWith(std::move(here.current));
            return finishedOn(c);
        }
    }

    const TJsonArray* items = container->ArrayView();
    if (!items || !here.hasIndexOperand) return fail(JsonParseFailure::PathObject);
    const IJsonValue operand = std::move(here.indexOperand);
    here.hasIndexOperand = false;
    if (!IsKind(operand, JsonKind::Integer) || operand->IntegerValue() < 0)
        return fail(JsonParseFailure::PathIndex);
    const int64_t index = operand->IntegerValue();
    here.current = index <= std::numeric_limits<int32_t>::max()
                       ? items->ItemAt(static_cast<int32_t>(index))
                       : IJsonValue();
    switch (c) {
    case u'.':
        // The next name applies to the element.
        if (!here.current) return fail(JsonParseFailure::PathObject);
        m_accumulator.Clear();
        return Step::Consume;
    case u'[':
        here.state = JsonParseState::PathIndex;
        return Step::Consume;
    default:
        finishWith(std::move(here.current));
        return finishedOn(c);
    }
}

TJsonTokenizer::Step TJsonTokenizer::onPathMember() {
    if (!IsKind(level().current, JsonKind::Object)) return fail(JsonParseFailure::PathObject);
    m_accumulator.Clear();
    level().state = JsonParseState::Bareword;
    return Step::Redo;
}

TJsonTokenizer::Step TJsonTokenizer::onPathIndex() {
    if (!IsKind(level().current, JsonKind::Array)) return fail(JsonParseFailure::PathArray);
    m_accumulator.Clear();
    level().state = JsonParseState::IndexValue;
    return Step::Redo;
}

TJsonTokenizer::Step TJsonTokenizer::onIndexDone(char16_t c) {
    TJsonParseLevel& here = level();
    here.indexOperand = std::move(m_child);
    here.hasIndexOperand = true;
    m_accumulator.Clear();
    if (c != u']') return fail(JsonParseFailure::PathArray);
    return skipSpaceThen(JsonParseState::Bareword, Step::Consume);
}

} // namespace melvanto
