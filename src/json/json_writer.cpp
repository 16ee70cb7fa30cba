#include "json/json_writer.h"

#include <algorithm>

namespace melvanto {

void TJsonWriter::EmitText(std::u16string_view text) {
    EmitAll(text.substr(0, text.find(u'\0')));
}

void TJsonWriter::EmitAll(std::u16string_view text) {
    constexpr size_t kPiece = size_t{1} << 28;
    while (!text.empty()) {
        const size_t piece = std::min(text.size(), kPiece);
        Emit(text.data(), static_cast<int32_t>(piece));
        text.remove_prefix(piece);
    }
}

} // namespace melvanto
