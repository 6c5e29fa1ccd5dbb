#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

class CProgress;
class CTextOutput;
class CTorvaneDoc;

// What the save dialog produced.
struct SaveChoice {
    std::string Path;         // the chosen file
    bool Relative = false;    // "相対パスで保存"
    std::string BasePath;     // base folder of relative paths
    std::string TemplateName; // HTML template chosen in the dialog
    bool ExtendedM3U = false; // "拡張M3U": #EXTINF lines in a ".m3u" file
};

// "保存(&S)": ".htm" and ".html" names (any case) go to the HTML writer, every other name to
// the playlist writer of its extension (relative to the base folder when chosen). The dialog's
// relative choice, base folder and extended-M3U choice are stored back into the document's
// settings. False when nothing
// was written.
bool SaveList(CTorvaneDoc& doc, const SaveChoice& choice);

// The save dialog's base folder at start: the stored "relative_root", or the current folder
// when none is stored.
std::string InitialBasePath(const CTorvaneDoc& doc);

// Writes the current list as a plain playlist in UTF-8, whatever the settings say (the list
// saved on exit must always read back): one path per line, CR LF line ends, each path as
// stored or, with a base folder, made relative to it. An empty list gives an empty file.
// A failure is reported as "ファイルのオープンに失敗しました" and the previous file stays.
bool WritePlaylist(CTorvaneDoc& doc, const std::string& path, std::string_view base);

// Writes the current list in the format of the file's extension, any case: ".m3u8" as extended
// M3U in UTF-8, ".pls" as PLS version 2, ".xspf" as XSPF; ".m3u" as the plain playlist, or as
// extended M3U when the document's ExtendedM3U is on; ".txt" and every other name as the plain
// playlist. ".m3u", ".txt" and other plain names are encoded in the document's
// PlaylistCodePage; a name that encoding cannot hold is reported and nothing is written.
bool WritePlaylistFile(CTorvaneDoc& doc, const std::string& path, std::string_view base);

// Names holding a line break cannot be written into a list of one path per line: the writers
// report them (MessageId::NamesWithLineBreak) with the break shown as "\n", and write nothing.
bool HasLineBreak(std::string_view name);
void ReportLineBreaks(CTorvaneDoc& doc, const std::vector<std::string>& names);

// Writes one output file through the UI host's file layer: write puts the text into it piece by
// piece as it makes it, and answers false when the text cannot be made (the previous file then
// stays, and nothing is reported here). A file that cannot be written is reported as the error
// MessageId::OpenFailed, and the previous file stays; a file that cannot even be opened is
// reported without write being called. progress, when given, is closed before the report.
bool WriteOutputFile(CTorvaneDoc& doc, const std::string& path,
                     const std::function<bool(CTextOutput&)>& write, CProgress* progress = nullptr);

} // namespace torvane
