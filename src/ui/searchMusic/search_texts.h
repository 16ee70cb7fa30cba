#pragma once
// The fixed texts the search window tells the user, in the ANSI code page.

#include <string>
#include <string_view>

namespace melvanto {

// "请输入歌曲名称！": "搜索" with an empty keyword box.
std::string NoKeywordText();

// "未找到歌曲【" + the keyword box's text + "】": a search or chart without songs. The
// keyword is ANSI text as the box holds it.
std::string NotFoundText(std::string_view ansiKeyword);

// "更新时间:" + the chart's update date (as the reply gives it).
std::string UpdateDateText(std::u16string_view updateDate);

// "请选择要下载的歌曲!": a double-click without a song to hand over.
std::string NoSelectionText();

} // namespace melvanto
