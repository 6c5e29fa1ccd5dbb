#include "core/settings/Profile.h"

#include "core/base/AtomicFile.h"
#include "core/base/Paths.h"
#include "core/base/TextLines.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <iostream>
#include <new>

namespace torvane {
namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A value must stay on its line.
std::string OneLine(std::string_view value) {
    std::string out(value);
    std::replace(out.begin(), out.end(), '\n', ' ');
    std::replace(out.begin(), out.end(), '\r', ' ');
    return out;
}

} // namespace

bool CProfile::Load() {
    m_Sections.clear();
    m_SectionIndex.clear();
    std::string text;
    const WholeFileRead read = ReadWholeFile(m_Path, text, MaxProfileBytes);
    m_KeepsFile = read == WholeFileRead::TooLarge;
    if (m_KeepsFile)
        std::cerr << "torvane: " << m_Path << ": the settings file is larger than "
                  << (MaxProfileBytes >> 20)
                  << " MB; the defaults are used and the file is left as it is\n";
    if (read != WholeFileRead::Ok)
        return false;
    try {
        Parse(text);
    } catch (const std::bad_alloc&) {
        // Memory ran short for its keys: as a file too large.
        m_Sections.clear();
        m_SectionIndex.clear();
        m_KeepsFile = true;
        std::cerr << "torvane: " << m_Path << ": no memory to read the settings file; the "
                  << "defaults are used and the file is left as it is\n";
        return false;
    }
    return true;
}

bool CProfile::Save(std::string* error) const {
    if (m_KeepsFile)
        return true;
    std::string message;
    const bool ok =
        CreateParentFolders(m_Path, message) && WriteFileAtomically(m_Path, ToText(), message);
    if (!ok && error)
        *error = message;
    return ok;
}

void CProfile::Parse(std::string_view text) {
    m_Sections.clear();
    m_SectionIndex.clear();
    Section* current = nullptr;
    CTextLines lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#')
            continue;
        if (trimmed.front() == '[' && trimmed.back() == ']') {
            current = &SectionNamed(Trim(trimmed.substr(1, trimmed.size() - 2)));
            continue;
        }
        const size_t equals = line.find('=');
        if (current == nullptr || equals == std::string_view::npos)
            continue;
        // The first of duplicate keys counts, as a lookup from the top of the file finds it.
        const std::string_view key = Trim(line.substr(0, equals));
        // Carriage returns before the line end belong to the line end (a file whose lines end in
        // several), not to the value: kept, the value would lose one at every save and load.
        std::string_view value = line.substr(equals + 1);
        while (!value.empty() && value.back() == '\r')
            value.remove_suffix(1);
        if (!current->FindEntry(key)) {
            current->Index.emplace(std::string(key), current->Entries.size());
            current->Entries.push_back({std::string(key), std::string(value)});
        }
    }
}

std::string CProfile::ToText() const {
    std::string text;
    for (const Section& section : m_Sections) {
        text += "[" + section.Name + "]\n";
        for (const Entry& entry : section.Entries)
            text += entry.Key + "=" + entry.Value + "\n";
        text += "\n";
    }
    return text;
}

CProfile::Entry* CProfile::Section::FindEntry(std::string_view key) {
    const auto it = Index.find(std::string(key));
    return it == Index.end() ? nullptr : &Entries[it->second];
}

void CProfile::Section::Reindex() {
    Index.clear();
    for (size_t i = 0; i < Entries.size(); ++i)
        Index.emplace(Entries[i].Key, i);
}

const CProfile::Section* CProfile::FindSection(std::string_view name) const {
    const auto it = m_SectionIndex.find(std::string(name));
    return it == m_SectionIndex.end() ? nullptr : &m_Sections[it->second];
}

const std::string* CProfile::Find(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s)
        return nullptr;
    const auto it = s->Index.find(std::string(key));
    return it == s->Index.end() ? nullptr : &s->Entries[it->second].Value;
}

CProfile::Section& CProfile::SectionNamed(std::string_view name) {
    const auto [it, added] = m_SectionIndex.emplace(std::string(name), m_Sections.size());
    if (added)
        m_Sections.push_back({std::string(name), {}, {}});
    return m_Sections[it->second];
}

bool CProfile::HasKey(std::string_view section, std::string_view key) const {
    return Find(section, key) != nullptr;
}

int CProfile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::string* value = Find(section, key);
    if (!value)
        return defaultValue;
    const char* begin = value->c_str();
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE || number < INT_MIN || number > INT_MAX)
        return defaultValue;
    return static_cast<int>(number);
}

std::string CProfile::GetString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    const std::string* value = Find(section, key);
    return value ? *value : std::string(defaultValue);
}

void CProfile::SetInt(std::string_view section, std::string_view key, int value) {
    SetString(section, key, std::to_string(value));
}

void CProfile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    Section& s = SectionNamed(section);
    if (Entry* entry = s.FindEntry(key)) {
        entry->Value = OneLine(value);
        return;
    }
    s.Index.emplace(std::string(key), s.Entries.size());
    s.Entries.push_back({std::string(key), OneLine(value)});
}

void CProfile::RemoveKey(std::string_view section, std::string_view key) {
    for (Section& s : m_Sections) {
        if (s.Name == section &&
            std::erase_if(s.Entries, [&](const Entry& e) { return e.Key == key; }))
            s.Reindex();
    }
}

void CProfile::ClearSection(std::string_view section) {
    for (Section& s : m_Sections) {
        if (s.Name == section) {
            s.Entries.clear();
            s.Index.clear();
        }
    }
}

std::vector<std::pair<std::string, std::string>>
CProfile::SectionEntries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> entries;
    if (const Section* s = FindSection(section))
        for (const Entry& entry : s->Entries)
            entries.emplace_back(entry.Key, entry.Value);
    return entries;
}

} // namespace torvane
