#pragma once
// Fixture of the detail window tests: the application object, a test server standing in
// for the music site, the modal boxes recorded, and song-link replies built from members.

#include "app/application.h"
#include "app/constant.h"
#include "app/detail_window.h"
#include "platform/codepage/codepage.h"
#include "platform/gui/testing.h"
#include "support/loopback_http_server.h"
#include "ui/download/dl_form.h"

#include <gtest/gtest.h>

#include <clocale>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace melvanto::detail_test {

namespace gt = melvanto::gui::test;

inline constexpr char kSongLinkPath[] = "/data/music/fmlink";
inline constexpr char kSongId[] = "877578";

// UTF-8 text of the test sources as the widgets hold it (ANSI).
inline std::string Ansi(std::string_view utf8) {
    return WideToAnsi(Utf8ToWide(utf8));
}

// A JSON string holding the UTF-8 text (only quotes and backslashes need escaping here).
inline std::string JsonString(std::string_view utf8) {
    std::string json = "\"";
    for (char c : utf8) {
        if (c == '"' || c == '\\') json += '\\';
        json += c;
    }
    return json + "\"";
}

// One element of songList: its members in order, each with the JSON text of its value.
using Song = std::vector<std::pair<std::string, std::string>>;

inline Song DefaultSong() {
    return {
        {"songName", JsonString("晴天")},
        {"size", JsonString("4194304")},
        {"time", JsonString("245")},
        {"artistName", JsonString("周杰伦")},
        {"format", JsonString("flac")},
        {"rate", JsonString("320")},
        {"songLink", JsonString("http://file.example/song/877578.flac")},
        {"lrcLink", JsonString("/data2/lrc/877578.lrc")},
        {"songPicBig", JsonString("")},
    };
}

// The song with the member's value replaced by the JSON text.
inline Song With(Song song, const std::string& member, const std::string& json) {
    for (auto& [name, value] : song)
        if (name == member) value = json;
    return song;
}

inline Song Without(Song song, const std::string& member) {
    std::erase_if(song, [&member](const auto& entry) { return entry.first == member; });
    return song;
}

inline std::string SongJson(const Song& song) {
    std::string json = "{";
    for (const auto& [name, value] : song) {
        if (json.size() > 1) json += ',';
        json += JsonString(name) + ":" + value;
    }
    return json + "}";
}

// {"errorCode":<errorCodeJson>,"data":{"songList":[<songs>]}}
inline std::string SongLinkReply(const std::string& errorCodeJson, const std::vector<Song>& songs) {
    std::string list;
    for (const Song& song : songs)
        list += (list.empty() ? "" : ",") + SongJson(song);
    return R"({"errorCode":)" + errorCodeJson + R"(,"data":{"songList":[)" + list + "]}}";
}

inline std::string SongLinkReply(const std::vector<Song>& songs) {
    return SongLinkReply("22000", songs);
}

// What the window shows, widget by widget.
struct WindowState {
    std::string slb1, slb2, slb3, edt1, edt2;
    bool btn1Enabled = true;
    bool btn2Enabled = true;
    friend bool operator==(const WindowState&, const WindowState&) = default;
    friend std::ostream& operator<<(std::ostream& out, const WindowState& state) {
        return out << "{slb1 '" << state.slb1 << "', slb2 '" << state.slb2 << "', slb3 '"
                   << state.slb3 << "', edt1 '" << state.edt1 << "' " << state.btn1Enabled
                   << ", edt2 '" << state.edt2 << "' " << state.btn2Enabled << "}";
    }
};

inline WindowState StateOf(const TdlForm& form) {
    return {form.slb1.Text(), form.slb2.Text(),      form.slb3.Text(),     form.edt1.Text(),
            form.edt2.Text(), form.btn1.IsEnabled(), form.btn2.IsEnabled()};
}

// The window as laid out, before any fetch has written into it.
inline WindowState InitialState() {
    return {Ansi("歌曲"), "   ", "   ", "", "", true, true};
}

class DetailWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        PinAnsiCodePageForTesting("GBK");
        // The size texts below are written with the C locale's decimal point.
        m_numericLocale = std::setlocale(LC_NUMERIC, nullptr);
        std::setlocale(LC_NUMERIC, "C");
        CurrentSongId = kSongId;
    }
    void TearDown() override {
        std::setlocale(LC_NUMERIC, m_numericLocale.c_str());
        PinAnsiCodePageForTesting("");
    }

    ServiceHosts Hosts() const { return ServiceHosts::AllOn(server.Host()); }
    // "http://<test server>": the base of the lyric links.
    std::string LyricBase() const { return "http://" + server.Host(); }

    // The next song-link reply, used once.
    void QueueReply(std::string body, int status = 200) {
        server.Queue(kSongLinkPath, {status, std::move(body)});
    }

    // A new detail window through the hand-over, as a double-click makes it.
    TdlForm& OpenWindow() { return HandOverDetailWindow(dlForm, Hosts()); }

    // The window a successful creation leaves: DefaultSong shown.
    TdlForm& OpenWindowWithDefaultSong() {
        QueueReply(SongLinkReply({DefaultSong()}));
        TdlForm& form = OpenWindow();
        EXPECT_TRUE(boxes.Boxes().empty());
        return form;
    }

    // DefaultSong as the window shows it.
    WindowState DefaultSongState() const {
        return {Ansi("晴天"),
                Ansi(" 时长:00:04:05"),
                Ansi("周杰伦  4.00MB / flac / 320kbps"),
                "http://file.example/song/877578.flac",
                LyricBase() + "/data2/lrc/877578.lrc",
                true,
                true};
    }

    Application application;
    test::LoopbackHttpServer server;
    gt::ModalBoxRecorder boxes;

private:
    std::string m_numericLocale;
};

// Checks the boxes recorded: one, of the kind, captioned with the title, with the text.
inline void ExpectOneBox(const std::vector<gt::ModalBox>& boxes, gt::BoxKind kind,
                         const std::string& text) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, kind);
    EXPECT_EQ(boxes[0].caption, "Melvanto");
    EXPECT_EQ(boxes[0].icon, kind == gt::BoxKind::Failure ? gt::BoxIcon::Stop : gt::BoxIcon::None);
    EXPECT_EQ(boxes[0].text, text);
}

} // namespace melvanto::detail_test
