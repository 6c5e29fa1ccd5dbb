#include "core/save/PlaylistWriter.h"

#include "core/base/Paths.h"
#include "core/base/Progress.h"
#include "core/base/TextCodec.h"
#include "core/base/TextOutput.h"
#include "core/doc/TorvaneDoc.h"
#include "core/doc/UiHost.h"
#include "core/playlist/M3uFormat.h"
#include "core/playlist/PlaylistEntry.h"
#include "core/playlist/PlsFormat.h"
#include "core/playlist/XspfFormat.h"
#include "core/save/HtmlWriter.h"

#include <memory>

namespace torvane {
namespace {

enum class PlaylistKind { Plain, ExtendedM3u, Pls, Xspf };

struct WriterChoice {
    PlaylistKind Kind;
    std::string Encoding;
};

bool IsUtf8Name(std::string_view encoding) {
    return encoding.empty() || EqualsIgnoringAsciiCase(encoding, "UTF-8") ||
           EqualsIgnoringAsciiCase(encoding, "UTF8");
}

WriterChoice ChooseWriter(const DocSettings& settings, std::string_view path) {
    const std::string_view ext = ExtensionOf(path);
    if (EqualsIgnoringAsciiCase(ext, "m3u8"))
        return {PlaylistKind::ExtendedM3u, DocSettings::Utf8CodePage};
    if (EqualsIgnoringAsciiCase(ext, "pls"))
        return {PlaylistKind::Pls, DocSettings::Utf8CodePage};
    if (EqualsIgnoringAsciiCase(ext, "xspf"))
        return {PlaylistKind::Xspf, DocSettings::Utf8CodePage};
    const bool extended = settings.ExtendedM3U && EqualsIgnoringAsciiCase(ext, "m3u");
    return {extended ? PlaylistKind::ExtendedM3u : PlaylistKind::Plain, settings.PlaylistCodePage};
}

// Writes the playlist of the list into out, one record after the other; the progress bar moves
// from 0 to the last record's share.
void WriteEntries(PlaylistKind kind, const TrackList& list, std::string_view base, TagMode tagMode,
                  CTextOutput& out, CProgress& progress) {
    const bool extended = kind == PlaylistKind::ExtendedM3u;
    switch (kind) {
    case PlaylistKind::Plain:
    case PlaylistKind::ExtendedM3u:
        out.Write(M3uHeader(extended));
        break;
    case PlaylistKind::Pls:
        out.Write(PlsHeader());
        break;
    case PlaylistKind::Xspf:
        out.Write(XspfHeader());
        break;
    }
    const size_t n = list.size();
    std::string piece;
    for (size_t i = 0; i < n; ++i) {
        progress.SetPos(static_cast<int>(i * 100 / n));
        const PlaylistEntry entry = MakeEntry(*list[i], base, tagMode);
        piece.clear();
        switch (kind) {
        case PlaylistKind::Plain:
        case PlaylistKind::ExtendedM3u:
            AppendM3uEntry(piece, entry, extended);
            break;
        case PlaylistKind::Pls:
            AppendPlsEntry(piece, i + 1, entry);
            break;
        case PlaylistKind::Xspf:
            AppendXspfTrack(piece, entry);
            break;
        }
        out.Write(piece);
    }
    if (kind == PlaylistKind::Pls)
        out.Write(PlsFooter(n));
    else if (kind == PlaylistKind::Xspf)
        out.Write(XspfFooter());
}

// Passes the text on to another output in an encoding. Commit ends the encoded text and answers
// whether every piece could be converted; the output underneath is its owner's to commit.
class CEncodedOutput final : public CTextOutput {
public:
    CEncodedOutput(CTextOutput& out, const std::string& encoding)
        : m_Out(out), m_Encoder(encoding) {}

    void Write(std::string_view piece) override {
        m_Converted.clear();
        m_Failed = m_Failed || !m_Encoder.Convert(piece, m_Converted);
        if (!m_Failed)
            m_Out.Write(m_Converted);
    }
    bool Commit(std::string& error) override {
        m_Converted.clear();
        m_Failed = m_Failed || !m_Encoder.Finish(m_Converted);
        if (m_Failed) {
            error = "not encodable";
            return false;
        }
        m_Out.Write(m_Converted);
        return true;
    }

private:
    CTextOutput& m_Out;
    CTextEncoder m_Encoder;
    std::string m_Converted;
    bool m_Failed = false;
};

// Takes a text and keeps none of it.
class CNoOutput final : public CTextOutput {
public:
    void Write(std::string_view) override {}
    bool Commit(std::string&) override { return true; }
};

// Writes the playlist into out in the encoding (UTF-8 as it is); false when a piece could not be
// encoded.
bool WriteEncoded(PlaylistKind kind, const TrackList& list, std::string_view base, TagMode tagMode,
                  const std::string& encoding, CTextOutput& out, CProgress& progress) {
    if (IsUtf8Name(encoding)) {
        WriteEntries(kind, list, base, tagMode, out, progress);
        return true;
    }
    CEncodedOutput encoded(out, encoding);
    WriteEntries(kind, list, base, tagMode, encoded, progress);
    std::string ignored;
    return encoded.Commit(ignored);
}

// The texts of the entries that the encoding cannot hold, for the message.
std::vector<std::string> Unencodable(const TrackList& list, std::string_view base, TagMode tagMode,
                                     bool withTitles, const std::string& encoding) {
    std::vector<std::string> names;
    std::string ignored;
    for (const CListData* record : list) {
        const PlaylistEntry entry = MakeEntry(*record, base, tagMode);
        if (!CTextCodec::ToEncoding(entry.Location, encoding, ignored))
            names.push_back(entry.Location);
        else if (withTitles && !CTextCodec::ToEncoding(DisplayTitle(entry), encoding, ignored))
            names.push_back(DisplayTitle(entry));
    }
    return names;
}

// Tells why a list could not be encoded: an encoding the system does not know, or the names
// it cannot hold.
void ReportUnencodable(CTorvaneDoc& doc, std::string_view base, bool withTitles,
                       const std::string& encoding) {
    CMessage message(MessageId::EncodingUnknown);
    if (!CTextEncoder(encoding).Known())
        message.Text(encoding);
    else
        message = CMessage(MessageId::NamesNotEncodable)
                      .Text(encoding)
                      .Names(Unencodable(doc.CurrentList(), base, doc.Settings().TagOf, withTitles,
                                         encoding),
                             doc.Codec());
    doc.Host().ShowMessage(MessageKind::Error, message, MessageButtons::Ok);
}

bool WriteAs(CTorvaneDoc& doc, const std::string& path, std::string_view base,
             const WriterChoice& choice) {
    const TrackList& list = doc.CurrentList();
    const TagMode tagMode = doc.Settings().TagOf;
    const auto progress = doc.Host().OpenProgress();
    progress->SetPos(0);
    // One path per line: a name holding a line break would read back as two wrong entries.
    // XSPF escapes it.
    if (choice.Kind != PlaylistKind::Xspf) {
        std::vector<std::string> broken;
        for (const CListData* record : list)
            if (std::string location = EntryLocation(*record, base); HasLineBreak(location))
                broken.push_back(std::move(location));
        if (!broken.empty()) {
            progress->Close();
            ReportLineBreaks(doc, broken);
            return false;
        }
    }
    // Nothing is written unless all of it can be encoded: a first run keeps none of the text.
    if (!IsUtf8Name(choice.Encoding)) {
        CNoOutput none;
        CProgress still;
        if (!WriteEncoded(choice.Kind, list, base, tagMode, choice.Encoding, none, still)) {
            progress->Close();
            ReportUnencodable(doc, base, choice.Kind == PlaylistKind::ExtendedM3u, choice.Encoding);
            return false;
        }
    }
    return WriteOutputFile(
        doc, path,
        [&](CTextOutput& out) {
            const bool encoded =
                WriteEncoded(choice.Kind, list, base, tagMode, choice.Encoding, out, *progress);
            progress->Close();
            return encoded;
        },
        progress.get());
}

} // namespace

bool SaveList(CTorvaneDoc& doc, const SaveChoice& choice) {
    // The writer of a ".m3u" name reads the choice from the settings.
    doc.Settings().ExtendedM3U = choice.ExtendedM3U;
    const bool written = IsHtmlFileName(choice.Path)
                             ? WriteHtml(doc, choice.Path, choice.TemplateName)
                             : WritePlaylistFile(doc, choice.Path,
                                                 choice.Relative ? choice.BasePath : std::string());
    doc.Settings().relative_root = choice.BasePath;
    doc.Settings().relative = choice.Relative;
    return written;
}

std::string InitialBasePath(const CTorvaneDoc& doc) {
    const std::string& stored = doc.Settings().relative_root;
    return stored.empty() ? CurrentFolder() : stored;
}

bool WritePlaylist(CTorvaneDoc& doc, const std::string& path, std::string_view base) {
    return WriteAs(doc, path, base, {PlaylistKind::Plain, DocSettings::Utf8CodePage});
}

bool WritePlaylistFile(CTorvaneDoc& doc, const std::string& path, std::string_view base) {
    return WriteAs(doc, path, base, ChooseWriter(doc.Settings(), path));
}

bool HasLineBreak(std::string_view name) {
    return name.find('\n') != std::string_view::npos;
}

void ReportLineBreaks(CTorvaneDoc& doc, const std::vector<std::string>& names) {
    // The break itself is shown as "\n", so that each name keeps to one line.
    std::vector<std::string> shown;
    shown.reserve(names.size());
    for (const std::string& name : names) {
        std::string& line = shown.emplace_back();
        for (const char c : name)
            line += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    doc.Host().ShowMessage(
        MessageKind::Error,
        CMessage(MessageId::NamesWithLineBreak).Names(std::move(shown), doc.Codec()),
        MessageButtons::Ok);
}

bool WriteOutputFile(CTorvaneDoc& doc, const std::string& path,
                     const std::function<bool(CTextOutput&)>& write, CProgress* progress) {
    const std::unique_ptr<CTextOutput> out = doc.Host().OpenOutputFile(path);
    // A file that cannot be opened is reported at once, not after the whole list was made.
    if (!out->Failed() && !write(*out))
        return false;
    std::string error;
    if (out->Commit(error))
        return true;
    if (progress)
        progress->Close();
    doc.Host().ShowMessage(MessageKind::Error, MessageId::OpenFailed, MessageButtons::Ok);
    return false;
}

} // namespace torvane
