#include "core/media/AsfHeader.h"

#include "core/base/ByteReader.h"
#include "core/base/TextCodec.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <utility>

namespace torvane {
namespace {

constexpr uint64_t ObjectHeaderSize = 24; // GUID and 64-bit size
constexpr uint64_t HeaderObjectSize = 30; // plus the object count and two reserved bytes
// Objects are read whole up to this size; larger ones are skipped.
constexpr uint64_t MaxObjectBytes = 16 * 1024 * 1024;
// Larger values (pictures) are not kept: no attribute the reader shows is that long.
constexpr uint64_t MaxValueBytes = 64 * 1024;
// Objects of one level walked at most, and bytes of objects read in all: real headers hold a
// dozen objects and, with pictures, a few megabytes.
constexpr int MaxObjects = 1024;
constexpr uint64_t MaxHeaderBytesRead = 64 * 1024 * 1024;

bool Is(std::span<const uint8_t> bytes, const AsfGuid& guid) {
    return bytes.size() == guid.size() && std::equal(guid.begin(), guid.end(), bytes.begin());
}

std::string Utf16Text(std::span<const uint8_t> bytes) {
    return CTextCodec::FromUtf16(bytes, false);
}

// Calls visit(guid, data offset, data size) for each object in [begin, end), stopping at an
// object whose size is smaller than its own header or runs past end, or after MaxObjects.
template <class Visit>
void ForEachObject(const CByteSource& source, uint64_t begin, uint64_t end, Visit&& visit) {
    uint64_t pos = begin;
    for (int i = 0; i < MaxObjects && pos < end && end - pos >= ObjectHeaderSize; ++i) {
        const auto bytes = source.Read(pos, ObjectHeaderSize);
        CByteReader reader(bytes);
        const auto guid = reader.Bytes(16);
        const uint64_t size = reader.U64LE();
        if (!reader.Ok() || size < ObjectHeaderSize || size > end - pos)
            return;
        visit(guid, pos + ObjectHeaderSize, size - ObjectHeaderSize);
        pos += size;
    }
}

class CHeaderParser {
public:
    CHeaderParser(const CByteSource& source, AsfHeader& header)
        : m_Source(source), m_Header(header) {}

    // nested: the object stands inside the header extension, which is not nested again.
    void Object(std::span<const uint8_t> guid, uint64_t offset, uint64_t size, bool nested) {
        if (Is(guid, asf::HeaderExtension)) {
            if (!nested)
                HeaderExtension(offset, size);
            return;
        }
        using Parse = void (CHeaderParser::*)(CByteReader&);
        static constexpr std::pair<const AsfGuid*, Parse> Parsers[] = {
            {&asf::FileProperties, &CHeaderParser::FileProperties},
            {&asf::StreamProperties, &CHeaderParser::StreamProperties},
            {&asf::ContentDescription, &CHeaderParser::ContentDescription},
            {&asf::ExtendedContentDescription, &CHeaderParser::ExtendedContent},
            {&asf::CodecList, &CHeaderParser::CodecList},
            {&asf::Metadata, &CHeaderParser::MetadataRecords},
            {&asf::MetadataLibrary, &CHeaderParser::MetadataRecords},
        };
        const auto parser = std::find_if(std::begin(Parsers), std::end(Parsers),
                                         [&](const auto& entry) { return Is(guid, *entry.first); });
        if (parser == std::end(Parsers) || size > MaxObjectBytes || size > m_BytesLeft)
            return;
        m_BytesLeft -= size;
        const auto data = m_Source.Read(offset, static_cast<size_t>(size));
        CByteReader reader(data);
        (this->*parser->second)(reader);
    }

private:
    // The first attribute of a name stands.
    void Add(std::string name, uint16_t type, std::span<const uint8_t> value) {
        if (value.size() > MaxValueBytes || m_Header.Attributes.contains(name))
            return;
        m_Header.Attributes.emplace(std::move(name),
                                    AsfAttribute{type, {value.begin(), value.end()}});
    }

    // Reserved GUID and word, the size of the data, then objects (the metadata objects).
    void HeaderExtension(uint64_t offset, uint64_t size) {
        const auto bytes = m_Source.Read(offset, 22);
        CByteReader reader(bytes);
        reader.Skip(18);
        const uint32_t dataSize = reader.U32LE();
        if (!reader.Ok() || size < 22)
            return;
        const uint64_t begin = offset + 22;
        ForEachObject(
            m_Source, begin, begin + std::min<uint64_t>(dataSize, size - 22),
            [this](auto guid, uint64_t at, uint64_t length) { Object(guid, at, length, true); });
    }

    // File ID, file size, creation date, packet count, play duration, send duration, preroll.
    void FileProperties(CByteReader& reader) {
        reader.Skip(40);
        const uint64_t playDuration = reader.U64LE();
        reader.Skip(8);
        const uint64_t preroll = reader.U64LE();
        if (!reader.Ok())
            return;
        m_Header.PlayDuration = playDuration;
        m_Header.Preroll = preroll;
    }

    // Stream type, error correction type, time offset, the two data lengths, flags, reserved,
    // then the type-specific data: for audio a WAVEFORMATEX.
    void StreamProperties(CByteReader& reader) {
        const auto type = reader.Bytes(16);
        reader.Skip(16 + 8);
        const uint32_t formatLength = reader.U32LE();
        reader.Skip(4 + 2 + 4);
        CByteReader format(reader.Bytes(formatLength));
        format.U16LE(); // codec id
        format.U16LE(); // channels
        const uint32_t samplesPerSecond = format.U32LE();
        const uint32_t averageBytesPerSecond = format.U32LE();
        if (reader.Ok() && format.Ok() && Is(type, asf::AudioMedia) && !m_Header.Audio)
            m_Header.Audio = AsfHeader::AudioFormat{samplesPerSecond, averageBytesPerSecond};
    }

    // Five lengths, then title, author, copyright, description and rating (UTF-16LE).
    void ContentDescription(CByteReader& reader) {
        static constexpr const char* Names[] = {"Title", "Author", "Copyright", "Description",
                                                "Rating"};
        uint16_t lengths[5];
        for (uint16_t& length : lengths)
            length = reader.U16LE();
        for (size_t i = 0; i < 5; ++i) {
            const auto text = reader.Bytes(lengths[i]);
            if (!reader.Ok())
                return;
            if (!text.empty())
                Add(Names[i], AsfAttribute::Unicode, text);
        }
    }

    // Counted descriptors: name length, name, value type, value length, value.
    void ExtendedContent(CByteReader& reader) {
        const uint16_t count = reader.U16LE();
        for (uint16_t i = 0; i < count && reader.Ok(); ++i) {
            const auto name = reader.Bytes(reader.U16LE());
            const uint16_t type = reader.U16LE();
            const auto value = reader.Bytes(reader.U16LE());
            if (reader.Ok())
                Add(Utf16Text(name), type, value);
        }
    }

    // Counted records: language index (or reserved), stream number, name length, value type,
    // value length, name, value. Stream 0 holds the file's attributes.
    void MetadataRecords(CByteReader& reader) {
        const uint16_t count = reader.U16LE();
        for (uint16_t i = 0; i < count && reader.Ok(); ++i) {
            reader.U16LE();
            const uint16_t stream = reader.U16LE();
            const uint16_t nameLength = reader.U16LE();
            const uint16_t type = reader.U16LE();
            const uint32_t valueLength = reader.U32LE();
            const auto name = reader.Bytes(nameLength);
            const auto value = reader.Bytes(valueLength);
            if (reader.Ok() && stream == 0)
                Add(Utf16Text(name), type, value);
        }
    }

    // Reserved GUID, entry count, then entries: type, name and description (lengths in
    // UTF-16 units), codec information (length in bytes).
    void CodecList(CByteReader& reader) {
        reader.Skip(16);
        const uint32_t count = reader.U32LE();
        for (uint32_t i = 0; i < count && reader.Ok() && !m_Header.FirstCodec; ++i) {
            const uint16_t type = reader.U16LE();
            const auto name = reader.Bytes(uint64_t{reader.U16LE()} * 2);
            const auto description = reader.Bytes(uint64_t{reader.U16LE()} * 2);
            reader.Skip(reader.U16LE());
            if (reader.Ok() && (type == 1 || type == 2))
                m_Header.FirstCodec =
                    AsfHeader::Codec{type, Utf16Text(name), Utf16Text(description)};
        }
    }

    const CByteSource& m_Source;
    AsfHeader& m_Header;
    uint64_t m_BytesLeft = MaxHeaderBytesRead;
};

} // namespace

std::string AsfAttribute::Text() const {
    if (ValueType == Unicode)
        return Utf16Text(Value);
    const auto number = Number();
    return number ? std::to_string(*number) : std::string();
}

std::optional<uint64_t> AsfAttribute::Number() const {
    CByteReader reader(Value);
    uint64_t number = 0;
    switch (ValueType) {
    case Word:
        number = reader.U16LE();
        break;
    case DWord:
        number = reader.U32LE();
        break;
    case QWord:
        number = reader.U64LE();
        break;
    case Unicode: {
        const std::string text = Text();
        const size_t start = text.find_first_not_of(' ');
        if (start == std::string::npos || text[start] < '0' || text[start] > '9')
            return std::nullopt;
        for (size_t i = start; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            number =
                std::min<uint64_t>(number * 10 + static_cast<uint64_t>(text[i] - '0'), UINT32_MAX);
        return number;
    }
    default:
        return std::nullopt;
    }
    if (!reader.Ok())
        return std::nullopt;
    return number;
}

const AsfAttribute* AsfHeader::Find(std::string_view name) const {
    const auto found = Attributes.find(name);
    return found == Attributes.end() ? nullptr : &found->second;
}

bool ReadAsfHeader(const CByteSource& source, AsfHeader& header) {
    const auto bytes = source.Read(0, HeaderObjectSize);
    CByteReader reader(bytes);
    const auto guid = reader.Bytes(16);
    const uint64_t size = reader.U64LE();
    reader.Skip(6); // object count and two reserved bytes
    if (!reader.Ok() || !Is(guid, asf::HeaderObject) || size < HeaderObjectSize)
        return false;
    // A header cut short by the end of the file is read as far as it goes.
    const uint64_t end = std::min(size, source.Size());
    CHeaderParser parser(source, header);
    ForEachObject(source, HeaderObjectSize, end,
                  [&parser](auto objectGuid, uint64_t offset, uint64_t length) {
                      parser.Object(objectGuid, offset, length, false);
                  });
    return true;
}

} // namespace torvane
