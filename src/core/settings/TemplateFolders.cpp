#include "core/settings/TemplateFolders.h"

#include "core/base/FolderListing.h"
#include "core/base/Paths.h"
#include "core/settings/ProfileLocation.h"

#include <algorithm>

#ifndef TORVANE_TEMPLATE_INSTALL_DIR
#define TORVANE_TEMPLATE_INSTALL_DIR "/usr/local/share/torvane/templates"
#endif

namespace torvane {

std::vector<std::string> TemplateFolders(const TemplateLocationInputs& inputs) {
    std::vector<std::string> folders;
    if (!inputs.ProgramFolder.empty())
        folders.push_back(JoinPath(inputs.ProgramFolder, "templates"));
    // XDG: a relative XDG_DATA_HOME is invalid and ignored.
    std::string data = inputs.XdgDataHome;
    if (data.empty() || data.front() != '/')
        data = inputs.Home.empty() ? std::string() : JoinPath(inputs.Home, ".local/share");
    if (!data.empty())
        folders.push_back(JoinPath(data, "torvane/templates"));
    if (!inputs.InstalledFolder.empty())
        folders.push_back(inputs.InstalledFolder);
    return folders;
}

std::vector<std::string> TemplateFolders() {
    TemplateLocationInputs inputs;
    inputs.ProgramFolder = ProgramFolder();
    inputs.XdgDataHome = Environment("XDG_DATA_HOME");
    inputs.Home = Environment("HOME");
    inputs.InstalledFolder = TORVANE_TEMPLATE_INSTALL_DIR;
    return TemplateFolders(inputs);
}

std::vector<std::string> ListTemplates(const std::vector<std::string>& folders) {
    std::vector<std::string> names;
    std::vector<FolderEntry> entries;
    for (const std::string& folder : folders) {
        if (!ListFolder(folder, entries))
            continue;
        for (const FolderEntry& entry : entries)
            if (!entry.IsFolder && IsHtmlFileName(entry.Name))
                names.push_back(entry.Name);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::string FindTemplate(const std::string& name, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        std::string path = JoinPath(folder, name);
        if (KindOf(path) != PathKind::Missing)
            return path;
    }
    return {};
}

std::string CompleteTemplateName(const std::string& name, const std::vector<std::string>& folders) {
    for (const char* suffix : {"", ".htm", ".html"}) {
        if (!FindTemplate(name + suffix, folders).empty())
            return name + suffix;
    }
    return name;
}

} // namespace torvane
