#pragma once

#include <string>
#include <string_view>

namespace torvane {

class CTextCodec;

// The text shown for a path or a file name, component by component: valid UTF-8 as it is, else
// the reading of the legacy code page (decided from all such components of the path together,
// unless the codec forces one) when the bytes are a clean sequence of it, else the valid part
// with an escape such as \xE9 for each other byte. Control characters are always escaped. Only
// ever shown: it never names a file again.
std::string DisplayPath(std::string_view path, const CTextCodec& codec);

} // namespace torvane
