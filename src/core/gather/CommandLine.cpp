#include "core/gather/CommandLine.h"

#include <algorithm>

namespace torvane {

std::vector<std::string> CommandLineOperands(std::span<const char* const> arguments,
                                             std::span<const std::string_view> takingValue) {
    std::vector<std::string> operands;
    bool options = true;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (!arguments[i])
            continue;
        const std::string_view argument = arguments[i];
        if (!options || argument.size() < 2 || argument.front() != '-') {
            operands.emplace_back(argument);
        } else if (argument == "--") {
            options = false;
        } else if (std::find(takingValue.begin(), takingValue.end(), argument) !=
                   takingValue.end()) {
            ++i;
        }
    }
    return operands;
}

} // namespace torvane
