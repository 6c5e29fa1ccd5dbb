#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// The operands of a command line (the arguments after the program's name) as their bytes:
// every argument that is neither an option nor the value of one. The options named in
// takingValue ("--profile") take the next argument unless written "--profile=VALUE"; "--" ends
// the options; "-" alone is an operand.
std::vector<std::string> CommandLineOperands(std::span<const char* const> arguments,
                                             std::span<const std::string_view> takingValue);

} // namespace torvane
