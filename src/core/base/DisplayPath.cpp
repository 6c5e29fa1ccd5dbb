#include "core/base/DisplayPath.h"

#include "core/base/TextCodec.h"

namespace torvane {
namespace {

bool HasControlCharacter(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    return false;
}

std::string DisplayComponent(std::string_view component, const CTextCodec& codec) {
    if (!HasControlCharacter(component)) {
        if (CTextCodec::IsValidUtf8(component))
            return std::string(component);
        std::string decoded;
        if (codec.FromLegacyStrictly(component, decoded) && !HasControlCharacter(decoded))
            return decoded;
    }
    return CTextCodec::EscapeInvalidUtf8(component);
}

} // namespace

std::string DisplayPath(std::string_view path, const CTextCodec& codec) {
    std::string shown;
    shown.reserve(path.size());
    for (size_t start = 0;;) {
        const size_t slash = path.find('/', start);
        shown += DisplayComponent(path.substr(start, slash - start), codec);
        if (slash == std::string_view::npos)
            return shown;
        shown += '/';
        start = slash + 1;
    }
}

} // namespace torvane
