#include "service/service_get.h"

#include "base/errors.h"
#include "platform/codepage/codepage.h"
#include "service/endpoint_urls.h"
#include "service/reply_reader.h"
#include "support/loopback_http_server.h"
#include "support/loopback_ports.h"

#include <gtest/gtest.h>

#include <functional>

using namespace melvanto;
using melvanto::test::LoopbackHttpServer;
using melvanto::test::RefusingPort;

namespace {

class ServiceGetTest : public ::testing::Test {
protected:
    void TearDown() override { PinAnsiCodePageForTesting(""); }

    LoopbackHttpServer m_server;
    const ServiceHosts m_hosts = ServiceHosts::AllOn(m_server.Host());
    TRequestSlot m_slot;
};

TEST_F(ServiceGetTest, SendsEachEndpointsRequestExactly) {
    const ServiceHosts& hosts = m_hosts;
    struct Case {
        const char* codeset;
        std::function<std::string()> url; // built once the code page is set
        std::string target;
    } cases[] = {
        {"UTF-8", [&] { return SuggestionUrl(hosts, "a b&c"); },
         "/info/suggestion?word=a+b%26c&format=json&version=2&from=0"},
        {"GBK", [&] { return SuggestionUrl(hosts, "\xB8\xE8"); },
         "/info/suggestion?word=%E6%AD%8C&format=json&version=2&from=0"},
        {"UTF-8", [&] { return SuggestionUrl(hosts, "   "); },
         "/info/suggestion?word=+++&format=json&version=2&from=0"},
        {"UTF-8", [&] { return ChartUrl(hosts, "21"); },
         "/v1/restserver/ting?size=100&type=21&format=json&method=baidu.ting.billboard.billList"},
        {"UTF-8", [&] { return SongLinkUrl(hosts, "877578", "320", "flac"); },
         "/data/music/fmlink?songIds=877578&rate=320&format=json&type=flac"},
        // The id goes in unchanged; only the space, which no URL can carry, is escaped on
        // the wire.
        {"UTF-8", [&] { return SongLinkUrl(hosts, "a b&c", "128", "mp3"); },
         "/data/music/fmlink?songIds=a%20b&c&rate=128&format=json&type=mp3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        PinAnsiCodePageForTesting(c.codeset);
        m_server.ClearTargets();
        ServiceGet(m_slot, c.url());
        EXPECT_EQ(m_server.Targets(), std::vector<std::string>{c.target});
    }
}

TEST_F(ServiceGetTest, ReplyPassesThroughTheAnsiCodePage) {
    // A literal Hangul syllable beside the same one written as an escape.
    m_server.Reply("/r", {200, "{\"name\":\"\xED\x95\x9C\xEA\xB5\xAD \xE6\xAD\x8C\","
                               "\"escaped\":\"\\ud55c\"}"});
    struct Case {
        const char* codeset;
        std::u16string text;
        std::u16string name;
    } cases[] = {
        {"GBK", uR"({"name":"?? 歌","escaped":"\ud55c"})", u"?? 歌"},
        {"UTF-8", uR"({"name":"한국 歌","escaped":"\ud55c"})", u"한국 歌"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codeset);
        PinAnsiCodePageForTesting(c.codeset);
        const std::u16string text = ServiceGet(m_slot, m_server.Url("/r"));
        EXPECT_EQ(text, c.text);
        const ReplyObject reply = ReadReply(text);
        EXPECT_EQ(reply.Text(u"name"), c.name);
        EXPECT_EQ(reply.Text(u"escaped"), u"한");
    }
}

TEST_F(ServiceGetTest, ErrorPageIsHandedOnAndCannotBeRead) {
    const std::string page = "<html><head><title>404 Not Found</title></head></html>";
    m_server.Reply("/data/music/fmlink", {404, page, "text/html"});
    const std::u16string text = ServiceGet(m_slot, SongLinkUrl(m_hosts, "1", "320", "flac"));
    EXPECT_EQ(text, std::u16string(page.begin(), page.end()));
    try {
        ReadReply(text);
        FAIL() << "an HTML page was read as a reply";
    } catch (const EReplyUnreadable& failure) {
        EXPECT_EQ(failure.Message(), "Reply cannot be read: the reply is not a JSON object");
    }
}

TEST_F(ServiceGetTest, SlotHoldsTheLastRequestEvenWhenItFailed) {
    EXPECT_EQ(m_slot.Held(), nullptr);
    m_server.Reply("/ok", {200, "{}"});
    EXPECT_EQ(ServiceGet(m_slot, m_server.Url("/ok")), u"{}");
    ASSERT_NE(m_slot.Held(), nullptr);
    EXPECT_EQ(m_slot.Held()->status(), 200);

    RefusingPort refusing;
    const std::string port = std::to_string(refusing.Port());
    try {
        ServiceGet(m_slot, ChartUrl(ServiceHosts::AllOn("127.0.0.1:" + port), "1"));
        ADD_FAILURE() << "a refused connection gave a reply";
    } catch (const EOleException& failure) {
        EXPECT_EQ(failure.Message().rfind("Failed to connect to 127.0.0.1 port " + port, 0), 0u)
            << failure.Message();
        EXPECT_NE(failure.Message().back(), '.');
    }
    ASSERT_NE(m_slot.Held(), nullptr);
    EXPECT_EQ(m_slot.Held()->status(), 0);
}

} // namespace
