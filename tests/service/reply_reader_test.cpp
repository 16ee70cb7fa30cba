#include "service/reply_reader.h"

#include "base/errors.h"
#include "service/reply_members.h"

#include <gtest/gtest.h>

#include <functional>

using namespace melvanto;

namespace {

// What a reading got before it ended, and the failure it ended with ("" when none).
struct Outcome {
    std::vector<std::u16string> read;
    std::string failure;
};

Outcome run(const std::function<void(std::vector<std::u16string>&)>& reading) {
    Outcome outcome;
    try {
        reading(outcome.read);
    } catch (const EReplyUnreadable& failure) {
        outcome.failure = failure.Message();
    }
    return outcome;
}

// The search window's keyword search: data.song, then each row's three columns.
Outcome readSuggestion(std::u16string_view reply) {
    return run([&](std::vector<std::u16string>& read) {
        using M = SuggestionReply;
        const ReplyArray songs = ReadReply(reply).Object(M::kData).Array(M::kSong);
        for (int32_t i = 0; i < songs.Count(); ++i) {
            const ReplyObject song = songs.Item(i);
            read.push_back(song.Text(M::kSongId));
            read.push_back(song.Text(M::kSongName));
            read.push_back(song.Text(M::kArtistName));
        }
    });
}

// The chart buttons: the update date first, then song_list row by row.
Outcome readChart(std::u16string_view reply) {
    return run([&](std::vector<std::u16string>& read) {
        using M = ChartReply;
        const ReplyObject root = ReadReply(reply);
        read.push_back(u"date " + root.Object(M::kBillboard).Text(M::kUpdateDate));
        const ReplyArray songs = root.Array(M::kSongList);
        for (int32_t i = 0; i < songs.Count(); ++i) {
            const ReplyObject song = songs.Item(i);
            read.push_back(song.Text(M::kSongId));
            read.push_back(song.Text(M::kTitle));
            read.push_back(song.Text(M::kArtistName));
        }
    });
}

// The detail window: errorCode, then every element of data.songList in its order.
Outcome readSongLink(std::u16string_view reply) {
    return run([&](std::vector<std::u16string>& read) {
        using M = SongLinkReply;
        const ReplyObject root = ReadReply(reply);
        const std::u16string code = root.Text(M::kErrorCode);
        if (code != M::kSuccess) {
            read.push_back(u"failed " + code);
            return;
        }
        const ReplyArray songs = root.Object(M::kData).Array(M::kSongList);
        for (int32_t i = 0; i < songs.Count(); ++i) {
            const ReplyObject song = songs.Item(i);
            for (std::u16string_view name :
                 {M::kSongName, M::kSize, M::kTime, M::kArtistName, M::kFormat, M::kRate,
                  M::kSongLink, M::kLrcLink, M::kSongPicBig})
                read.push_back(song.Text(name));
        }
    });
}

struct Case {
    std::u16string reply;
    std::vector<std::u16string> read;
    std::string failure;
};

void expectOutcomes(const std::function<Outcome(std::u16string_view)>& reader,
                    const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.reply.begin(), c.reply.end()));
        const Outcome outcome = reader(c.reply);
        EXPECT_EQ(outcome.read, c.read);
        EXPECT_EQ(outcome.failure, c.failure);
    }
}

TEST(ReplyReader, RepliesThatAreNoJsonObjectCannotBeRead) {
    expectOutcomes(readSuggestion,
                   {
                       {u"", {}, "Reply cannot be read: the reply is empty"},
                       {u" \r\n", {}, "Reply cannot be read: the reply is empty"},
                       {u"<html><body><h1>404 Not Found</h1></body></html>",
                        {},
                        "Reply cannot be read: the reply is not a JSON object"},
                       {u"Not Found", {}, "Reply cannot be read: the reply is not a JSON object"},
                       {u"[1,2]", {}, "Reply cannot be read: the reply is not a JSON object"},
                       {u"null", {}, "Reply cannot be read: the reply is not a JSON object"},
                       {uR"({"data":{"song":[)", {}, "Reply cannot be read: the reply is not JSON"},
                   });
}

TEST(ReplyReader, SuggestionStopsAtTheFirstMemberItCannotRead) {
    expectOutcomes(
        readSuggestion,
        {
            {uR"({"data":{"song":[{"songid":"7","songname":"歌","artistname":"A"},)"
             uR"({"songid":8,"songname":"B","artistname":"","x":[]}]}})",
             {u"7", u"歌", u"A", u"8", u"B", u""},
             ""},
            {uR"({"data":{"song":[]}})", {}, ""},
            {uR"({"data":{"song":[{"songid":null,"songname":12.5,"artistname":true}]}})",
             {u"null", u"12.5", u"true"},
             ""},
            {uR"({})", {}, "Reply cannot be read: data is missing"},
            {uR"({"Data":{"song":[]}})", {}, "Reply cannot be read: data is missing"},
            {uR"({"data":[1]})", {}, "Reply cannot be read: data is not an object"},
            {uR"({"data":"x"})", {}, "Reply cannot be read: data is not an object"},
            {uR"({"data":{}})", {}, "Reply cannot be read: data.song is missing"},
            {uR"({"data":{"song":{"0":{}}}})",
             {},
             "Reply cannot be read: data.song is not an array"},
            {uR"({"data":{"song":[{"songid":"1","songname":"a","artistname":"x"},)"
             uR"({"songid":"2","artistname":"y"}]}})",
             {u"1", u"a", u"x", u"2"},
             "Reply cannot be read: data.song[1].songname is missing"},
            {uR"({"data":{"song":[{"songid":"1","songname":"a","artistname":"x"},"oops"]}})",
             {u"1", u"a", u"x"},
             "Reply cannot be read: data.song[1] is not an object"},
        });
}

TEST(ReplyReader, ChartShowsItsDateBeforeItsSongsAreRead) {
    const std::u16string row = uR"({"song_id":"1","title":"T","artist_name":"A"})";
    expectOutcomes(readChart,
                   {
                       {uR"({"billboard":{"update_date":"2026-12-08"},"song_list":[)" + row + u"]}",
                        {u"date 2026-12-08", u"1", u"T", u"A"},
                        ""},
                       {uR"({"billboard":{"update_date":""},"song_list":[]})", {u"date "}, ""},
                       {uR"({"billboard":{"update_date":"2026-12-08"}})",
                        {u"date 2026-12-08"},
                        "Reply cannot be read: song_list is missing"},
                       {uR"({"billboard":{"update_date":"d"},"song_list":{"a":1}})",
                        {u"date d"},
                        "Reply cannot be read: song_list is not an array"},
                       {uR"({"song_list":[]})", {}, "Reply cannot be read: billboard is missing"},
                       {uR"({"billboard":"x","song_list":[]})",
                        {},
                        "Reply cannot be read: billboard is not an object"},
                       {uR"({"billboard":{},"song_list":[]})",
                        {},
                        "Reply cannot be read: billboard.update_date is missing"},
                       {uR"({"billboard":{"update_date":"d"},"song_list":[)" + row + u"," + row +
                            u"," + row + uR"(,{"song_id":"4","artist_name":"A"}]})",
                        {u"date d", u"1", u"T", u"A", u"1", u"T", u"A", u"1", u"T", u"A", u"4"},
                        "Reply cannot be read: song_list[3].title is missing"},
                   });
}

TEST(ReplyReader, SongLinkReadsTheErrorCodeFirstAndEveryElementInOrder) {
    const std::u16string first =
        uR"({"songName":"S1","size":"4194304","time":245,"artistName":"A1","format":"mp3",)"
        uR"("rate":320,"songLink":"http://h/1.mp3","lrcLink":"/1.lrc","songPicBig":""})";
    const std::u16string second =
        uR"({"songName":"S2","size":"","time":"","artistName":"A2","format":"flac",)"
        uR"("rate":"900","songLink":null,"lrcLink":"","songPicBig":"http://h/2.jpg"})";
    const std::vector<std::u16string> firstValues = {
        u"S1", u"4194304", u"245", u"A1", u"mp3", u"320", u"http://h/1.mp3", u"/1.lrc", u""};
    std::vector<std::u16string> bothValues = firstValues;
    for (const char16_t* value :
         {u"S2", u"", u"", u"A2", u"flac", u"900", u"null", u"", u"http://h/2.jpg"})
        bothValues.push_back(value);

    expectOutcomes(
        readSongLink,
        {
            {uR"({"errorCode":22000,"data":{"songList":[)" + first + u"]}}", firstValues, ""},
            {uR"({"errorCode":"22000","data":{"songList":[)" + first + u"," + second + u"]}}",
             bothValues, ""},
            {uR"({"errorCode":22000,"data":{"songList":[]}})", {}, ""},
            {uR"({"errorCode":22005})", {u"failed 22005"}, ""},
            {uR"({"errorCode":"22000 ","data":{"songList":[]}})", {u"failed 22000 "}, ""},
            {uR"({"data":{"songList":[]}})", {}, "Reply cannot be read: errorCode is missing"},
            {uR"({"errorCode":22000})", {}, "Reply cannot be read: data is missing"},
            {uR"({"errorCode":22000,"data":{"songList":"none"}})",
             {},
             "Reply cannot be read: data.songList is not an array"},
            {uR"({"errorCode":22000,"data":{"songList":[{"songName":"S","time":1}]}})",
             {u"S"},
             "Reply cannot be read: data.songList[0].size is missing"},
            {uR"({"errorCode":22000,"data":{"songList":[)" + first + uR"(,[]]}})", firstValues,
             "Reply cannot be read: data.songList[1] is not an object"},
        });
}

} // namespace
