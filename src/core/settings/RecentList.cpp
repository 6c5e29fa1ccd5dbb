#include "core/settings/RecentList.h"

#include "core/base/Paths.h"
#include "core/settings/Profile.h"

#include <algorithm>

namespace torvane {

void CRecentList::Read(const CProfile& profile) {
    m_Entries.clear();
    for (size_t slot = 1; slot <= Capacity; ++slot) {
        std::string value = profile.GetString(m_Section, m_KeyPrefix + std::to_string(slot));
        if (!value.empty())
            m_Entries.push_back(std::move(value));
    }
}

void CRecentList::Write(CProfile& profile) const {
    profile.ClearSection(m_Section);
    for (size_t i = 0; i < m_Entries.size(); ++i)
        profile.SetString(m_Section, m_KeyPrefix + std::to_string(i + 1), m_Entries[i]);
}

void CRecentList::Add(std::string_view path) {
    if (path.empty())
        return;
    std::string full = MakeAbsolute(path);
    std::erase(m_Entries, full);
    m_Entries.insert(m_Entries.begin(), std::move(full));
    if (m_Entries.size() > Capacity)
        m_Entries.resize(Capacity);
}

std::string CRecentList::At(size_t index) const {
    return index < m_Entries.size() ? m_Entries[index] : std::string();
}

std::string CRecentList::MenuCaption(size_t index) const {
    const std::string entry = At(index);
    std::string_view path = entry;
    // A folder's name is its last component, also when it ends with a separator.
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    std::string_view name = LastComponent(path);
    if (name.empty())
        name = path;
    std::string caption = "&" + std::to_string(index + 1) + " ";
    for (char c : name) {
        caption += c;
        if (c == '&')
            caption += '&';
    }
    return caption;
}

} // namespace torvane
