#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Writes content to a temporary file in the target's folder and renames it over the target,
// so a failure never leaves a half-written or emptied file. On failure answers false with a
// description in error and leaves the target as it was.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error);

// Creates the folders above path that do not exist yet.
bool CreateParentFolders(const std::string& path, std::string& error);

} // namespace torvane
