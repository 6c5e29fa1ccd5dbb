#include "ProfileLocation.h"

#include "Paths.h"

#include <climits>
#include <cstdlib>
#include <unistd.h>

#ifndef TORVANE_INSTALL_BIN_DIR
#define TORVANE_INSTALL_BIN_DIR "/usr/local/bin"
#endif

namespace torvane {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string ResolveProfilePath(const ProfileLocationInputs& inputs) {
    if (!inputs.Option.empty())
        return inputs.Option;
    if (!inputs.EnvironmentPath.empty())
        return inputs.EnvironmentPath;
    if (!inputs.ProgramFolder.empty() && inputs.ProgramFolderWritable && !inputs.Installed)
        return inputs.ProgramFolder + "/torvane.ini";
    // XDG: a relative XDG_CONFIG_HOME is invalid and ignored.
    std::string config = inputs.XdgConfigHome;
    if (config.empty() || config.front() != '/')
        config = (inputs.Home.empty() ? std::string(".") : inputs.Home) + "/.config";
    return config + "/torvane/torvane.ini";
}

std::string ResolveProfilePath(const std::string& option) {
    ProfileLocationInputs inputs;
    inputs.Option = option;
    inputs.EnvironmentPath = Environment("TORVANE_PROFILE");
    inputs.ProgramFolder = ProgramFolder();
    inputs.ProgramFolderWritable =
        !inputs.ProgramFolder.empty() && ::access(inputs.ProgramFolder.c_str(), W_OK) == 0;
    inputs.Installed = inputs.ProgramFolder == TORVANE_INSTALL_BIN_DIR;
    inputs.XdgConfigHome = Environment("XDG_CONFIG_HOME");
    inputs.Home = Environment("HOME");
    return ResolveProfilePath(inputs);
}

std::string ProgramFolder() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return {};
    return FolderOf(std::string_view(buffer, static_cast<size_t>(length)));
}

} // namespace torvane
