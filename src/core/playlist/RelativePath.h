#pragma once

#include <string>
#include <string_view>

namespace torvane {

// The path written into a playlist for an item when relative paths are chosen: relative to the
// base folder, component by component, with exact comparisons. An item in the base folder or
// below it gives "./rest"; otherwise "../" once for each base component beyond the common run,
// then the rest. The path itself comes back when the base is empty, when either of them is
// not absolute (no common root), or when the result would be longer than PATH_MAX.
std::string MakeRelativePath(std::string_view base, std::string_view path);

} // namespace torvane
