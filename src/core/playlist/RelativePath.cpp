#include "core/playlist/RelativePath.h"

#include <climits>
#include <vector>

namespace torvane {
namespace {

// The components of an absolute path; empty components (doubled or trailing "/") are dropped.
std::vector<std::string_view> Components(std::string_view path) {
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const size_t slash = path.find('/');
        const std::string_view part = path.substr(0, slash);
        if (!part.empty())
            parts.push_back(part);
        path.remove_prefix(slash == std::string_view::npos ? path.size() : slash + 1);
    }
    return parts;
}

} // namespace

std::string MakeRelativePath(std::string_view base, std::string_view path) {
    if (base.empty() || base.front() != '/' || path.empty() || path.front() != '/')
        return std::string(path);
    const std::vector<std::string_view> from = Components(base);
    const std::vector<std::string_view> to = Components(path);
    size_t common = 0;
    while (common < from.size() && common < to.size() && from[common] == to[common])
        ++common;

    std::string relative;
    if (common == from.size()) {
        relative = "./";
    } else {
        for (size_t i = common; i < from.size(); ++i)
            relative += "../";
    }
    for (size_t i = common; i < to.size(); ++i) {
        relative += to[i];
        if (i + 1 < to.size())
            relative += '/';
    }
    if (relative.size() >= PATH_MAX)
        return std::string(path);
    return relative;
}

} // namespace torvane
