#include "core/settings/ExtRegistry.h"

#include "core/base/AsciiText.h"
#include "core/settings/Profile.h"

#include <map>

namespace torvane {
namespace {

// The number of a key written as std::to_string writes it ("0", "17"); -1 for any other key.
int IndexKey(std::string_view key) {
    if (key.empty() || key.size() > 9 || (key.size() > 1 && key.front() == '0'))
        return -1;
    int index = 0;
    for (const char c : key) {
        if (c < '0' || c > '9')
            return -1;
        index = index * 10 + (c - '0');
    }
    return index;
}

} // namespace

ExtEntry CExtRegistry::ParseEntry(std::string_view value) {
    ExtEntry entry;
    if (value.empty())
        return entry;
    const size_t a = value.find(',');
    if (a == std::string_view::npos) {
        entry.Ext = std::string(value);
        entry.Enabled = 0;
        return entry;
    }
    entry.Ext = std::string(value.substr(0, a));
    // The second comma is looked for from two places after the first, past a one-digit state.
    const size_t b = a + 2 < value.size() ? value.find(',', a + 2) : std::string_view::npos;
    if (b == std::string_view::npos) {
        entry.Enabled = LeadingNumber(value.substr(a + 1));
        return entry;
    }
    entry.Enabled = LeadingNumber(value.substr(a + 1, b - a - 1));
    entry.App = std::string(value.substr(b + 1));
    return entry;
}

std::string CExtRegistry::FormatEntry(const ExtEntry& entry) {
    return entry.Ext + "," + std::to_string(entry.Enabled) + "," + entry.App;
}

void CExtRegistry::LoadExtensions(const CProfile& profile) {
    // A profile that never saved the registry is a first start: the formats a library of today
    // is made of are registered then, once, so a user who removes one later is not overruled.
    if (!profile.HasKey(Section, "count"))
        for (const char* ext : {"flac", "opus", "m4a", "aif", "aiff"})
            Add(ExtEntry{ext, "", ExtEntry::On});
    const int count = profile.GetInt(Section, "count", 0);
    // Keys "0" to count - 1, in number order; only the keys present are visited, so a damaged
    // count of two thousand million costs nothing. A missing key reads as an empty entry.
    std::map<int, std::string> numbered;
    for (auto& [key, value] : profile.SectionEntries(Section))
        if (const int index = IndexKey(key); index >= 0 && index < count)
            numbered.emplace(index, std::move(value));
    int next = 0;
    for (const auto& [index, value] : numbered) {
        if (index != next)
            Add(ParseEntry({}));
        Add(ParseEntry(value));
        next = index + 1;
    }
    if (next < count)
        Add(ParseEntry({}));
    for (const char* ext : {"mp3", "wma", "wav", "ogg"})
        Add(ExtEntry{ext, "", ExtEntry::On});
}

void CExtRegistry::SaveExtensions(CProfile& profile) const {
    int written = 0;
    for (const auto& [ext, entry] : m_Entries) {
        if (entry.Enabled == ExtEntry::Removed)
            continue;
        profile.SetString(Section, std::to_string(written), FormatEntry(entry));
        ++written;
    }
    profile.SetInt(Section, "count", written);
}

void CExtRegistry::Add(ExtEntry entry) {
    std::string key = entry.Ext;
    m_Entries.emplace(std::move(key), std::move(entry));
}

bool CExtRegistry::IsKnownExtension(std::string_view ext) const {
    const auto it = m_Entries.find(LowerAscii(ext));
    return it != m_Entries.end() && it->second.Enabled >= 1;
}

bool CExtRegistry::IsSwitchedOff(std::string_view ext) const {
    const auto it = m_Entries.find(LowerAscii(ext));
    return it != m_Entries.end() && it->second.Enabled == ExtEntry::Off;
}

std::string CExtRegistry::FindExtApp(std::string_view ext) const {
    const auto it = m_Entries.find(ext);
    return it == m_Entries.end() ? std::string() : it->second.App;
}

void CExtRegistry::ApplyExtensionDialog(const std::vector<ExtDialogRow>& rows) {
    for (auto& [ext, entry] : m_Entries)
        entry.Enabled = ExtEntry::Removed;
    for (const ExtDialogRow& row : rows) {
        const auto it = m_Entries.find(row.Ext);
        if (it != m_Entries.end()) {
            it->second.App = row.App;
            it->second.Enabled = row.Checked;
        } else {
            Add(ExtEntry{row.Ext, row.App, row.Checked});
        }
    }
}

} // namespace torvane
