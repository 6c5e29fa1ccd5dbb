#pragma once

#include "core/media/TagSet.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace torvane {

// A record's two tag sets in one heap block, or in none while every field is empty (a record
// of a path only, an untagged file): the end of each of the fourteen texts, then the texts, each
// followed by a NUL. Fourteen strings would take four times the room of a typical read file.
class PackedTags {
public:
    enum Set : int { Standard = 0, Extended = 1 };
    // In the order of TagSet's fields.
    enum Field : int { Title, Artist, Album, Comment, Year, TrackNum, Genre, FieldCount };

    PackedTags() = default;
    PackedTags(const TagSet& standard, const TagSet& extended);

    bool Empty() const { return !m_Block; }
    // A field's text, followed by a NUL; valid until the tags are replaced.
    std::string_view Text(Set set, Field field) const;
    TagSet Unpack(Set set) const;

private:
    static constexpr int TextCount = 2 * FieldCount;
    // TextCount ends (each one past its text, the NUL's place), then the texts.
    std::unique_ptr<uint32_t[]> m_Block;
};

} // namespace torvane
