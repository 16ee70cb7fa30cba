#pragma once
// TJsonCompactWriter: writes the compact text of a value (no whitespace anywhere) with an
// explicit stack of open containers, so that any depth of nesting can be written. Each
// open container is Busy while it is written; a Busy value met again (a cycle) is left
// out, and Busy is cleared again also when emitting fails.

#include "json/json_avl_iterator.h"
#include "json/json_writer.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace melvanto {

class TJsonValue;

class TJsonCompactWriter {
public:
    explicit TJsonCompactWriter(TJsonWriter& writer) noexcept : m_writer(writer) {}
    TJsonCompactWriter(const TJsonCompactWriter&) = delete;
    TJsonCompactWriter& operator=(const TJsonCompactWriter&) = delete;
    ~TJsonCompactWriter();

    // A value that is already Busy is written as null.
    void Write(const TJsonValue& value);

private:
    struct Frame {
        const TJsonValue* container;
        int32_t nextIndex; // arrays: the next element to look at
        bool wroteAny;
    };

    // Writes a scalar whole, or the opening of a non-empty container and pushes its frame.
    void writeValue(const TJsonValue& value);
    // Moves on in the top container: writes its next member or element, or closes it.
    void step();
    void emit(std::u16string_view units) { m_writer.EmitAll(units); }
    // A double quote, the units with the short escaping, a double quote.
    void writeQuoted(std::u16string_view text);

    TJsonWriter& m_writer;
    std::vector<Frame> m_frames;
    // One walker per open object, in the order of their frames.
    std::vector<TJsonAvlIterator> m_walkers;
};

} // namespace melvanto
