#include "core/gather/ListFileReader.h"

#include "core/base/EntryText.h"
#include "core/base/FileUri.h"
#include "core/base/Paths.h"
#include "core/base/Progress.h"
#include "core/base/TextLines.h"
#include "core/doc/TorvaneDoc.h"
#include "core/doc/UiHost.h"
#include "core/playlist/PlsFormat.h"
#include "core/playlist/XspfFormat.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
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

// A file by its device and inode, whatever name reaches it.
using FileId = std::pair<dev_t, ino_t>;

// One list file being read: its bytes, and how far its entries have been read. A list named by
// another is read in turn on top of it, so that lists nested however deep never deepen the
// machine stack.
struct ListFrame {
    FileId Id{};
    // Shared with the work of resolving its lines, which a cancel leaves to end on its thread.
    std::shared_ptr<const std::string> Bytes;
    std::string Folder;
    uint64_t Base = 0;
    uint64_t Length = 0; // of the text a text list's bar moves through
    int Span = 0;
    // A text list: the lines not yet resolved into entries.
    bool Lines = false;
    // A list that is not UTF-8: the code page decided for all its lines.
    std::optional<CTextCodec> Legacy;
    std::optional<CTextLines> Text;
    // The entries resolved and not all taken yet, empty where a line names nothing: all of a
    // PLS or XSPF, a batch of a text list's lines at a time (Ends: where each line ends).
    std::vector<std::string> Paths;
    std::vector<size_t> Ends;
    size_t Index = 0;
    size_t ExpectedUpTo = 0;
};

// A batch of a text list's lines resolved on another thread.
struct LineBatch {
    CTextLines Text; // where the batch starts, then where it ended
    std::vector<std::string> Paths;
    std::vector<size_t> Ends;
};

// A list file named by a list, looked at on another thread.
struct NamedList {
    bool IsFile = false;
    WholeFileRead Read = WholeFileRead::Unreadable;
    std::string Bytes;
};

class CListFileReader {
public:
    CListFileReader(CTorvaneDoc& doc, CProgress& progress, ListFileReading* reading)
        : m_Doc(doc), m_Progress(progress), m_Reading(reading) {}

    void Read(const std::string& path, std::string bytes, int span) {
        Open(path, std::move(bytes), span);
        std::optional<std::string> entry;
        while (!m_Frames.empty()) {
            const bool cancelled = m_Progress.IsCancelled();
            if (!cancelled && NextEntry(*m_Frames.back(), entry)) {
                if (entry)
                    AddEntry(*entry);
                continue;
            }
            if (cancelled)
                Incomplete();
            m_Doc.EndExpectedFiles();
            m_Open.erase(m_Frames.back()->Id);
            m_Frames.pop_back();
        }
    }

private:
    // Puts the list on top of the ones being read, unless it is one of them (a list naming
    // itself) or lists read again have come to their limit. Its status, and the status queries
    // that resolve its entries, are asked on another thread when the document keeps storage off
    // this one.
    void Open(const std::string& path, std::string bytes, int span) {
        auto id = std::make_shared<std::optional<FileId>>();
        if (!AwaitStorage([id, path] {
                struct stat st {};
                if (::stat(path.c_str(), &st) == 0)
                    *id = FileId{st.st_dev, st.st_ino};
            }))
            return;
        if (!*id || !m_Open.insert(**id).second)
            return;
        if (!MayRead(**id, bytes.size())) {
            Incomplete();
            m_Open.erase(**id);
            return;
        }
        auto frame = std::make_shared<ListFrame>();
        frame->Id = **id;
        frame->Bytes = std::make_shared<const std::string>(std::move(bytes));
        frame->Folder = FolderOf(MakeAbsolute(path));
        frame->Span = span;
        frame->Base = static_cast<uint64_t>(m_Progress.GetPos());
        if (!AwaitStorage([frame, path, codec = m_Doc.Codec()] { Prepare(*frame, path, codec); })) {
            m_Open.erase(frame->Id);
            return;
        }
        m_Frames.push_back(std::move(frame));
    }

    // The entries of a PLS or XSPF; for a text list the code page of its lines when it is not
    // UTF-8, and where its lines start.
    static void Prepare(ListFrame& frame, const std::string& path, const CTextCodec& codec) {
        std::string_view text = *frame.Bytes;
        switch (ListFormatOf(path)) {
        case ListFormat::Pls:
            frame.Paths = PlsPaths(text, frame.Folder, codec);
            break;
        case ListFormat::Xspf:
            frame.Paths = XspfPaths(text, frame.Folder);
            break;
        default:
            // A text list that is not UTF-8 is decoded from the legacy code page line by line,
            // except that a line whose bytes name an existing file as they stand is taken as
            // written: a Linux name that is not valid UTF-8 then reads back, and so do the
            // UTF-8 names of the same list.
            frame.Lines = true;
            if (text.starts_with(Utf8Bom))
                text.remove_prefix(Utf8Bom.size());
            else if (!EqualsIgnoringAsciiCase(ExtensionOf(path), "m3u8") &&
                     !CTextCodec::IsValidUtf8(text))
                frame.Legacy.emplace(codec.CodePageFor(LinesToDecode(text, frame.Folder)));
            frame.Length = text.size();
            frame.Text.emplace(text);
        }
    }

    // The next entry of the list on top (none for a line that names nothing); false at its end.
    // The bar moves by bytes through a text list, by entry through the others.
    bool NextEntry(ListFrame& frame, std::optional<std::string>& entry) {
        entry.reset();
        if (frame.Index >= frame.Paths.size() && !(frame.Lines && ResolveLines(frame)))
            return false;
        const size_t i = frame.Index++;
        const uint64_t done = frame.Lines ? frame.Ends[i] : i + 1;
        const uint64_t whole = frame.Lines ? frame.Length : frame.Paths.size();
        m_Progress.SetPos(
            static_cast<int>(static_cast<uint64_t>(frame.Span) * done / whole + frame.Base));
        // Working out the next entries' files costs status queries: only when they are read
        // ahead.
        if (i >= frame.ExpectedUpTo)
            frame.ExpectedUpTo =
                m_Doc.ReadsAhead() ? ExpectPaths(frame.Paths, i) : frame.Paths.size();
        if (!frame.Paths[i].empty() && frame.Paths[i].size() <= PATH_MAX)
            entry = std::move(frame.Paths[i]);
        return true;
    }

    // The entries of the next lines of a text list, resolved together (on another thread when
    // the document keeps storage off this one); false at the end of the list or when the wait
    // was given up.
    bool ResolveLines(ListFrame& frame) {
        auto batch = std::make_shared<LineBatch>(LineBatch{*frame.Text, {}, {}});
        if (!AwaitStorage([batch, bytes = frame.Bytes, folder = frame.Folder,
                           legacy = frame.Legacy] { ResolveBatch(*batch, folder, legacy); }))
            return false;
        *frame.Text = batch->Text;
        frame.Paths = std::move(batch->Paths);
        frame.Ends = std::move(batch->Ends);
        frame.Index = 0;
        frame.ExpectedUpTo = 0;
        return !frame.Paths.empty();
    }

    static void ResolveBatch(LineBatch& batch, const std::string& folder,
                             const std::optional<CTextCodec>& legacy) {
        std::string_view line;
        while (batch.Paths.size() < ExpectBatch && batch.Text.Next(line)) {
            std::optional<std::string> entry = EntryOfLine(line, folder, legacy);
            batch.Paths.push_back(entry ? std::move(*entry) : std::string());
            batch.Ends.push_back(batch.Text.Offset());
        }
    }

    // False, with a message the first time, once lists read before in this operation have
    // come to MaxRereadBytes.
    bool MayRead(const FileId& id, size_t size) {
        if (m_ReadLists.insert(id).second)
            return true;
        m_RereadBytes += size;
        if (m_RereadBytes <= MaxRereadBytes)
            return true;
        if (!m_Warned)
            m_Doc.Host().ShowMessage(MessageKind::Error, MessageId::NestedLists,
                                     MessageButtons::Ok);
        m_Warned = true;
        return false;
    }

    // File entries of a PLS: file URIs decoded, relative paths found from the list's folder,
    // other URIs (streams) left out. In a PLS that is not UTF-8 an entry is decoded from the
    // legacy code page unless its bytes name an existing file as they stand, as in text lists.
    static std::vector<std::string> PlsPaths(std::string_view bytes, const std::string& folder,
                                             const CTextCodec& codec) {
        std::optional<CTextCodec> legacy;
        if (bytes.starts_with(Utf8Bom))
            bytes.remove_prefix(Utf8Bom.size());
        else if (!CTextCodec::IsValidUtf8(bytes))
            legacy.emplace(codec.CodePageFor(std::span(&bytes, 1)));
        std::vector<std::string> paths;
        for (const std::string& file : ParsePlsFiles(bytes)) {
            std::optional<std::string> path = PlsPath(file, folder);
            if (legacy && !(path && KindOf(*path) != PathKind::Missing))
                path = PlsPath(legacy->FromLegacy(file), folder);
            if (path)
                paths.push_back(std::move(*path));
        }
        return paths;
    }

    static std::optional<std::string> PlsPath(std::string_view file, const std::string& folder) {
        const std::string entry(EntryText(file));
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
        std::string entry(EntryText(line));
        if (!entry.empty() && entry.front() != '/') {
            std::string candidate = JoinRelativePath(folder, entry);
            if (KindOf(candidate) != PathKind::Missing)
                entry = std::move(candidate);
        }
        return entry;
    }

    // The lines of a list that is not UTF-8 that will be decoded, for deciding its code page:
    // those that are not UTF-8 and do not name an existing file as they stand, among as many
    // bytes as the detector looks at.
    static std::vector<std::string_view> LinesToDecode(std::string_view text,
                                                       const std::string& folder) {
        std::vector<std::string_view> lines;
        CTextLines all(text);
        std::string_view line;
        while (all.Offset() < CLegacyDetector::MaxDetectedBytes && all.Next(line)) {
            if (CTextCodec::IsValidUtf8(line))
                continue;
            const std::optional<std::string> entry = LineEntry(line, folder);
            if (entry && KindOf(*entry) == PathKind::Missing)
                lines.push_back(line);
        }
        return lines;
    }

    // The entry of a line as the list gives it: in a list that is not UTF-8, a line whose bytes
    // do not name an existing file as they stand is decoded first.
    static std::optional<std::string> EntryOfLine(std::string_view line, const std::string& folder,
                                                  const std::optional<CTextCodec>& legacy) {
        std::optional<std::string> entry = LineEntry(line, folder);
        if (legacy && !(entry && KindOf(*entry) != PathKind::Missing))
            entry = LineEntry(legacy->FromLegacy(line), folder);
        return entry;
    }

    // Tells the document which files the entries from index first on will add, up to a batch
    // of them or the next list file, which is read in turn before any later entry; answers the
    // index up to which they are expected.
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

    // A list file named by a list is read in turn; anything else is offered to AddFile. An
    // entry of the kept list refused only because its extension is switched off is held back.
    void AddEntry(const std::string& entry) {
        if (IsListFileName(entry)) {
            auto list = std::make_shared<NamedList>();
            if (!AwaitStorage([list, entry] {
                    list->IsFile = KindOf(entry) == PathKind::File;
                    if (list->IsFile)
                        list->Read = ReadWholeFile(entry, list->Bytes, MaxListFileBytes);
                }))
                return;
            if (list->IsFile) {
                if (list->Read == WholeFileRead::TooLarge)
                    TooLarge();
                Open(entry,
                     list->Read == WholeFileRead::Ok ? std::move(list->Bytes) : std::string(), 0);
                return;
            }
        }
        if (m_Doc.AddFile(entry, true) || !m_Reading || m_Frames.size() != 1)
            return;
        if (m_Doc.RefusedForExtension(entry))
            m_Reading->HeldBack.emplace_back(EntryText(entry));
    }

    // A list too large is not read: told once per operation.
    void TooLarge() {
        Incomplete();
        if (!m_ToldTooLarge)
            m_Doc.Host().ShowMessage(MessageKind::Error, MessageId::ListTooLarge,
                                     MessageButtons::Ok);
        m_ToldTooLarge = true;
    }

    void Incomplete() {
        if (m_Reading)
            m_Reading->Complete = false;
    }

    // Runs call as CTorvaneDoc::Await does; a wait given up (the operation was cancelled)
    // leaves the list read in part.
    bool AwaitStorage(std::function<void()> call) {
        if (m_Doc.Await(std::move(call)))
            return true;
        Incomplete();
        return false;
    }

    CTorvaneDoc& m_Doc;
    CProgress& m_Progress;
    ListFileReading* m_Reading;
    std::vector<std::shared_ptr<ListFrame>> m_Frames;
    std::set<FileId> m_Open; // the lists of m_Frames
    std::set<FileId> m_ReadLists;
    uint64_t m_RereadBytes = 0;
    bool m_Warned = false;
    bool m_ToldTooLarge = false;
};

} // namespace

std::string DecodeTextFile(std::string_view bytes, bool declaredUtf8, const CTextCodec& codec) {
    if (bytes.starts_with(Utf8Bom))
        return std::string(bytes.substr(Utf8Bom.size()));
    if (declaredUtf8)
        return std::string(bytes);
    return codec.FromLegacy(bytes);
}

bool ReadListFile(CTorvaneDoc& doc, const std::string& path, CProgress* progress, int span,
                  ListFileReading* reading) {
    // A list that cannot be read opens no progress window, unless the window's thread has to
    // wait for the read under one.
    std::unique_ptr<CProgress> own;
    const auto openOwn = [&] {
        if (!progress) {
            own = doc.Host().OpenProgress();
            own->SetPos(0);
            progress = own.get();
        }
    };
    if (doc.Host().KeepsStorageOffThread())
        openOwn();
    std::optional<CTorvaneDoc::CStorageWait> wait;
    if (progress)
        wait.emplace(doc, *progress);
    // Owned by the read: a read given up (cancelled) finishes later on its own thread.
    auto file = std::make_shared<std::pair<WholeFileRead, std::string>>(WholeFileRead::Unreadable,
                                                                        std::string());
    const bool waited = doc.Await(
        [file, path] { file->first = ReadWholeFile(path, file->second, MaxListFileBytes); });
    if (!waited && reading)
        reading->Complete = false;
    if (file->first == WholeFileRead::TooLarge) {
        doc.Host().ShowMessage(MessageKind::Error, MessageId::ListTooLarge, MessageButtons::Ok);
        if (reading)
            reading->Complete = false;
    }
    if (!waited || file->first != WholeFileRead::Ok) {
        if (own)
            own->Close();
        return false;
    }
    doc.FileHistory().Add(path);
    openOwn();
    const bool whole = doc.RunOperation([&] {
        CListFileReader(doc, *progress, reading).Read(path, std::move(file->second), span);
    });
    if (!whole && reading)
        reading->Complete = false;
    if (own)
        own->Close();
    return true;
}

} // namespace torvane
