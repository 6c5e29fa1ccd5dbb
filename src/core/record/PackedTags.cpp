#include "core/record/PackedTags.h"

#include <array>
#include <cstring>
#include <limits>
#include <new>
#include <string>

namespace torvane {
namespace {

using TextFields = std::array<std::string TagSet::*, PackedTags::FieldCount>;
constexpr TextFields Fields = {&TagSet::Title, &TagSet::Artist,   &TagSet::Album, &TagSet::Comment,
                               &TagSet::Year,  &TagSet::TrackNum, &TagSet::Genre};

} // namespace

PackedTags::PackedTags(const TagSet& standard, const TagSet& extended) {
    std::array<const std::string*, TextCount> texts{};
    size_t bytes = 0;
    for (int i = 0; i < TextCount; ++i) {
        texts[i] = &((i < FieldCount ? standard : extended).*Fields[i % FieldCount]);
        bytes += texts[i]->size();
    }
    if (bytes == 0)
        return;
    bytes += TextCount; // the NULs
    if (bytes > std::numeric_limits<uint32_t>::max())
        throw std::bad_alloc();
    const size_t words = TextCount + (bytes + sizeof(uint32_t) - 1) / sizeof(uint32_t);
    m_Block = std::make_unique_for_overwrite<uint32_t[]>(words);
    char* chars = reinterpret_cast<char*>(m_Block.get() + TextCount);
    size_t end = 0;
    for (int i = 0; i < TextCount; ++i) {
        std::memcpy(chars + end, texts[i]->data(), texts[i]->size());
        end += texts[i]->size();
        chars[end] = '\0';
        m_Block[i] = static_cast<uint32_t>(end);
        ++end;
    }
}

std::string_view PackedTags::Text(Set set, Field field) const {
    if (!m_Block)
        return "";
    const int i = static_cast<int>(set) * static_cast<int>(FieldCount) + static_cast<int>(field);
    const uint32_t start = i == 0 ? 0 : m_Block[i - 1] + 1;
    const char* chars = reinterpret_cast<const char*>(m_Block.get() + TextCount);
    return {chars + start, m_Block[i] - start};
}

TagSet PackedTags::Unpack(Set set) const {
    TagSet tags;
    if (m_Block)
        for (int field = 0; field < FieldCount; ++field)
            tags.*Fields[field] = Text(set, static_cast<Field>(field));
    return tags;
}

} // namespace torvane
