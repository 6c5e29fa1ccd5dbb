#pragma once

#include "core/base/ByteSource.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

using AsfGuid = std::array<uint8_t, 16>;

// A GUID from its text form ("75B22630-668E-11CF-A6D9-00AA0062CE6C") in the byte order ASF
// stores it: the first three groups little-endian, the last two as written.
consteval AsfGuid MakeAsfGuid(std::string_view text) {
    const auto nibble = [](char c) {
        return static_cast<uint8_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    };
    const auto byteAt = [&](size_t pos) {
        return static_cast<uint8_t>(nibble(text[pos]) << 4 | nibble(text[pos + 1]));
    };
    // Where each stored byte stands in the text.
    constexpr size_t textPos[16] = {6, 4, 2, 0, 11, 9, 16, 14, 19, 21, 24, 26, 28, 30, 32, 34};
    AsfGuid guid{};
    for (size_t i = 0; i < guid.size(); ++i)
        guid[i] = byteAt(textPos[i]);
    return guid;
}

namespace asf {
inline constexpr AsfGuid HeaderObject = MakeAsfGuid("75B22630-668E-11CF-A6D9-00AA0062CE6C");
inline constexpr AsfGuid FileProperties = MakeAsfGuid("8CABDCA1-A947-11CF-8EE4-00C00C205365");
inline constexpr AsfGuid StreamProperties = MakeAsfGuid("B7DC0791-A9B7-11CF-8EE6-00C00C205365");
inline constexpr AsfGuid HeaderExtension = MakeAsfGuid("5FBF03B5-A92E-11CF-8EE3-00C00C205365");
inline constexpr AsfGuid CodecList = MakeAsfGuid("86D15240-311D-11D0-A3A4-00A0C90348F6");
inline constexpr AsfGuid ContentDescription = MakeAsfGuid("75B22633-668E-11CF-A6D9-00AA0062CE6C");
inline constexpr AsfGuid ExtendedContentDescription =
    MakeAsfGuid("D2D0A440-E307-11D2-97F0-00A0C95EA850");
inline constexpr AsfGuid Metadata = MakeAsfGuid("C5F8CBEA-5BAF-4877-8467-AA8C44FA4CCA");
inline constexpr AsfGuid MetadataLibrary = MakeAsfGuid("44231C94-9498-49D1-A141-1D134E457054");
inline constexpr AsfGuid AudioMedia = MakeAsfGuid("F8699E40-5B4D-11CF-A8FD-00805F5C442B");
} // namespace asf

// One attribute value as stored, with its ASF value type.
struct AsfAttribute {
    enum Type : uint16_t { Unicode = 0, Bytes = 1, Bool = 2, DWord = 3, QWord = 4, Word = 5 };

    uint16_t ValueType = Unicode;
    std::vector<uint8_t> Value;

    // A string (UTF-16LE) as UTF-8, a number in decimal; other types give no text.
    std::string Text() const;
    // A number as stored, or the decimal number a string begins with; none for other types
    // and for a string without a leading number.
    std::optional<uint64_t> Number() const;
};

// What the header object of an ASF file says about the file.
struct AsfHeader {
    struct Codec {
        uint16_t Type = 0; // 1 video, 2 audio
        std::string Name;
        std::string Description;
    };
    struct AudioFormat {
        uint32_t SamplesPerSecond = 0;
        uint32_t AverageBytesPerSecond = 0;
    };

    // File attributes by name: the content description's "Title", "Author", "Copyright",
    // "Description" and "Rating", the extended content descriptors and the stream-0 records of
    // the metadata objects. When a name comes twice the first one found stands.
    std::map<std::string, AsfAttribute, std::less<>> Attributes;
    uint64_t PlayDuration = 0;        // 100 ns units, including the preroll
    uint64_t Preroll = 0;             // milliseconds
    std::optional<Codec> FirstCodec;  // the first audio or video entry of the codec list
    std::optional<AudioFormat> Audio; // the first audio stream's format

    const AsfAttribute* Find(std::string_view name) const;
};

// Reads the header object at the start of an ASF file and the objects it holds. False when
// the data does not begin with a header object; objects that are broken or run past the end
// end the reading, and what was read before them stays.
bool ReadAsfHeader(const CByteSource& source, AsfHeader& header);

} // namespace torvane
