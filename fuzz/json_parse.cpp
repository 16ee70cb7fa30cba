// Fuzz target for the JSON parser and member paths. The input is parsed twice, as
// UTF-16 code units (little-endian pairs) and decoded from UTF-8; whatever parses is
// written, and its text must parse again and settle after one more round. The input also
// serves as a path into a fixed reply and into the value it parsed to.

#include "platform/codepage/codepage.h"
#include "json/json_avl_iterator.h"
#include "json/json_parser.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace melvanto;

namespace {

const IJsonValue& fixedReply() {
    static const IJsonValue reply =
        ParseJson(u"{\"errorCode\":22000,\"data\":{\"songList\":[{\"songName\":\"x\","
                  u"\"size\":123,\"format\":\"flac\",\"title\":\"t\",\"null\":null,"
                  u"\"22000\":[1,[2,{\"a\":\"b\"}]]}],\"i\":0}}");
    return reply;
}

void require(bool condition) {
    if (!condition) __builtin_trap();
}

// An overflowing exponent gives an infinite double, whose text ("inf") reads back as
// something else: such trees are exempt from the round trip.
bool hasInfiniteDouble(const IJsonValue& top) {
    std::vector<IJsonValue> pending{top};
    while (!pending.empty()) {
        IJsonValue value = std::move(pending.back());
        pending.pop_back();
        if (!value) continue;
        if (value->Kind() == JsonKind::Double && !std::isfinite(value->DoubleValue())) return true;
        if (const TJsonArray* items = value->ArrayView()) {
            for (int32_t i = 0; i < items->ItemCount(); ++i)
                pending.push_back(items->ItemAt(i));
        }
        if (const TJsonMemberTable* members = value->ObjectView()) {
            TJsonAvlIterator walker(*members);
            while (const TJsonAvlEntry* entry = walker.Next())
                pending.push_back(entry->value);
        }
    }
    return false;
}

void exercise(std::u16string_view text) {
    IJsonValue value = ParseJson(text);
    if (value) {
        const std::u16string first = value->JsonText();
        const bool container = IsKind(value, JsonKind::Object) || IsKind(value, JsonKind::Array);
        require(!container || value->ValueText() == first);
        if (!hasInfiniteDouble(value)) {
            IJsonValue again = ParseJson(first);
            require(static_cast<bool>(again));
            const std::u16string second = again->JsonText();
            IJsonValue third = ParseJson(second);
            require(third && third->JsonText() == second);
        }
        for (std::u16string_view path : {u"data", u"0", u"a.b", u"a[0]", u"22000"})
            value->Lookup(path);
        value->Lookup(text);
    }
    fixedReply()->Lookup(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    exercise(units);
    exercise(Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), size)));
    return 0;
}
