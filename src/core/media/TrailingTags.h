#pragma once

#include "ByteSource.h"

#include <cstdint>

namespace torvane {

// The bytes of the APEv2 and Lyrics3 (version 1 and 2) tags that end at end, in whatever
// order they stand; 0 when there is none. A tag whose sizes do not fit the data, or whose
// start is not where its sizes say, is not counted.
uint64_t TrailingTagBytes(const CByteSource& source, uint64_t end);

} // namespace torvane
