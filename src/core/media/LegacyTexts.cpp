#include "core/media/LegacyTexts.h"

#include "core/base/TextCodec.h"

#include <algorithm>

namespace torvane {

void CLegacyTexts::Keep(std::string& field, std::string_view bytes, size_t maxBytes) {
    Drop(field);
    // A decoded character takes at least as many bytes as it had, less one cut at the end:
    // twice the room is plenty, and bounds what the detector looks at.
    const std::string_view raw = bytes.substr(0, maxBytes * 2 + 4);
    field.assign(raw);
    m_Kept.push_back({&field, std::string(raw), maxBytes});
}

void CLegacyTexts::Drop(const std::string& field) {
    std::erase_if(m_Kept, [&](const Kept& kept) { return kept.Field == &field; });
}

void CLegacyTexts::Decode() {
    if (m_Kept.empty())
        return;
    std::vector<std::string_view> texts;
    texts.reserve(m_Kept.size());
    for (const Kept& kept : m_Kept)
        texts.push_back(kept.Bytes);
    std::vector<std::string> decoded = m_Codec.FromLegacyTogether(texts);
    for (size_t i = 0; i < m_Kept.size(); ++i)
        *m_Kept[i].Field = CTextCodec::CutUtf8(decoded[i], m_Kept[i].MaxBytes);
    m_Kept.clear();
}

} // namespace torvane
