#include "base/errors.h"
#include "net/cookies/cookie.h"
#include "net/cookies/cookie_pieces.h"
#include "net/cookies/internet_date.h"
#include "platform/clock/local_clock.h"
#include "platform/clock/pinned_zone.h"

#include <gtest/gtest.h>

#include <vector>

using namespace melvanto;
using melvanto::testzone::PinnedZone;

TEST(CookiePieces, AttributeNamesAreUpperCasedAndValuesKept) {
    const TNetCookiePieces pieces("Id=A b; Path=/Mixed/Case ;secure; Comment=Keep This;;x=1=2;");
    EXPECT_EQ(pieces.Name(), "Id");
    EXPECT_EQ(pieces.Value(), "A b");
    const std::vector<std::string> expected = {"PATH=/Mixed/Case", "SECURE", "COMMENT=Keep This",
                                               "", "X=1=2"};
    EXPECT_EQ(pieces.Attributes(), expected);
    EXPECT_EQ(pieces.AttributeValue("path"), "/Mixed/Case");
    EXPECT_EQ(pieces.AttributeValue("X"), "1=2");
    EXPECT_EQ(pieces.AttributeValue("domain"), "");
    EXPECT_TRUE(pieces.HasFlag("Secure"));
    EXPECT_FALSE(pieces.HasFlag("Comment"));
}

TEST(CookieText, SetCookieValuesLoadTheirAttributes) {
    PinnedZone pin(testzone::China);
    struct Case {
        const char* text;
        const char* name;
        const char* value;
        const char* path;
        const char* domain;
        const char* expires;
        bool secure;
        int maxAge;
        const char* version;
        const char* comment;
    };
    const Case cases[] = {
        {"id=42; path=/; domain=.x.y", "id", "42", "/", ".x.y", "", false, -1, "", ""},
        {"id=42;Path=\"/a/\";DOMAIN=x.y;Secure", "id", "42", "/a/", "x.y", "", true, -1, "", ""},
        {"id=42; path=\"", "id", "42", "", "", "", false, -1, "", ""},
        {"id=42; path=\"\"", "id", "42", "", "", "", false, -1, "", ""},
        {"id=42; path=/a\"", "id", "42", "/a", "", "", false, -1, "", ""},
        {"id=4=2; expires=Sun, 06-Nov-94 08:49:37 GMT; version=1; comment=hello world", "id", "4=2",
         "", "", "Sun, 06-Nov-94 08:49:37 GMT", false, -1, "1", "hello world"},
        {" id = 42 ", " id ", " 42 ", "", "", "", false, -1, "", ""},
        {" id=42 ; path=/ ; ", "id", "42", "/", "", "", false, -1, "", ""},
        {"id", "id", "", "", "", "", false, -1, "", ""},
        {"id=42; secure=yes", "id", "42", "", "", "", false, -1, "", ""},
        {"id=42; max-age=abc", "id", "42", "", "", "", false, -1, "", ""},
        {"id=42; max-age=-5", "id", "42", "", "", "", false, -5, "", ""},
        {"id=42; expires=soon; max-age=60", "id", "42", "", "", "soon", false, 60, "", ""},
        {"id=42; Path=/x; path=/y", "id", "42", "/x", "", "", false, -1, "", ""},
        {"id=42; domain=.X.Y", "id", "42", "", ".X.Y", "", false, -1, "", ""},
        {"=42; path=/", "", "42", "/", "", "", false, -1, "", ""},
        {"", "", "", "", "", "", false, -1, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TNetCookieRFC2109 cookie;
        cookie.ParseCookieText(c.text);
        EXPECT_EQ(cookie.CookieText(), c.text);
        EXPECT_EQ(cookie.Name(), c.name);
        EXPECT_EQ(cookie.Value(), c.value);
        EXPECT_EQ(cookie.Path(), c.path);
        EXPECT_EQ(cookie.Domain(), c.domain);
        EXPECT_EQ(cookie.Expires(), c.expires);
        EXPECT_EQ(cookie.Secure(), c.secure);
        EXPECT_EQ(cookie.MaxAge(), c.maxAge);
        EXPECT_EQ(cookie.Version(), c.version);
        EXPECT_EQ(cookie.Comment(), c.comment);
        EXPECT_EQ(cookie.ClientCookie(), std::string(c.name) + "=" + c.value);
    }
}

TEST(CookieText, MaxAgeGivesAnExpiryDateThatManySecondsAhead) {
    PinnedZone pin(testzone::China);
    const int ages[] = {0, 1, 3600, 86400 * 400, 2147483647};
    for (int age : ages) {
        SCOPED_TRACE(age);
        TNetCookieRFC2109 cookie;
        const TDateTime before = UtcNow();
        cookie.ParseCookieText("id=1; Max-Age=" + std::to_string(age));
        const TDateTime after = UtcNow();
        ASSERT_FALSE(cookie.Expires().empty());
        EXPECT_NE(cookie.Expires().find("+0800"), std::string::npos) << cookie.Expires();
        // Written to the second, so up to one second before the exact moment.
        const TDateTime expiry = ReadInternetDateUtc(cookie.Expires());
        EXPECT_GE(expiry, before + (age - 1) / SecondsPerDay);
        EXPECT_LE(expiry, after + age / SecondsPerDay);
    }
}

TEST(CookieText, TheSameTextAgainChangesNothing) {
    TNetCookieRFC2109 cookie;
    cookie.ParseCookieText("id=1; path=/a/");
    cookie.SetPath("/changed/");
    cookie.ParseCookieText("id=1; path=/a/");
    EXPECT_EQ(cookie.Path(), "/changed/");
    cookie.ParseCookieText("id=2; path=/b/");
    EXPECT_EQ(cookie.Value(), "2");
    EXPECT_EQ(cookie.Path(), "/b/");
}

TEST(CookieText, SetCookie2AddsCommentUrlDiscardAndPorts) {
    TNetCookieRFC2965 cookie;
    cookie.ParseCookieText(
        "id=1; Version=1; CommentURL=http://h/why; Discard; Port=\"80,8080\"; Path=/");
    EXPECT_EQ(cookie.Version(), "1");
    EXPECT_EQ(cookie.CommentURL(), "http://h/why");
    EXPECT_TRUE(cookie.Discard());
    EXPECT_EQ(cookie.Ports(), (std::vector<int32_t>{80, 8080}));
    EXPECT_EQ(cookie.Path(), "/");

    TNetCookieRFC2965 plain;
    plain.ParseCookieText("id=1");
    EXPECT_FALSE(plain.Discard());
    EXPECT_EQ(plain.CommentURL(), "");
}

TEST(CookieText, SetCookie2PortLists) {
    struct Case {
        const char* text;
        std::vector<int32_t> ports;
    };
    const Case cases[] = {
        {"id=1", {80}},
        {"id=1; Port", {80}},
        {"id=1; Port=", {80}},
        {"id=1; Port=\"\"", {80}},
        {"id=1; Port=\" , \"", {80}},
        {"id=1; port=\"8080\"", {8080}},
        {"id=1; Port=\"80,8080 443\"", {80, 8080, 443}},
        {"id=1; Port=\"80, 8080,,443 \"", {80, 8080, 443}},
        {"id=1; Port=8080", {}},
        {"id=1; Port=\"", {}},
        {"id=1; Port=\"8080", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TNetCookieRFC2965 cookie;
        cookie.ParseCookieText(c.text);
        EXPECT_EQ(cookie.Ports(), c.ports);
    }
}

TEST(CookieText, APortItemThatIsNotAWholeNumberFails) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"id=1; Port=\"80,8o\"", "'8o' is not a valid integer value"},
        {"id=1; Port=\"http\"", "'http' is not a valid integer value"},
        {"id=1; Port=\"80 99999999999\"", "'99999999999' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TNetCookieRFC2965 cookie;
        try {
            cookie.ParseCookieText(c.text);
            ADD_FAILURE() << "no failure";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST(CookieAcceptsHost, WhichHostMaySetWhichDomain) {
    struct Case {
        const char* domain;
        const char* host;
        bool accepted;
    };
    const Case cases[] = {
        {"127.0.0.1", "127.0.0.1", true},
        {"127.0.0.2", "127.0.0.1", false},
        {".0.0.1", "127.0.0.1", false},
        {"img.x.y", "img.x.y", true},
        {"IMG.x.y", "img.x.y", false},
        {".x.y", "img.x.y", true},
        {".X.Y", "img.x.y", false},
        {".x.y", "a.b.x.y", false},
        {"x.y", "img.x.y", false},
        {".img.x.y", "img.x.y", false},
        {"10.0.0.1", "img.x.y", false},
        {".y", "x.y", false},
        {".", "x.y", false},
        {"localhost", "localhost", true},
        {".localhost", "localhost", false},
        {".x.y", ".x.y", true},
        {".X.Y", ".x.y", true},
        {".z.y", ".x.y", false},
        {"1.2.3.4.", "1.2.3.4.", true},
        {".2.3.4.", "1.2.3.4.", true},
        {"256.1.1.1", "256.1.1.1", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.domain << " from " << c.host);
        TNetCookieRFC2109 cookie;
        cookie.SetDomain(c.domain);
        EXPECT_EQ(cookie.AcceptsHost(c.host), c.accepted);
    }
}
