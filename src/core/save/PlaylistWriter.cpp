#include "core/save/PlaylistWriter.h"

#include "core/base/Paths.h"
#include "core/base/Progress.h"
#include "core/doc/TorvaneDoc.h"
#include "core/doc/UiHost.h"
#include "core/playlist/M3uFormat.h"
#include "core/playlist/PlaylistEntry.h"
#include "core/playlist/PlsFormat.h"
#include "core/playlist/XspfFormat.h"
#include "core/save/HtmlWriter.h"

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

std::string BuildText(PlaylistKind kind, const std::vector<PlaylistEntry>& entries) {
    switch (kind) {
    case PlaylistKind::Plain:
        return BuildM3u(entries, false);
    case PlaylistKind::ExtendedM3u:
        return BuildM3u(entries, true);
    case PlaylistKind::Pls:
        return BuildPls(entries);
    case PlaylistKind::Xspf:
        return BuildXspf(entries);
    }
    return {};
}

// The texts of the entries that the encoding cannot hold, for the message.
std::vector<std::string> Unencodable(const std::vector<PlaylistEntry>& entries, bool withTitles,
                                     const std::string& encoding) {
    std::vector<std::string> names;
    std::string ignored;
    for (const PlaylistEntry& entry : entries) {
        if (!CTextCodec::ToEncoding(entry.Location, encoding, ignored))
            names.push_back(entry.Location);
        else if (withTitles && !CTextCodec::ToEncoding(DisplayTitle(entry), encoding, ignored))
            names.push_back(DisplayTitle(entry));
    }
    return names;
}

// Tells why a list could not be encoded: an encoding the system does not know, or the names
// it cannot hold.
void ReportUnencodable(CTorvaneDoc& doc, const std::vector<PlaylistEntry>& entries, bool withTitles,
                       const std::string& encoding) {
    CMessage message(MessageId::EncodingUnknown);
    if (std::string ignored; !CTextCodec::ToEncoding("", encoding, ignored))
        message.Text(encoding);
    else
        message = CMessage(MessageId::NamesNotEncodable)
                      .Text(encoding)
                      .Names(Unencodable(entries, withTitles, encoding), doc.Codec());
    doc.Host().ShowMessage(MessageKind::Error, message, MessageButtons::Ok);
}

bool WriteAs(CTorvaneDoc& doc, const std::string& path, std::string_view base,
             const WriterChoice& choice) {
    std::vector<PlaylistEntry> entries;
    {
        const auto progress = doc.Host().OpenProgress();
        progress->SetPos(0);
        entries = CollectEntries(doc.CurrentList(), base, doc.Settings().TagOf, *progress);
        progress->Close();
    }
    // One path per line: a name holding a line break would read back as two wrong entries.
    // XSPF escapes it.
    if (choice.Kind != PlaylistKind::Xspf) {
        std::vector<std::string> broken;
        for (const PlaylistEntry& entry : entries)
            if (HasLineBreak(entry.Location))
                broken.push_back(entry.Location);
        if (!broken.empty()) {
            ReportLineBreaks(doc, broken);
            return false;
        }
    }
    const std::string text = BuildText(choice.Kind, entries);
    if (IsUtf8Name(choice.Encoding))
        return WriteOutputFile(doc, path, text);
    std::string encoded;
    if (!CTextCodec::ToEncoding(text, choice.Encoding, encoded)) {
        const bool withTitles = choice.Kind == PlaylistKind::ExtendedM3u;
        ReportUnencodable(doc, entries, withTitles, choice.Encoding);
        return false;
    }
    return WriteOutputFile(doc, path, encoded);
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

bool WriteOutputFile(CTorvaneDoc& doc, const std::string& path, std::string_view content) {
    std::string error;
    if (doc.Host().WriteFile(path, content, error))
        return true;
    doc.Host().ShowMessage(MessageKind::Error, MessageId::OpenFailed, MessageButtons::Ok);
    return false;
}

} // namespace torvane
