#include "core/save/HtmlWriter.h"

#include "core/base/Paths.h"
#include "core/base/Progress.h"
#include "core/base/TextLines.h"
#include "core/base/TextOutput.h"
#include "core/doc/ListViewPort.h"
#include "core/doc/UiHost.h"
#include "core/gather/ListFileReader.h"
#include "core/record/SizeFormat.h"
#include "core/save/PlaylistWriter.h"
#include "core/settings/TemplateFolders.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <new>
#include <utility>

namespace torvane {
namespace {

constexpr std::string_view Marker = "<!-- tvn -->";

using Replacements = std::vector<std::pair<std::string_view, std::string>>;

// Replaces every placeholder in one pass, so that a value holding placeholder text (a file
// named "%fname%.mp3") stays as it is.
std::string Substitute(std::string_view text, const Replacements& replacements) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t percent = text.find('%', pos);
        if (percent == std::string_view::npos) {
            out += text.substr(pos);
            break;
        }
        out += text.substr(pos, percent - pos);
        pos = percent;
        const std::string_view rest = text.substr(pos);
        const auto match = std::find_if(replacements.begin(), replacements.end(),
                                        [&](const auto& r) { return rest.starts_with(r.first); });
        if (match == replacements.end()) {
            out += '%';
            ++pos;
        } else {
            out += match->second;
            pos += match->first.size();
        }
    }
    return out;
}

std::string ItemValue(std::string_view value) {
    return value.empty() ? std::string("<BR>") : EscapeHtml(value);
}

} // namespace

HtmlTemplate ParseTemplate(std::string text) {
    HtmlTemplate page;
    page.Text = std::move(text);
    page.LineEnd = CTextLines::LineEndOf(page.Text);
    const size_t size = page.Text.size();
    page.m_HeaderEnd = page.m_ItemBegin = page.m_ItemEnd = page.m_FooterBegin = size;
    int markers = 0;
    CTextLines lines(page.Text);
    std::string_view line;
    size_t start = 0;
    while (markers < 2 && lines.Next(line)) {
        if (EqualsIgnoringAsciiCase(line, Marker)) {
            if (++markers == 1) {
                page.m_HeaderEnd = start;
                page.m_ItemBegin = lines.Offset();
            } else {
                page.m_ItemEnd = start;
                page.m_FooterBegin = lines.Offset();
            }
        }
        start = lines.Offset();
    }
    return page;
}

std::string JoinedLines(std::string_view part, char lineEnd) {
    std::string joined;
    joined.reserve(part.size());
    CTextLines lines(part, lineEnd);
    std::string_view line;
    while (lines.Next(line))
        joined += line;
    return joined;
}

ListTotals TotalTexts(const TrackList& list) {
    int64_t seconds = 0;
    int64_t bytes = 0;
    for (const CListData* record : list) {
        if (record->Time() > 0)
            seconds += record->Time();
        if (record->Size() > 0)
            bytes += record->Size();
    }
    char time[64];
    std::snprintf(time, sizeof time, "%02" PRId64 ":%02" PRId64 ":%02" PRId64, seconds / 3600,
                  seconds / 60 % 60, seconds % 60);
    return {time, FormatSizeUnits(bytes, 2) + " MB"};
}

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string FillTemplateItem(std::string_view block, const CListData& record, int number,
                             const DisplayUnits& units) {
    const TagMode tags = units.TagOf;
    const Replacements values{
        {"%no%", std::to_string(number)},
        {"%path%", ItemValue(record.FilePath())},
        {"%fname%", ItemValue(record.FileName())},
        {"%time%", ItemValue(record.GetTimeText(units.TimeOf))},
        {"%size%", ItemValue(record.GetSizeText(units.SizeOf))},
        {"%track_name%", ItemValue(record.GetTitle(tags))},
        {"%artist%", ItemValue(record.GetArtist(tags))},
        {"%album%", ItemValue(record.GetAlbum(tags))},
        {"%comment%", ItemValue(record.GetComment(tags))},
        {"%type%", ItemValue(record.Type())},
        {"%bitrate%", ItemValue(record.BitRateText())},
        {"%samplingrate%", ItemValue(record.SamplingRateText())},
    };
    return Substitute(block, values);
}

std::string FillTotals(std::string_view text, const ListTotals& totals) {
    return Substitute(text, {{"%total_time%", totals.Time}, {"%total_size%", totals.Size}});
}

void WriteHtmlText(const HtmlTemplate& page, const TrackList& list, const DisplayUnits& units,
                   CProgress& progress, CTextOutput& out) {
    const ListTotals totals = TotalTexts(list);
    CTextLines header(page.Header(), page.LineEnd);
    std::string_view line;
    while (header.Next(line)) {
        out.Write(FillTotals(line, totals));
        out.Write("\r\n");
    }
    const std::string item = JoinedLines(page.Item(), page.LineEnd);
    const size_t n = list.size();
    for (size_t i = 0; i < n; ++i) {
        progress.SetPos(static_cast<int>(i * 100 / n));
        out.Write(FillTemplateItem(item, *list[i], static_cast<int>(i + 1), units));
        out.Write("\r\n");
    }
    out.Write(FillTotals(JoinedLines(page.Footer(), page.LineEnd), totals));
    out.Write("\r\n");
}

bool WriteHtml(CTorvaneDoc& doc, const std::string& outputPath, const std::string& templateName,
               const std::vector<std::string>& templateFolders) {
    CUiHost& host = doc.Host();
    host.SetWaitCursor(true);
    if (CListViewPort* view = doc.View())
        view->SelectRows({});

    bool written = false;
    std::string bytes;
    const std::string templatePath = FindTemplate(templateName, templateFolders);
    const WholeFileRead read = templatePath.empty()
                                   ? WholeFileRead::Unreadable
                                   : ReadWholeFile(templatePath, bytes, MaxTemplateBytes);
    if (templatePath.empty()) {
        host.ShowMessage(MessageKind::Error, MessageId::TemplateMissing, MessageButtons::Ok);
    } else if (read == WholeFileRead::TooLarge) {
        host.ShowMessage(MessageKind::Error, MessageId::TemplateTooLarge, MessageButtons::Ok);
    } else if (read != WholeFileRead::Ok) {
        host.ShowMessage(MessageKind::Error, MessageId::TemplateOpenFailed, MessageButtons::Ok);
    } else {
        try {
            const HtmlTemplate page = ParseTemplate(DecodeTextFile(bytes, false, doc.Codec()));
            std::string().swap(bytes);
            const auto progress = host.OpenProgress();
            progress->SetPos(0);
            written = WriteOutputFile(
                doc, outputPath,
                [&](CTextOutput& out) {
                    WriteHtmlText(page, doc.CurrentList(), doc.Settings().Units(), *progress, out);
                    progress->Close();
                    return true;
                },
                progress.get());
        } catch (const std::bad_alloc&) {
            host.ShowMessage(MessageKind::Error, MessageId::OutOfMemory, MessageButtons::Ok);
        }
    }
    host.SetWaitCursor(false);
    return written;
}

bool WriteHtml(CTorvaneDoc& doc, const std::string& outputPath, const std::string& templateName) {
    return WriteHtml(doc, outputPath, templateName, TemplateFolders());
}

} // namespace torvane
