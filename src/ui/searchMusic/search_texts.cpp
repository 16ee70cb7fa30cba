#include "ui/searchMusic/search_texts.h"

#include "platform/codepage/codepage.h"

namespace melvanto {

std::string NoKeywordText() {
    return WideToAnsi(u"请输入歌曲名称！");
}

std::string NotFoundText(std::string_view ansiKeyword) {
    return WideToAnsi(u"未找到歌曲【") + std::string(ansiKeyword) + WideToAnsi(u"】");
}

std::string UpdateDateText(std::u16string_view updateDate) {
    return WideToAnsi(u"更新时间:" + std::u16string(updateDate));
}

std::string NoSelectionText() {
    return WideToAnsi(u"请选择要下载的歌曲!");
}

} // namespace melvanto
