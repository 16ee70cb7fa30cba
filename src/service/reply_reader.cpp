#include "service/reply_reader.h"

#include "base/errors.h"
#include "platform/codepage/codepage.h"
#include "json/json_parser.h"

namespace melvanto {

namespace {

[[noreturn]] void unreadable(const std::string& what) {
    throw EReplyUnreadable("Reply cannot be read: " + what);
}

std::string memberPath(const std::string& parent, std::u16string_view name) {
    std::string ansiName = WideToAnsi(name);
    return parent.empty() ? ansiName : parent + "." + ansiName;
}

bool isBlank(std::u16string_view text) {
    for (char16_t c : text)
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') return false;
    return true;
}

} // namespace

ReplyObject::ReplyObject(IJsonValue value, std::string path)
    : m_value(std::move(value)), m_path(std::move(path)) {}

IJsonValue ReplyObject::member(std::u16string_view name, std::string& path) const {
    path = memberPath(m_path, name);
    IJsonValue value = m_value->Lookup(name);
    if (!value) unreadable(path + " is missing");
    return value;
}

ReplyObject ReplyObject::Object(std::u16string_view name) const {
    std::string path;
    IJsonValue value = member(name, path);
    if (value->Kind() != JsonKind::Object) unreadable(path + " is not an object");
    return ReplyObject(std::move(value), std::move(path));
}

ReplyArray ReplyObject::Array(std::u16string_view name) const {
    std::string path;
    IJsonValue value = member(name, path);
    if (value->Kind() != JsonKind::Array) unreadable(path + " is not an array");
    return ReplyArray(std::move(value), std::move(path));
}

std::u16string ReplyObject::Text(std::u16string_view name) const {
    std::string path;
    return member(name, path)->ValueText();
}

ReplyArray::ReplyArray(IJsonValue value, std::string path)
    : m_value(std::move(value)), m_path(std::move(path)) {}

int32_t ReplyArray::Count() const {
    return m_value->ArrayView()->ItemCount();
}

ReplyObject ReplyArray::Item(int32_t index) const {
    std::string path = m_path + "[" + std::to_string(index) + "]";
    IJsonValue value = m_value->ArrayView()->ItemAt(index);
    if (!value) unreadable(path + " is missing");
    if (value->Kind() != JsonKind::Object) unreadable(path + " is not an object");
    return ReplyObject(std::move(value), std::move(path));
}

ReplyObject ReadReply(std::u16string_view replyText) {
    if (isBlank(replyText)) unreadable("the reply is empty");
    IJsonValue root = ParseJson(replyText);
    if (!root) unreadable("the reply is not JSON");
    if (root->Kind() != JsonKind::Object) unreadable("the reply is not a JSON object");
    return ReplyObject(std::move(root), std::string());
}

} // namespace melvanto
