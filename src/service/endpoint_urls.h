#pragma once
// The request URLs of the three endpoints, built from their pieces in order with nothing
// between them. Only the keyword is encoded; ids, chart numbers, rates and types are put
// in as they are.

#include "service/service_hosts.h"

#include <string>
#include <string_view>

namespace melvanto {

// "http://<suggestion host>/info/suggestion?word=<keyword>&format=json&version=2&from=0",
// the keyword (ANSI text) encoded with EncodeKeyword.
std::string SuggestionUrl(const ServiceHosts& hosts, std::string_view ansiKeyword);

// "http://<chart API host>/v1/restserver/ting?size=100&type=<billType>&format=json
// &method=baidu.ting.billboard.billList".
std::string ChartUrl(const ServiceHosts& hosts, std::string_view billType);

// "http://<music site host>/data/music/fmlink?songIds=<songId>&rate=<rate>&format=json
// &type=<type>".
std::string SongLinkUrl(const ServiceHosts& hosts, std::string_view songId, std::string_view rate,
                        std::string_view type);

// "http://<music site host>": the lyric link is this followed directly by lrcLink.
std::string LyricBase(const ServiceHosts& hosts);

} // namespace melvanto
