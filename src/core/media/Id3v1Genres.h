#pragma once

#include <string>

namespace torvane {

// The name of a genre number of the ID3v1 list (with the common extensions up to 125), as MP4
// files store it in "gnre"; empty for numbers outside the list.
std::string Id3v1GenreName(unsigned index);

} // namespace torvane
