#include "net/http/uri.h"

#include "platform/codepage/codepage.h"

#include <gtest/gtest.h>

using namespace melvanto;

namespace {

struct SplitCase {
    const char* url;
    const char* protocol;
    const char* username;
    const char* password;
    const char* host;
    const char* port;
    const char* path;
    const char* document;
    const char* params;
    const char* fragment;
};

void expectSplit(const SplitCase& c) {
    SCOPED_TRACE(c.url);
    TNetURI uri(c.url);
    EXPECT_EQ(uri.URI(), c.url);
    EXPECT_EQ(uri.Protocol(), c.protocol);
    EXPECT_EQ(uri.Username(), c.username);
    EXPECT_EQ(uri.Password(), c.password);
    EXPECT_EQ(uri.Host(), c.host);
    EXPECT_EQ(uri.Port(), c.port);
    EXPECT_EQ(uri.Path(), c.path);
    EXPECT_EQ(uri.Document(), c.document);
    EXPECT_EQ(uri.Params(), c.params);
    EXPECT_EQ(uri.Fragment(), c.fragment);
}

} // namespace

TEST(SplitUrl, CutsAUrlIntoItsParts) {
    const SplitCase cases[] = {
        // url, protocol, user, password, host, port, path, document, params, fragment
        {"", "", "", "", "", "", "", "", "", ""},
        {"http://h", "http", "", "", "h", "", "/", "", "", ""},
        {"http://h/", "http", "", "", "h", "", "/", "", "", ""},
        {"http://h/dir/pic.jpg", "http", "", "", "h", "", "/dir/", "pic.jpg", "", ""},
        {"http://h:8080/dir/pic.jpg", "http", "", "", "h", "8080", "/dir/", "pic.jpg", "", ""},
        {"http://h/dir/pic.jpg?a=1/b", "http", "", "", "h", "", "/dir/", "pic.jpg", "?a=1/b", ""},
        // An "=" without "?" starts the params too.
        {"http://h/dir/x=1/y", "http", "", "", "h", "", "/dir/", "x", "=1/y", ""},
        {"http://h/a/pic.jpg#top", "http", "", "", "h", "", "/a/", "pic.jpg", "", "top"},
        {"http://h/a/p.php?a=1#top", "http", "", "", "h", "", "/a/", "p.php", "?a=1", "top"},
        // Backslashes anywhere, the params included, are slashes.
        {"http:\\\\h\\a\\b.jpg?x=\\y", "http", "", "", "h", "", "/a/", "b.jpg", "?x=/y", ""},
        // User information: name, password, host and port all given.
        {"http://user:secret@h:81/p/", "http", "user", "secret", "h", "81", "/p/", "", "", ""},
        {"http://user@h/", "http", "user", "", "h", "", "/", "", "", ""},
        {"http://user:@h/", "http", "user", "", "h", "", "/", "", "", ""},
        // Without a user name the password is dropped too.
        {"http://:secret@h/", "http", "", "", "h", "", "/", "", "", ""},
        {"http://a:b@c@h/", "http", "a", "b", "c@h", "", "/", "", "", ""},
        // Spaces and bytes above 127 stay as they are.
        {"http://h/a b/\xE6\xAD\x8C.jpg", "http", "", "", "h", "", "/a b/", "\xE6\xAD\x8C.jpg", "",
         ""},
        {"HTTPS://h/x", "HTTPS", "", "", "h", "", "/", "x", "", ""},
        // Without "://" there is no protocol and no host, and no "/" is put before the path.
        {"/dir/pic.jpg", "", "", "", "", "", "/dir/", "pic.jpg", "", ""},
        {"pic.jpg?s=1", "", "", "", "", "", "", "pic.jpg", "?s=1", ""},
        {"a\\b.jpg", "", "", "", "", "", "a/", "b.jpg", "", ""},
        {"h:80/x", "", "", "", "", "", "h:80/", "x", "", ""},
    };
    for (const SplitCase& c : cases)
        expectSplit(c);
}

// A host followed directly by "?" or "#" ends there, and a fragment is never path,
// document or params, wherever its "#" stands.
TEST(SplitUrl, HostAndFragmentEndWhereParamsOrFragmentBegin) {
    const SplitCase cases[] = {
        {"http://h?a=1", "http", "", "", "h", "", "/", "", "?a=1", ""},
        {"http://h:8080?a=1/b", "http", "", "", "h", "8080", "/", "", "?a=1/b", ""},
        {"http://h#top", "http", "", "", "h", "", "/", "", "", "top"},
        {"http://h/dir#x/pic.jpg", "http", "", "", "h", "", "/", "dir", "", "x/pic.jpg"},
        {"http://h/doc#a=b", "http", "", "", "h", "", "/", "doc", "", "a=b"},
        {"http://h/doc#frag?x=1", "http", "", "", "h", "", "/", "doc", "", "frag?x=1"},
        {"http://h/a.jpg#", "http", "", "", "h", "", "/", "a.jpg", "", ""},
    };
    for (const SplitCase& c : cases)
        expectSplit(c);
}

TEST(SplitUrl, PathDocumentAndParamsRebuildTheRemainder) {
    for (const char* remainder :
         {"", "a", "dir/pic.jpg?a=1/b", "dir/x=1/y", "a/b/c/", "?=/?", "x==y/z?q", "d/e?"}) {
        SCOPED_TRACE(remainder);
        TNetURI uri(std::string("http://host/") + remainder);
        EXPECT_EQ(uri.Path() + uri.Document() + uri.Params(), std::string("/") + remainder);
    }
}

class SplitUrlCodePage : public ::testing::Test {
protected:
    void TearDown() override { PinAnsiCodePageForTesting(""); }
};

// In code page 936 the second byte of a double-byte character can be 0x5C, the byte of a
// backslash; such a byte is part of the character and stays.
TEST_F(SplitUrlCodePage, BackslashInsideADoubleByteCharacterStays) {
    const std::string url = "http://h/\x81\x5C\\a.jpg";
    PinAnsiCodePageForTesting("GBK");
    TNetURI gbk(url);
    EXPECT_EQ(gbk.Path(), "/\x81\x5C/");
    EXPECT_EQ(gbk.Document(), "a.jpg");

    PinAnsiCodePageForTesting("");
    TNetURI utf8(url);
    EXPECT_EQ(utf8.Path(), "/\x81//");
    EXPECT_EQ(utf8.Document(), "a.jpg");
}

TEST(MergePath, JoinsANewPathToThePreviousOne) {
    struct Case {
        const char* previous;
        const char* path;
        const char* merged;
    } cases[] = {
        {"/a/b/", "../c", "/a/c"},
        {"/a/b/", "c/", "/a/b/c/"},
        {"/a/b/", "/x", "/x"},
        {"/a/b/", "/x//y/../", "/x//y/../"},
        {"/a/b", "c", "/a/b/c"},
        {"/a/b/", "", "/a/b/"},
        {"/a//b/", "c", "/a/b/c"},
        {"/a/", "c//d", "/a/c/d"},
        {"/a/b/", "../../c", "/c"},
        {"/", "../../c", "/c"},
        {"/a/b/", "../../..", "/"},
        {"/", "..", "/"},
        {"/a/b/", "..", "/a"},
        {"/a/b/", "../", "/a/"},
        {"", "c", "/c"},
        {"", "", "/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.previous) + " + " + c.path);
        EXPECT_EQ(TNetURI::MergePath(c.previous, c.path), c.merged);
    }
}

TEST(NetURI, FieldsCanBeSetOneByOne) {
    TNetURI uri("http://old:1/p/d?q#f");
    uri.SetProtocol("https");
    uri.SetUsername("u");
    uri.SetPassword("pw");
    uri.SetHost("new");
    uri.SetPort("443");
    uri.SetPath("/x/");
    uri.SetDocument("y");
    uri.SetParams("?z");
    EXPECT_EQ(uri.Protocol(), "https");
    EXPECT_EQ(uri.Username(), "u");
    EXPECT_EQ(uri.Password(), "pw");
    EXPECT_EQ(uri.Host(), "new");
    EXPECT_EQ(uri.Port(), "443");
    EXPECT_EQ(uri.Path() + uri.Document() + uri.Params(), "/x/y?z");
    // Splitting again starts from nothing.
    uri.SplitUrl("");
    EXPECT_EQ(uri.Host(), "");
    EXPECT_EQ(uri.Path(), "");
    EXPECT_EQ(uri.Fragment(), "");
}
