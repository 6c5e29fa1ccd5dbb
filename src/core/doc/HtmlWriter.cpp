#include "HtmlWriter.h"

#include "../media/SizeFormat.h"
#include "ListFileReader.h"
#include "ListViewPort.h"
#include "Paths.h"
#include "PlaylistWriter.h"
#include "Progress.h"
#include "TemplateFolders.h"
#include "TextLines.h"
#include "UiHost.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
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

HtmlTemplate ParseTemplate(std::string_view text) {
    HtmlTemplate page;
    int markers = 0;
    CTextLines lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        if (markers < 2 && EqualsIgnoringAsciiCase(line, Marker)) {
            ++markers;
            continue;
        }
        if (markers == 0)
            page.Header.emplace_back(line);
        else if (markers == 1)
            page.Item += line;
        else
            page.Footer += line;
    }
    return page;
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
    const int tags = units.TagOf;
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

std::string HtmlText(const HtmlTemplate& page, const TrackList& list, const DisplayUnits& units,
                     CProgress& progress) {
    const ListTotals totals = TotalTexts(list);
    std::string out;
    for (const std::string& line : page.Header)
        out += FillTotals(line, totals) + "\r\n";
    const size_t n = list.size();
    for (size_t i = 0; i < n; ++i) {
        progress.SetPos(static_cast<int>(i * 100 / n));
        out += FillTemplateItem(page.Item, *list[i], static_cast<int>(i + 1), units) + "\r\n";
    }
    out += FillTotals(page.Footer, totals) + "\r\n";
    return out;
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
    if (templatePath.empty()) {
        host.ShowMessage("テンプレートファイルがありません", "error", MessageButtons::Ok);
    } else if (ReadWholeFile(templatePath, bytes, MaxTemplateBytes) != WholeFileRead::Ok) {
        host.ShowMessage("テンプレートファイルのオープンに失敗しました", "error",
                         MessageButtons::Ok);
    } else {
        const HtmlTemplate page = ParseTemplate(DecodeTextFile(bytes, false, doc.Codec()));
        std::string text;
        {
            const auto progress = host.OpenProgress();
            progress->SetPos(0);
            text = HtmlText(page, doc.CurrentList(), doc.Settings().Units(), *progress);
            progress->Close();
        }
        written = WriteOutputFile(doc, outputPath, text);
    }
    host.SetWaitCursor(false);
    return written;
}

bool WriteHtml(CTorvaneDoc& doc, const std::string& outputPath, const std::string& templateName) {
    return WriteHtml(doc, outputPath, templateName, TemplateFolders());
}

} // namespace torvane
