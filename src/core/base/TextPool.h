#pragma once

#include <string>
#include <string_view>

namespace torvane {

// One shared copy of each short text that many records hold alike (type names, rate texts):
// the answer lives until the program ends. Safe to call from any thread.
const std::string& PooledText(std::string_view text);

} // namespace torvane
