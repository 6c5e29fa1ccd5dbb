#include "core/gather/Gathering.h"

#include "core/base/Paths.h"
#include "core/base/Progress.h"
#include "core/doc/ListViewPort.h"
#include "core/doc/TorvaneDoc.h"
#include "core/doc/UiHost.h"
#include "core/gather/FolderScan.h"
#include "core/gather/ListFileReader.h"

#include <memory>

namespace torvane {
namespace {

// The wait cursor and a progress window for the length of one route.
class CGatherRun {
public:
    explicit CGatherRun(CTorvaneDoc& doc, bool waitCursor = true)
        : m_Doc(doc), m_Host(doc.Host()), m_WaitCursor(waitCursor),
          m_Progress(m_Host.OpenProgress()), m_Wait(doc, *m_Progress) {
        if (m_WaitCursor)
            m_Host.SetWaitCursor(true);
        m_Progress->SetPos(0);
    }
    ~CGatherRun() {
        m_Doc.EndExpectedFiles();
        m_Progress->Close();
        if (m_WaitCursor)
            m_Host.SetWaitCursor(false);
    }
    CGatherRun(const CGatherRun&) = delete;
    CGatherRun& operator=(const CGatherRun&) = delete;

    CProgress& Progress() { return *m_Progress; }

private:
    CTorvaneDoc& m_Doc;
    CUiHost& m_Host;
    bool m_WaitCursor;
    std::unique_ptr<CProgress> m_Progress;
    CTorvaneDoc::CStorageWait m_Wait;
};

// What path names, asked on another thread when the document keeps storage off this one; a
// wait given up counts as missing (the route stops: it was cancelled).
PathKind KindAwaiting(CTorvaneDoc& doc, const std::string& path) {
    auto kind = std::make_shared<PathKind>(PathKind::Missing);
    return doc.Await([kind, path] { *kind = KindOf(path); }) ? *kind : PathKind::Missing;
}

// Scans a folder from the start of the bar, as the folder routes do.
void ScanWholeFolder(CTorvaneDoc& doc, const std::string& folder, CProgress& progress) {
    ScanFolder(doc, folder, progress, 1, 100);
}

// Tells the document which files the paths from index first on will add, up to the next path
// that isFile refuses (a folder or list file, read in turn first); answers the index up to
// which they are expected.
template <typename IsFile>
size_t ExpectFilesFrom(CTorvaneDoc& doc, const std::vector<std::string>& paths, size_t first,
                       IsFile isFile) {
    if (!doc.ReadsAhead())
        return paths.size();
    std::vector<std::string> files;
    size_t i = first;
    for (; i < paths.size(); ++i) {
        if (!isFile(paths[i])) {
            ++i;
            break;
        }
        files.push_back(paths[i]);
    }
    doc.ExpectFiles(files, true, PathText::Exact);
    return i;
}

} // namespace

void OpenFiles(CTorvaneDoc& doc, const std::vector<std::string>& paths) {
    doc.RunOperation([&] {
        CGatherRun run(doc);
        const auto isFile = [](const std::string& path) { return !IsListFileName(path); };
        size_t expectedUpTo = 0;
        for (size_t i = 0; i < paths.size(); ++i) {
            const std::string& path = paths[i];
            if (i >= expectedUpTo)
                expectedUpTo = ExpectFilesFrom(doc, paths, i, isFile);
            if (IsListFileName(path))
                ReadListFile(doc, path, nullptr, 100);
            else
                doc.AddFile(path, true, PathText::Exact);
            if (run.Progress().IsCancelled())
                break;
        }
        doc.UpdateItemCount();
    });
}

void OpenFolder(CTorvaneDoc& doc, const std::string& folder) {
    if (folder.empty()) {
        doc.Host().ShowMessage(MessageKind::Error, MessageId::InvalidFolderName,
                               MessageButtons::Ok);
        return;
    }
    doc.RunOperation([&] {
        CGatherRun run(doc);
        ScanWholeFolder(doc, folder, run.Progress());
        doc.FolderHistory().Add(folder);
        doc.UpdateItemCount();
    });
}

void DropFiles(CTorvaneDoc& doc, const std::vector<std::string>& paths) {
    doc.RunOperation([&] {
        CGatherRun run(doc);
        const auto isFile = [&doc](const std::string& path) {
            return !IsListFileName(path) && KindAwaiting(doc, path) != PathKind::Folder;
        };
        size_t expectedUpTo = 0;
        const int n = static_cast<int>(paths.size());
        for (int i = 0; i < n; ++i) {
            const std::string& path = paths[static_cast<size_t>(i)];
            if (static_cast<size_t>(i) >= expectedUpTo)
                expectedUpTo = ExpectFilesFrom(doc, paths, static_cast<size_t>(i), isFile);
            const int start = i * 100 / n;
            // each path's share of the bar, in whole steps
            const int span = 100 / n;
            if (KindAwaiting(doc, path) == PathKind::Folder) {
                ScanFolder(doc, path, run.Progress(), start, span);
            } else if (IsListFileName(path)) {
                ReadListFile(doc, path, &run.Progress(), span);
            } else {
                run.Progress().SetPos(start);
                doc.AddFile(path, true, PathText::Exact);
            }
            if (run.Progress().IsCancelled())
                break;
        }
        doc.UpdateItemCount();
    });
}

void LoadCommandLine(CTorvaneDoc& doc, const std::vector<std::string>& arguments) {
    doc.RunOperation([&] {
        if (!arguments.empty()) {
            CGatherRun run(doc, false);
            const auto isFile = [&doc](const std::string& path) {
                return KindAwaiting(doc, path) == PathKind::File && !IsListFileName(path);
            };
            size_t expectedUpTo = 0;
            for (size_t i = 0; i < arguments.size(); ++i) {
                const std::string& argument = arguments[i];
                if (i >= expectedUpTo)
                    expectedUpTo = ExpectFilesFrom(doc, arguments, i, isFile);
                const PathKind kind = KindAwaiting(doc, argument);
                if (kind == PathKind::Folder)
                    ScanWholeFolder(doc, MakeAbsolute(argument), run.Progress());
                else if (kind == PathKind::File && IsListFileName(argument))
                    ReadListFile(doc, MakeAbsolute(argument), nullptr, 100);
                else if (kind == PathKind::File)
                    doc.AddFile(argument, true, PathText::Exact);
                if (run.Progress().IsCancelled())
                    break;
            }
        }
        doc.UpdateItemCount();
    });
}

bool InputItem(CTorvaneDoc& doc, const std::string& path, bool ignoreExtension) {
    bool added = false;
    if (!doc.RunOperation([&] { added = doc.AddFile(path, !ignoreExtension); }))
        return true; // stopped, with the message: the dialog does not show again
    if (!added) {
        doc.Host().Beep();
        return false;
    }
    doc.UpdateItemCount();
    if (CListViewPort* view = doc.View())
        view->Redraw();
    return true;
}

void OpenFileHistoryItem(CTorvaneDoc& doc, size_t index) {
    doc.RunOperation([&] {
        const std::string path = doc.FileHistory().At(index);
        if (path.empty())
            return;
        ReadListFile(doc, path, nullptr, 100);
        doc.UpdateItemCount();
    });
}

void OpenFolderHistoryItem(CTorvaneDoc& doc, size_t index) {
    doc.RunOperation([&] {
        const std::string folder = doc.FolderHistory().At(index);
        if (folder.empty())
            return;
        CGatherRun run(doc);
        ScanWholeFolder(doc, folder, run.Progress());
        doc.UpdateItemCount();
    });
}

} // namespace torvane
