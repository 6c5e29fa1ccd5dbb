#pragma once

#include "TorvaneDoc.h"

#include <string>
#include <string_view>
#include <vector>

namespace torvane {

class CProgress;

// An HTML template cut at its marker lines ("<!-- tvn -->", whole line, any case): the header
// lines before the first marker, the item block between the first and the second (its lines
// joined without separator) and the footer after the second (joined the same way).
struct HtmlTemplate {
    std::vector<std::string> Header;
    std::string Item;
    std::string Footer;
};

HtmlTemplate ParseTemplate(std::string_view text);

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

// The whole page for the current list: header lines, one line per item, the footer line, each
// ending with CR LF.
std::string HtmlText(const HtmlTemplate& page, const TrackList& list, const DisplayUnits& units,
                     CProgress& progress);

// Writes the current list through the named template, found in the template folders. Reports a
// missing template, a template that cannot be read, and an output that cannot be written.
bool WriteHtml(CTorvaneDoc& doc, const std::string& outputPath, const std::string& templateName,
               const std::vector<std::string>& templateFolders);
// The same with the program's template folders.
bool WriteHtml(CTorvaneDoc& doc, const std::string& outputPath, const std::string& templateName);

} // namespace torvane
