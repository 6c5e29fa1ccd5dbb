#include "core/media/LegacyTexts.h"

#include "core/base/TextCodec.h"

#include <algorithm>
#include <cstdint>

namespace torvane {

void CLegacyTexts::Keep(std::string& field, std::string_view bytes, size_t maxBytes) {
    Drop(field);
    // A decoded character takes at least as many bytes as it had, less one cut at the end:
    // twice the room is plenty, and bounds what the detector looks at.
    field.assign(bytes.substr(0, maxBytes * 2 + 4));
    m_Kept.push_back({&field, maxBytes});
}

void CLegacyTexts::Drop(const std::string& field) {
    std::erase_if(m_Kept, [&](const Kept& kept) { return kept.Field == &field; });
}

void CLegacyTexts::Decode() {
    // Texts of ASCII alone (most tags) read alike in every code page: only cut.
    const bool ascii = std::all_of(m_Kept.begin(), m_Kept.end(), [](const Kept& kept) {
        return std::all_of(kept.Field->begin(), kept.Field->end(),
                           [](char c) { return static_cast<uint8_t>(c) < 0x80; });
    });
    if (ascii) {
        for (const Kept& kept : m_Kept)
            if (kept.Field->size() > kept.MaxBytes)
                kept.Field->resize(kept.MaxBytes);
        m_Kept.clear();
        return;
    }
    std::vector<std::string_view> texts;
    texts.reserve(m_Kept.size());
    for (const Kept& kept : m_Kept)
        texts.emplace_back(*kept.Field);
    std::vector<std::string> decoded = m_Codec.FromLegacyTogether(texts);
    for (size_t i = 0; i < m_Kept.size(); ++i)
        *m_Kept[i].Field = CTextCodec::CutUtf8(decoded[i], m_Kept[i].MaxBytes);
    m_Kept.clear();
}

} // namespace torvane
