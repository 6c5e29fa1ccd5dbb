#pragma once

#include "core/base/ByteSource.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace torvane {

// One atom (box) of an MP4 / QuickTime file: its type and where its payload lies. Size is as
// declared but never runs past the end of the walked range.
struct Mp4Atom {
    char Type[4] = {};
    uint64_t Offset = 0; // of the payload, after the 8- or 16-byte header
    uint64_t Size = 0;

    bool Is(std::string_view type) const { return type == std::string_view(Type, 4); }
    uint64_t End() const { return Offset + Size; }
};

// Atoms one walk looks at by default: far more than any real file holds on its top level (a
// fragmented file has two per fragment there); inside an atom far fewer are looked for.
constexpr int MaxAtomsPerLevel = 4096;
constexpr int MaxNestedAtoms = 1024;

// Calls visit for each atom between begin and end, in file order, until it answers false.
// Sizes of 32 or 64 bits are honoured, size 0 runs to the end of the range; a size smaller
// than the atom's header, or a header that cannot be read whole, ends the walk, so every step
// moves forward and the walk ends, after maxAtoms atoms at most.
void WalkMp4Atoms(const CByteSource& source, uint64_t begin, uint64_t end,
                  const std::function<bool(const Mp4Atom&)>& visit,
                  int maxAtoms = MaxAtomsPerLevel);

// The first atom of a type between begin and end, among the first maxAtoms.
std::optional<Mp4Atom> FindMp4Atom(const CByteSource& source, uint64_t begin, uint64_t end,
                                   std::string_view type, int maxAtoms = MaxNestedAtoms);

// The first atom reached by a path of types ("mdia", "minf", ...) inside parent.
std::optional<Mp4Atom> FindMp4Path(const CByteSource& source, const Mp4Atom& parent,
                                   std::initializer_list<std::string_view> path);

} // namespace torvane
