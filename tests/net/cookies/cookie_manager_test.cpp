#include "base/errors.h"
#include "net/cookies/cookie_manager.h"
#include "net/cookies/internet_date.h"
#include "platform/clock/local_clock.h"
#include "platform/clock/pinned_zone.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

using namespace melvanto;
using melvanto::testzone::PinnedZone;

namespace {

// Every stored cookie as "domain: name=value path", domains and cookies in store order.
std::vector<std::string> storeContents(const TNetCookieManager& manager) {
    std::vector<std::string> lines;
    for (const std::string& domain : manager.CookieCollection().Domains())
        for (const auto& cookie : manager.CookieCollection().CookiesOf(domain))
            lines.push_back(domain + ": " + cookie->ClientCookie() + " " + cookie->Path());
    return lines;
}

struct Reply {
    const char* text;
    const char* host = "img.x.y";
    const char* requestPath = "/pics/a.jpg";
    bool version2 = false;
};

void take(TNetCookieManager& manager, const Reply& reply) {
    if (reply.version2)
        manager.TakeCookie2(reply.text, reply.host, reply.requestPath);
    else
        manager.TakeCookie(reply.text, reply.host, reply.requestPath);
}

class CookieManagerTest : public ::testing::Test {
protected:
    // Dates are written and read with a zone eight hours from UTC.
    PinnedZone m_zone{testzone::China};
};

} // namespace

TEST_F(CookieManagerTest, StoresWhatTheHostMaySetAndSendsItBack) {
    struct Case {
        const char* title;
        std::vector<Reply> replies;
        const char* host;
        const char* path;
        const char* header;
        std::vector<std::string> store;
    };
    const Case cases[] = {
        {"a parent domain one level up",
         {{"id=42; path=/; domain=.x.y"}},
         "img.x.y",
         "/pics/",
         "id=42",
         {".x.y: id=42 /"}},
        {"the parent domain reaches the sibling hosts",
         {{"id=42; path=/; domain=.x.y"}},
         "www.x.y",
         "/",
         "id=42",
         {".x.y: id=42 /"}},
        {"a parent domain two levels up is dropped",
         {{"id=42; path=/; domain=.x.y", "a.b.x.y"}},
         "a.b.x.y",
         "/pics/",
         "",
         {}},
        {"a domain without its leading dot is dropped",
         {{"id=42; path=/; domain=x.y"}},
         "img.x.y",
         "/pics/",
         "",
         {}},
        {"a top-level domain is dropped",
         {{"id=42; path=/; domain=.y", "x.y"}},
         "x.y",
         "/",
         "",
         {}},
        {"no domain: stored under the host",
         {{"id=42; path=/"}},
         "img.x.y",
         "/pics/",
         "id=42",
         {"img.x.y: id=42 /"}},
        {"a host cookie is not sent to a sibling host",
         {{"id=42; path=/"}},
         "www.x.y",
         "/",
         "",
         {"img.x.y: id=42 /"}},
        {"a host cookie is sent to the hosts below it",
         {{"id=42; path=/"}},
         "a.img.x.y",
         "/",
         "id=42",
         {"img.x.y: id=42 /"}},
        {"host names are compared ignoring letter case",
         {{"id=42; path=/"}, {"d=1; path=/; domain=.x.y"}},
         "IMG.X.Y",
         "/",
         "id=42; d=1",
         {"img.x.y: id=42 /", ".x.y: d=1 /"}},
        {"not sent where the domain text merely occurs in the host",
         {{"id=42; path=/"}, {"d=1; path=/; domain=.x.y"}},
         "img.x.y.example.net",
         "/",
         "",
         {"img.x.y: id=42 /", ".x.y: d=1 /"}},
        {"not sent to a host that only ends in the same letters",
         {{"id=42; path=/"}},
         "myimg.x.y",
         "/",
         "",
         {"img.x.y: id=42 /"}},
        {"a dotted address keeps its own cookies",
         {{"id=1; path=/", "127.0.0.1"}, {"id=2; path=/; domain=.0.0.1", "127.0.0.1"}},
         "127.0.0.1",
         "/",
         "id=1",
         {"127.0.0.1: id=1 /"}},
        {"a second value of a name replaces the first, path included",
         {{"a=1; path=/"}, {"id=1; path=/a/"}, {"z=1; path=/"}, {"ID=2; path=/b/"}},
         "img.x.y",
         "/b/",
         "ID=2; z=1; a=1",
         {"img.x.y: a=1 /", "img.x.y: ID=2 /b/", "img.x.y: z=1 /"}},
        {"the same name in two domains is two cookies",
         {{"id=1; path=/"}, {"id=2; path=/; domain=.x.y"}},
         "img.x.y",
         "/",
         "id=1; id=2",
         {"img.x.y: id=1 /", ".x.y: id=2 /"}},
        {"a secure cookie is never sent over a plain connection",
         {{"s=1; path=/; secure"}, {"p=2; path=/"}},
         "img.x.y",
         "/",
         "p=2",
         {"img.x.y: s=1 /", "img.x.y: p=2 /"}},
        {"an empty value is never sent",
         {{"e=; path=/"}, {"f=1; path=/"}},
         "img.x.y",
         "/",
         "f=1",
         {"img.x.y: e= /", "img.x.y: f=1 /"}},
        {"longer paths first",
         {{"a=1; path=/a/"}, {"b=2; path=/a/b/"}},
         "img.x.y",
         "/a/b/",
         "b=2; a=1",
         {"img.x.y: a=1 /a/", "img.x.y: b=2 /a/b/"}},
        {"longer paths first whatever the order of arrival",
         {{"b=2; path=/a/b/"}, {"a=1; path=/a/"}, {"r=0; path=/"}},
         "img.x.y",
         "/a/b/",
         "b=2; a=1; r=0",
         {"img.x.y: b=2 /a/b/", "img.x.y: a=1 /a/", "img.x.y: r=0 /"}},
        {"equal paths: domains in order, the later cookie first",
         {{"one=1; path=/"}, {"two=2; path=/"}, {"three=3; path=/; domain=.x.y"}},
         "img.x.y",
         "/",
         "two=2; one=1; three=3",
         {"img.x.y: one=1 /", "img.x.y: two=2 /", ".x.y: three=3 /"}},
        {"the path must begin the request path, letter case counting",
         {{"a=1; path=/a/"}, {"b=1; path=/B/"}},
         "img.x.y",
         "/b/",
         "",
         {"img.x.y: a=1 /a/", "img.x.y: b=1 /B/"}},
        {"a lone double quote as path takes the request's directory",
         {{"id=42; path=\""}},
         "img.x.y",
         "/pics/",
         "id=42",
         {"img.x.y: id=42 /pics"}},
        {"a Set-cookie2 value is stored and sent the same way",
         {{"id=7; Version=1; Path=/; Port=\"80\"", "img.x.y", "/", true}},
         "img.x.y",
         "/",
         "id=7",
         {"img.x.y: id=7 /"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        TNetCookieManager manager;
        for (const Reply& reply : c.replies)
            take(manager, reply);
        EXPECT_EQ(manager.CookieHeaderValue(c.host, c.path, false), c.header);
        EXPECT_EQ(storeContents(manager), c.store);
    }
}

TEST_F(CookieManagerTest, SecureCookiesGoOverASecureConnection) {
    TNetCookieManager manager;
    manager.TakeCookie("s=1; path=/; secure", "img.x.y", "/");
    manager.TakeCookie("p=2; path=/", "img.x.y", "/");
    EXPECT_EQ(manager.CookieHeaderValue("img.x.y", "/", false), "p=2");
    EXPECT_EQ(manager.CookieHeaderValue("img.x.y", "/", true), "p=2; s=1");
}

TEST_F(CookieManagerTest, ACookieWithoutPathTakesTheDirectoryOfItsRequest) {
    struct Case {
        const char* requestPath;
        const char* storedPath;
        const char* sentTo;
        const char* notSentTo;
    };
    const Case cases[] = {
        {"/pics/a.jpg", "/pics", "/pics/", "/"},
        {"/pics/", "/pics", "/pics/big/", "/other/"},
        {"/a/b/c.jpg", "/a/b", "/a/b/", "/a/"},
        {"/a.jpg", "/", "/", nullptr},
        {"/", "/", "/x/", nullptr},
        {"", "/", "/", nullptr},
        {"pics/a.jpg", "/", "/", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.requestPath);
        TNetCookieManager manager;
        manager.TakeCookie("id=42", "img.x.y", c.requestPath);
        EXPECT_EQ(storeContents(manager),
                  std::vector<std::string>{std::string("img.x.y: id=42 ") + c.storedPath});
        EXPECT_EQ(manager.CookieHeaderValue("img.x.y", c.sentTo, false), "id=42");
        if (c.notSentTo) {
            EXPECT_EQ(manager.CookieHeaderValue("img.x.y", c.notSentTo, false), "");
        }
    }
}

TEST_F(CookieManagerTest, ExpiredCookiesAreStoredAndGoneByTheNextRequest) {
    TNetCookieManager manager;
    const std::string tomorrow = WriteInternetDate(Now() + 1.0);
    const char* replies[] = {
        "old=1; path=/; expires=Sun, 06 Nov 1994 08:49:37 GMT",
        "bad=1; path=/; expires=whenever",
        "zero=1; path=/; max-age=0",
        "later=1; path=/; expires=",
        "hour=1; path=/; max-age=3600",
        "session=1; path=/",
        "twice=1; path=/; expires=Sun, 06 Nov 1994 08:49:37 GMT; max-age=3600",
    };
    for (const char* reply : replies) {
        std::string text = reply;
        if (text.ends_with("expires=")) text += tomorrow;
        manager.TakeCookie(text, "img.x.y", "/");
    }
    manager.TakeCookie("gone=1; path=/; expires=Thu, 01-Jan-1970 00:00:01 GMT", "other.x.y", "/");
    EXPECT_EQ(storeContents(manager).size(), 8u);

    EXPECT_EQ(manager.CookieHeaderValue("img.x.y", "/", false), "session=1; hour=1; later=1");
    const std::vector<std::string> left = {"img.x.y: later=1 /", "img.x.y: hour=1 /",
                                           "img.x.y: session=1 /"};
    EXPECT_EQ(storeContents(manager), left);
    // A domain stays in the index when its last cookie has gone.
    EXPECT_EQ(manager.CookieCollection().Domains(),
              (std::vector<std::string>{"img.x.y", "other.x.y"}));

    manager.TakeCookie("old=1; path=/; expires=Sun, 06 Nov 1994 08:49:37 GMT", "img.x.y", "/");
    manager.DropExpiredCookies();
    EXPECT_EQ(storeContents(manager), left);
}

TEST_F(CookieManagerTest, OnNewCookieMayRefuseAndMayReadTheStore) {
    TNetCookieManager manager;
    std::vector<std::string> seen;
    manager.OnNewCookie = [&](const TNetNetscapeCookie& cookie) {
        seen.push_back(cookie.Name() + "@" + cookie.Domain() + cookie.Path() + " [" +
                       manager.CookieHeaderValue("img.x.y", "/pics/", false) + "]");
        return cookie.Name() != "no";
    };
    manager.TakeCookie("yes=1", "img.x.y", "/pics/a.jpg");
    manager.TakeCookie("no=1; path=/", "img.x.y", "/");
    manager.TakeCookie("far=1; domain=.x.y", "a.b.x.y", "/");
    const std::vector<std::string> expectedSeen = {"yes@img.x.y/pics []", "no@img.x.y/ [yes=1]"};
    EXPECT_EQ(seen, expectedSeen);
    EXPECT_EQ(storeContents(manager), std::vector<std::string>{"img.x.y: yes=1 /pics"});

    manager.OnNewCookie = nullptr;
    manager.TakeCookie("also=1; path=/", "img.x.y", "/");
    EXPECT_EQ(manager.CookieHeaderValue("img.x.y", "/pics/", false), "yes=1; also=1");
}

TEST_F(CookieManagerTest, ABadSetCookie2PortListFailsAndKeepsEarlierCookies) {
    TNetCookieManager manager;
    manager.TakeCookie("a=1; path=/", "img.x.y", "/");
    manager.TakeCookie2("b=2; Version=1; Path=/; Port=\"80,443\"", "img.x.y", "/");
    try {
        manager.TakeCookie2("c=3; Version=1; Path=/; Port=\"80,web\"", "img.x.y", "/");
        ADD_FAILURE() << "no failure";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'web' is not a valid integer value");
    }
    EXPECT_EQ(manager.CookieHeaderValue("img.x.y", "/", false), "b=2; a=1");
    const auto cookies = manager.CookieCollection().CookiesOf("IMG.X.Y");
    ASSERT_EQ(cookies.size(), 2u);
    const auto* second = dynamic_cast<const TNetCookieRFC2965*>(cookies[1].get());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Ports(), (std::vector<int32_t>{80, 443}));
}

TEST_F(CookieManagerTest, ReadersAndWritersOnSeveralThreadsLoseNothing) {
    TNetCookieManager manager;
    constexpr int PerWriter = 150;
    std::vector<std::thread> threads;
    for (int writer = 0; writer < 2; ++writer)
        threads.emplace_back([&manager, writer] {
            for (int i = 0; i < PerWriter; ++i)
                manager.TakeCookie("w" + std::to_string(writer) + "_" + std::to_string(i) +
                                       "=1; path=/",
                                   "img.x.y", "/");
        });
    std::vector<std::string> malformed;
    std::mutex malformedLock;
    for (int reader = 0; reader < 2; ++reader)
        threads.emplace_back([&] {
            for (int i = 0; i < PerWriter; ++i) {
                const std::string header = manager.CookieHeaderValue("img.x.y", "/", false);
                if (!header.empty() && !header.ends_with("=1")) {
                    std::lock_guard lock(malformedLock);
                    malformed.push_back(header);
                }
            }
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_TRUE(malformed.empty());

    const auto cookies = manager.CookieCollection().CookiesOf("img.x.y");
    ASSERT_EQ(cookies.size(), 2u * PerWriter);
    for (int writer = 0; writer < 2; ++writer) {
        int next = 0;
        for (const auto& cookie : cookies)
            if (cookie->Name().starts_with("w" + std::to_string(writer) + "_")) {
                EXPECT_EQ(cookie->Name(),
                          "w" + std::to_string(writer) + "_" + std::to_string(next++));
            }
        EXPECT_EQ(next, PerWriter);
    }
}
