#include "service/endpoint_urls.h"

#include "service/form_encode.h"

namespace melvanto {

std::string SuggestionUrl(const ServiceHosts& hosts, std::string_view ansiKeyword) {
    std::string url = "http://";
    url += hosts.suggestion;
    url += "/info/suggestion?word=";
    url += EncodeKeyword(ansiKeyword);
    url += "&format=json&version=2&from=0";
    return url;
}

std::string ChartUrl(const ServiceHosts& hosts, std::string_view billType) {
    std::string url = "http://";
    url += hosts.chartApi;
    url += "/v1/restserver/ting?size=100&type=";
    url += billType;
    url += "&format=json&method=baidu.ting.billboard.billList";
    return url;
}

std::string SongLinkUrl(const ServiceHosts& hosts, std::string_view songId, std::string_view rate,
                        std::string_view type) {
    std::string url = "http://";
    url += hosts.musicSite;
    url += "/data/music/fmlink?songIds=";
    url += songId;
    url += "&rate=";
    url += rate;
    url += "&format=json&type=";
    url += type;
    return url;
}

std::string LyricBase(const ServiceHosts& hosts) {
    return "http://" + hosts.musicSite;
}

} // namespace melvanto
