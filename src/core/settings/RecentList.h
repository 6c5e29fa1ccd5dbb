#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace torvane {

class CProfile;

// A recently-used list of paths, most recent first: the list files opened ("MRU_File",
// "file_%d") or the folders opened ("MRU_Dir", "dir_%d"). Paths compare exactly.
class CRecentList {
public:
    static constexpr size_t Capacity = 5;

    CRecentList(std::string section, std::string keyPrefix)
        : m_Section(std::move(section)), m_KeyPrefix(std::move(keyPrefix)) {}

    // Slots 1..5 from keys "<prefix>1".."<prefix>5"; a missing key is an empty slot.
    void Read(const CProfile& profile);
    // Clears the section, then writes every entry under its slot's key.
    void Write(CProfile& profile) const;

    // Puts path (made absolute) at the front; an equal entry moves there, and the oldest drops
    // out when the list is full.
    void Add(std::string_view path);

    // The non-empty entries, most recent first.
    const std::vector<std::string>& Entries() const { return m_Entries; }
    // Entry `index` (0-based), or "" when that slot is empty.
    std::string At(size_t index) const;

    // The history menu's caption of entry `index`: "&1 name", the slot number as mnemonic and
    // every "&" of the name doubled. The name is the last path component.
    std::string MenuCaption(size_t index) const;

private:
    std::string m_Section;
    std::string m_KeyPrefix;
    std::vector<std::string> m_Entries;
};

} // namespace torvane
