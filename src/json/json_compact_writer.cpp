#include "json/json_compact_writer.h"

#include "json/json_number_text.h"
#include "json/json_value.h"

namespace melvanto {

namespace {

// Members and elements that are left out of the text of their container.
bool isSkipped(const TJsonValue* value) {
    return value && (value->Kind() == JsonKind::Method || value->Busy());
}

// Room for one more entry, growing geometrically.
template <typename T> void reserveOneMore(std::vector<T>& entries) {
    if (entries.size() == entries.capacity()) entries.reserve(entries.size() * 2 + 8);
}

} // namespace

TJsonCompactWriter::~TJsonCompactWriter() {
    for (const Frame& frame : m_frames)
        frame.container->m_busy = false;
}

void TJsonCompactWriter::Write(const TJsonValue& value) {
    if (value.m_busy) {
        emit(u"null");
        return;
    }
    writeValue(value);
    while (!m_frames.empty())
        step();
}

void TJsonCompactWriter::writeValue(const TJsonValue& value) {
    switch (value.Kind()) {
    case JsonKind::Null:
        emit(u"null");
        return;
    case JsonKind::Boolean:
        emit(value.m_boolean ? u"true" : u"false");
        return;
    case JsonKind::Double:
        emit(DoubleText(value.m_double).View());
        return;
    case JsonKind::Currency:
        emit(CurrencyText(value.m_currency).View());
        return;
    case JsonKind::Integer:
        emit(IntegerText(value.m_integer).View());
        return;
    case JsonKind::String:
        writeQuoted(value.m_string);
        return;
    case JsonKind::Method:
        return;
    case JsonKind::Object:
        if (value.m_object.MemberCount() == 0) {
            emit(u"{}");
            return;
        }
        reserveOneMore(m_walkers);
        reserveOneMore(m_frames);
        emit(u"{");
        m_walkers.emplace_back(value.m_object);
        break;
    case JsonKind::Array:
        if (value.m_array.ItemCount() == 0) {
            emit(u"[]");
            return;
        }
        reserveOneMore(m_frames);
        emit(u"[");
        break;
    }
    // Reserved above, so that pushing cannot fail once Busy is set.
    value.m_busy = true;
    m_frames.push_back(Frame{&value, 0, false});
}

void TJsonCompactWriter::step() {
    Frame& frame = m_frames.back();
    const TJsonValue& container = *frame.container;
    const bool isObject = container.m_kind == JsonKind::Object;
    const TJsonAvlEntry* member = nullptr;
    const TJsonValue* child = nullptr;
    bool found = false;
    if (isObject) {
        while (!found && (member = m_walkers.back().Next()))
            found = !isSkipped(member->value.get());
        if (found) child = member->value.get();
    } else {
        const TJsonArray& items = container.m_array;
        while (!found && frame.nextIndex < items.ItemCount()) {
            child = items.PeekAt(frame.nextIndex++);
            found = !isSkipped(child);
        }
    }
    if (!found) {
        emit(isObject ? u"}" : u"]");
        container.m_busy = false;
        if (isObject) m_walkers.pop_back();
        m_frames.pop_back();
        return;
    }
    if (frame.wroteAny) emit(u",");
    frame.wroteAny = true;
    if (member) {
        writeQuoted(member->name);
        emit(u":");
    }
    // May push a frame: `frame` is not used after this.
    if (child)
        writeValue(*child);
    else
        emit(u"null");
}

void TJsonCompactWriter::writeQuoted(std::u16string_view text) {
    emit(u"\"");
    size_t runStart = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        std::u16string_view escape;
        switch (text[i]) {
        case u'\0':
            escape = u"\\u0000";
            break;
        case u'"':
            escape = u"\\\"";
            break;
        case u'/':
            escape = u"\\/";
            break;
        case u'\\':
            escape = u"\\\\";
            break;
        default:
            continue;
        }
        emit(text.substr(runStart, i - runStart));
        emit(escape);
        runStart = i + 1;
    }
    emit(text.substr(runStart));
    emit(u"\"");
}

} // namespace melvanto
