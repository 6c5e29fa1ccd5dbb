#include "DocFixture.h"
#include "core/gather/Gathering.h"
#include "core/settings/ExtRegistry.h"
#include "core/settings/Profile.h"

#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane {
namespace {

using test::Texts;

// Profiles that were edited by hand, damaged or written by something else: every setting the
// program reads comes out as a value it offers, and the rest of the file is not lost.
class HostileProfileTest : public ::testing::Test {
protected:
    // A document over a profile holding text.
    struct Loaded {
        explicit Loaded(const std::string& text) : profile(Parsed(text)) {}
        static CProfile Parsed(const std::string& text) {
            CProfile parsed;
            parsed.Parse(text);
            return parsed;
        }
        CProfile profile;
        test::CFakeHost host;
        CTorvaneDoc doc{profile, host};
    };
};

TEST_F(HostileProfileTest, GarbageGivesTheDefaults) {
    std::mt19937 random(5);
    std::string garbage;
    for (int i = 0; i < 64 * 1024; ++i)
        garbage += static_cast<char>(random() & 0xFF);
    for (const std::string& text : {garbage, "[app" + garbage, "[app]\n" + garbage}) {
        Loaded loaded(text);
        const DocSettings& settings = loaded.doc.Settings();
        EXPECT_EQ(settings.SizeOf, SizeUnit::KB);
        EXPECT_EQ(settings.SearchClass, 0);
        EXPECT_EQ(settings.readtag, DocSettings::ReadSizes);
        EXPECT_TRUE(loaded.doc.Extensions().IsKnownExtension("mp3"));
    }
}

TEST_F(HostileProfileTest, OutOfRangeIntegersCountAsMissing) {
    Loaded loaded("[app]\nSearchClass=-5\nSizeOf=99999999999999999999\nTimeOf=3\nTagOf=-1\n"
                  "readtag=99\nCloseSave=-2147483648\n");
    const DocSettings& settings = loaded.doc.Settings();
    EXPECT_EQ(settings.SearchClass, 0) << "a depth of -5 would scan nothing";
    EXPECT_EQ(settings.SizeOf, SizeUnit::KB);
    EXPECT_EQ(settings.TimeOf, TimeUnit::Clock);
    EXPECT_EQ(settings.TagOf, TagMode::Standard);
    EXPECT_EQ(settings.readtag, DocSettings::ReadSizes);

    const std::pair<const char*, int> depths[] = {{"5", 5},  {"6", 0},   {"2147483647", 0},
                                                  {"+3", 3}, {" 3 ", 3}, {"2x", 2}};
    for (const auto& [depth, expected] : depths) {
        Loaded other(std::string("[app]\nSearchClass=") + depth + "\n");
        EXPECT_EQ(other.doc.Settings().SearchClass, expected) << depth;
    }
}

TEST_F(HostileProfileTest, ANegativeDepthStillScansTheFolder) {
    test::CTempDir dir;
    dir.Write("root/sub/a.mp3", "");
    dir.Write("root/b.mp3", "");
    Loaded loaded("[app]\nSearchClass=-5\nreadtag=0\n");
    test::CFakeView view;
    loaded.doc.SetView(&view);
    OpenFolder(loaded.doc, dir / "root");
    EXPECT_EQ(view.Count, 2);
}

TEST_F(HostileProfileTest, DuplicateSectionsAndKeysTakeTheFirstAndKeepTheRest) {
    CProfile profile;
    profile.Parse("[app]\nSizeOf=1\n[ext]\ncount=1\n0=flac,1,\n[app]\nSizeOf=0\nTimeOf=2\n"
                  "SizeOf=0\n[ext]\n0=mp3,0,\n");
    EXPECT_EQ(profile.GetInt("app", "SizeOf", -1), 1);
    EXPECT_EQ(profile.GetInt("app", "TimeOf", -1), 2) << "the second block adds its new keys";
    EXPECT_EQ(profile.GetString("ext", "0"), "flac,1,");
    EXPECT_EQ(profile.ToText(), "[app]\nSizeOf=1\nTimeOf=2\n\n[ext]\ncount=1\n0=flac,1,\n\n")
        << "one section each when written again";
}

TEST_F(HostileProfileTest, HugeProfilesLoadInLinearTime) {
    std::string text = "[app]\n";
    for (int i = 0; i < 200'000; ++i)
        text += "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    for (int i = 0; i < 50'000; ++i)
        text += "[section" + std::to_string(i) + "]\nk=v\n";
    text += "[app]\nSizeOf=1\n[ext]\ncount=2000000000\n0=flac,1,\n";
    Loaded loaded(text);
    EXPECT_EQ(loaded.profile.GetInt("app", "key199999", 0), 199'999);
    EXPECT_EQ(loaded.profile.GetString("section49999", "k"), "v");
    EXPECT_EQ(loaded.doc.Settings().SizeOf, SizeUnit::MB);
    EXPECT_TRUE(loaded.doc.Extensions().IsKnownExtension("flac"))
        << "a count of two thousand million visits only the keys there are";
    EXPECT_TRUE(loaded.doc.Extensions().IsKnownExtension("mp3"));
}

TEST_F(HostileProfileTest, ExtensionKeysWithGapsAndStrangeNames) {
    CProfile profile;
    profile.Parse("[ext]\ncount=4\n3=aiff,1,\n00=opus,1,\n1=flac,1,\nx=m4a,1,\n5=wv,1,\n");
    CExtRegistry registry;
    registry.LoadExtensions(profile);
    EXPECT_TRUE(registry.IsKnownExtension("flac"));
    EXPECT_TRUE(registry.IsKnownExtension("aiff"));
    EXPECT_FALSE(registry.IsKnownExtension("opus")) << R"("00" is not the key "0")";
    EXPECT_FALSE(registry.IsKnownExtension("m4a"));
    EXPECT_FALSE(registry.IsKnownExtension("wv")) << "beyond the count";
}

// A sparse profile of twenty gigabytes (no disk is used): not read, the defaults are used, and
// the file is not written over with them at exit.
TEST_F(HostileProfileTest, AProfileTooLargeIsIgnoredAndKept) {
    test::CTempDir dir;
    const std::string path = dir.Write("torvane.ini", "[app]\nSizeOf=1\n");
    const off_t huge = off_t{20} << 30;
    ASSERT_EQ(::truncate(path.c_str(), huge), 0);
    CProfile profile(path);
    EXPECT_FALSE(profile.Load());
    EXPECT_TRUE(profile.KeepsFile());
    {
        test::CFakeHost host;
        CTorvaneDoc doc(profile, host);
        EXPECT_EQ(doc.Settings().SizeOf, SizeUnit::KB) << "the defaults";
        EXPECT_EQ(doc.Settings().readtag, DocSettings::ReadSizes);
    }
    std::string error;
    EXPECT_TRUE(profile.Save(&error)) << error;
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, huge) << "the file is as it was";

    dir.Write("torvane.ini", "[app]\nSizeOf=1\n");
    EXPECT_TRUE(profile.Load());
    EXPECT_FALSE(profile.KeepsFile()) << "a file of a fitting size is read and written again";
    EXPECT_EQ(profile.GetInt("app", "SizeOf", 0), 1);
    profile.SetInt("app", "SizeOf", 0);
    EXPECT_TRUE(profile.Save());
    EXPECT_EQ(dir.Read("torvane.ini"), "[app]\nSizeOf=0\n\n");
}

} // namespace
} // namespace torvane
