// Every reader over sources whose reads come up short, and over large files of zeros: no
// reader may trust a size after a read that returned less, nor walk a file to its end.
#include "Bytes.h"
#include "Fakes.h"
#include "MpegBytes.h"
#include "ReaderFixtures.h"
#include "core/base/FileSource.h"
#include "core/base/ShortReadSource.h"
#include "core/media/AiffReader.h"
#include "core/media/FlacReader.h"
#include "core/media/Mp4Reader.h"
#include "core/media/MpegReader.h"
#include "core/media/OggReader.h"
#include "core/media/OpusReader.h"
#include "core/media/RiffChunks.h"
#include "core/media/WmaReader.h"
#include "core/record/FileReading.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace torvane {
namespace {

using test::CBytes;
using test::ReadMpeg;
using Pattern = CShortReadSource::Pattern;

// Runs one reader over a source; answers the file length the reader reported, or -1 for the
// readers that report none.
struct NamedReader {
    const char* Name;
    std::function<int64_t(const CByteSource&)> Read;
};

NamedReader Named(const char* name, const std::shared_ptr<const CAudioReader>& reader,
                  bool reportsLength) {
    return {name, [reader, reportsLength](const CByteSource& s) {
                AudioInfo info;
                reader->Read(s, info);
                return reportsLength ? info.FileLength : int64_t{-1};
            }};
}

const std::vector<NamedReader>& Readers() {
    static const CTextCodec codec;
    static const std::vector<NamedReader> readers = {
        Named("mpeg", std::make_shared<CMpegReader>(codec), true),
        Named("ogg", std::make_shared<COggReader>(), true),
        Named("wma", std::make_shared<CWmaReader>(), false),
        Named("flac", std::make_shared<CFlacReader>(), false),
        Named("opus", std::make_shared<COpusReader>(), false),
        Named("mp4", std::make_shared<CMp4Reader>(), false),
        Named("aiff", std::make_shared<CAiffReader>(codec), false),
    };
    return readers;
}

// Where reads stop: every offset near the start and the end of the file (headers and tags
// stand there), and a stride through the middle.
std::vector<uint64_t> StopOffsets(uint64_t size) {
    std::vector<uint64_t> offsets;
    for (uint64_t at = 0; at < size; ++at)
        if (at < 48 || size - at <= 160 || at % 61 == 0)
            offsets.push_back(at);
    return offsets;
}

class ShortReads : public testing::TestWithParam<const char*> {};

// Each reader over each test file (of its format or not), with the reads stopping at many
// offsets as in a file that shrinks while it is read, and with some reads returning less than
// asked. The sanitizers watch every run; the reader must neither throw nor report another
// file length than the one the source declares.
TEST_P(ShortReads, NoReaderTrustsAReadThatCameUpShort) {
    const auto bytes = test::DataBytes(GetParam());
    ASSERT_FALSE(bytes.empty());
    const CMemorySource whole(bytes);
    std::vector<Pattern> patterns;
    for (const uint64_t stop : StopOffsets(bytes.size()))
        patterns.push_back({stop, 0, 0});
    for (uint32_t period = 1; period <= 4; ++period)
        for (const uint32_t fraction : {0u, 7u, 15u})
            patterns.push_back({bytes.size(), period, fraction});
    for (const NamedReader& reader : Readers()) {
        for (const Pattern& pattern : patterns) {
            const CShortReadSource source(whole, pattern);
            int64_t length = -1;
            ASSERT_NO_THROW(length = reader.Read(source))
                << reader.Name << " stop " << pattern.StopAt << " period " << pattern.Period;
            if (length != -1) {
                EXPECT_EQ(length, static_cast<int64_t>(bytes.size())) << reader.Name;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(DataFiles, ShortReads,
                         testing::Values("cbr_id3v1.mp3", "id3v23_utf16.mp3", "id3v24_utf8.mp3",
                                         "vbr_xing.mp3", "lib-ape.mp3", "info.wav",
                                         "lib-id3chunk.wav", "lib-aac.m4a", "lib-alac.m4a",
                                         "lib-flac-content.ogg", "lib-opus-content.ogg",
                                         "lib-tags.opus", "lib-tone.flac", "oggwma-tone.ogg",
                                         "oggwma-tone.wma", "lib-id3.aif", "lib-names.aiff"));

// The ID3v1 tag at the end cannot be read when the file ends early: none is reported, where
// the reader once cut a vector at a position before its start.
TEST(ShortReads, Id3v1TagOfAFileThatShrank) {
    const auto bytes = test::DataBytes("cbr_id3v1.mp3");
    const CMemorySource whole(bytes);
    const CTextCodec codec;
    ASSERT_TRUE(ReadMpeg(whole, codec).TagFlags & AudioInfo::TagId3v1);
    for (const uint64_t cut : {uint64_t{0}, uint64_t{100}, bytes.size() - 200, bytes.size() - 1}) {
        const CShortReadSource source(whole, {cut, 0, 0});
        const AudioInfo info = ReadMpeg(source, codec);
        EXPECT_FALSE(info.TagFlags & AudioInfo::TagId3v1) << cut;
        EXPECT_EQ(info.Std.Title, "") << cut;
    }
}

// An atom header read short (fewer than its eight bytes) ends the walk instead of copying a
// type that was never read.
TEST(ShortReads, Mp4AtomHeaderReadShort) {
    const auto bytes = test::DataBytes("lib-aac.m4a");
    const CMemorySource whole(bytes);
    for (uint64_t cut = 0; cut < 64; ++cut) {
        const CShortReadSource source(whole, {cut, 0, 0});
        AudioInfo info;
        // The file type atom needs its header; nothing after it can be read.
        EXPECT_EQ(CMp4Reader().Read(source, info), cut >= 8) << cut;
        EXPECT_EQ(info.SamplingRate, 0) << cut;
    }
    // Every read cut to half: the reader gets through with whatever it could read.
    const CShortReadSource halves(whole, {bytes.size(), 1, 8});
    AudioInfo info;
    EXPECT_NO_THROW(CMp4Reader().Read(halves, info));
}

// ---- bounded walks ----------------------------------------------------------------------------

CBytes Chunk(std::string_view id, const CBytes& data) {
    auto chunk = CBytes().Text(id).U32LE(static_cast<uint32_t>(data.Size())).Append(data);
    if (data.Size() % 2)
        chunk.U8(0);
    return chunk;
}

CBytes WaveFormat() {
    return CBytes().U16LE(1).U16LE(2).U32LE(44100).U32LE(176400).U16LE(4).U16LE(16);
}

int CountChunks(const CByteSource& source, uint64_t end) {
    int count = 0;
    WalkRiffChunks(source, RiffHeaderSize, end, [&](const RiffChunk&) {
        ++count;
        return true;
    });
    return count;
}

// A walk visits at most MaxChunksPerWalk chunks, and a chunk header of zeros ends it.
TEST(BoundedWalks, ChunkCountAndZeroHeaderEndTheWalk) {
    CBytes many = CBytes().Text("RIFF").U32LE(0).Text("WAVE");
    for (int i = 0; i < MaxChunksPerWalk + 500; ++i)
        many.Append(Chunk("JUNK", CBytes()));
    const CMemorySource manySource(many.Data());
    EXPECT_EQ(CountChunks(manySource, many.Size()), MaxChunksPerWalk);

    const auto zeroed = CBytes()
                            .Text("RIFF")
                            .U32LE(0)
                            .Text("WAVE")
                            .Append(Chunk("fmt ", WaveFormat()))
                            .Fill(8)
                            .Append(Chunk("LIST", CBytes().Text("INFO")));
    const CMemorySource zeroedSource(zeroed.Data());
    EXPECT_EQ(CountChunks(zeroedSource, zeroed.Size()), 1);
}

// The chunks of a RIFF file end where its header says; a RIFF size too small to hold the form
// type (written as 0 while streaming) lets the walk run to the end of the file.
TEST(BoundedWalks, RiffSizeEndsTheChunks) {
    const auto chunks = Chunk("fmt ", WaveFormat()).Append(Chunk("data", CBytes().Fill(64)));
    const auto list =
        Chunk("LIST", CBytes().Text("INFO").Append(Chunk("INAM", CBytes().Text("Past"))));
    const CTextCodec codec;
    for (const uint32_t declared : {static_cast<uint32_t>(chunks.Size() + 4), uint32_t{0}}) {
        const auto file =
            CBytes().Text("RIFF").U32LE(declared).Text("WAVE").Append(chunks).Append(list);
        const CMemorySource source(file.Data());
        EXPECT_EQ(FormEnd(source, 0, false), declared ? chunks.Size() + 12 : file.Size());
        const AudioInfo info = ReadMpeg(source, codec);
        EXPECT_EQ(info.SamplingRate, 44100);
        EXPECT_EQ(info.Ext.Title, declared ? "" : "Past") << declared;
    }
}

// Frames of an ID3v2 tag are walked 4096 at most: a title behind more empty frames than that
// is not reached, one behind fewer is.
TEST(BoundedWalks, Id3v2FrameCount) {
    const CTextCodec codec;
    for (const int frames : {4000, 5000}) {
        CBytes body;
        for (int i = 0; i < frames; ++i)
            body.Text("TXXX").U32BE(0).U16BE(0);
        body.Text("TIT2").U32BE(6).U16BE(0).U8(0).Text("Title");
        const auto file = CBytes()
                              .Text("ID3")
                              .U8(3)
                              .U8(0)
                              .U8(0)
                              .Synchsafe(static_cast<uint32_t>(body.Size()))
                              .Append(body);
        const CMemorySource source(file.Data());
        EXPECT_EQ(ReadMpeg(source, codec).Ext.Title, frames < 4096 ? "Title" : "") << frames;
    }
}

// Large files of zeros behind a valid start are not read to their end: a WAVE file and an AIFF
// file whose forms declare 4 GB, an MPEG file of zeros after its ID3v2 tag, and zeros alone.
TEST(BoundedWalks, ZerosAreNotReadToTheEnd) {
    constexpr uint64_t Size = 256ull << 20;
    const CTextCodec codec;
    {
        test::CSparseSource wave(Size);
        wave.Place(0, CBytes()
                          .Text("RIFF")
                          .U32LE(0xFFFFFFFF)
                          .Text("WAVE")
                          .Append(Chunk("fmt ", WaveFormat()))
                          .Data());
        const AudioInfo info = ReadMpeg(wave, codec);
        EXPECT_EQ(info.TagFlags, AudioInfo::TagRiffWave);
        EXPECT_EQ(info.SamplingRate, 44100);
        EXPECT_LT(wave.BytesRead(), 100'000u);
    }
    {
        test::CSparseSource aiff(Size);
        aiff.Place(0, CBytes().Text("FORM").U32BE(0xFFFFFFFF).Text("AIFF").Data());
        AudioInfo info;
        EXPECT_TRUE(CAiffReader(codec).Read(aiff, info));
        EXPECT_LT(aiff.BytesRead(), 100'000u);
    }
    {
        test::CSparseSource mpeg(Size);
        mpeg.Place(0, CBytes().Text("ID3").U8(3).U8(0).U8(0).Synchsafe(0).Data());
        const AudioInfo info = ReadMpeg(mpeg, codec);
        EXPECT_EQ(info.TagFlags, AudioInfo::TagId3v2);
        EXPECT_EQ(info.SamplingRate, 0) << "no audio found";
        EXPECT_LT(mpeg.BytesRead(), 4'000'000u);
    }
    for (const NamedReader& reader : Readers()) {
        test::CSparseSource zeros(Size);
        reader.Read(zeros);
        EXPECT_LT(zeros.BytesRead(), 4'000'000u) << reader.Name;
    }
}

// A FIFO named like a track is not opened for reading (which would wait for a writer for ever)
// and is no file the readers take.
TEST(ShortReads, FifoIsNoTrackFile) {
    test::CTempDir dir;
    const std::string path = dir.Path() + "/x.mp3";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_FALSE(CFileSource(path).IsOpen());
    for (const char* ext : {"mp3", "ogg", "wma", "flac", "m4a", "aif"}) {
        const FileReading reading = ReadTrackFile(path, ext, CTextCodec());
        EXPECT_TRUE(std::holds_alternative<std::monostate>(reading.Info)) << ext;
    }
    const AudioInfo info = ReadMpeg(path, CTextCodec());
    EXPECT_EQ(info.FileLength, 0);
}

} // namespace
} // namespace torvane
