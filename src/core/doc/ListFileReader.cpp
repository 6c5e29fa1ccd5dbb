#include "ListFileReader.h"

#include "FileUri.h"
#include "FolderListing.h"
#include "Paths.h"
#include "PlsFormat.h"
#include "Progress.h"
#include "TextLines.h"
#include "TorvaneDoc.h"
#include "UiHost.h"
#include "XspfFormat.h"

#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace torvane {
namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
// How many entries of a list are announced for reading ahead at once.
constexpr size_t ExpectBatch = 256;
// A list named again in one operation (twice, or by two lists) is read again, but only up to
// this many bytes of such lists in all: lists naming one another over and over would otherwise
// be read an exponential number of times.
constexpr uint64_t MaxRereadBytes = uint64_t{16} << 20;

std::string_view SkipLeadingBlanks(std::string_view text) {
    while (!text.empty() && text.front() == '\t')
        text.remove_prefix(1);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return text;
}

class CListFileReader {
public:
    CListFileReader(CTorvaneDoc& doc, CProgress& progress) : m_Doc(doc), m_Progress(progress) {}

    void Read(const std::string& path, std::string_view bytes, int span) {
        if (!m_Chain.Enter(path))
            return; // one of the lists being read: not read again
        if (MayRead(path, bytes.size()))
            ReadEntries(path, bytes, span);
        m_Chain.Leave();
    }

private:
    void ReadEntries(const std::string& path, std::string_view bytes, int span) {
        const std::string folder = FolderOf(MakeAbsolute(path));
        switch (ListFormatOf(path)) {
        case ListFormat::Pls:
            ReadPaths(PlsPaths(bytes, folder), span);
            break;
        case ListFormat::Xspf:
            ReadPaths(XspfPaths(bytes, folder), span);
            break;
        default:
            ReadLines(bytes, EqualsIgnoringAsciiCase(ExtensionOf(path), "m3u8"), folder, span);
        }
    }

    // False, with a message the first time, once lists read before in this operation have
    // come to MaxRereadBytes.
    bool MayRead(const std::string& path, size_t size) {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || m_ReadLists.insert({st.st_dev, st.st_ino}).second)
            return true;
        m_RereadBytes += size;
        if (m_RereadBytes <= MaxRereadBytes)
            return true;
        if (!m_Warned)
            m_Doc.Host().ShowMessage(NestedListsMessage, "error", MessageButtons::Ok);
        m_Warned = true;
        return false;
    }

    // File entries of a PLS: file URIs decoded, relative paths found from the list's folder,
    // other URIs (streams) left out. In a PLS that is not UTF-8 an entry is decoded from the
    // legacy code page unless its bytes name an existing file as they stand, as in text lists.
    std::vector<std::string> PlsPaths(std::string_view bytes, const std::string& folder) const {
        bool legacy = false;
        if (bytes.starts_with(Utf8Bom))
            bytes.remove_prefix(Utf8Bom.size());
        else
            legacy = !CTextCodec::IsValidUtf8(bytes);
        std::vector<std::string> paths;
        for (const std::string& file : ParsePlsFiles(bytes)) {
            std::optional<std::string> path = PlsPath(file, folder);
            if (legacy && !(path && KindOf(*path) != PathKind::Missing))
                path = PlsPath(m_Doc.Codec().FromLegacy(file), folder);
            if (path)
                paths.push_back(std::move(*path));
        }
        return paths;
    }

    static std::optional<std::string> PlsPath(std::string_view file, const std::string& folder) {
        const std::string entry = EntryText(file);
        if (!HasUriScheme(entry))
            return entry.starts_with('/') ? entry : JoinRelativePath(folder, entry);
        return PathOfLocation(entry, folder);
    }

    // For each track of an XSPF, the first of its locations that names a local file.
    static std::vector<std::string> XspfPaths(std::string_view xml, const std::string& folder) {
        if (xml.starts_with(Utf8Bom))
            xml.remove_prefix(Utf8Bom.size());
        std::vector<std::string> paths;
        for (const std::vector<std::string>& locations : ParseXspfLocations(xml)) {
            for (const std::string& location : locations) {
                if (auto path = PathOfLocation(location, folder)) {
                    paths.push_back(std::move(*path));
                    break;
                }
            }
        }
        return paths;
    }

    // Resolved entries of a PLS or XSPF; the bar moves by entry.
    void ReadPaths(const std::vector<std::string>& paths, int span) {
        const uint64_t base = static_cast<uint64_t>(m_Progress.GetPos());
        const uint64_t n = paths.size();
        size_t expectedUpTo = 0;
        for (uint64_t i = 0; i < n && !m_Progress.IsCancelled(); ++i) {
            m_Progress.SetPos(static_cast<int>(static_cast<uint64_t>(span) * (i + 1) / n + base));
            if (i >= expectedUpTo)
                expectedUpTo = m_Doc.ReadsAhead() ? ExpectPaths(paths, i) : paths.size();
            if (!paths[i].empty() && paths[i].size() <= PATH_MAX)
                AddEntry(paths[i]);
        }
        m_Doc.EndExpectedFiles();
    }

    // A text list. One that is not UTF-8 is decoded from the legacy code page line by line,
    // except that a line whose bytes name an existing file as they stand is taken as written:
    // a Linux name that is not valid UTF-8 then reads back, and so do the UTF-8 names of the
    // same list.
    void ReadLines(std::string_view bytes, bool declaredUtf8, const std::string& folder, int span) {
        bool legacy = false;
        if (bytes.starts_with(Utf8Bom))
            bytes.remove_prefix(Utf8Bom.size());
        else
            legacy = !declaredUtf8 && !CTextCodec::IsValidUtf8(bytes);
        const uint64_t base = static_cast<uint64_t>(m_Progress.GetPos());
        const uint64_t length = bytes.size();
        CTextLines lines(bytes);
        CTextLines ahead(bytes);
        std::string_view line;
        while (!m_Progress.IsCancelled() && lines.Next(line)) {
            m_Progress.SetPos(
                static_cast<int>(static_cast<uint64_t>(span) * lines.Offset() / length + base));
            // Working out the next lines' files costs status queries: only when they are read
            // ahead.
            if (ahead.Offset() < lines.Offset() && m_Doc.ReadsAhead())
                ExpectLines(ahead, folder, legacy);
            if (std::optional<std::string> entry = EntryOfLine(line, folder, legacy))
                AddEntry(*entry);
        }
        m_Doc.EndExpectedFiles();
    }

    // The entry of one line: none for a blank, overlong or comment line. Blanks and quotes go
    // before the entry is resolved, as AddFile would remove them, so a quoted relative entry
    // is found too; a relative entry is taken from the list's folder when something exists
    // there, else kept as written.
    static std::optional<std::string> LineEntry(std::string_view line, const std::string& folder) {
        if (line.empty() || line.size() > PATH_MAX)
            return std::nullopt;
        line = SkipLeadingBlanks(line);
        if (!line.empty() && line.front() == '#')
            return std::nullopt;
        std::string entry = EntryText(line);
        if (!entry.empty() && entry.front() != '/') {
            std::string candidate = JoinRelativePath(folder, entry);
            if (KindOf(candidate) != PathKind::Missing)
                entry = std::move(candidate);
        }
        return entry;
    }

    // The entry of a line as the list gives it: in a list that is not UTF-8, a line whose bytes
    // do not name an existing file as they stand is decoded first.
    std::optional<std::string> EntryOfLine(std::string_view line, const std::string& folder,
                                           bool legacy) const {
        std::optional<std::string> entry = LineEntry(line, folder);
        if (legacy && !(entry && KindOf(*entry) != PathKind::Missing))
            entry = LineEntry(m_Doc.Codec().FromLegacy(line), folder);
        return entry;
    }

    // Tells the document which files the lines after ahead will add, up to a batch of them or
    // the next list file, which is read in turn before any later line.
    void ExpectLines(CTextLines& ahead, const std::string& folder, bool legacy) {
        std::vector<std::string> paths;
        std::string_view line;
        while (paths.size() < ExpectBatch && ahead.Next(line)) {
            std::optional<std::string> entry = EntryOfLine(line, folder, legacy);
            if (!entry || entry->empty())
                continue;
            if (IsListFileName(*entry))
                break;
            paths.push_back(std::move(*entry));
        }
        m_Doc.ExpectFiles(paths, true);
    }

    // The same for the entries of a PLS or XSPF from index first on; answers the index up to
    // which they are expected.
    size_t ExpectPaths(const std::vector<std::string>& paths, size_t first) {
        std::vector<std::string> files;
        size_t i = first;
        for (; i < paths.size() && files.size() < ExpectBatch; ++i) {
            if (IsListFileName(paths[i])) {
                ++i;
                break;
            }
            files.push_back(paths[i]);
        }
        m_Doc.ExpectFiles(files, true);
        return i;
    }

    // A list file named by a list is read in turn; anything else is offered to AddFile.
    void AddEntry(const std::string& entry) {
        std::string bytes;
        if (IsListFileName(entry) && KindOf(entry) == PathKind::File)
            Read(entry,
                 ReadWholeFile(entry, bytes, MaxListFileBytes) == WholeFileRead::Ok
                     ? bytes
                     : std::string_view(),
                 0);
        else
            m_Doc.AddFile(entry, true);
    }

    CTorvaneDoc& m_Doc;
    CProgress& m_Progress;
    CVisitChain m_Chain;
    std::set<std::pair<dev_t, ino_t>> m_ReadLists;
    uint64_t m_RereadBytes = 0;
    bool m_Warned = false;
};

} // namespace

std::string DecodeTextFile(std::string_view bytes, bool declaredUtf8, const CTextCodec& codec) {
    if (bytes.starts_with(Utf8Bom))
        return std::string(bytes.substr(Utf8Bom.size()));
    if (declaredUtf8)
        return std::string(bytes);
    return codec.FromLegacy(bytes);
}

bool ReadListFile(CTorvaneDoc& doc, const std::string& path, CProgress* progress, int span) {
    std::string bytes;
    if (ReadWholeFile(path, bytes, MaxListFileBytes) != WholeFileRead::Ok)
        return false;
    doc.FileHistory().Add(path);
    std::unique_ptr<CProgress> own;
    if (!progress) {
        own = doc.Host().OpenProgress();
        own->SetPos(0);
        progress = own.get();
    }
    CListFileReader(doc, *progress).Read(path, bytes, span);
    if (own)
        own->Close();
    return true;
}

} // namespace torvane
