#include "core/media/Mp4Atoms.h"

#include "core/base/ByteReader.h"

#include <algorithm>
#include <cstring>

namespace torvane {

void WalkMp4Atoms(const CByteSource& source, uint64_t begin, uint64_t end,
                  const std::function<bool(const Mp4Atom&)>& visit, int maxAtoms) {
    end = std::min(end, source.Size());
    uint64_t pos = begin;
    for (int i = 0; i < maxAtoms && pos < end && end - pos >= 8; ++i) {
        const auto header = source.Read(pos, 16);
        CByteReader reader(header);
        uint64_t size = reader.U32BE();
        const auto type = reader.Bytes(4);
        if (!reader.Ok())
            return; // the read came up short
        Mp4Atom atom;
        std::memcpy(atom.Type, type.data(), 4);
        uint64_t headerSize = 8;
        if (size == 1) {
            size = uint64_t{reader.U32BE()} << 32 | reader.U32BE();
            headerSize = 16;
        } else if (size == 0) {
            size = end - pos;
        }
        if (!reader.Ok() || size < headerSize || headerSize > end - pos)
            return;
        atom.Offset = pos + headerSize;
        atom.Size = std::min(size - headerSize, end - atom.Offset);
        if (!visit(atom) || size >= end - pos)
            return;
        pos += size;
    }
}

std::optional<Mp4Atom> FindMp4Atom(const CByteSource& source, uint64_t begin, uint64_t end,
                                   std::string_view type, int maxAtoms) {
    std::optional<Mp4Atom> found;
    WalkMp4Atoms(
        source, begin, end,
        [&](const Mp4Atom& atom) {
            if (atom.Is(type))
                found = atom;
            return !found;
        },
        maxAtoms);
    return found;
}

std::optional<Mp4Atom> FindMp4Path(const CByteSource& source, const Mp4Atom& parent,
                                   std::initializer_list<std::string_view> path) {
    std::optional<Mp4Atom> atom = parent;
    for (const std::string_view type : path) {
        atom = FindMp4Atom(source, atom->Offset, atom->End(), type);
        if (!atom)
            break;
    }
    return atom;
}

} // namespace torvane
