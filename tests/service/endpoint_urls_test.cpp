#include "service/endpoint_urls.h"

#include "platform/codepage/codepage.h"

#include <gtest/gtest.h>

using namespace melvanto;

namespace {

class EndpointUrls : public ::testing::Test {
protected:
    void TearDown() override { PinAnsiCodePageForTesting(""); }
    const ServiceHosts m_hosts{"suggest.test:1", "charts.test:2", "music.test:3"};
};

TEST_F(EndpointUrls, TheProgramsHostsAreTheStandInService) {
    const ServiceHosts hosts;
    EXPECT_EQ(hosts.suggestion, "127.0.0.1:8707");
    EXPECT_EQ(hosts.chartApi, "127.0.0.1:8707");
    EXPECT_EQ(hosts.musicSite, "127.0.0.1:8707");
    EXPECT_EQ(LyricBase(hosts), "http://127.0.0.1:8707");
    const ServiceHosts test = ServiceHosts::AllOn("127.0.0.1:4242");
    EXPECT_EQ(SongLinkUrl(test, "1", "128", "mp3"),
              "http://127.0.0.1:4242/data/music/fmlink?songIds=1&rate=128&format=json&type=mp3");
}

TEST_F(EndpointUrls, SuggestionEncodesOnlyTheKeyword) {
    PinAnsiCodePageForTesting("GBK");
    auto check = [&](const std::string& keyword, const std::string& word) {
        SCOPED_TRACE(keyword);
        EXPECT_EQ(SuggestionUrl(m_hosts, keyword), "http://suggest.test:1/info/suggestion?word=" +
                                                       word + "&format=json&version=2&from=0");
    };
    check("\xB8\xE8", "%E6%AD%8C");
    check("   ", "+++");
    check("a&format=xml", "a%26format%3Dxml");
    check("", "");
}

TEST_F(EndpointUrls, ChartPutsTheChartNumberInAsItIs) {
    for (const char* type : {"1", "2", "21", "25", "x y"}) {
        SCOPED_TRACE(type);
        EXPECT_EQ(ChartUrl(m_hosts, type),
                  std::string("http://charts.test:2/v1/restserver/ting?size=100&type=") + type +
                      "&format=json&method=baidu.ting.billboard.billList");
    }
}

TEST_F(EndpointUrls, SongLinkPutsIdRateAndTypeInAsTheyAre) {
    struct Case {
        const char* id;
        const char* rate;
        const char* type;
        const char* url;
    } cases[] = {
        {"877578", "320", "flac",
         "http://music.test:3/data/music/fmlink?songIds=877578&rate=320&format=json&type=flac"},
        {"877578", "128", "mp3",
         "http://music.test:3/data/music/fmlink?songIds=877578&rate=128&format=json&type=mp3"},
        {"a b&c", "192", "mp3",
         "http://music.test:3/data/music/fmlink?songIds=a b&c&rate=192&format=json&type=mp3"},
        {"", "", "", "http://music.test:3/data/music/fmlink?songIds=&rate=&format=json&type="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(SongLinkUrl(m_hosts, c.id, c.rate, c.type), c.url);
    }
    EXPECT_EQ(LyricBase(m_hosts) + "/data2/lrc/877578.lrc",
              "http://music.test:3/data2/lrc/877578.lrc");
}

} // namespace
