#pragma once

#include <string>

namespace torvane {

// What decides where the profile lives, gathered apart from the environment so the rule can be
// tested.
struct ProfileLocationInputs {
    std::string Option;          // --profile FILE
    std::string EnvironmentPath; // TORVANE_PROFILE
    std::string ProgramFolder;   // folder of the running program file
    // A "torvane.ini" is already there: the user chose portable use by putting it there.
    bool PortableProfileExists = false;
    std::string XdgConfigHome; // XDG_CONFIG_HOME
    std::string Home;          // HOME
};

// The option, else the environment variable, else "torvane.ini" beside the program when that
// file already exists (portable use; a writable folder such as ~/.local/bin is not enough), else
// $XDG_CONFIG_HOME/torvane/torvane.ini (default ~/.config/torvane/torvane.ini).
std::string ResolveProfilePath(const ProfileLocationInputs& inputs);

// The same, with the inputs read from this process and its environment.
std::string ResolveProfilePath(const std::string& option);

// Where the tag cache of the profile at profilePath lives: for the profile in the XDG config
// folder, $XDG_CACHE_HOME/torvane/tags.cache (default ~/.cache/torvane/tags.cache); beside any
// other profile (portable use, --profile, TORVANE_PROFILE) as "torvane-tags.cache".
std::string TagCachePath(const std::string& profilePath, const std::string& xdgConfigHome,
                         const std::string& xdgCacheHome, const std::string& home);
// The same, with the XDG folders of this process's environment.
std::string TagCachePath(const std::string& profilePath);

// The value of an environment variable; empty when it is not set.
std::string Environment(const char* name);

// Folder of the running program file, from /proc/self/exe; empty when unknown.
std::string ProgramFolder();

} // namespace torvane
