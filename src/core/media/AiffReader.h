#pragma once

#include "core/base/TextCodec.h"
#include "core/media/AudioReader.h"

namespace torvane {

// Reads an AIFF or AIFF-C file: COMM (channels, frames, sample size, the 80-bit sampling
// rate) for the time and the bit rate, and the NAME, AUTH and ANNO chunks and an "ID3 " chunk
// (read by the ID3v2 code, its texts preferred) as the extended tag set.
class CAiffReader final : public CAudioReader {
public:
    explicit CAiffReader(const CTextCodec& codec) : m_Codec(codec) {}

    using CAudioReader::Read;
    // False when the file does not begin with a FORM of type AIFF or AIFC.
    bool Read(const CByteSource& source, AudioInfo& info) const override;

private:
    const CTextCodec& m_Codec;
};

// The whole part of an IEEE 754 80-bit extended number (sign, 15 bits of exponent, 64 bits of
// mantissa with an explicit leading bit); 0 for negative numbers and numbers below 1, and
// UINT32_MAX for numbers beyond it.
uint32_t ExtendedToUint32(std::span<const uint8_t> bytes);

} // namespace torvane
