#include "core/base/DisplayPath.h"

#include "core/base/TextCodec.h"

#include <vector>

namespace torvane {
namespace {

bool HasControlCharacter(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    return false;
}

// The components of the path, between its slashes.
std::vector<std::string_view> Components(std::string_view path) {
    std::vector<std::string_view> components;
    for (size_t start = 0;;) {
        const size_t slash = path.find('/', start);
        components.push_back(path.substr(start, slash - start));
        if (slash == std::string_view::npos)
            return components;
        start = slash + 1;
    }
}

bool NeedsDecoding(std::string_view component) {
    return !HasControlCharacter(component) && !CTextCodec::IsValidUtf8(component);
}

std::string DisplayComponent(std::string_view component, const std::string& codePage) {
    if (!HasControlCharacter(component)) {
        if (CTextCodec::IsValidUtf8(component))
            return std::string(component);
        std::string decoded;
        if (CTextCodec::DecodeStrictly(component, codePage, decoded) &&
            !HasControlCharacter(decoded))
            return decoded;
    }
    return CTextCodec::EscapeInvalidUtf8(component);
}

} // namespace

std::string DisplayPath(std::string_view path, const CTextCodec& codec) {
    const std::vector<std::string_view> components = Components(path);
    // The names along one path were mostly made on one system: their code page is decided
    // from all of them together.
    std::vector<std::string_view> legacy;
    for (const std::string_view component : components)
        if (NeedsDecoding(component))
            legacy.push_back(component);
    const std::string codePage = legacy.empty() ? std::string() : codec.CodePageFor(legacy);
    std::string shown;
    shown.reserve(path.size());
    for (size_t i = 0; i < components.size(); ++i) {
        if (i > 0)
            shown += '/';
        shown += DisplayComponent(components[i], codePage);
    }
    return shown;
}

} // namespace torvane
