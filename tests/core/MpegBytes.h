#pragma once

#include "Bytes.h"
#include "core/base/ByteSource.h"
#include "core/media/MpegReader.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace torvane::test {

// A frame header from its fields: version bits (3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5, 1 reserved),
// layer bits (3 Layer I, 2 Layer II, 1 Layer III), bit-rate and sampling-rate index, whether a
// CRC follows and the channel mode (3 single channel).
constexpr uint32_t FrameHeader(uint32_t version, uint32_t layer, uint32_t bitRate,
                               uint32_t samplingRate, bool crc = false, uint32_t mode = 0) {
    return 0xFFE00000u | version << 19 | layer << 17 | (crc ? 0u : 1u) << 16 | bitRate << 12 |
           samplingRate << 10 | mode << 6;
}

// MPEG-1 Layer III, 128 kbit/s, 44100 Hz, stereo.
constexpr uint32_t Mpeg1Layer3 = FrameHeader(3, 1, 9, 0);

// A frame header followed by zero bytes up to frameLength.
inline CBytes Frame(uint32_t header, size_t frameLength = 418) {
    return CBytes().U32BE(header).PadTo(frameLength);
}

// What the MPEG reader finds in a source or in the file at a path (it takes any content).
template <class Source> AudioInfo ReadMpeg(const Source& source, const CTextCodec& codec) {
    AudioInfo info;
    CMpegReader(codec).Read(source, info);
    return info;
}

inline AudioInfo ReadBytes(const CBytes& bytes, const CTextCodec& codec = CTextCodec("CP932")) {
    const CMemorySource source(bytes.Data());
    return ReadMpeg(source, codec);
}

} // namespace torvane::test
