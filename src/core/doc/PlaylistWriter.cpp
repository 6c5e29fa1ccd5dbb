#include "PlaylistWriter.h"

#include "HtmlWriter.h"
#include "Paths.h"
#include "Progress.h"
#include "RelativePath.h"
#include "TorvaneDoc.h"
#include "UiHost.h"

namespace torvane {

bool SaveList(CTorvaneDoc& doc, const SaveChoice& choice) {
    const bool written =
        IsHtmlFileName(choice.Path)
            ? WriteHtml(doc, choice.Path, choice.TemplateName)
            : WritePlaylist(doc, choice.Path, choice.Relative ? choice.BasePath : std::string());
    doc.Settings().relative_root = choice.BasePath;
    doc.Settings().relative = choice.Relative ? 1 : 0;
    return written;
}

std::string InitialBasePath(const CTorvaneDoc& doc) {
    const std::string& stored = doc.Settings().relative_root;
    return stored.empty() ? CurrentFolder() : stored;
}

bool WritePlaylist(CTorvaneDoc& doc, const std::string& path, std::string_view base) {
    const TrackList& list = doc.CurrentList();
    const size_t n = list.size();
    std::string text;
    {
        const auto progress = doc.Host().OpenProgress();
        progress->SetPos(0);
        for (size_t i = 0; i < n; ++i) {
            progress->SetPos(static_cast<int>(i * 100 / n));
            const std::string& itemPath = list[i]->FilePath();
            text += base.empty() ? itemPath : MakeRelativePath(base, itemPath);
            text += "\r\n";
        }
        progress->Close();
    }
    return WriteOutputFile(doc, path, text);
}

bool WriteOutputFile(CTorvaneDoc& doc, const std::string& path, std::string_view content) {
    std::string error;
    if (doc.Host().WriteFile(path, content, error))
        return true;
    doc.Host().ShowMessage("ファイルのオープンに失敗しました", "error", MessageButtons::Ok);
    return false;
}

} // namespace torvane
