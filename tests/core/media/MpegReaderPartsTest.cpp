#include "MpegBytes.h"
#include "core/base/CachedSource.h"
#include "core/media/MpegFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace torvane {
namespace {

using test::CBytes;

std::optional<size_t> Find(const CBytes& bytes) {
    return FindFrameHeader(bytes.Data());
}

constexpr uint32_t Header = test::Mpeg1Layer3;

TEST(MpegFrameSearch, StepsBackOntoSyncPatterns) {
    EXPECT_EQ(Find(CBytes().U32BE(Header)), 0u);
    EXPECT_EQ(Find(CBytes().Text("abcde").U32BE(Header)), 5u);
    // The four bytes at 5 end in 0xFF: the next try starts at that byte.
    EXPECT_EQ(Find(CBytes().Text("abcdeabc").U32BE(Header)), 8u);
    // A sync pattern starting at the second or third of the four bytes.
    EXPECT_EQ(Find(CBytes().Text("abcdea").U32BE(Header).Fill(3)), 6u);
    EXPECT_EQ(Find(CBytes().Text("abcdeab").U32BE(Header).Fill(2)), 7u);
    EXPECT_EQ(Find(CBytes().Text("abcdeabcdefg").U32BE(Header)), 12u);
}

TEST(MpegFrameSearch, ResumesFiveBytesInAndGivesUp) {
    EXPECT_EQ(Find(CBytes().Text("ab").U32BE(Header).Fill(8)), std::nullopt)
        << "a header starting one to four bytes in is passed over";
    EXPECT_EQ(Find(CBytes().Text("ab").U32BE(Header).Fill(7).U32BE(Header)), 13u);
    EXPECT_EQ(Find(CBytes().Fill(5 + 399 * 4, 'x').U32BE(Header)), 5u + 399 * 4);
    EXPECT_EQ(Find(CBytes().Fill(5 + 400 * 4, 'x').U32BE(Header)), std::nullopt);
    EXPECT_EQ(Find(CBytes().Text("ab")), std::nullopt);
    EXPECT_EQ(Find(CBytes()), std::nullopt);
}

TEST(MpegFrameHeader, RejectsWhatCannotBeAHeader) {
    EXPECT_TRUE(MpegFrameHeader::IsValid(Header));
    EXPECT_FALSE(MpegFrameHeader::IsValid(Header & ~0x00200000u)) << "a sync bit missing";
    EXPECT_FALSE(MpegFrameHeader::IsValid(Header & ~0x00060000u)) << "reserved layer";
    EXPECT_FALSE(MpegFrameHeader::IsValid(Header | 0x0000F000u)) << "bit-rate index 15";
    EXPECT_FALSE(MpegFrameHeader::IsValid(Header | 0x00000C00u)) << "sampling-rate index 3";
    EXPECT_TRUE(MpegFrameHeader::IsValid(Header & ~0x0000F000u)) << "free format passes";
}

// Counts the reads that reach the file.
class CCountingSource final : public CByteSource {
public:
    explicit CCountingSource(const CBytes& bytes) : m_Inner(bytes.Data()) {}
    uint64_t Size() const override { return m_Inner.Size(); }
    size_t ReadAt(uint64_t offset, std::span<uint8_t> out) const override {
        ++Reads;
        Bytes += out.size();
        return m_Inner.ReadAt(offset, out);
    }
    mutable int Reads = 0;
    mutable size_t Bytes = 0; // asked for

private:
    CMemorySource m_Inner;
};

TEST(CachedSource, AnswersLikeTheSourceItCaches) {
    CBytes bytes;
    for (int i = 0; i < 30000; ++i)
        bytes.U8(static_cast<uint8_t>(i * 7));
    const CMemorySource direct(bytes.Data());
    // Small blocks, and the program's: a first block of 4 KB, then larger ones.
    for (size_t block : {size_t{256}, CCachedSource::DefaultBlockSize}) {
        const CCachedSource cached(direct, block);
        std::mt19937 rng(7);
        for (int round = 0; round < 2000; ++round) {
            const uint64_t offset = rng() % (block * 3);
            const size_t count = rng() % (block * 3 / 2);
            const auto got = cached.Read(offset, count);
            const auto want = direct.Read(offset, count);
            EXPECT_TRUE(std::ranges::equal(got, want))
                << offset << " " << count << " in blocks of " << block;
        }
    }
}

// An MP3 of 1,000,000 bytes: an ID3v2 tag of tagBytes holding a title, then the audio.
CBytes TaggedMp3(uint32_t tagBytes) {
    CBytes file;
    file.Text("ID3")
        .U8(3)
        .U8(0)
        .U8(0)
        .Synchsafe(tagBytes)
        .Text("TIT2")
        .U32BE(6)
        .U16BE(0)
        .U8(0)
        .Text("title");
    file.PadTo(10 + tagBytes).Append(test::Frame(Header)).PadTo(1'000'000);
    return file;
}

TEST(CachedSource, ReaderNeedsFewReads) {
    // A tag of 2 KB: the file's first 4 KB and its last bytes (ID3v1 and what may stand before
    // it).
    const CBytes file = TaggedMp3(2048);
    const CCountingSource typical(file);
    EXPECT_EQ(test::ReadMpeg(typical, CTextCodec()).Ext.Title, "title");
    EXPECT_LE(typical.Reads, 2);
    EXPECT_LE(typical.Bytes, 4096u + 256u);

    // A tag of 6 KB: the first 4 KB tell how much more is read.
    const CBytes tagged = TaggedMp3(6144);
    const CCountingSource larger(tagged);
    EXPECT_EQ(test::ReadMpeg(larger, CTextCodec()).Ext.Title, "title");
    EXPECT_LE(larger.Reads, 3);

    // 100 KB of zero padding after the tag is read in blocks, not byte by byte.
    CBytes zeros = TaggedMp3(4096);
    zeros.Data().resize(10 + 4096);
    zeros.PadTo(10 + 4096 + 100'000).Append(test::Frame(Header)).PadTo(1'000'000);
    const CCountingSource padded(zeros);
    EXPECT_EQ(test::ReadMpeg(padded, CTextCodec()).BitRate, 128);
    EXPECT_LE(padded.Reads, 20);
}

} // namespace
} // namespace torvane
