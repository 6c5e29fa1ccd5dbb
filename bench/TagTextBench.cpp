// The readers' cost per file for the texts of its tags, by what the tags hold: ASCII, or 8-bit
// texts in a legacy code page (Japanese, Chinese, Russian), or UTF-8 written where the tag
// declares single bytes. Each file is an MP3 in memory (ID3v2.3 with title, artist, album and
// comment in the single-byte encoding, 16 KB of frames, an ID3v1 tag), so only the reading and
// decoding are timed, not the disk. Compare CPU times before and after a change to the text
// path; the whole-tree figures of bench_read_tree are too noisy on shared machines for a few
// per cent.
//
//   torvane_tag_text_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "core/base/ByteSource.h"
#include "core/base/TextCodec.h"
#include "core/media/AudioInfo.h"
#include "core/media/ReaderTable.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace torvane {
namespace {

struct Tags {
    const char* Title;
    const char* Artist;
    const char* Album;
    const char* CodePage;
};

constexpr Tags Kinds[] = {
    {"Bohemian Rhapsody", "Queen", "A Night at the Opera", "UTF-8"},
    {"残酷な天使のテーゼ", "高橋洋子", "ｱﾆﾒ主題歌大全集①", "CP932"},
    {"月亮代表我的心", "邓丽君", "邓丽君金曲精选", "GBK"},
    {"Звезда по имени Солнце", "Кино", "Звезда по имени Солнце", "CP1251"},
    {"夜に駆ける", "YOASOBI", "THE BOOK", "UTF-8"},
};

void Put(std::vector<uint8_t>& out, const std::string& bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

void PutU32(std::vector<uint8_t>& out, uint32_t value, bool synchsafe) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(
            static_cast<uint8_t>(synchsafe ? (value >> (shift / 8 * 7)) & 0x7F : value >> shift));
}

std::string Encoded(const char* utf8, const char* codePage) {
    std::string out;
    CTextCodec::ToEncoding(utf8, codePage, out);
    return out;
}

std::string Id3v1Field(std::string text) {
    text.resize(30, '\0');
    return text;
}

std::vector<uint8_t> File(const Tags& tags) {
    const std::string title = Encoded(tags.Title, tags.CodePage),
                      artist = Encoded(tags.Artist, tags.CodePage),
                      album = Encoded(tags.Album, tags.CodePage);
    std::vector<uint8_t> frames;
    const auto frame = [&](const char* id, const std::string& content) {
        Put(frames, id);
        PutU32(frames, static_cast<uint32_t>(content.size() + 1), false);
        frames.push_back(0);
        frames.push_back(0);
        frames.push_back(0); // the single-byte encoding
        Put(frames, content);
    };
    frame("TIT2", title);
    frame("TPE1", artist);
    frame("TALB", album);
    frame("COMM", std::string("eng", 3) + '\0' + album);
    std::vector<uint8_t> file = {'I', 'D', '3', 3, 0, 0};
    PutU32(file, static_cast<uint32_t>(frames.size()), true);
    file.insert(file.end(), frames.begin(), frames.end());
    for (int i = 0; i < 16 * 1024 / 418; ++i) {
        const uint8_t header[] = {0xFF, 0xFB, 0x90, 0x00};
        file.insert(file.end(), header, header + 4);
        file.resize(file.size() + 414, 0);
    }
    Put(file, "TAG" + Id3v1Field(title) + Id3v1Field(artist) + Id3v1Field(album) + "2001" +
                  Id3v1Field(album) + '\xFF');
    return file;
}

void BM_ReadTagTexts(benchmark::State& state) {
    const Tags& tags = Kinds[state.range(0)];
    const std::vector<uint8_t> file = File(tags);
    const CTextCodec codec;
    const auto lines = ReaderLines("mp3");
    for (auto _ : state) {
        const CMemorySource source(file);
        AudioInfo info;
        ReadByTable(source, lines, codec, info);
        benchmark::DoNotOptimize(info.Ext.Title);
    }
    state.SetLabel(std::string(tags.CodePage) + " " + tags.Title);
}
BENCHMARK(BM_ReadTagTexts)->DenseRange(0, 4);

} // namespace
} // namespace torvane

BENCHMARK_MAIN();
