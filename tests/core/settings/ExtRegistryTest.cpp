#include "core/settings/ExtRegistry.h"
#include "core/settings/Profile.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

std::vector<std::string> Keys(const CExtRegistry& registry) {
    std::vector<std::string> keys;
    for (const auto& [ext, entry] : registry.Entries())
        keys.push_back(ext);
    return keys;
}

TEST(ExtRegistry, ParsesEntries) {
    const struct {
        const char* value;
        const char* ext;
        int enabled;
        const char* app;
    } cases[] = {
        {"mp3,1,", "mp3", 1, ""},
        {"flac,0,/usr/bin/a,b player", "flac", 0, "/usr/bin/a,b player"},
        {"ape,12,/x", "ape", 12, "/x"},
        {"aac,1", "aac", 1, ""},
        {"m4a", "m4a", 0, ""},
        {"", "", 1, ""},
    };
    for (const auto& c : cases) {
        const ExtEntry entry = CExtRegistry::ParseEntry(c.value);
        EXPECT_EQ(entry.Ext, c.ext) << c.value;
        EXPECT_EQ(entry.Enabled, c.enabled) << c.value;
        EXPECT_EQ(entry.App, c.app) << c.value;
    }
}

TEST(ExtRegistry, FreshStartHasTheDefaultsAndTheNewerFormatsAndSavesThem) {
    CProfile profile;
    CExtRegistry registry;
    registry.LoadExtensions(profile);
    EXPECT_EQ(Keys(registry), (std::vector<std::string>{"aif", "aiff", "flac", "m4a", "mp3", "ogg",
                                                        "opus", "wav", "wma"}));

    registry.SaveExtensions(profile);
    EXPECT_EQ(profile.GetInt("ext", "count", -1), 9);
    EXPECT_EQ(profile.GetString("ext", "0"), "aif,1,");
    EXPECT_EQ(profile.GetString("ext", "8"), "wma,1,");
}

TEST(ExtRegistry, NewerFormatsComeOnlyWithANewProfile) {
    // A saved registry without them (an older profile, or the user deleted their rows) stays
    // as it is; only the four defaults are added back.
    CProfile profile;
    profile.Parse("[ext]\ncount=1\n0=mp3,1,\n");
    CExtRegistry registry;
    registry.LoadExtensions(profile);
    EXPECT_EQ(Keys(registry), (std::vector<std::string>{"mp3", "ogg", "wav", "wma"}));

    CProfile empty;
    empty.Parse("[ext]\ncount=0\n");
    CExtRegistry none;
    none.LoadExtensions(empty);
    EXPECT_FALSE(none.IsKnownExtension("flac"));
}

TEST(ExtRegistry, DisabledEntryKeepsItsApplication) {
    CProfile profile;
    profile.Parse("[ext]\ncount=2\n0=mp3,0,/usr/bin/player\n1=flac,1,\n");
    CExtRegistry registry;
    registry.LoadExtensions(profile);
    EXPECT_FALSE(registry.IsKnownExtension("mp3"));
    EXPECT_EQ(registry.FindExtApp("mp3"), "/usr/bin/player");
    EXPECT_TRUE(registry.IsKnownExtension("FLAC")) << "the test folds case";
    EXPECT_TRUE(registry.IsKnownExtension("wav")) << "missing defaults are added";
    EXPECT_FALSE(registry.IsKnownExtension("aac"));
    EXPECT_EQ(registry.FindExtApp("aac"), "");
}

TEST(ExtRegistry, DialogRemovalLastsOneRunButDisablingIsSaved) {
    CProfile profile;
    {
        CExtRegistry registry;
        registry.LoadExtensions(profile);
        registry.ApplyExtensionDialog({{"mp3", "/usr/bin/mpv", 1},
                                       {"ogg", "", 0},
                                       {"wma", "", 1},
                                       {"opus", "/usr/bin/mpv", 1}});
        EXPECT_FALSE(registry.IsKnownExtension("wav")) << "a deleted row is no longer gathered";
        EXPECT_FALSE(registry.IsKnownExtension("ogg"));
        EXPECT_TRUE(registry.IsKnownExtension("opus"));
        // A stale key above the new count stays in the file and is never read.
        profile.SetString("ext", "9", "stale,1,");
        registry.SaveExtensions(profile);
    }
    EXPECT_EQ(profile.GetInt("ext", "count", -1), 4);

    CExtRegistry next;
    next.LoadExtensions(profile);
    EXPECT_TRUE(next.IsKnownExtension("wav")) << "a removed default comes back enabled";
    EXPECT_FALSE(next.IsKnownExtension("ogg")) << "a disabled default stays disabled";
    EXPECT_EQ(next.FindExtApp("mp3"), "/usr/bin/mpv");
    EXPECT_TRUE(next.IsKnownExtension("opus"));
    EXPECT_FALSE(next.IsKnownExtension("stale"));
}

TEST(ExtRegistry, FirstEntryOfAnExtensionWins) {
    CExtRegistry registry;
    registry.Add({"mp3", "/first", 1});
    registry.Add({"mp3", "/second", 0});
    EXPECT_EQ(registry.FindExtApp("mp3"), "/first");
    EXPECT_TRUE(registry.IsKnownExtension("mp3"));
}

} // namespace
} // namespace torvane
