#include "core/media/ReaderTable.h"

#include "core/base/AsciiText.h"
#include "core/base/CachedSource.h"
#include "core/base/FileSource.h"
#include "core/media/AiffReader.h"
#include "core/media/FlacReader.h"
#include "core/media/Mp4Reader.h"
#include "core/media/MpegReader.h"
#include "core/media/OggPage.h"
#include "core/media/OggReader.h"
#include "core/media/OpusReader.h"
#include "core/media/WmaReader.h"

#include <algorithm>
#include <optional>
#include <type_traits>

namespace torvane {
namespace {

template <class Reader> std::unique_ptr<CAudioReader> Make(const CTextCodec& codec) {
    if constexpr (std::is_constructible_v<Reader, const CTextCodec&>)
        return std::make_unique<Reader>(codec);
    else
        return std::make_unique<Reader>();
}

// Lines of one extension stand together. Many "ogg" files hold Opus or FLAC rather than
// Vorbis: the first packet tells.
const ReaderLine Table[] = {
    {"mp3", "mpeg", Make<CMpegReader>, true},
    {"wav", "mpeg", Make<CMpegReader>, true},
    {"wma", "wma", Make<CWmaReader>, true},
    {"ogg", "ogg", Make<COpusReader>, true, FirstPacketStartsWith, "OpusHead"},
    {"ogg", "ogg", Make<CFlacReader>, true, FirstPacketStartsWith, "\177FLAC"},
    {"ogg", "ogg", Make<COggReader>, true},
    {"flac", "flac", Make<CFlacReader>},
    {"opus", "opus", Make<COpusReader>},
    {"m4a", "mp4", Make<CMp4Reader>},
    {"aif", "aiff", Make<CAiffReader>},
    {"aiff", "aiff", Make<CAiffReader>},
};

} // namespace

std::span<const ReaderLine> AllReaderLines() {
    return Table;
}

std::span<const ReaderLine> ReaderLines(std::string_view ext) {
    const std::string lower = LowerAscii(ext);
    const auto same = [&](const ReaderLine& line) { return line.Ext == lower; };
    const auto first = std::find_if(std::begin(Table), std::end(Table), same);
    const auto last = std::find_if_not(first, std::end(Table), same);
    return {first, last};
}

std::string ReaderForExtension(std::string_view ext) {
    const auto lines = ReaderLines(ext);
    return lines.empty() ? std::string() : std::string(lines.front().Name);
}

bool ReadByTable(const CByteSource& file, std::span<const ReaderLine> lines,
                 const CTextCodec& codec, AudioInfo& info) {
    // Lines that look at the content share one cache, so the start of the file is read once.
    const bool sniffs = std::any_of(lines.begin(), lines.end(),
                                    [](const ReaderLine& line) { return line.Holds != nullptr; });
    std::optional<CCachedSource> cached;
    if (sniffs)
        cached.emplace(file);
    const CByteSource& source = cached ? static_cast<const CByteSource&>(*cached) : file;
    for (const ReaderLine& line : lines)
        if ((!line.Holds || line.Holds(source, line.Signature)) &&
            line.Make(codec)->Read(source, info))
            return true;
    return false;
}

bool ReadByTable(const std::string& path, std::span<const ReaderLine> lines,
                 const CTextCodec& codec, AudioInfo& info) {
    const CFileSource file(path);
    if (file.IsOpen())
        return ReadByTable(file, lines, codec, info);
    // No content to look at: only the lines that need none apply.
    for (const ReaderLine& line : lines)
        if (!line.Holds && line.Make(codec)->ReadUnopened(info))
            return true;
    return false;
}

} // namespace torvane
