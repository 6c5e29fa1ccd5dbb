#pragma once

#include <string>
#include <vector>

namespace torvane {

// What decides where HTML templates are looked for, gathered apart from the environment so the
// rule can be tested.
struct TemplateLocationInputs {
    std::string ProgramFolder;   // folder of the running program file
    std::string XdgDataHome;     // XDG_DATA_HOME
    std::string Home;            // HOME
    std::string InstalledFolder; // the templates installed with the program
};

// "<program folder>/templates", then "$XDG_DATA_HOME/torvane/templates" (default
// ~/.local/share/torvane/templates), then the installed data folder.
std::vector<std::string> TemplateFolders(const TemplateLocationInputs& inputs);
// The same, with the inputs read from this process and its environment.
std::vector<std::string> TemplateFolders();

// The template file names (".htm", ".html") found in the folders, sorted, each name once: the save
// dialog's choices.
std::vector<std::string> ListTemplates(const std::vector<std::string>& folders);

// The path of the template of that name in the first folder that has something of that name;
// empty when none has.
std::string FindTemplate(const std::string& name, const std::vector<std::string>& folders);

// The template a user means by name: the name as given when a template has it, else the name
// with ".htm", then with ".html" added (so "full-table" finds "full-table.htm"); else the name
// as given, for the missing-template message.
std::string CompleteTemplateName(const std::string& name, const std::vector<std::string>& folders);

} // namespace torvane
