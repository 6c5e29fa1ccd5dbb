#pragma once

#include <string>
#include <string_view>

namespace torvane {

// "Ver " followed by a version string such as "3, 2, 1101, 22" with the blanks after its commas
// left out and cut to 100 characters: "Ver 3,2,1101,22".
std::string BuildVersionText(std::string_view versionString);

// The program's own version text, from the project version it was built with.
const std::string& GetVersionText();

} // namespace torvane
