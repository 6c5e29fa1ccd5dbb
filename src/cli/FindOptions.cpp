#include "cli/FindOptions.h"
#include "cli/Language.h"

#include "core/base/Paths.h"
#include "core/doc/TorvaneDoc.h"
#include "core/listops/FolderSearch.h"

#include <iostream>
#include <limits>

namespace torvane::cli {

CFindOptions::CFindOptions(CLI::App& app) {
    const std::string group = "Add from folder (kilobytes of 1000 bytes)";
    app.add_option("--find", m_Folders,
                   "Add every file of DIR's whole tree (hidden entries too) that meets the "
                   "--find-* conditions")
        ->type_name("DIR")
        ->allow_extra_args(false)
        ->group(group);
    app.add_option("--find-text", m_Text, "Terms that must be found (blank-separated)")
        ->type_name("TEXT")
        ->group(group);
    app.add_flag("--find-not", m_Not, "Keep files that contain none of the terms")->group(group);
    app.add_option("--find-target", m_Target, "Where the terms are looked for")
        ->check(CLI::IsMember({"path", "name"}))
        ->group(group);
    app.add_option("--find-ext", m_Ext,
                   "The end of the file's path, any case (only registered types are added)")
        ->type_name("EXT")
        ->group(group);
    const auto kilobytes = CLI::Range(0, std::numeric_limits<int32_t>::max());
    auto* min = app.add_option("--find-min-kb", m_MinKB, "Size at least N × 1000 bytes")
                    ->type_name("N")
                    ->check(kilobytes)
                    ->group(group);
    m_Max = app.add_option("--find-max-kb", m_MaxKB, "Size at most N × 1000 bytes")
                ->type_name("N")
                ->check(kilobytes)
                ->excludes(min)
                ->group(group);
}

bool CFindOptions::Gather(CTorvaneDoc& doc) const {
    SearchRequest request;
    SplitSearchTerms(request, m_Text);
    request.exclude = m_Not ? TermCondition::Excludes : TermCondition::Contains;
    request.target = m_Target == "name" ? SearchTarget::FileName : SearchTarget::Path;
    request.useExtension = !m_Ext.empty();
    request.extension = LowerAscii(m_Ext);
    request.useSize = m_MinKB > 0 || m_MaxKB > 0;
    const bool atMost = m_Max->count() > 0;
    request.sizeAtMost = atMost ? Bound::AtMost : Bound::AtLeast;
    request.sizeKB = atMost ? m_MaxKB : m_MinKB;

    bool ok = true;
    for (const std::string& folder : m_Folders) {
        if (KindOf(folder) != PathKind::Folder) {
            std::cerr << "torvane-cli: " << Say("not a folder: ", "フォルダではありません: ")
                      << folder << "\n";
            ok = false;
            continue;
        }
        SearchFolder(doc, request, folder);
    }
    return ok;
}

} // namespace torvane::cli
