#include "core/media/MpegFrame.h"

#include "core/base/ByteReader.h"

namespace torvane {
namespace {

// Bit rates in kbit/s by bit-rate index: MPEG-1 Layers I to III, then the low sampling
// frequency tables of MPEG-2 (also used by MPEG-2.5) for Layer I and for Layers II and III.
constexpr int Mpeg1BitRates[3][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},
};
constexpr int Mpeg2BitRates[2][15] = {
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
};
constexpr int SamplingRates[3][3] = {
    {44100, 48000, 32000},
    {22050, 24000, 16000},
    {11025, 12000, 8000},
};

} // namespace

bool MpegFrameHeader::IsValid(uint32_t value) {
    const bool sync = (value >> 21) == 0x7FF;
    const uint32_t layer = (value >> 17) & 3;
    const uint32_t bitRate = (value >> 12) & 15;
    const uint32_t samplingRate = (value >> 10) & 3;
    return sync && layer != 0 && bitRate != 15 && samplingRate != 3;
}

MpegFrameHeader MpegFrameHeader::Decode(uint32_t value) {
    MpegFrameHeader header;
    if (value & (1u << 19))
        header.Version = Mpeg1;
    else
        header.Version = (value & (1u << 20)) ? Mpeg2 : Mpeg25;
    header.Layer = 4 - static_cast<int>((value >> 17) & 3);
    header.Crc = (value & (1u << 16)) == 0;
    header.BitRateIndex = static_cast<int>((value >> 12) & 15);
    header.SamplingRateIndex = static_cast<int>((value >> 10) & 3);
    header.Padding = static_cast<int>((value >> 9) & 1);
    header.SingleChannel = ((value >> 6) & 3) == 3;
    return header;
}

int MpegFrameHeader::BitRate() const {
    if (Layer < 1 || Layer > 3 || BitRateIndex < 0 || BitRateIndex > 14)
        return 0;
    if (Version == Mpeg1)
        return Mpeg1BitRates[Layer - 1][BitRateIndex];
    return Mpeg2BitRates[Layer == 1 ? 0 : 1][BitRateIndex];
}

int MpegFrameHeader::SamplingRate() const {
    if (Version < Mpeg1 || Version > Mpeg25 || SamplingRateIndex < 0 || SamplingRateIndex > 2)
        return 0;
    return SamplingRates[Version - 1][SamplingRateIndex];
}

int MpegFrameHeader::SideInfoSize() const {
    if (Version == Mpeg1)
        return SingleChannel ? 17 : 32;
    return SingleChannel ? 9 : 17;
}

int MpegFrameHeader::SamplesPerFrame() const {
    if (Layer == 1)
        return 384;
    return (Layer == 3 && Version != Mpeg1) ? 576 : 1152;
}

float MpegFrameHeader::FrameSeconds() const {
    const float bitRate = static_cast<float>(BitRate());
    const float samplingRate = static_cast<float>(SamplingRate());
    if (samplingRate <= 0)
        return 0;
    // A free-format frame has no bit rate to divide by; its samples give the same time.
    if (bitRate <= 0)
        return static_cast<float>(SamplesPerFrame()) / samplingRate;
    const float padding = static_cast<float>(Padding);
    float frameLength;
    if (Layer == 1)
        frameLength = (12.0f * bitRate * 1000.0f / samplingRate + padding) * 4.0f;
    else if (Layer == 2 || Version == Mpeg1)
        frameLength = 144.0f * bitRate * 1000.0f / samplingRate + padding;
    else
        frameLength = 72.0f * bitRate * 1000.0f / samplingRate + padding;
    return frameLength / bitRate * 8.0f / 1000.0f;
}

std::optional<size_t> FindFrameHeader(std::span<const uint8_t> bytes) {
    CByteReader reader(bytes);
    if (MpegFrameHeader::IsValid(reader.U32BE()) && reader.Ok())
        return 0;
    // The search goes on five bytes after the start, not one.
    size_t pos = 5;
    for (size_t attempt = 0; attempt < FrameSearchAttempts; ++attempt) {
        reader.Seek(pos);
        const uint32_t value = reader.U32BE();
        if (!reader.Ok())
            return std::nullopt;
        if (MpegFrameHeader::IsValid(value))
            return pos;
        // Step back so that a sync pattern starting inside these four bytes is tried next.
        if (((value >> 13) & 0x7FF) == 0x7FF)
            pos += 1;
        else if (((value >> 5) & 0x7FF) == 0x7FF)
            pos += 2;
        else if ((value & 0xFF) == 0xFF)
            pos += 3;
        else
            pos += 4;
    }
    return std::nullopt;
}

} // namespace torvane
