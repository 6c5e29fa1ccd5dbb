#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace torvane {

// Percent-encodes every byte of a path except the unreserved characters of URIs and "/", so
// that blanks, "#", "%", "&" and non-ASCII names survive in a URI reference.
std::string PercentEncodePath(std::string_view path);
// Decodes %XX escapes; a "%" not followed by two hex digits stays as it is.
std::string PercentDecode(std::string_view text);

// The location written for a path: a "file://" URI for an absolute path, a relative URI
// reference for anything else.
std::string LocationOfPath(std::string_view path);

// What a playlist's location names, resolved against the playlist's folder: a local
// "file:" URI gives its path, a reference without a scheme gives the decoded path (joined to
// the folder when relative). Other schemes and other hosts give nothing.
std::optional<std::string> PathOfLocation(std::string_view location, std::string_view folder);

// True when text starts with a URI scheme and a ":" ("file:", "http:"), which a path with a
// folder part never does.
bool HasUriScheme(std::string_view text);

} // namespace torvane
