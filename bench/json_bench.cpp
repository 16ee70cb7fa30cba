// ParseJson plus a full walk of (a) a 100-song chart reply and (b) a 2 MB document of
// mixed objects, arrays, escaped strings and numbers, beside RapidJSON's DOM parse of the
// same UTF-16 text (and of its UTF-8 form) as the reference. Throughput is counted in
// bytes of the UTF-8 document for every variant.

#include "json/json_avl_iterator.h"
#include "json/json_parser.h"
#include "platform/codepage/codepage.h"

#include <benchmark/benchmark.h>
#include <rapidjson/document.h>

#include <charconv>
#include <random>
#include <string>
#include <vector>

using namespace melvanto;

namespace {

std::u16string wide(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// (a) The reply of the chart endpoint: billboard{...} and song_list[100 songs].
std::u16string chartReply() {
    std::u16string text =
        u"{\"billboard\":{\"billboard_type\":\"2\",\"billboard_no\":\"1723\","
        u"\"update_date\":\"2015-06-24\",\"billboard_songnum\":\"520\",\"havemore\":1,"
        u"\"name\":\"\u70ED\u6B4C\u699C\",\"comment\":\"\u8BE5\u699C\u5355\u662F\u6839\u636E"
        u"\u767E\u5EA6\u97F3\u4E50\u5E73\u53F0\u6B4C\u66F2\u6BCF\u5468\u64AD\u653E\u91CF\","
        u"\"pic_s640\":\"http:\\/\\/c.hiphotos.example\\/ting\\/pic\\/item\\/a.jpg\","
        u"\"pic_s444\":\"http:\\/\\/d.hiphotos.example\\/ting\\/pic\\/item\\/b.jpg\"},"
        u"\"song_list\":[";
    for (int i = 0; i < 100; ++i) {
        const std::u16string n = wide(std::to_string(i));
        const std::u16string id = wide(std::to_string(877578 + i * 37));
        if (i) text += u",";
        text +=
            u"{\"artist_id\":\"" + wide(std::to_string(1000 + i)) +
            u"\",\"language\":\"\u56FD\u8BED\",\"pic_big\":\"http:\\/\\/musicdata.example"
            u"\\/music\\/" +
            id + u"\\/" + id +
            u".jpg@s_1,w_150,h_150\",\"pic_small\":"
            u"\"http:\\/\\/musicdata.example\\/music\\/" +
            id + u"\\/" + id +
            u".jpg@s_1,w_90,h_90\",\"country\":\"\u5185\u5730\",\"area\":\"0\","
            u"\"publishtime\":\"2015-06-" +
            wide(std::to_string(10 + i % 19)) + u"\",\"album_no\":\"" + n +
            u"\",\"lrclink\":\"\\/data2\\/lrc\\/" + id + u"\\/" + id +
            u".lrc\",\"copy_type\":\"1\",\"hot\":\"" + wide(std::to_string(250000 - i * 1000)) +
            u"\",\"all_artist_ting_uid\":\"" + wide(std::to_string(2000 + i)) +
            u"\",\"resource_type\":\"0\",\"is_new\":\"" + (i % 3 ? u"0" : u"1") +
            u"\",\"rank_change\":\"" + wide(std::to_string(i % 5 - 2)) + u"\",\"rank\":\"" +
            wide(std::to_string(i + 1)) + u"\",\"all_artist_id\":\"" +
            wide(std::to_string(1000 + i)) +
            u"\",\"style\":\"\u6D41\u884C\",\"del_status\":\"0\",\"relate_status\":\"0\","
            u"\"toneid\":\"0\",\"all_rate\":\"64,128,256,320,flac\",\"file_duration\":" +
            wide(std::to_string(180 + i)) +
            u",\"has_mv_mobile\":0,\"versions\":\"\",\"bitrate_fee\":\"{\\\"0\\\":\\\"0|0\\\","
            u"\\\"1\\\":\\\"0|0\\\"}\",\"song_id\":\"" +
            id + u"\",\"title\":\"\u6B4C\u66F2 " + n + u"\",\"ting_uid\":\"" +
            wide(std::to_string(2000 + i)) + u"\",\"author\":\"\u6B4C\u624B " + n +
            u"\",\"album_id\":\"" + wide(std::to_string(500000 + i)) +
            u"\",\"album_title\":\"\u4E13\u8F91 " + n +
            u"\",\"is_first_publish\":0,\"havehigh\":2,\"charge\":0,\"has_mv\":" +
            (i % 2 ? u"1" : u"0") +
            u",\"learn\":0,\"song_source\":\"web\",\"piao_id\":\"0\","
            u"\"korean_bb_song\":\"0\",\"resource_type_ext\":\"0\",\"mv_provider\":\"0000000000\","
            u"\"artist_name\":\"\u6B4C\u624B " +
            n + u"\"}";
    }
    text += u"],\"error_code\":22000}";
    return text;
}

// (b) About 2 MB (UTF-8) of mixed objects, arrays, strings with escapes and numbers.
class MixedDocument {
public:
    std::u16string Make(size_t utf8Bytes) {
        std::u16string text = u"{\"generator\":\"bench\",\"items\":[";
        bool first = true;
        // Measured only every 200 objects: converting each time would be quadratic.
        while (WideToUtf8(text).size() < utf8Bytes) {
            for (int k = 0; k < 200; ++k) {
                if (!first) text += u',';
                text += object(0);
                first = false;
            }
        }
        return text + u"]}";
    }

private:
    unsigned pick(unsigned count) { return m_random() % count; }

    std::u16string name() {
        static const char* const names[] = {"id",   "name",  "title", "artist", "size",
                                            "rate", "tags",  "score", "links",  "meta",
                                            "when", "count", "ratio", "flag",   "note"};
        return wide(std::string("\"") + names[pick(15)] + std::to_string(pick(4)) + "\"");
    }

    std::u16string string() {
        static const std::u16string_view pieces[] = {
            u"song",        u" ",         u"\\\"",    u"\\\\",         u"\\/",
            u"\\n",         u"\\t",       u"\\u00e9", u"\u4E2D\u6587", u"http://h/a",
            u"Lorem ipsum", u"dolor sit", u"\\u4e2d", u"amet, 42",     u"\u00E9t\u00E9"};
        std::u16string text = u"\"";
        for (unsigned i = 0, n = 1 + pick(6); i < n; ++i)
            text += pieces[pick(15)];
        return text + u"\"";
    }

    std::u16string number() {
        switch (pick(4)) {
        case 0:
            return wide(std::to_string(static_cast<int>(pick(2000000)) - 1000000));
        case 1:
            return wide(std::to_string(pick(100000)) + "." + std::to_string(pick(100)));
        case 2:
            return wide(std::to_string(pick(1000)) + "." + std::to_string(100000 + pick(900000)) +
                        "e" + std::to_string(static_cast<int>(pick(20)) - 10));
        default:
            return wide(std::to_string(pick(100)));
        }
    }

    std::u16string value(int depth) {
        switch (pick(depth < 4 ? 10 : 8)) {
        case 0:
            return pick(2) ? u"true" : u"false";
        case 1:
            return u"null";
        case 2:
        case 3:
        case 4:
            return number();
        case 5:
        case 6:
        case 7:
            return string();
        case 8:
            return array(depth + 1);
        default:
            return object(depth + 1);
        }
    }

    std::u16string array(int depth) {
        std::u16string text = u"[";
        for (unsigned i = 0, n = pick(8); i < n; ++i) {
            if (i) text += u',';
            text += value(depth);
        }
        return text + u"]";
    }

    std::u16string object(int depth) {
        std::u16string text = u"{";
        for (unsigned i = 0, n = 2 + pick(8); i < n; ++i) {
            if (i) text += u',';
            text += name();
            text += u':';
            text += value(depth);
        }
        return text + u"}";
    }

    std::mt19937 m_random{20240601};
};

struct Document {
    std::u16string wideText;
    std::string utf8Text;
};

const Document& chartDocument() {
    static const Document document = [] {
        std::u16string text = chartReply();
        return Document{text, WideToUtf8(text)};
    }();
    return document;
}

const Document& mixedDocument() {
    static const Document document = [] {
        std::u16string text = MixedDocument().Make(2 * 1024 * 1024);
        return Document{text, WideToUtf8(text)};
    }();
    return document;
}

const Document& documentFor(const benchmark::State& state) {
    return state.range(0) == 0 ? chartDocument() : mixedDocument();
}

// Every member through Lookup by its name, every element through ItemAt, and the
// ValueText of every scalar. Returns a checksum so that nothing is optimised away.
size_t walk(const IJsonValue& top) {
    size_t sum = 0;
    std::vector<IJsonValue> pending{top};
    while (!pending.empty()) {
        IJsonValue value = std::move(pending.back());
        pending.pop_back();
        if (const TJsonMemberTable* members = value->ObjectView()) {
            TJsonAvlIterator walker(*members);
            while (const TJsonAvlEntry* entry = walker.Next())
                pending.push_back(value->Lookup(entry->name));
        } else if (const TJsonArray* items = value->ArrayView()) {
            for (int32_t i = 0; i < items->ItemCount(); ++i)
                pending.push_back(items->ItemAt(i));
        } else {
            sum += value->ValueText().size();
        }
    }
    return sum;
}

void melvantoParse(benchmark::State& state) {
    const Document& document = documentFor(state);
    for (auto _ : state) {
        IJsonValue value = ParseJson(document.wideText);
        benchmark::DoNotOptimize(value.get());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(document.utf8Text.size()));
}

void melvantoParseAndWalk(benchmark::State& state) {
    const Document& document = documentFor(state);
    for (auto _ : state) {
        IJsonValue value = ParseJson(document.wideText);
        benchmark::DoNotOptimize(walk(value));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(document.utf8Text.size()));
}

// RapidJSON 1.1 reads UTF-16 only from a NUL-terminated text (its counted overload casts
// to bytes), which the std::u16string provides.
using RapidUtf16Document = rapidjson::GenericDocument<rapidjson::UTF16<char16_t>>;

void rapidJsonParseUtf16(benchmark::State& state) {
    const Document& document = documentFor(state);
    for (auto _ : state) {
        RapidUtf16Document dom;
        dom.Parse(document.wideText.c_str());
        if (dom.HasParseError()) state.SkipWithError("RapidJSON could not parse the document");
        benchmark::DoNotOptimize(dom.MemberCount());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(document.utf8Text.size()));
}

void rapidJsonParseUtf8(benchmark::State& state) {
    const Document& document = documentFor(state);
    for (auto _ : state) {
        rapidjson::Document dom;
        dom.Parse(document.utf8Text.data(), document.utf8Text.size());
        if (dom.HasParseError()) state.SkipWithError("RapidJSON could not parse the document");
        benchmark::DoNotOptimize(dom.MemberCount());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(document.utf8Text.size()));
}

// The same walk on RapidJSON's UTF-16 DOM: FindMember by name, index every element,
// and make the text of every scalar.
size_t rapidWalk(const RapidUtf16Document::ValueType& top) {
    size_t sum = 0;
    std::vector<const RapidUtf16Document::ValueType*> pending{&top};
    while (!pending.empty()) {
        const auto& value = *pending.back();
        pending.pop_back();
        if (value.IsObject()) {
            for (auto member = value.MemberBegin(); member != value.MemberEnd(); ++member)
                pending.push_back(&value.FindMember(member->name)->value);
        } else if (value.IsArray()) {
            for (rapidjson::SizeType i = 0; i < value.Size(); ++i)
                pending.push_back(&value[i]);
        } else {
            std::u16string text;
            char digits[32];
            if (value.IsString()) {
                text.assign(value.GetString(), value.GetStringLength());
            } else if (value.IsInt64()) {
                auto end = std::to_chars(digits, digits + 32, value.GetInt64()).ptr;
                text.assign(digits, end);
            } else if (value.IsNumber()) {
                auto end = std::to_chars(digits, digits + 32, value.GetDouble(),
                                         std::chars_format::general, 15)
                               .ptr;
                text.assign(digits, end);
            } else {
                text = value.IsNull() ? u"null" : (value.IsTrue() ? u"true" : u"false");
            }
            sum += text.size();
        }
    }
    return sum;
}

void rapidJsonParseAndWalkUtf16(benchmark::State& state) {
    const Document& document = documentFor(state);
    for (auto _ : state) {
        RapidUtf16Document dom;
        dom.Parse(document.wideText.c_str());
        benchmark::DoNotOptimize(rapidWalk(dom));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(document.utf8Text.size()));
}

// Argument 0: the chart reply (a); 1: the 2 MB mixed document (b).
BENCHMARK(melvantoParse)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(rapidJsonParseUtf16)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(rapidJsonParseUtf8)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(melvantoParseAndWalk)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(rapidJsonParseAndWalkUtf16)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
