#include "app/messages.h"

#include "platform/gui/application.h"
#include "platform/gui/message_boxes.h"

namespace melvanto {

namespace {

// The rule is about the last character of the ANSI text; for a double-byte character its
// lead byte decides. Comparing the last byte gives the same answer: every byte of a
// multi-byte character, lead or trail, in GBK as in UTF-8, is above ".".
std::string withFullStop(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + '.';
    return message;
}

} // namespace

void ShowPlainMessage(const std::string& text) {
    gui::ShowPlainMessageBox(gui::ApplicationTitle(), text);
}

void ReportFailure(const Exception& failure) {
    gui::ShowFailureBox(gui::ApplicationTitle(), withFullStop(failure.Message()));
}

} // namespace melvanto
