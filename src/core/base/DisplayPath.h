#pragma once

#include <string>
#include <string_view>

namespace torvane {

class CTextCodec;

// The text shown for a path or a file name, component by component: valid UTF-8 as it is, else
// the legacy code page's reading when the bytes are a clean sequence of it, else the valid part
// with an escape such as \xE9 for each other byte. Control characters are always escaped. Only
// ever shown: it never names a file again.
std::string DisplayPath(std::string_view path, const CTextCodec& codec);

} // namespace torvane
