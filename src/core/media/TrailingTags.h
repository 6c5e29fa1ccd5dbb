#pragma once

#include "core/base/ByteSource.h"

#include <cstdint>
#include <span>

namespace torvane {

// The end marks of the tags lie in the last this many bytes before their end.
constexpr uint64_t TrailingMarkBytes = 32;

// Whether bytes (those just before the end looked at) end with one of the tags' marks: one
// look decides for the files, nearly all, that have none.
bool EndsWithTrailingMark(std::span<const uint8_t> bytes);

// The bytes of the APEv2 and Lyrics3 (version 1 and 2) tags that end at end, in whatever
// order they stand; 0 when there is none. A tag whose sizes do not fit the data, or whose
// start is not where its sizes say, is not counted.
uint64_t TrailingTagBytes(const CByteSource& source, uint64_t end);

} // namespace torvane
