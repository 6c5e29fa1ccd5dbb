#include "core/base/FileUri.h"

#include "core/base/Paths.h"

namespace torvane {
namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsUnreserved(char c) {
    return IsAsciiLetter(c) || IsDigit(c) || c == '-' || c == '.' || c == '_' || c == '~';
}

int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string PercentEncodePath(std::string_view path) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(path.size());
    for (const char c : path) {
        if (IsUnreserved(c) || c == '/') {
            encoded += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            encoded += '%';
            encoded += Hex[byte >> 4];
            encoded += Hex[byte & 0x0F];
        }
    }
    return encoded;
}

std::string PercentDecode(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && text.size() - i > 2) {
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                decoded += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

std::string LocationOfPath(std::string_view path) {
    if (!path.empty() && path.front() == '/')
        return "file://" + PercentEncodePath(path);
    return PercentEncodePath(path);
}

bool HasUriScheme(std::string_view text) {
    if (text.empty() || !IsAsciiLetter(text.front()))
        return false;
    for (size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ':')
            return true;
        if (!IsAsciiLetter(c) && !IsDigit(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return false;
}

std::optional<std::string> PathOfLocation(std::string_view location, std::string_view folder) {
    if (location.empty())
        return std::nullopt;
    if (!HasUriScheme(location))
        return location.front() == '/' ? PercentDecode(location)
                                       : JoinRelativePath(folder, PercentDecode(location));
    const size_t colon = location.find(':');
    if (!EqualsIgnoringAsciiCase(location.substr(0, colon), "file"))
        return std::nullopt;
    std::string_view rest = location.substr(colon + 1);
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const size_t slash = rest.find('/');
        const std::string_view host = rest.substr(0, slash);
        if (slash == std::string_view::npos ||
            (!host.empty() && !EqualsIgnoringAsciiCase(host, "localhost")))
            return std::nullopt;
        rest.remove_prefix(slash);
    }
    if (rest.empty() || rest.front() != '/')
        return std::nullopt;
    return PercentDecode(rest);
}

} // namespace torvane
