#include "core/record/ListData.h"
#include "Fakes.h"
#include "core/media/MpegReader.h"
#include "core/media/OggReader.h"
#include "core/media/WmaReader.h"
#include "core/record/Columns.h"
#include "core/record/SizeFormat.h"

#include <gtest/gtest.h>

#include <climits>

namespace torvane {
namespace {

TEST(ListData, SetPathSplitsNameAndLowerCaseExtension) {
    CListData record;
    record.SetPath("/music/Song.MP3");
    EXPECT_EQ(record.FileName(), "Song");
    EXPECT_EQ(record.Ext(), "mp3");

    record.SetPath("/music/a.b/track"); // the dot of a folder is not an extension
    EXPECT_EQ(record.FileName(), "track");
    EXPECT_EQ(record.Ext(), "");

    record.SetPath("/music/album.live.flac"); // the last dot counts
    EXPECT_EQ(record.FileName(), "album.live");
    EXPECT_EQ(record.Ext(), "flac");

    record.SetPath("bare.ogg"); // no separator: the whole path is the last component
    EXPECT_EQ(record.FileName(), "bare");
    EXPECT_EQ(record.Ext(), "ogg");

    record.SetPath("/music/.hidden"); // a leading dot gives an empty name
    EXPECT_EQ(record.FileName(), "");
    EXPECT_EQ(record.Ext(), "hidden");
    EXPECT_EQ(record.FilePath(), "/music/.hidden");
}

TEST(ListData, SizeTexts) {
    CListData record;
    const struct {
        int64_t bytes;
        const char* kb;
        const char* mb;
    } cases[] = {
        {0, "0.0 kB", "0.0 MB"},
        {1, "0.1 kB", "0.1 MB"},
        {1048576, "1,024.0 kB", "1.0 MB"},
        {500000000, "488,281.2 kB", "476.8 MB"},
        {-1, "--", "--"},
    };
    for (const auto& c : cases) {
        record.SetSize(c.bytes);
        EXPECT_EQ(record.GetSizeText(SizeUnit::KB), c.kb) << c.bytes;
        EXPECT_EQ(record.GetSizeText(SizeUnit::MB), c.mb) << c.bytes;
        EXPECT_EQ(record.GetSizeText(static_cast<SizeUnit>(2)), "") << "unknown units give no text";
    }
}

TEST(ListData, FormatSizeUnitsBeyondFourGibibytes) {
    EXPECT_EQ(FormatSizeUnits(5'000'000'000LL, 1), "4,882,812.5");
    EXPECT_EQ(FormatSizeUnits(5'000'000'000LL, 2), "4,768.3");
    EXPECT_EQ(FormatSizeUnits(int64_t{1} << 40, 2), "1,048,576.0");
    EXPECT_EQ(FormatSizeUnits(INT64_MAX, 2), "8,796,093,022,207.9");
    EXPECT_EQ(FormatSizeUnits(1023, 1), "0.9");
    EXPECT_EQ(FormatSizeUnits(1024 * 1024 - 1, 2), "0.9");
    EXPECT_EQ(FormatSizeUnits(999'999, 1), "976.5");
}

TEST(ListData, TimeTexts) {
    CListData record;
    const struct {
        int seconds;
        const char* clock;
        const char* sec;
        const char* min;
    } cases[] = {
        {125, "02:05", "125 sec", "2.0 min"},
        {59, "00:59", "59 sec", "0.9 min"},
        {61, "01:01", "61 sec", "1.0 min"},
        {3725, "62:05", "3725 sec", "62.0 min"},
        {0, "--", "--", "--"},
        {-1, "--", "--", "--"},
    };
    for (const auto& c : cases) {
        record.SetTime(c.seconds);
        EXPECT_EQ(record.GetTimeText(TimeUnit::Clock), c.clock) << c.seconds;
        EXPECT_EQ(record.GetTimeText(TimeUnit::Seconds), c.sec) << c.seconds;
        EXPECT_EQ(record.GetTimeText(TimeUnit::Minutes), c.min) << c.seconds;
        for (const int unknown : {-1, 3})
            EXPECT_EQ(record.GetTimeText(static_cast<TimeUnit>(unknown)), "") << unknown;
    }
}

// Column numbers from a view, a command or an option: only 0 to 14 are keys.
TEST(Columns, KeysOfColumnNumbers) {
    EXPECT_EQ(ColumnKeyOf(0), ColFilePath);
    EXPECT_EQ(ColumnKeyOf(ColumnCount - 1), ColYear);
    for (const int number : {-1, static_cast<int>(ColumnCount), 1000, INT_MIN, INT_MAX})
        EXPECT_FALSE(ColumnKeyOf(number).has_value()) << number;
    CListData record;
    record.SetPath("/m/01 Song.mp3");
    for (const ColumnKey key : {ColumnCount, static_cast<ColumnKey>(-1)}) {
        EXPECT_EQ(ColumnText(record, key, {}), "");
        EXPECT_EQ(SortKeyText(record, key, {}), "");
    }
}

AudioInfo TaggedMpeg(int32_t flags) {
    AudioInfo info;
    info.TagFlags = flags;
    info.Std.Title = "v1 title";
    info.Ext.Title = "v2 title";
    info.Std.TrackNum = "3";
    info.Ext.TrackNum = "4/12";
    FinishMpegInfo(info);
    return info;
}

TEST(ListData, TagSetSelectionByMode) {
    CListData both;
    both.FillFrom(TaggedMpeg(AudioInfo::TagId3v1 | AudioInfo::TagId3v2));
    EXPECT_EQ(both.GetTitle(TagMode::Standard), "v1 title");
    EXPECT_EQ(both.GetTitle(TagMode::Extended), "v2 title");
    EXPECT_EQ(both.GetTrackNum(TagMode::Standard), "3");
    EXPECT_EQ(both.GetTrackNum(TagMode::Extended), "4/12");

    CListData extendedOnly;
    extendedOnly.FillFrom(TaggedMpeg(AudioInfo::TagId3v2));
    EXPECT_EQ(extendedOnly.GetTitle(TagMode::Standard), "v2 title")
        << "only an extended set shows in mode 0 too";
    EXPECT_EQ(extendedOnly.GetTitle(TagMode::Extended), "v2 title");

    CListData standardOnly;
    standardOnly.FillFrom(TaggedMpeg(AudioInfo::TagId3v1));
    EXPECT_EQ(standardOnly.GetTitle(TagMode::Extended), "v1 title");

    const DisplayUnits extended{SizeUnit::KB, TimeUnit::Clock, TagMode::Extended};
    EXPECT_EQ(ColumnText(both, ColTitle, extended), "v2 title");
    EXPECT_EQ(ColumnText(both, ColumnCount, extended), "");
}

TEST(ListData, TypeTextsFromTagFlags) {
    const struct {
        int32_t flags;
        const char* type;
        int32_t sets;
    } cases[] = {
        {0, "タグなし", 0},  {1, "ID3 V1", 1},
        {2, "ID3 V2", 2},    {3, "ID3 V1・ID3 V2", 3},
        {4, "RIFF MP3", 2},  {5, "ID3 V1・RIFF MP3", 3},
        {8, "RIFF Wave", 2}, {9, "ID3 V1・RIFF Wave", 3},
    };
    for (const auto& c : cases) {
        CListData record;
        record.FillFrom(TaggedMpeg(c.flags));
        EXPECT_EQ(record.Type(), c.type) << c.flags;
        EXPECT_EQ(record.TagSets(), c.sets) << c.flags;
    }
}

TEST(ListData, FillFromMpegStreamFacts) {
    CListData record;
    record.SetState(CListData::Missing, true);
    AudioInfo info;
    info.BitRate = -1;
    info.SamplingRate = 44100;
    info.PlayTime = 250;
    info.Std.Comment = "line one\r\nline two\n";
    AudioInfo vbr = info;
    FinishMpegInfo(vbr);
    record.FillFrom(vbr);
    EXPECT_EQ(record.BitRateText(), "(VBR)");
    EXPECT_EQ(record.BitRate(), -1);
    EXPECT_EQ(record.SamplingRateText(), "44100 Hz");
    EXPECT_EQ(record.GetTimeText(TimeUnit::Clock), "04:10");
    EXPECT_EQ(record.GetComment(TagMode::Standard), "line one  line two ");
    EXPECT_FALSE(record.Has(CListData::Missing));
    EXPECT_EQ(record.GetTrackNum(TagMode::Standard), "") << "a zero ID3v1 track keeps the text";

    info.BitRate = 128;
    FinishMpegInfo(info);
    record.FillFrom(info);
    EXPECT_EQ(record.BitRateText(), "128 kbit");
}

TEST(ListData, FillFromOgg) {
    CListData record;
    AudioInfo info;
    info.Std.Title = "Song";
    info.NominalBitrate = 160'999;
    info.SamplingRate = 44100;
    info.PlayTime = -1;
    FinishVorbisInfo(info);
    record.FillFrom(info);
    EXPECT_EQ(record.GetTitle(TagMode::Standard), "Song");
    EXPECT_EQ(record.BitRateText(), "160 kbit");
    EXPECT_EQ(record.GetTrackNum(TagMode::Standard), "0")
        << "a file without a track number shows 0";
    EXPECT_EQ(record.GetTimeText(TimeUnit::Clock), "--");
    EXPECT_EQ(record.Type(), "OggVorbis");
    EXPECT_EQ(record.TagSets(), 1);
}

TEST(ListData, FillFromWmaKeepsTextsBeginningWithQuestionMark) {
    CListData record;
    AudioInfo first;
    first.Std.Title = "Real title";
    first.Std.TrackNum = "5";
    FinishWmaInfo(first);
    record.FillFrom(first);

    AudioInfo second;
    second.Std.Title = "?? lost characters";
    second.Std.Artist = "Artist";
    second.BitRateText = "128 kbit";
    second.SamplingRateText = "44000 Hz";
    second.Type = "Windows Media Audio 9.2";
    second.PlayTime = 234;
    second.Std.TrackNum = "0";
    FinishWmaInfo(second);
    record.FillFrom(second);
    EXPECT_EQ(record.GetTitle(TagMode::Standard), "Real title");
    EXPECT_EQ(record.GetArtist(TagMode::Standard), "Artist");
    EXPECT_EQ(record.BitRate(), 128);
    EXPECT_EQ(record.SamplingRate(), 44000);
    EXPECT_EQ(record.BitRateText(), "128 kbit");
    EXPECT_EQ(record.Type(), "Windows Media Audio 9.2");
    EXPECT_EQ(record.GetTrackNum(TagMode::Standard), "5")
        << "a track text beginning with 0 is not taken";
    EXPECT_EQ(record.Time(), 234);
}

// A format without an extended set leaves the record's as it was; the readers that have one
// (and the newer ones) replace both sets.
TEST(ListData, FillKeepsWhatTheReaderMarksKept) {
    CListData record;
    record.FillFrom(TaggedMpeg(AudioInfo::TagId3v1 | AudioInfo::TagId3v2));
    AudioInfo vorbis;
    vorbis.Std.Title = "Vorbis";
    FinishVorbisInfo(vorbis);
    record.FillFrom(vorbis);
    EXPECT_EQ(record.ExtendedTags().Title, "v2 title");
    EXPECT_EQ(record.GetTitle(TagMode::Extended), "Vorbis")
        << "the extended set is no longer shown";
    EXPECT_EQ(record.GetTrackNum(TagMode::Standard), "0");

    AudioInfo flac;
    flac.Std.Title = "FLAC";
    record.FillFrom(flac);
    EXPECT_EQ(record.ExtendedTags().Title, "");
    EXPECT_EQ(record.GetTrackNum(TagMode::Standard), "");
    EXPECT_EQ(record.BitRateText(), "0 kbit");
}

TEST(ListData, ReadSizeAndInfoOnTheFileSystem) {
    test::CTempDir dir;
    const std::string ape = dir.Write("a.ape", std::string(3000, 'x'));

    CListData missing;
    missing.SetPath(dir / "gone.mp3");
    EXPECT_FALSE(missing.ReadSize());
    EXPECT_TRUE(missing.Has(CListData::Missing));

    CListData folder;
    folder.SetPath(dir.Path());
    folder.ReadInfo(CTextCodec());
    EXPECT_TRUE(folder.Has(CListData::Missing));
    EXPECT_EQ(folder.GetSizeText(SizeUnit::KB), "--");
    EXPECT_EQ(folder.GetTimeText(TimeUnit::Clock), "--");

    CListData noReader;
    noReader.SetPath(ape);
    noReader.ReadInfo(CTextCodec());
    EXPECT_EQ(noReader.Size(), 3000);
    EXPECT_TRUE(noReader.Has(CListData::SizeRead));
    EXPECT_FALSE(noReader.Has(CListData::InfoRead)) << "no reader for ape";

    noReader.ClearInfo();
    EXPECT_EQ(noReader.State(), 0u);
    EXPECT_EQ(noReader.Size(), 0);
    EXPECT_EQ(noReader.GetSizeText(SizeUnit::KB), "");
    EXPECT_EQ(noReader.Ext(), "ape");
}

TEST(ListData, FilesTheNewerReadersRefuseAreNotRead) {
    // Two ".flac" files of one size that hold no FLAC stream: neither is read, so their empty
    // tags do not make them duplicates.
    test::CTempDir dir;
    CListData first, second;
    first.SetPath(dir.Write("a.flac", std::string(100, 'a')));
    second.SetPath(dir.Write("b.m4a", std::string(100, 'b')));
    EXPECT_EQ(first.CompareForDuplicate(second, CTextCodec()),
              CListData::DuplicateMatch::Different);
    EXPECT_FALSE(first.Has(CListData::InfoRead));
    EXPECT_TRUE(first.Has(CListData::SizeRead));
    EXPECT_EQ(first.Type(), "");
}

TEST(ListData, EmptyFilesAreNeverHandedToAReader) {
    test::CTempDir dir;
    CListData record;
    record.SetPath(dir.Write("empty.ogg", ""));
    record.ReadInfo(CTextCodec());
    EXPECT_EQ(record.Size(), 0);
    EXPECT_EQ(record.Type(), "");
    EXPECT_TRUE(record.Has(CListData::InfoRead));
}

TEST(ListData, CompareForDuplicate) {
    test::CTempDir dir;
    const std::string a = dir.Write("a.ape", std::string(100, 'a'));
    const std::string b = dir.Write("b.ape", std::string(100, 'b'));

    CListData first;
    first.SetPath(a);
    EXPECT_EQ(first.CompareForDuplicate(first, CTextCodec()),
              CListData::DuplicateMatch::SameRecord);

    CListData second;
    second.SetPath(b);
    EXPECT_EQ(first.CompareForDuplicate(second, CTextCodec()), CListData::DuplicateMatch::Different)
        << "same size but no reader: never a duplicate";

    // Records whose information was read compare sizes and the standard title/artist/album.
    CListData x, y;
    AudioInfo info;
    info.TagFlags = AudioInfo::TagId3v1;
    info.Std.Title = "T";
    FinishMpegInfo(info);
    x.FillFrom(info);
    y.FillFrom(info);
    x.SetSize(500);
    y.SetSize(500);
    x.SetState(CListData::InfoRead, true);
    y.SetState(CListData::InfoRead, true);
    EXPECT_EQ(x.CompareForDuplicate(y, CTextCodec()), CListData::DuplicateMatch::SameTrack);
    info.Std.Title = "t";
    y.FillFrom(info);
    EXPECT_EQ(x.CompareForDuplicate(y, CTextCodec()), CListData::DuplicateMatch::Different)
        << "case matters";
}

} // namespace
} // namespace torvane
