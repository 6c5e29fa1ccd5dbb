#pragma once

#include <string>
#include <string_view>

namespace torvane {

class CTorvaneDoc;

// What the save dialog produced.
struct SaveChoice {
    std::string Path;         // the chosen file
    bool Relative = false;    // "相対パスで保存"
    std::string BasePath;     // base folder of relative paths
    std::string TemplateName; // HTML template chosen in the dialog
};

// "保存(&S)": ".htm" and ".html" names (any case) go to the HTML writer, every other name gets
// the plain playlist (relative to the base folder when chosen). The dialog's relative choice and
// base folder are stored back into the document's settings. False when nothing was written.
bool SaveList(CTorvaneDoc& doc, const SaveChoice& choice);

// The save dialog's base folder at start: the stored "relative_root", or the current folder
// when none is stored.
std::string InitialBasePath(const CTorvaneDoc& doc);

// Writes the current list as a plain playlist: one path per line, CR LF line ends, each path
// as stored or, with a base folder, made relative to it. An empty list gives an empty file.
// A failure is reported as "ファイルのオープンに失敗しました" and the previous file stays.
bool WritePlaylist(CTorvaneDoc& doc, const std::string& path, std::string_view base);

// Writes one whole output file through the UI host's file layer, reporting a failure with
// "ファイルのオープンに失敗しました" (caption "error").
bool WriteOutputFile(CTorvaneDoc& doc, const std::string& path, std::string_view content);

} // namespace torvane
