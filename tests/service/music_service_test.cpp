// The real stand-in service, started on a free port, answering the program's three
// requests and serving the files its replies point at.

#include "base/str_to_int.h"
#include "platform/codepage/codepage.h"
#include "service/endpoint_urls.h"
#include "service/reply_members.h"
#include "service/reply_reader.h"
#include "service/service_get.h"
#include "support/music_service_process.h"

#include <gtest/gtest.h>
#include <httplib.h>

using namespace melvanto;

namespace {

bool isDigits(std::u16string_view text) {
    if (text.empty()) return false;
    for (char16_t c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

bool holdsHangul(std::u16string_view text) {
    for (char16_t c : text)
        if (c >= 0xAC00 && c <= 0xD7A3) return true;
    return false;
}

std::string narrow(std::u16string_view ascii) {
    return std::string(ascii.begin(), ascii.end());
}

class MusicServiceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_service = new melvanto::testing::MusicServiceProcess(MUSIC_SERVICE_PATH, {});
    }
    static void TearDownTestSuite() {
        EXPECT_EQ(s_service->Stop(), 0) << s_service->Log();
        delete s_service;
        s_service = nullptr;
    }
    void SetUp() override { ASSERT_GT(s_service->Port(), 0) << "music-service did not start"; }
    void TearDown() override { PinAnsiCodePageForTesting(""); }

    static std::string host() { return "127.0.0.1:" + std::to_string(s_service->Port()); }

    // A file the replies link to, fetched as bytes: {status, body}.
    static std::pair<int, std::string> fetch(const std::string& link) {
        const std::string origin = "http://" + host();
        EXPECT_EQ(link.rfind(origin, 0), 0u) << link;
        httplib::Client client("127.0.0.1", s_service->Port());
        const auto result = client.Get(link.substr(origin.size()));
        if (!result) return {0, ""};
        return {result->status, result->body};
    }

    ServiceHosts m_hosts = ServiceHosts::AllOn(host());
    TRequestSlot m_slot;
    static melvanto::testing::MusicServiceProcess* s_service;
};

melvanto::testing::MusicServiceProcess* MusicServiceTest::s_service = nullptr;

TEST_F(MusicServiceTest, SuggestionFindsSongsByNameOrArtist) {
    struct Case {
        std::string keyword; // UTF-8 locale
        std::u16string contained;
    } cases[] = {{"river", u"river"}, {"\xE8\xBF\x9C\xE6\x96\xB9", u"远方"}, {"Nora", u"nora"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyword);
        using M = SuggestionReply;
        const ReplyArray songs = ReadReply(ServiceGet(m_slot, SuggestionUrl(m_hosts, c.keyword)))
                                     .Object(M::kData)
                                     .Array(M::kSong);
        ASSERT_GT(songs.Count(), 0);
        for (int32_t i = 0; i < songs.Count(); ++i) {
            const ReplyObject song = songs.Item(i);
            EXPECT_TRUE(isDigits(song.Text(M::kSongId)));
            std::u16string both = song.Text(M::kSongName) + u" " + song.Text(M::kArtistName);
            for (char16_t& ch : both)
                if (ch >= u'A' && ch <= u'Z') ch = static_cast<char16_t>(ch + 32);
            EXPECT_NE(both.find(c.contained), std::u16string::npos)
                << narrow(song.Text(M::kSongId));
        }
    }
    const ReplyObject none = ReadReply(ServiceGet(m_slot, SuggestionUrl(m_hosts, "zzqq")));
    EXPECT_EQ(none.Object(SuggestionReply::kData).Array(SuggestionReply::kSong).Count(), 0);
}

TEST_F(MusicServiceTest, EveryChartHasAHundredSongsAndAnUpdateDate) {
    using M = ChartReply;
    for (const char* type : {"1", "2", "21", "22", "23", "24", "25"}) {
        SCOPED_TRACE(type);
        const ReplyObject reply = ReadReply(ServiceGet(m_slot, ChartUrl(m_hosts, type)));
        const std::u16string date = reply.Object(M::kBillboard).Text(M::kUpdateDate);
        ASSERT_EQ(date.size(), 10u);
        EXPECT_EQ(date.substr(0, 5), u"2026-");
        const ReplyArray songs = reply.Array(M::kSongList);
        ASSERT_EQ(songs.Count(), 100);
        for (int32_t i = 0; i < songs.Count(); ++i) {
            const ReplyObject song = songs.Item(i);
            EXPECT_TRUE(isDigits(song.Text(M::kSongId)));
            EXPECT_FALSE(song.Text(M::kTitle).empty());
            EXPECT_FALSE(song.Text(M::kArtistName).empty());
        }
    }
}

TEST_F(MusicServiceTest, KoreanTitlesComeBackAsQuestionMarksUnderCodePage936) {
    PinAnsiCodePageForTesting("GBK");
    const ReplyArray songs =
        ReadReply(ServiceGet(m_slot, ChartUrl(m_hosts, "2"))).Array(ChartReply::kSongList);
    int replaced = 0;
    for (int32_t i = 0; i < songs.Count(); ++i) {
        const std::u16string title = songs.Item(i).Text(ChartReply::kTitle);
        EXPECT_FALSE(holdsHangul(title));
        if (title.find(u'?') != std::u16string::npos) ++replaced;
    }
    EXPECT_GT(replaced, 0);
}

TEST_F(MusicServiceTest, SongLinkGivesEachQualityWithWorkingLinks) {
    using M = SongLinkReply;
    const ReplyArray chart =
        ReadReply(ServiceGet(m_slot, ChartUrl(m_hosts, "1"))).Array(ChartReply::kSongList);
    bool sawNoFlac = false, sawNoLyrics = false, sawNoCover = false;
    for (int32_t i = 0; i < chart.Count(); ++i) {
        const std::string id = narrow(chart.Item(i).Text(ChartReply::kSongId));
        for (auto [rate, type] :
             {std::pair{"320", "flac"}, {"128", "mp3"}, {"192", "mp3"}, {"320", "mp3"}}) {
            SCOPED_TRACE(id + " " + rate + " " + type);
            const ReplyObject reply =
                ReadReply(ServiceGet(m_slot, SongLinkUrl(m_hosts, id, rate, type)));
            ASSERT_EQ(reply.Text(M::kErrorCode), M::kSuccess);
            const ReplyArray list = reply.Object(M::kData).Array(M::kSongList);
            ASSERT_EQ(list.Count(), 1);
            const ReplyObject song = list.Item(0);
            EXPECT_FALSE(song.Text(M::kSongName).empty());
            EXPECT_FALSE(song.Text(M::kArtistName).empty());
            EXPECT_EQ(narrow(song.Text(M::kFormat)), type);
            const int32_t seconds = StrToInt(narrow(song.Text(M::kTime)));
            EXPECT_GE(seconds, 120);
            EXPECT_LE(seconds, 360);
            const std::string songLink = narrow(song.Text(M::kSongLink));
            const int32_t size = StrToInt(narrow(song.Text(M::kSize)));
            if (songLink.empty()) {
                EXPECT_EQ(std::string(type), "flac");
                sawNoFlac = true;
            } else {
                const int32_t kbps = StrToInt(narrow(song.Text(M::kRate)));
                if (std::string(type) == "mp3")
                    EXPECT_EQ(narrow(song.Text(M::kRate)), rate);
                else
                    EXPECT_GT(kbps, 320);
                EXPECT_EQ(size, kbps * 125 * seconds);
                const auto [status, body] = fetch(songLink);
                EXPECT_EQ(status, 200);
                EXPECT_EQ(body.substr(0, 4), std::string(type) == "flac" ? "fLaC" : "ID3\x04");
            }
            const std::string lrcLink = narrow(song.Text(M::kLrcLink));
            if (lrcLink.empty()) {
                sawNoLyrics = true;
            } else if (std::string(rate) == "128") {
                EXPECT_EQ(lrcLink.rfind("/data2/lrc/", 0), 0u);
                const std::u16string lyrics = ServiceGet(m_slot, LyricBase(m_hosts) + lrcLink);
                EXPECT_NE(lyrics.find(u"\n[00:00.00]"), std::u16string::npos);
            }
            const std::string cover = narrow(song.Text(M::kSongPicBig));
            if (cover.empty()) {
                sawNoCover = true;
            } else if (std::string(rate) == "128") {
                const auto [status, jpeg] = fetch(cover);
                EXPECT_EQ(status, 200);
                EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
                EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
            }
        }
    }
    EXPECT_TRUE(sawNoFlac);
    EXPECT_TRUE(sawNoLyrics);
    EXPECT_TRUE(sawNoCover);
}

TEST_F(MusicServiceTest, UnknownSongIsAnotherErrorCode) {
    for (const char* id : {"1", "abc", "", "200000x"}) {
        SCOPED_TRACE(id);
        const ReplyObject reply =
            ReadReply(ServiceGet(m_slot, SongLinkUrl(m_hosts, id, "320", "flac")));
        EXPECT_EQ(reply.Text(SongLinkReply::kErrorCode), u"22005");
    }
}

TEST_F(MusicServiceTest, MalformedQueriesGetAJsonErrorWithStatus400) {
    httplib::Client client("127.0.0.1", s_service->Port());
    for (const char* target :
         {"/info/suggestion?format=json&version=2&from=0",
          "/v1/restserver/ting?size=100&type=x&format=json&method=baidu.ting.billboard.billList",
          "/v1/restserver/ting?size=-1&type=1&format=json&method=baidu.ting.billboard.billList",
          "/v1/restserver/ting?size=100&type=3&format=json&method=baidu.ting.billboard.billList",
          "/v1/restserver/ting?size=100&type=1&format=json",
          "/data/music/fmlink?rate=320&format=json&type=flac",
          "/data/music/fmlink?songIds=1&rate=high&format=json&type=flac",
          "/data/music/fmlink?songIds=1&rate=320&format=json&type=ogg"}) {
        SCOPED_TRACE(target);
        const auto result = client.Get(target);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 400);
        const ReplyObject reply = ReadReply(Utf8ToWide(result->body));
        EXPECT_EQ(reply.Text(u"error_code"), u"400");
        EXPECT_FALSE(reply.Text(u"error_message").empty());
    }
}

TEST_F(MusicServiceTest, CoversHaveTheirSizesAndKinds) {
    httplib::Client client("127.0.0.1", s_service->Port());
    struct Case {
        const char* name;
        int size;
        int components;
        unsigned char frame; // 0xC0 baseline, 0xC2 progressive
    } cases[] = {
        {"cover0_150x150.jpg", 150, 3, 0xC0},
        {"cover1_300x300.jpg", 300, 3, 0xC0},
        {"cover2_90x90.jpg", 90, 3, 0xC0},
        {"cover3_150x150_grey.jpg", 150, 1, 0xC0},
        {"cover4_300x300_progressive.jpg", 300, 3, 0xC2},
        {"cover5_500x500.jpg", 500, 3, 0xC0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = client.Get(std::string("/data2/pic/") + c.name);
        ASSERT_TRUE(result);
        ASSERT_EQ(result->status, 200);
        const std::string& jpeg = result->body;
        const size_t frame = jpeg.find(std::string("\xFF") + static_cast<char>(c.frame));
        ASSERT_NE(frame, std::string::npos);
        const auto byte = [&](size_t k) { return static_cast<unsigned char>(jpeg[frame + k]); };
        EXPECT_EQ(byte(5) * 256 + byte(6), c.size); // height
        EXPECT_EQ(byte(7) * 256 + byte(8), c.size); // width
        EXPECT_EQ(byte(9), c.components);
    }
}

} // namespace
