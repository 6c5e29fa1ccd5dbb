#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

class CProfile;

struct ExtEntry {
    enum State : int32_t { Removed = -1, Off = 0, On = 1 };

    std::string Ext; // without the dot
    std::string App; // program that opens such files; empty for none
    int32_t Enabled = 1;
};

// One row of the extension settings dialog.
struct ExtDialogRow {
    std::string Ext;
    std::string App;
    int32_t Checked = 1;
};

// The registered extensions: which files are gathered, and which program opens each kind.
// Ordered and unique by extension, compared byte by byte (case matters).
class CExtRegistry {
public:
    static constexpr const char* Section = "ext";

    // Reads section "ext", then registers the four default extensions that are missing; a
    // profile without the section also gets flac, opus, m4a, aif and aiff.
    void LoadExtensions(const CProfile& profile);
    // Writes every entry that is not removed under keys "0", "1", ... and "count".
    void SaveExtensions(CProfile& profile) const;

    // Adds the entry unless one with the same extension exists.
    void Add(ExtEntry entry);
    bool IsKnownExtension(std::string_view ext) const;
    // Registered but switched off (unticked in the dialog), in any case.
    bool IsSwitchedOff(std::string_view ext) const;
    std::string FindExtApp(std::string_view ext) const;
    // Takes over the dialog's rows: entries without a row become removed.
    void ApplyExtensionDialog(const std::vector<ExtDialogRow>& rows);

    using EntryMap = std::map<std::string, ExtEntry, std::less<>>;
    const EntryMap& Entries() const { return m_Entries; }

    // "mp3,1,/usr/bin/player" -> entry; a malformed value is parsed as far as it goes.
    static ExtEntry ParseEntry(std::string_view value);
    static std::string FormatEntry(const ExtEntry& entry);

private:
    EntryMap m_Entries;
};

} // namespace torvane
