#pragma once
// The search window of a running application, its requests going to a loopback test
// server, with helpers to script the server's replies and to read what the window shows.
// Texts are in code page 936 (GBK) throughout.

#include "app/application.h"
#include "app/constant.h"
#include "platform/codepage/codepage.h"
#include "platform/gui/testing.h"
#include "support/loopback_http_server.h"
#include "ui/download/dl_form.h"
#include "ui/searchMusic/search_form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace melvanto::search_test {

namespace guitest = melvanto::gui::test;

inline std::string ansi(std::u16string_view text) {
    return WideToAnsi(text);
}

// A song as the test server sends it: each field is JSON value text, e.g. "\"42\"" or 42.
struct SongJson {
    std::string id;
    std::string name;
    std::string artist;
};

// The same song with string members; the texts are UTF-8 (and plain ASCII in ids).
inline SongJson Quoted(const std::string& id, const std::string& name, const std::string& artist) {
    return {'"' + id + '"', '"' + name + '"', '"' + artist + '"'};
}

inline std::string songArray(const std::vector<SongJson>& songs, const char* id, const char* name,
                             const char* artist) {
    std::string array = "[";
    for (const SongJson& song : songs) {
        if (array.size() > 1) array += ',';
        array += std::string("{\"") + id + "\":" + song.id + ",\"" + name + "\":" + song.name +
                 ",\"" + artist + "\":" + song.artist + ",\"extra\":[1,{\"x\":null}]}";
    }
    return array + "]";
}

// {"data":{"song":[{"songid":..,"songname":..,"artistname":..},...]}}
inline std::string SuggestionJson(const std::vector<SongJson>& songs) {
    return R"({"errno":0,"data":{"song":)" + songArray(songs, "songid", "songname", "artistname") +
           "}}";
}

// {"billboard":{"update_date":..},"song_list":[{"song_id":..,"title":..,"artist_name":..},...]}
inline std::string ChartJson(const std::string& updateDate, const std::vector<SongJson>& songs) {
    return R"({"billboard":{"billboard_type":"2","update_date":")" + updateDate +
           R"(","name":"chart"},"song_list":)" +
           songArray(songs, "song_id", "title", "artist_name") + ",\"error_code\":22000}";
}

// Songs "1000".."1000+count-1" named "歌<n>" by "歌手<n>".
inline std::vector<SongJson> NumberedSongs(int count) {
    std::vector<SongJson> songs;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        songs.push_back(Quoted(std::to_string(1000 + i), "歌" + n, "歌手" + n));
    }
    return songs;
}

// The rows the window should show for NumberedSongs(count), in ANSI.
inline std::vector<std::vector<std::string>> NumberedRows(int count) {
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        rows.push_back({std::to_string(1000 + i), ansi(u"歌") + n, ansi(u"歌手") + n});
    }
    return rows;
}

inline constexpr char kSuggestionPath[] = "/info/suggestion";
inline constexpr char kChartPath[] = "/v1/restserver/ting";
inline constexpr char kSongLinkPath[] = "/data/music/fmlink";

inline std::string ChartTarget(const std::string& type) {
    return "/v1/restserver/ting?size=100&type=" + type +
           "&format=json&method=baidu.ting.billboard.billList";
}

class SearchWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        PinAnsiCodePageForTesting("GBK");
        CurrentBillType.clear();
        application.Own(std::make_unique<TsearchForm>(ServiceHosts::AllOn(server.Host())),
                        searchForm);
    }
    void TearDown() override {
        CurrentBillType.clear();
        PinAnsiCodePageForTesting("");
    }

    TsearchForm& form() { return *searchForm; }

    std::vector<std::vector<std::string>> rows() const {
        std::vector<std::vector<std::string>> all;
        for (int i = 0; i < searchForm->lv1.RowCount(); ++i)
            all.push_back(searchForm->lv1.Row(i));
        return all;
    }

    // Types the keyword and presses "搜索".
    void search(const std::string& ansiKeyword) {
        form().edt1.SetText(ansiKeyword);
        guitest::Click(form().btn1);
    }

    // Fills the list and the date label through chart 2, for tests that start from there.
    void showChart(const std::string& date, int songCount) {
        server.Queue(kChartPath, {200, ChartJson(date, NumberedSongs(songCount))});
        guitest::Click(form().btn3);
        ASSERT_EQ(form().lv1.RowCount(), songCount);
    }

    // The server outlives the application, whose windows may still hold requests to it.
    melvanto::test::LoopbackHttpServer server;
    Application application;
};

inline void ExpectPlainBox(const guitest::ModalBox& box, const std::string& text) {
    EXPECT_EQ(box.kind, guitest::BoxKind::Plain);
    EXPECT_EQ(box.caption, "Melvanto");
    EXPECT_EQ(box.icon, guitest::BoxIcon::None);
    EXPECT_EQ(box.text, text);
}

inline void ExpectFailureBox(const guitest::ModalBox& box, const std::string& text) {
    EXPECT_EQ(box.kind, guitest::BoxKind::Failure);
    EXPECT_EQ(box.caption, "Melvanto");
    EXPECT_EQ(box.icon, guitest::BoxIcon::Stop);
    EXPECT_EQ(box.text, text);
}

} // namespace melvanto::search_test
