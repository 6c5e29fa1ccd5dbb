#pragma once

#include <string>
#include <vector>

namespace torvane {

// Starts program (a path, not looked up in PATH) with the arguments, their bytes as they are and
// no shell between, in a process of its own that nobody waits for: an intermediate child
// starts it and ends at once, so no zombie is left behind. False, with errno's reason in error,
// when the program could not be executed.
bool StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                   std::string& error);

} // namespace torvane
