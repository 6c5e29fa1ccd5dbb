#include "core/media/OggReader.h"
#include "Bytes.h"
#include "ReaderFixtures.h"
#include "core/record/ListData.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace torvane {
namespace {

using test::CBytes;

constexpr uint8_t Continued = 1, FirstPage = 2, LastPage = 4;

// Builds the pages of one logical stream.
class COggStream {
public:
    explicit COggStream(uint32_t serial = 0x5EED) : m_Serial(serial) {}

    // A page with the given body and lacing values.
    COggStream& Page(const std::vector<uint8_t>& body, const std::vector<uint8_t>& lacing,
                     uint8_t flags = 0, uint64_t granule = 0) {
        Out.Text("OggS").U8(0).U8(flags).U64LE(granule).U32LE(m_Serial).U32LE(Sequence++).U32LE(0);
        Out.U8(static_cast<uint8_t>(lacing.size())).Append(lacing).Append(body);
        return *this;
    }
    // A page holding whole packets.
    COggStream& Packets(const std::vector<std::vector<uint8_t>>& packets, uint8_t flags = 0,
                        uint64_t granule = 0) {
        std::vector<uint8_t> body, lacing;
        for (const auto& packet : packets) {
            body.insert(body.end(), packet.begin(), packet.end());
            lacing.insert(lacing.end(), packet.size() / 255, 255);
            lacing.push_back(static_cast<uint8_t>(packet.size() % 255));
        }
        return Page(body, lacing, flags, granule);
    }
    // One packet spread over pages of at most segments * 255 body bytes each.
    COggStream& SpreadPacket(const std::vector<uint8_t>& packet, size_t segments) {
        const size_t chunk = segments * 255;
        for (size_t start = 0; start <= packet.size(); start += chunk) {
            const size_t length = std::min(chunk, packet.size() - start);
            const auto from = packet.begin() + static_cast<std::ptrdiff_t>(start);
            const std::vector<uint8_t> body(from, from + static_cast<std::ptrdiff_t>(length));
            std::vector<uint8_t> lacing(length / 255, 255);
            if (length < chunk)
                lacing.push_back(static_cast<uint8_t>(length % 255));
            Page(body, lacing, start == 0 ? 0 : Continued);
            if (length < chunk)
                break;
        }
        return *this;
    }

    uint32_t Sequence = 0;
    CBytes Out;

private:
    uint32_t m_Serial;
};

std::vector<uint8_t> IdPacket(uint32_t rate, uint32_t nominal = 128000) {
    CBytes b;
    b.U8(1).Text("vorbis").U32LE(0).U8(2).U32LE(rate).U32LE(0).U32LE(nominal).U32LE(0).U8(0xB8).U8(
        1);
    return b.Data();
}

std::vector<uint8_t> CommentPacket(const std::vector<std::string>& comments) {
    CBytes b;
    b.U8(3).Text("vorbis").U32LE(6).Text("vendor").U32LE(static_cast<uint32_t>(comments.size()));
    for (const auto& comment : comments)
        b.U32LE(static_cast<uint32_t>(comment.size())).Text(comment);
    b.U8(1); // framing bit
    return b.Data();
}

const std::vector<uint8_t> SetupPacket = {5, 'v', 'o', 'r', 'b', 'i', 's', 0, 0, 0, 0, 0, 0, 0, 0};

std::vector<uint8_t> AudioPacket(size_t size) {
    return std::vector<uint8_t>(size, 0x2A);
}

// Identification and comment pages, as an encoder writes them.
COggStream Headers(const std::vector<std::string>& comments, uint32_t rate = 44100,
                   uint32_t serial = 0x5EED) {
    COggStream stream(serial);
    stream.Packets({IdPacket(rate)}, FirstPage);
    stream.Packets({CommentPacket(comments), SetupPacket});
    return stream;
}

AudioInfo Read(const std::vector<uint8_t>& bytes) {
    AudioInfo info;
    EXPECT_TRUE(COggReader().Read(CMemorySource(bytes), info));
    return info;
}

TEST(OggReader, CommentKeysIgnoreCaseAndTheLastOneWins) {
    auto stream = Headers({"title=Song", "ARTIST=Someone", "TITLE=Other", "Album=Best of",
                           "comment=two\nlines", "TrackNumber=07/12", "no equals sign",
                           "=empty key", "GENRE=Jazz", "DATE=1999"});
    stream.Packets({AudioPacket(100)}, LastPage, 441000);
    const AudioInfo info = Read(stream.Out.Data());
    EXPECT_EQ(info.Status, 1);
    EXPECT_EQ(info.Std.Title, "Other");
    EXPECT_EQ(info.Std.Artist, "Someone");
    EXPECT_EQ(info.Std.Album, "Best of");
    EXPECT_EQ(info.Std.Comment, "two\nlines");
    EXPECT_EQ(info.Std.TrackNum, "7");
    EXPECT_EQ(info.Std.Year, "") << "never filled";
    EXPECT_EQ(info.Std.Genre, "") << "never filled";
    EXPECT_EQ(info.SamplingRate, 44100);
    EXPECT_EQ(info.NominalBitrate, 128000);
    EXPECT_EQ(info.FileLength, static_cast<int64_t>(stream.Out.Size()));
    EXPECT_EQ(info.PlayTime, 10) << "441,000 samples at 44.1 kHz";
}

TEST(OggReader, TrackNumberIsTheLeadingDecimalNumber) {
    const struct {
        std::vector<std::string> comments;
        int32_t track;
    } cases[] = {{{}, 0},
                 {{"TRACKNUMBER=3"}, 3},
                 {{"TRACKNUMBER=x3"}, 0},
                 {{"TRACKNUMBER=99999999999"}, INT32_MAX}};
    for (const auto& c : cases) {
        auto stream = Headers(c.comments);
        stream.Packets({AudioPacket(10)}, LastPage, 0);
        EXPECT_EQ(Read(stream.Out.Data()).Std.TrackNum, std::to_string(c.track));
    }
}

TEST(OggReader, ValuesStayUtf8AndAreCutOnACharacterBoundary) {
    std::string longTitle = "TITLE=a";
    for (int i = 0; i < 200; ++i)
        longTitle += "日"; // three bytes each
    auto stream = Headers({longTitle, "ARTIST=caf\xe9", "ALBUM=夜明けの歌"});
    stream.Packets({AudioPacket(10)}, LastPage, 0);
    const AudioInfo info = Read(stream.Out.Data());
    EXPECT_EQ(info.Std.Title.size(), 253u) << "'a' and 84 whole characters fit in 255 bytes";
    EXPECT_EQ(info.Std.Title.substr(0, 4), "a日");
    EXPECT_EQ(info.Std.Artist, "caf\xef\xbf\xbd") << "an invalid byte becomes U+FFFD";
    EXPECT_EQ(info.Std.Album, "夜明けの歌");
}

TEST(OggReader, TimeFromTheLastPageGranulePosition) {
    const struct {
        uint32_t rate;
        uint64_t granule;
        int32_t seconds;
    } cases[] = {
        {44100, 441000, 10},
        {44100, 441099, 10},                  // truncates
        {48000, 3'000'000'000, 62500},        // beyond 2^31 samples
        {8000, uint64_t{1} << 62, INT32_MAX}, // seconds beyond 32 bits
        {0, 441000, -1},                      // no rate: no time
        {44100, UINT64_MAX, -1},              // granule -1: no position
    };
    for (const auto& c : cases) {
        auto stream = Headers({}, c.rate);
        stream.Packets({AudioPacket(300)}, 0, c.granule / 2);
        stream.Packets({AudioPacket(300)}, LastPage, c.granule);
        EXPECT_EQ(Read(stream.Out.Data()).PlayTime, c.seconds) << c.rate << " " << c.granule;
    }
}

TEST(OggReader, FailedWalksGiveNoTime) {
    auto noLastFlag = Headers({});
    noLastFlag.Packets({AudioPacket(300)}, 0, 441000);
    EXPECT_EQ(Read(noLastFlag.Out.Data()).PlayTime, -1);

    auto emptyBody = Headers({});
    emptyBody.Page({}, {});
    emptyBody.Packets({AudioPacket(300)}, LastPage, 441000);
    EXPECT_EQ(Read(emptyBody.Out.Data()).PlayTime, -1) << "a zero-length body before the last page";

    auto emptyLastPage = Headers({});
    emptyLastPage.Packets({AudioPacket(300)}, 0, 441000);
    emptyLastPage.Page({}, {}, LastPage, 441000);
    EXPECT_EQ(Read(emptyLastPage.Out.Data()).PlayTime, 10) << "the last page itself may be empty";

    auto lostSync = Headers({});
    lostSync.Packets({AudioPacket(300)}, 0, 0);
    lostSync.Out.Data().resize(lostSync.Out.Size() - 10); // the body runs past the end
    lostSync.Packets({AudioPacket(300)}, LastPage, 441000);
    EXPECT_EQ(Read(lostSync.Out.Data()).PlayTime, -1) << "pages are not where the lengths say";
}

TEST(OggReader, HeadersMustStandOnTheirPages) {
    COggStream wrongFirst;
    wrongFirst.Sequence = 1;
    wrongFirst.Packets({IdPacket(44100)}, FirstPage);
    wrongFirst.Packets({CommentPacket({"TITLE=x"})});
    wrongFirst.Packets({AudioPacket(10)}, LastPage, 441000);
    AudioInfo info = Read(wrongFirst.Out.Data());
    EXPECT_EQ(info.Status, -1);
    EXPECT_EQ(info.PlayTime, 0) << "headers not read: no time";
    EXPECT_EQ(info.SamplingRate, 0);
    EXPECT_EQ(info.Std.Title, "");

    COggStream wrongSecond;
    wrongSecond.Packets({IdPacket(44100)}, FirstPage);
    wrongSecond.Sequence = 5;
    wrongSecond.Packets({CommentPacket({"TITLE=x"})});
    info = Read(wrongSecond.Out.Data());
    EXPECT_EQ(info.Status, -1);
    EXPECT_EQ(info.SamplingRate, 44100) << "the identification header was read";
    EXPECT_EQ(info.Std.Title, "");

    COggStream setupSecond; // the second page holds no comment header
    setupSecond.Packets({IdPacket(44100)}, FirstPage);
    setupSecond.Packets({SetupPacket});
    setupSecond.Packets({AudioPacket(10)}, LastPage, 441000);
    info = Read(setupSecond.Out.Data());
    EXPECT_EQ(info.Status, -1);
    EXPECT_EQ(info.PlayTime, 0);

    COggStream notVorbis;
    notVorbis.Packets({{'O', 'p', 'u', 's', 'H', 'e', 'a', 'd', 1, 2, 0, 0, 0x80, 0xBB, 0, 0}},
                      FirstPage);
    info = Read(notVorbis.Out.Data());
    EXPECT_EQ(info.Status, -1);
    EXPECT_EQ(info.SamplingRate, 0) << "no values from a header that is not Vorbis";

    const std::string text = "plain text, not an Ogg file at all";
    info = Read({text.begin(), text.end()});
    EXPECT_EQ(info.Status, -1);
    EXPECT_EQ(info.FileLength, static_cast<int64_t>(text.size()));
    EXPECT_EQ(Read({}).Status, -1);
}

TEST(OggReader, CommentPacketOverManyPages) {
    // A picture of 300 KB before the title, as taggers store cover art.
    const std::string picture = "METADATA_BLOCK_PICTURE=" + std::string(300'000, 'P');
    COggStream stream;
    stream.Packets({IdPacket(44100)}, FirstPage);
    stream.SpreadPacket(CommentPacket({"ARTIST=First", picture, "TITLE=After the picture"}), 16);
    stream.Packets({SetupPacket});
    stream.Packets({AudioPacket(300)}, LastPage, 441000);
    ASSERT_GT(stream.Sequence, 60u);
    const AudioInfo info = Read(stream.Out.Data());
    EXPECT_EQ(info.Status, 1);
    EXPECT_EQ(info.Std.Artist, "First");
    EXPECT_EQ(info.Std.Title, "After the picture");
    EXPECT_EQ(info.PlayTime, 10);

    // A continuation page that is missing (a gap in the sequence) ends the packet there:
    // what was read whole before stays.
    COggStream gap;
    gap.Packets({IdPacket(44100)}, FirstPage);
    const size_t pageStart = gap.Out.Size();
    gap.SpreadPacket(CommentPacket({"ARTIST=First", picture, "TITLE=After the picture"}), 16);
    std::vector<uint8_t> bytes = gap.Out.Data();
    const size_t second = pageStart + 27 + 16 + 16 * 255; // the first continuation page
    ASSERT_EQ(std::string(bytes.begin() + second, bytes.begin() + second + 4), "OggS");
    bytes[second + 18] = 99; // sequence number
    const AudioInfo cut = Read(bytes);
    EXPECT_EQ(cut.Status, 1);
    EXPECT_EQ(cut.Std.Artist, "First");
    EXPECT_EQ(cut.Std.Title, "");
}

// A long file is found its time by looking at its end, not by reading it whole.
TEST(OggReader, LongFileIsNotReadWhole) {
    auto headers = Headers({"TITLE=Long"});
    COggStream tail;
    tail.Sequence = 1000;
    tail.Packets({AudioPacket(3000)}, 0, 100);
    tail.Packets({AudioPacket(3000)}, LastPage, 44100 * 6000);

    test::CSparseSource file(100'000'000);
    file.Place(0, headers.Out.Data());
    file.Place(file.Size() - tail.Out.Size(), tail.Out.Data());
    AudioInfo info;
    ASSERT_TRUE(COggReader().Read(file, info));
    EXPECT_EQ(info.Std.Title, "Long");
    EXPECT_EQ(info.PlayTime, 6000);
    EXPECT_LT(file.BytesRead(), 100'000u);
}

// The search near the end widens past pages of 60 KB; the walk from the first page it finds
// fails as the walk from the start does.
TEST(OggReader, TailSearchWidensAndAgreesWithTheWalk) {
    auto stream = Headers({});
    for (int i = 0; i < 8; ++i)
        stream.Packets({AudioPacket(60'000)}, 0, i * 1000);
    stream.Packets({AudioPacket(60'000)}, LastPage, 44100 * 7);
    const AudioInfo info = Read(stream.Out.Data());
    EXPECT_EQ(info.PlayTime, 7);

    // A zero-length body between the page found and the last page still fails the walk.
    auto empty = Headers({});
    for (int i = 0; i < 10; ++i)
        empty.Packets({AudioPacket(4000)}, 0, i * 1000);
    empty.Page({}, {});
    empty.Packets({AudioPacket(4000)}, LastPage, 44100 * 7);
    EXPECT_EQ(Read(empty.Out.Data()).PlayTime, -1);

    // No last-page flag near the end: none, without walking further.
    auto truncated = Headers({});
    for (int i = 0; i < 10; ++i)
        truncated.Packets({AudioPacket(4000)}, 0, i * 1000);
    EXPECT_EQ(Read(truncated.Out.Data()).PlayTime, -1);
}

// Two streams one after the other: the walk from the start stops at the first last page of
// any stream, and the search near the end must come to the same page.
TEST(OggReader, ChainedStreamsAgreeWithTheWalkFromTheStart) {
    const auto chain = [](int firstPages, bool firstEnds, int secondPages) {
        auto first = Headers({"TITLE=One"}, 44100, 1);
        for (int i = 0; i < firstPages; ++i)
            first.Packets({AudioPacket(4000)}, 0, i * 1000);
        if (firstEnds)
            first.Packets({AudioPacket(4000)}, LastPage, 44100 * 3);
        auto second = Headers({"TITLE=Two"}, 44100, 2);
        for (int i = 0; i < secondPages; ++i)
            second.Packets({AudioPacket(4000)}, 0, i * 1000);
        second.Packets({AudioPacket(4000)}, LastPage, 44100 * 50);
        std::vector<uint8_t> bytes = first.Out.Data();
        bytes.insert(bytes.end(), second.Out.Data().begin(), second.Out.Data().end());
        return Read(bytes);
    };
    EXPECT_EQ(chain(0, true, 10).PlayTime, 3) << "only the second stream near the end";
    EXPECT_EQ(chain(10, true, 1).PlayTime, 3) << "the first stream's last page near the end";
    EXPECT_EQ(chain(10, false, 1).PlayTime, 50) << "the first stream never ends";
}

TEST(OggReader, BrokenFilesAreReadQuietly) {
    auto stream = Headers({"TITLE=Song", "ARTIST=Someone", "TRACKNUMBER=3"});
    stream.Packets({AudioPacket(200)}, 0, 1000);
    stream.Packets({AudioPacket(200)}, LastPage, 441000);
    test::ForEachBrokenCopy(stream.Out.Data(), [](const std::vector<uint8_t>& bytes) {
        AudioInfo info;
        EXPECT_TRUE(COggReader().Read(CMemorySource(bytes), info));
        EXPECT_LE(info.Std.Title.size(), 255u);
        EXPECT_GE(info.PlayTime, -1);
    });

    // Lengths that claim far more than the file holds.
    COggStream huge;
    huge.Packets({IdPacket(44100)}, FirstPage);
    CBytes comment;
    comment.U8(3).Text("vorbis").U32LE(0xFFFFFFF0).Text("vendor");
    huge.Packets({comment.Data()});
    EXPECT_EQ(Read(huge.Out.Data()).Status, 1);
    CBytes many;
    many.U8(3).Text("vorbis").U32LE(0).U32LE(0xFFFFFFFF).U32LE(0xFFFFFFFF).Text("TITLE=x");
    COggStream counts;
    counts.Packets({IdPacket(44100)}, FirstPage);
    counts.Packets({many.Data()});
    EXPECT_EQ(Read(counts.Out.Data()).Std.Title, "");
}

// A real file made by oggenc (tests/data/README-oggwma.md tells how).
TEST(OggReader, RealFileFromAnEncoder) {
    const std::string path = test::DataFile("oggwma-tone.ogg");
    AudioInfo info;
    ASSERT_TRUE(COggReader().Read(path, info));
    EXPECT_EQ(info.Path, path);
    EXPECT_EQ(info.Status, 1);
    EXPECT_EQ(info.Std.Title, "夜明けの歌");
    EXPECT_EQ(info.Std.Artist, "山田 太郎");
    EXPECT_EQ(info.Std.Album, "Album One");
    EXPECT_EQ(info.Std.Comment, "first line");
    EXPECT_EQ(info.Std.TrackNum, "7");
    EXPECT_EQ(info.SamplingRate, 44100);
    EXPECT_EQ(info.PlayTime, 3);

    const auto record = test::ReadRecord(path);
    EXPECT_EQ(record->Type(), "OggVorbis");
    EXPECT_EQ(record->GetTitle(TagMode::Standard), "夜明けの歌");
    EXPECT_EQ(record->GetTrackNum(TagMode::Standard), "7");
    EXPECT_EQ(record->Time(), 3);
    EXPECT_EQ(record->SamplingRateText(), "44100 Hz");
    EXPECT_EQ(record->BitRateText(), std::to_string(info.NominalBitrate / 1000) + " kbit");
    EXPECT_TRUE(record->Has(CListData::InfoRead));

    AudioInfo missing;
    EXPECT_FALSE(COggReader().Read(path + ".gone", missing));
}

} // namespace
} // namespace torvane
