#include "core/media/ReaderTable.h"
#include "Fakes.h"
#include "ReaderFixtures.h"
#include "core/record/FileReading.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>

namespace torvane {
namespace {

TEST(ReaderTable, NamesTheReaderOfAnExtensionInAnyCase) {
    const struct {
        const char* ext;
        const char* reader;
    } cases[] = {
        {"mp3", "mpeg"},  {"WAV", "mpeg"}, {"wma", "wma"},  {"Ogg", "ogg"},   {"flac", "flac"},
        {"opus", "opus"}, {"m4a", "mp4"},  {"aif", "aiff"}, {"AIFF", "aiff"}, {"ape", ""},
        {"", ""},         {"mp3 ", ""},    {"mp", ""},      {"oggx", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReaderForExtension(c.ext), c.reader) << c.ext;
        EXPECT_EQ(ReaderLines(c.ext).empty(), *c.reader == '\0') << c.ext;
    }
}

// What adding a line must keep: the lines of an extension stand together and agree on their
// name and on what an unreadable file counts as, the last of them takes any content (so the
// extension's files always have a reader), and every line makes its reader.
TEST(ReaderTable, TheLinesOfAnExtensionAgree) {
    const CTextCodec codec;
    std::set<std::string_view> finished;
    const auto lines = AllReaderLines();
    for (size_t i = 0; i < lines.size(); ++i) {
        const ReaderLine& line = lines[i];
        EXPECT_FALSE(finished.contains(line.Ext)) << line.Ext << " stands apart";
        EXPECT_NE(line.Make(codec), nullptr) << line.Ext;
        const bool last = i + 1 == lines.size() || lines[i + 1].Ext != line.Ext;
        if (!last) {
            EXPECT_EQ(lines[i + 1].Name, line.Name) << line.Ext;
            EXPECT_EQ(lines[i + 1].CountsUnreadable, line.CountsUnreadable) << line.Ext;
            EXPECT_NE(line.Holds, nullptr) << line.Ext << ": a line before the last looks";
        } else {
            EXPECT_EQ(line.Holds, nullptr) << line.Ext << ": the last line takes any content";
            finished.insert(line.Ext);
        }
    }
}

// An "ogg" file is read by the reader its first packet names; anything else is Vorbis to the
// last line, which takes any content.
TEST(ReaderTable, AnOggFileIsReadByItsFirstPacket) {
    const CTextCodec codec;
    const struct {
        const char* file;
        const char* type;
    } cases[] = {{"lib-opus-content.ogg", "Opus"},
                 {"lib-flac-content.ogg", "Ogg FLAC"},
                 {"oggwma-tone.ogg", "OggVorbis"}};
    for (const auto& c : cases) {
        AudioInfo info;
        ASSERT_TRUE(ReadByTable(test::DataFile(c.file), ReaderLines("ogg"), codec, info));
        EXPECT_EQ(info.Type, c.type) << c.file;

        const auto bytes = test::DataBytes(c.file);
        AudioInfo fromMemory;
        ASSERT_TRUE(ReadByTable(CMemorySource(bytes), ReaderLines("ogg"), codec, fromMemory));
        EXPECT_EQ(fromMemory.Type, c.type) << c.file;
        EXPECT_EQ(fromMemory.Std.Title, info.Std.Title) << c.file;
    }
    const std::string text = "OggS is how it starts, but this is no Ogg page at all";
    AudioInfo info;
    ASSERT_TRUE(
        ReadByTable(CMemorySource({reinterpret_cast<const uint8_t*>(text.data()), text.size()}),
                    ReaderLines("ogg"), codec, info));
    EXPECT_EQ(info.Type, "OggVorbis");
    EXPECT_EQ(info.Status, -1);

    // The Opus file under its own extension: no line looks at it first.
    AudioInfo opus;
    EXPECT_TRUE(
        ReadByTable(test::DataFile("lib-opus-content.ogg"), ReaderLines("opus"), codec, opus));
    EXPECT_EQ(opus.Type, "Opus");
    EXPECT_FALSE(ReadByTable(test::DataFile("oggwma-tone.ogg"), ReaderLines("opus"), codec, opus))
        << "Vorbis is no Opus";
}

// A file that cannot be opened: the MPEG reader takes it for an empty one, the others for no
// file of their format; content tests cannot run on it.
TEST(ReaderTable, AFileThatCannotBeOpened) {
    const CTextCodec codec;
    test::CTempDir dir;
    const std::string gone = dir.Path() + "/gone";
    AudioInfo info;
    info.FileLength = 99;
    ASSERT_TRUE(ReadByTable(gone, ReaderLines("mp3"), codec, info));
    EXPECT_EQ(info.Type, "タグなし");
    EXPECT_EQ(info.FileLength, 0);
    EXPECT_EQ(info.BitRate, 0);
    for (const char* ext : {"wma", "ogg", "flac", "opus", "m4a", "aiff", "ape"})
        EXPECT_FALSE(ReadByTable(gone, ReaderLines(ext), codec, info)) << ext;
}

// Whether a file that no reader takes, or an empty one, counts as read is the table's to say:
// the MPEG, Windows Media and Ogg lines count it, the others leave it unread, and no reader
// ever sees an empty file.
TEST(ReaderTable, WhatAFileNoReaderTakesCountsAs) {
    const CTextCodec codec;
    test::CTempDir dir;
    const std::string foreign(600, 'x');
    for (const char* ext : {"wma", "flac", "opus", "m4a", "aif"}) {
        const FileReading reading =
            ReadTrackFile(dir.Write(std::string("a.") + ext, foreign), ext, codec);
        EXPECT_TRUE(reading.Found) << ext;
        EXPECT_EQ(reading.Read, ext == std::string("wma")) << ext;
        EXPECT_TRUE(std::holds_alternative<std::monostate>(reading.Info)) << ext;
    }
    for (const char* ext : {"mp3", "ogg"}) {
        const FileReading reading =
            ReadTrackFile(dir.Write(std::string("b.") + ext, foreign), ext, codec);
        EXPECT_TRUE(reading.Read) << ext;
        EXPECT_TRUE(std::holds_alternative<AudioInfo>(reading.Info)) << ext << " takes anything";
    }
    for (const char* ext : {"mp3", "wav", "wma", "ogg", "flac", "opus", "m4a", "aiff"}) {
        const FileReading reading =
            ReadTrackFile(dir.Write(std::string("e.") + ext, ""), ext, codec);
        EXPECT_EQ(reading.Read, ReaderLines(ext).front().CountsUnreadable) << ext;
        EXPECT_TRUE(std::holds_alternative<std::monostate>(reading.Info)) << ext;
    }
    const FileReading none = ReadTrackFile(dir.Write("c.ape", foreign), "ape", codec);
    EXPECT_TRUE(none.Found);
    EXPECT_FALSE(none.Read);
}

} // namespace
} // namespace torvane
