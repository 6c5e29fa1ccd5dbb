#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace torvane {

// The settings file: sections of "key=value" lines, integers as decimal text. Every read names
// its default. Sections and keys keep the order in which they were first written, and names are
// compared exactly. The file is written atomically.
class CProfile {
public:
    CProfile() = default;
    explicit CProfile(std::string path) : m_Path(std::move(path)) {}

    const std::string& Path() const { return m_Path; }

    // A missing or unreadable file leaves the store empty and answers false. So does a file
    // larger than MaxProfileBytes, with a note on stderr: the program runs on the defaults, and
    // the file is kept as it is (see Save).
    bool Load();
    // Writes the whole store to Path(), creating its folder when needed. A file that Load found
    // too large is not written over with what is only the defaults: it stays, and the answer is
    // true.
    bool Save(std::string* error = nullptr) const;
    // Whether Load left the file alone for its size.
    bool KeepsFile() const { return m_KeepsFile; }

    void Parse(std::string_view text);
    std::string ToText() const;

    bool HasKey(std::string_view section, std::string_view key) const;
    // The leading decimal integer of the value; the default when the key is missing or holds
    // no number.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue = {}) const;

    void SetInt(std::string_view section, std::string_view key, int value);
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    void RemoveKey(std::string_view section, std::string_view key);
    void ClearSection(std::string_view section);

    // The keys and values of a section in file order; empty when there is no such section.
    std::vector<std::pair<std::string, std::string>> SectionEntries(std::string_view section) const;

private:
    struct Entry {
        std::string Key;
        std::string Value;
    };
    // Entries keep the file's order; the index finds a key at once, so a profile of a million
    // keys loads in linear time.
    struct Section {
        std::string Name;
        std::vector<Entry> Entries;
        std::unordered_map<std::string, size_t> Index;

        Entry* FindEntry(std::string_view key);
        void Reindex();
    };

    const Section* FindSection(std::string_view name) const;
    const std::string* Find(std::string_view section, std::string_view key) const;
    Section& SectionNamed(std::string_view name);

    std::string m_Path;
    bool m_KeepsFile = false;
    std::vector<Section> m_Sections;
    std::unordered_map<std::string, size_t> m_SectionIndex;
};

} // namespace torvane
