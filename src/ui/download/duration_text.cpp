#include "ui/download/duration_text.h"

#include "base/str_to_int.h"

namespace melvanto {

namespace {

std::string twoDigits(int64_t field) {
    std::string text = std::to_string(field);
    return text.size() == 1 ? "0" + text : text;
}

} // namespace

std::string FormatDuration(int64_t milliseconds) {
    const int64_t seconds = milliseconds / 1000;
    const int64_t magnitude = seconds < 0 ? -seconds : seconds;
    const int64_t minutes = magnitude / 60;
    std::string text = seconds < 0 ? "-" : "";
    text += twoDigits(minutes / 60);
    text += ':';
    text += twoDigits(minutes % 60);
    text += ':';
    text += twoDigits(magnitude % 60);
    return text;
}

std::string DurationText(std::string_view timeText) {
    if (timeText.empty()) return "0";
    return FormatDuration(static_cast<int64_t>(StrToInt(timeText)) * 1000);
}

} // namespace melvanto
