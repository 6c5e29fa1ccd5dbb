#include "core/settings/ProfileLocation.h"

#include "core/base/Paths.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

namespace {

// An XDG base folder: the variable's value when it is absolute (a relative one is invalid and
// ignored), else the default below the home folder.
std::string XdgFolder(const std::string& value, const std::string& home, const char* fallback) {
    if (!value.empty() && value.front() == '/')
        return value;
    return (home.empty() ? std::string(".") : home) + fallback;
}

} // namespace

std::string ResolveProfilePath(const ProfileLocationInputs& inputs) {
    if (!inputs.Option.empty())
        return inputs.Option;
    if (!inputs.EnvironmentPath.empty())
        return inputs.EnvironmentPath;
    if (!inputs.ProgramFolder.empty() && inputs.PortableProfileExists)
        return inputs.ProgramFolder + "/torvane.ini";
    return XdgFolder(inputs.XdgConfigHome, inputs.Home, "/.config") + "/torvane/torvane.ini";
}

std::string TagCachePath(const std::string& profilePath, const std::string& xdgConfigHome,
                         const std::string& xdgCacheHome, const std::string& home) {
    const std::string xdgProfile =
        XdgFolder(xdgConfigHome, home, "/.config") + "/torvane/torvane.ini";
    if (profilePath == xdgProfile)
        return XdgFolder(xdgCacheHome, home, "/.cache") + "/torvane/tags.cache";
    return JoinPath(FolderOf(MakeAbsolute(profilePath)), "torvane-tags.cache");
}

std::string TagCachePath(const std::string& profilePath) {
    return TagCachePath(profilePath, Environment("XDG_CONFIG_HOME"), Environment("XDG_CACHE_HOME"),
                        Environment("HOME"));
}

std::string ResolveProfilePath(const std::string& option) {
    ProfileLocationInputs inputs;
    inputs.Option = option;
    inputs.EnvironmentPath = Environment("TORVANE_PROFILE");
    inputs.ProgramFolder = ProgramFolder();
    struct stat status {};
    inputs.PortableProfileExists =
        !inputs.ProgramFolder.empty() &&
        ::stat((inputs.ProgramFolder + "/torvane.ini").c_str(), &status) == 0 &&
        S_ISREG(status.st_mode);
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
