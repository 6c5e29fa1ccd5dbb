#include "SimpleRoutes.h"

#include "core/doc/AtomicFile.h"
#include "core/doc/Progress.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace torvane::simple {
namespace {

namespace fs = std::filesystem;

bool IsListFile(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".m3u" || ext == ".txt";
}

class CFolderScan {
public:
    CFolderScan(CTorvaneDoc& doc, CProgress& progress) : m_Doc(doc), m_Progress(progress) {}

    void Scan(const fs::path& folder, int depth) {
        const int limit = m_Doc.Settings().SearchClass;
        if ((limit != 0 && depth > limit) || m_Progress.IsCancelled())
            return;
        std::error_code error;
        const fs::path real = fs::canonical(folder, error);
        // A link back into a folder being scanned would never end.
        if (error || std::find(m_Ancestors.begin(), m_Ancestors.end(), real) != m_Ancestors.end())
            return;
        std::vector<fs::path> folders;
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
            if (entry.path().filename().string().starts_with('.'))
                continue;
            std::error_code ignored;
            (entry.is_directory(ignored) ? folders : files).push_back(entry.path());
        }
        std::sort(folders.begin(), folders.end());
        std::sort(files.begin(), files.end());
        m_Ancestors.push_back(real);
        for (const fs::path& sub : folders)
            Scan(sub, depth + 1);
        m_Ancestors.pop_back();
        for (auto it = files.rbegin(); it != files.rend() && !m_Progress.IsCancelled(); ++it)
            m_Doc.AddFile(it->string(), true);
    }

private:
    CTorvaneDoc& m_Doc;
    CProgress& m_Progress;
    std::vector<fs::path> m_Ancestors;
};

} // namespace

void GatherPaths(CTorvaneDoc& doc, const std::vector<std::string>& paths, CProgress& progress) {
    const size_t count = paths.size();
    for (size_t i = 0; i < count && !progress.IsCancelled(); ++i) {
        progress.SetPos(static_cast<int>(i * 100 / count));
        std::error_code error;
        const fs::path path = fs::absolute(paths[i], error);
        if (fs::is_directory(path, error))
            CFolderScan(doc, progress).Scan(path, 1);
        else if (!fs::exists(path, error))
            continue;
        else if (IsListFile(path))
            ReadPathList(doc, path.string());
        else
            doc.AddFile(path.string(), true);
    }
}

bool ReadPathList(CTorvaneDoc& doc, const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    const fs::path folder = fs::path(file).parent_path();
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        const fs::path entry(line);
        doc.AddFile(entry.is_absolute() ? line : (folder / entry).lexically_normal().string(),
                    true);
    }
    return true;
}

bool WritePathList(const TrackList& list, const std::string& file, std::string& error) {
    std::string content;
    for (const CListData* record : list)
        if (record)
            content += record->FilePath() + "\n";
    return WriteFileAtomically(file, content, error);
}

} // namespace torvane::simple
