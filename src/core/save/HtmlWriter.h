#pragma once

#include "core/doc/TorvaneDoc.h"

#include <string>
#include <string_view>
#include <vector>

namespace torvane {

class CProgress;
class CTextOutput;

// An HTML template cut at its marker lines ("<!-- tvn -->", whole line, any case): the header
// lines before the first marker, the item block between the first and the second (its lines
// joined without separator) and the footer after the second (joined the same way). The template
// stays one buffer: each part is a stretch of it, its lines still ending as in the file, so a
// template of millions of lines costs no more than its size.
struct HtmlTemplate {
    std::string Text;
    char LineEnd = '\n'; // of the whole text (CTextLines::LineEndOf)

    std::string_view Header() const { return Part(0, m_HeaderEnd); }
    std::string_view Item() const { return Part(m_ItemBegin, m_ItemEnd); }
    std::string_view Footer() const { return Part(m_FooterBegin, Text.size()); }

private:
    friend HtmlTemplate ParseTemplate(std::string text);

    std::string_view Part(size_t begin, size_t end) const {
        return std::string_view(Text).substr(begin, end - begin);
    }

    // Where the parts lie in Text; offsets, so that the template may be moved.
    size_t m_HeaderEnd = 0;
    size_t m_ItemBegin = 0;
    size_t m_ItemEnd = 0;
    size_t m_FooterBegin = 0;
};

HtmlTemplate ParseTemplate(std::string text);
// The lines of a part joined without separator, as the item block and the footer are filled.
std::string JoinedLines(std::string_view part, char lineEnd);

// "%total_time%" (hh:mm:ss, hours not capped) and "%total_size%" (megabytes, "MB") over every
// record of the list; unavailable sizes and times are left out.
struct ListTotals {
    std::string Time;
    std::string Size;
};
ListTotals TotalTexts(const TrackList& list);

// &, <, >, and " as character references.
std::string EscapeHtml(std::string_view text);

// The item block with every placeholder of the record replaced by its escaped value ("<BR>" for
// an empty one); number counts from 1. Inserted values are not searched for placeholders.
std::string FillTemplateItem(std::string_view block, const CListData& record, int number,
                             const DisplayUnits& units);
// The text with the two totals replaced.
std::string FillTotals(std::string_view text, const ListTotals& totals);

// Writes the whole page for the list into out, as it makes it: header lines, one line per item,
// the footer line, each ending with CR LF.
void WriteHtmlText(const HtmlTemplate& page, const TrackList& list, const DisplayUnits& units,
                   CProgress& progress, CTextOutput& out);

// Writes the current list through the named template, found in the template folders. Reports a
// missing template, a template that cannot be read or is larger than MaxTemplateBytes, a lack of
// memory, and an output that cannot be written.
bool WriteHtml(CTorvaneDoc& doc, const std::string& outputPath, const std::string& templateName,
               const std::vector<std::string>& templateFolders);
// The same with the program's template folders.
bool WriteHtml(CTorvaneDoc& doc, const std::string& outputPath, const std::string& templateName);

} // namespace torvane
