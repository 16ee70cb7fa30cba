#include "json/json_parser.h"

#include "json/json_tokenizer.h"

namespace melvanto {

IJsonValue ParseJson(std::u16string_view text) {
    return ParseText(text, IJsonValue());
}

IJsonValue ParseText(std::u16string_view text, const IJsonValue& root) {
    TJsonTokenizer tokenizer(root.get());
    return tokenizer.Run(text);
}

} // namespace melvanto
