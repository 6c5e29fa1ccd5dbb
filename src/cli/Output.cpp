#include "cli/Output.h"

#include "cli/GatherOptions.h"
#include "cli/RecordOutput.h"
#include "core/base/Paths.h"
#include "core/doc/TorvaneDoc.h"
#include "core/save/FolderSaver.h"
#include "core/save/PlaylistWriter.h"
#include "core/settings/TemplateFolders.h"

#include <iostream>

namespace torvane::cli {
namespace {

void PrintList(const TrackList& list, const DisplayUnits& units, bool json) {
    for (const CListData* record : list) {
        if (json)
            std::cout << RecordJson(*record, units).Text() << "\n";
        else
            std::cout << RecordLine(*record, units) << "\n";
    }
}

// -o FILE by its extension, as the save dialog's choice would be.
bool WriteListFile(CTorvaneDoc& doc, const GatherOptions& options) {
    SaveChoice choice;
    choice.Path = options.Output;
    choice.Relative = !options.RelativeTo.empty();
    choice.BasePath = choice.Relative ? MakeAbsolute(options.RelativeTo) : std::string();
    choice.ExtendedM3U = doc.Settings().ExtendedM3U;
    const std::vector<std::string> folders = TemplateFolders();
    if (options.Template.empty()) {
        const std::vector<std::string> templates = ListTemplates(folders);
        if (!templates.empty())
            choice.TemplateName = templates.front();
    } else {
        choice.TemplateName = CompleteTemplateName(options.Template, folders);
    }
    return SaveList(doc, choice);
}

bool WritePerFolder(CTorvaneDoc& doc, const GatherOptions& options) {
    FolderSaveOptions saveOptions;
    saveOptions.FullPaths = options.FullPaths;
    saveOptions.IndexPath = options.Index;
    return SaveEachFolder(doc, GroupByFolder(doc.CurrentList()), saveOptions);
}

} // namespace

bool WriteOutputs(CTorvaneDoc& doc, const GatherOptions& options) {
    const bool writes = !options.Output.empty() || options.PerFolder;
    if (options.Print || options.Json || !writes)
        PrintList(doc.CurrentList(), doc.Settings().Units(), options.Json);
    bool written = true;
    if (!options.Output.empty() && !WriteListFile(doc, options))
        written = false;
    if (options.PerFolder && !WritePerFolder(doc, options))
        written = false;
    return written;
}

} // namespace torvane::cli
