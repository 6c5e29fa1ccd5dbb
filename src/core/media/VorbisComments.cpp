#include "core/media/VorbisComments.h"

#include "core/base/AsciiText.h"
#include "core/base/TextCodec.h"

namespace torvane {

void VorbisComments::Store(std::string_view text) {
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return; // the empty key: never looked up
    const std::string key = UpperAscii(text.substr(0, equals));
    std::string* field = key == "TITLE"         ? &Title
                         : key == "ARTIST"      ? &Artist
                         : key == "ALBUM"       ? &Album
                         : key == "COMMENT"     ? &Comment
                         : key == "TRACKNUMBER" ? &TrackNumber
                         : key == "GENRE"       ? &Genre
                         : key == "DATE"        ? &Date
                                                : nullptr;
    if (field)
        *field =
            CTextCodec::CutUtf8(CTextCodec::SanitizeUtf8(text.substr(equals + 1)), MaxValueBytes);
}

TagSet VorbisComments::ToTagSet() const {
    TagSet tags;
    tags.Title = Title;
    tags.Artist = Artist;
    tags.Album = Album;
    tags.Comment = Comment;
    tags.Year = Date;
    tags.Genre = Genre;
    if (const int32_t track = LeadingNumber(TrackNumber); track > 0)
        tags.TrackNum = std::to_string(track);
    return tags;
}

} // namespace torvane
