#include "detail_window_test.h"

#include "support/loopback_ports.h"

using namespace melvanto;
using namespace melvanto::detail_test;

namespace {

using DetailWindowFetch = DetailWindowTest;

TEST_F(DetailWindowFetch, ShowsTheSongOfTheReply) {
    TdlForm& form = OpenWindowWithDefaultSong();
    EXPECT_EQ(StateOf(form), DefaultSongState());
    EXPECT_TRUE(form.IsVisible());
}

TEST_F(DetailWindowFetch, EmptySizeAndTimeAreShownAsZero) {
    QueueReply(SongLinkReply({With(With(DefaultSong(), "size", "\"\""), "time", "\"\"")}));
    TdlForm& form = OpenWindow();
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(form.slb2.Text(), Ansi(" 时长:0"));
    EXPECT_EQ(form.slb3.Text(), Ansi("周杰伦  0MB / flac / 320kbps"));
}

TEST_F(DetailWindowFetch, NumbersAndTextsAreShownWithTheirTexts) {
    // The service may send numbers as JSON numbers; their digits are shown the same way.
    Song song = DefaultSong();
    song = With(song, "size", "31457280");
    song = With(song, "time", "360000");
    song = With(song, "rate", "128");
    song = With(song, "format", JsonString("mp3"));
    // Characters the ANSI code page (GBK here) cannot hold show as "?".
    song = With(song, "songName", R"("\ud55c\uad6d \u6674\u5929")");
    QueueReply(SongLinkReply({song}));
    TdlForm& form = OpenWindow();
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(form.slb1.Text(), Ansi("?? 晴天"));
    EXPECT_EQ(form.slb2.Text(), Ansi(" 时长:100:00:00"));
    EXPECT_EQ(form.slb3.Text(), Ansi("周杰伦  30.00MB / mp3 / 128kbps"));
}

TEST_F(DetailWindowFetch, OnlyTheErrorCodeText22000IsSuccess) {
    struct Case {
        const char* errorCode; // JSON text
        bool success;
    };
    const Case cases[] = {
        {"22000", true},       {R"("22000")", true},   {"22001", false},
        {R"("22001")", false}, {R"("22000 ")", false}, {R"(" 22000")", false},
        {R"("")", false},      {"null", false},        {R"("022000")", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.errorCode);
        gt::ModalBoxRecorder caseBoxes;
        QueueReply(SongLinkReply(c.errorCode, {DefaultSong()}));
        TdlForm& form = OpenWindow();
        if (c.success) {
            EXPECT_TRUE(caseBoxes.Boxes().empty());
            EXPECT_EQ(StateOf(form), DefaultSongState());
        } else {
            ExpectOneBox(caseBoxes.Boxes(), gt::BoxKind::Plain, Ansi("下载失败!"));
            EXPECT_EQ(StateOf(form), InitialState());
        }
    }
}

TEST_F(DetailWindowFetch, AFetchThatStopsEarlyLeavesEveryWidgetAsItWas) {
    struct Case {
        const char* name;
        int status;
        std::string reply;
        gt::BoxKind kind;
        std::string text;
    };
    const Case cases[] = {
        {"error code", 200, SongLinkReply(R"("22001")", {DefaultSong()}), gt::BoxKind::Plain,
         Ansi("下载失败!")},
        {"empty song list", 200, SongLinkReply({}), gt::BoxKind::Plain, Ansi("未找下载链接!")},
        {"web page", 404, "<html><body><h1>Not Found</h1></body></html>", gt::BoxKind::Failure,
         "Reply cannot be read: the reply is not a JSON object."},
        {"no error code", 200, R"({"data":{"songList":[]}})", gt::BoxKind::Failure,
         "Reply cannot be read: errorCode is missing."},
        {"no data", 200, R"({"errorCode":22000})", gt::BoxKind::Failure,
         "Reply cannot be read: data is missing."},
        {"song list not an array", 200, R"({"errorCode":22000,"data":{"songList":{}}})",
         gt::BoxKind::Failure, "Reply cannot be read: data.songList is not an array."},
    };
    // An earlier fetch left a lyric message and a disabled button, so that both link
    // buttons' states are seen to stay.
    QueueReply(SongLinkReply({With(DefaultSong(), "lrcLink", "\"\"")}));
    TdlForm& form = OpenWindow();
    const WindowState before = StateOf(form);
    ASSERT_FALSE(before.btn2Enabled);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gt::ModalBoxRecorder caseBoxes;
        QueueReply(c.reply, c.status);
        gt::Click(form.btn3);
        ExpectOneBox(caseBoxes.Boxes(), c.kind, c.text);
        EXPECT_EQ(StateOf(form), before);
    }
}

TEST_F(DetailWindowFetch, EveryElementIsShownInTurnSoTheLastStays) {
    Song second = DefaultSong();
    second = With(second, "songName", JsonString("七里香"));
    second = With(second, "size", JsonString("131072"));
    second = With(second, "time", JsonString("59"));
    second = With(second, "artistName", JsonString("周杰伦 & 合唱团"));
    second = With(second, "format", JsonString("mp3"));
    second = With(second, "rate", JsonString("192"));
    second = With(second, "songLink", JsonString(""));
    second = With(second, "lrcLink", JsonString("/lrc/2.lrc"));
    QueueReply(SongLinkReply({DefaultSong(), second}));
    TdlForm& form = OpenWindow();
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(StateOf(form), (WindowState{Ansi("七里香"), Ansi(" 时长:00:00:59"),
                                          Ansi("周杰伦 & 合唱团  0.13MB / mp3 / 192kbps"),
                                          Ansi("未找到歌曲下载链接,请尝试其他音质。"),
                                          LyricBase() + "/lrc/2.lrc", false, true}));
}

TEST_F(DetailWindowFetch, EmptyLinksGiveTheirMessagesUntilAQualityHasBoth) {
    const std::string songMessage = Ansi("未找到歌曲下载链接,请尝试其他音质。");
    const std::string lyricMessage = Ansi("未找到歌词下载链接,请尝试其他音质。");
    struct Case {
        const char* name;
        std::string songLink; // JSON text
        std::string lrcLink;  // JSON text
        std::string edt1;
        bool btn1Enabled;
        std::string edt2;
        bool btn2Enabled;
    };
    const Case cases[] = {
        {"both", JsonString("http://f/1.mp3"), JsonString("/l/1.lrc"), "http://f/1.mp3", true,
         LyricBase() + "/l/1.lrc", true},
        {"no song link", "\"\"", JsonString("/l/1.lrc"), songMessage, false,
         LyricBase() + "/l/1.lrc", true},
        // The lyric message, not the bare base address.
        {"no lyric link", JsonString("http://f/1.mp3"), "\"\"", "http://f/1.mp3", true,
         lyricMessage, false},
        {"neither", "\"\"", "\"\"", songMessage, false, lyricMessage, false},
        // JSON null has the text "null", which is not empty.
        {"null links", "null", "null", "null", true, LyricBase() + "null", true},
        // The lyric link is the base and the member's text, with nothing added between.
        {"lyric path without a slash", "\"\"", JsonString("l/1.lrc"), songMessage, false,
         LyricBase() + "l/1.lrc", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QueueReply(SongLinkReply(
            {With(With(DefaultSong(), "songLink", c.songLink), "lrcLink", c.lrcLink)}));
        TdlForm& form = OpenWindow();
        EXPECT_EQ(form.edt1.Text(), c.edt1);
        EXPECT_EQ(form.btn1.IsEnabled(), c.btn1Enabled);
        EXPECT_EQ(form.edt2.Text(), c.edt2);
        EXPECT_EQ(form.btn2.IsEnabled(), c.btn2Enabled);

        // Another quality whose reply has both addresses enables both buttons again.
        QueueReply(SongLinkReply({DefaultSong()}));
        gt::Click(form.btn4);
        EXPECT_EQ(StateOf(form), DefaultSongState());
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(DetailWindowFetch, ASizeOrTimeThatIsNoWholeNumberStopsAfterTheSongName) {
    struct Case {
        const char* member;
        const char* json;
        const char* text; // as the failure names it
    };
    const Case cases[] = {
        {"size", R"("abc")", "abc"},
        {"size", "null", "null"},
        {"size", R"("4194304x")", "4194304x"},
        {"size", R"("2147483648")", "2147483648"},
        {"size", "4.5", "4.5"},
        {"time", R"("abc")", "abc"},
        {"time", "null", "null"},
        {"time", R"("-")", "-"},
    };
    TdlForm& form = OpenWindowWithDefaultSong();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.member) + " " + c.json);
        gt::ModalBoxRecorder caseBoxes;
        QueueReply(SongLinkReply(
            {With(With(DefaultSong(), "songName", JsonString("七里香")), c.member, c.json)}));
        gt::Click(form.btn5);
        ExpectOneBox(caseBoxes.Boxes(), gt::BoxKind::Failure,
                     "'" + std::string(c.text) + "' is not a valid integer value.");
        WindowState expected = DefaultSongState();
        expected.slb1 = Ansi("七里香");
        EXPECT_EQ(StateOf(form), expected);
        // Back to the default song for the next case.
        QueueReply(SongLinkReply({DefaultSong()}));
        gt::Click(form.btn6);
    }
}

TEST_F(DetailWindowFetch, AMissingMemberStopsTheFetchWhereItIsRead) {
    // The old window shows no links; the new element has both, and other texts everywhere,
    // so each widget shows whether it was written before the missing member.
    Song newSong = DefaultSong();
    newSong = With(newSong, "songName", JsonString("稻香"));
    newSong = With(newSong, "time", JsonString("223"));
    newSong = With(newSong, "format", JsonString("mp3"));
    const WindowState newState{Ansi("稻香"),
                               Ansi(" 时长:00:03:43"),
                               Ansi("周杰伦  4.00MB / mp3 / 320kbps"),
                               "http://file.example/song/877578.flac",
                               LyricBase() + "/data2/lrc/877578.lrc",
                               true,
                               true};
    struct Case {
        const char* member;
        int written; // widgets written before it, in the order slb1, slb2, slb3, edt1, rest
    };
    const Case cases[] = {
        {"songName", 0}, {"size", 1},     {"time", 1},    {"artistName", 2}, {"format", 2},
        {"rate", 2},     {"songLink", 3}, {"lrcLink", 4}, {"songPicBig", 5},
    };
    QueueReply(SongLinkReply({With(With(DefaultSong(), "songLink", "\"\""), "lrcLink", "\"\"")}));
    TdlForm& form = OpenWindow();
    const WindowState oldState = StateOf(form);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.member);
        gt::ModalBoxRecorder caseBoxes;
        QueueReply(SongLinkReply({Without(newSong, c.member)}));
        gt::Click(form.btn3);
        ExpectOneBox(caseBoxes.Boxes(), gt::BoxKind::Failure,
                     "Reply cannot be read: data.songList[0]." + std::string(c.member) +
                         " is missing.");
        WindowState expected = oldState;
        if (c.written > 0) expected.slb1 = newState.slb1;
        if (c.written > 1) expected.slb2 = newState.slb2;
        if (c.written > 2) expected.slb3 = newState.slb3;
        if (c.written > 3) expected.edt1 = newState.edt1;
        if (c.written > 4) expected = newState;
        EXPECT_EQ(StateOf(form), expected);
        // Back to the old window for the next case.
        QueueReply(
            SongLinkReply({With(With(DefaultSong(), "songLink", "\"\""), "lrcLink", "\"\"")}));
        gt::Click(form.btn6);
        ASSERT_EQ(StateOf(form), oldState);
    }
}

TEST_F(DetailWindowFetch, AFailedFirstFetchIsShownFirstAndTheWindowStillOpens) {
    test::RefusingPort refusing;
    struct Case {
        const char* name;
        bool refused;
        std::string reply;
        gt::BoxKind kind;
        std::string text; // empty: the request's own description, whatever it says
    };
    const Case cases[] = {
        {"refused connection", true, "", gt::BoxKind::Failure, ""},
        {"error code", false, SongLinkReply("22005", {}), gt::BoxKind::Plain, Ansi("下载失败!")},
        {"empty song list", false, SongLinkReply({}), gt::BoxKind::Plain, Ansi("未找下载链接!")},
        {"not JSON", false, "Service Unavailable", gt::BoxKind::Failure,
         "Reply cannot be read: the reply is not a JSON object."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<bool> visibleAtBox;
        gt::ModalBoxRecorder caseBoxes([&visibleAtBox](const gt::ModalBox&) {
            visibleAtBox.push_back(dlForm != nullptr && dlForm->IsVisible());
        });
        if (!c.refused) QueueReply(c.reply);
        TdlForm& form = HandOverDetailWindow(
            dlForm, c.refused ? ServiceHosts::AllOn("127.0.0.1:" + std::to_string(refusing.Port()))
                              : Hosts());
        ASSERT_EQ(caseBoxes.Boxes().size(), 1u);
        EXPECT_EQ(caseBoxes.Boxes()[0].kind, c.kind);
        if (c.text.empty())
            EXPECT_FALSE(caseBoxes.Boxes()[0].text.empty());
        else
            EXPECT_EQ(caseBoxes.Boxes()[0].text, c.text);
        EXPECT_EQ(visibleAtBox, std::vector<bool>{false});
        EXPECT_TRUE(form.IsVisible());
        EXPECT_EQ(dlForm, &form);
        EXPECT_EQ(StateOf(form), InitialState());
    }
}

} // namespace
