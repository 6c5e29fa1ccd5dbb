#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace torvane {

// One MPEG audio frame header, decoded from its four bytes read big-endian.
struct MpegFrameHeader {
    enum VersionId { Mpeg1 = 1, Mpeg2 = 2, Mpeg25 = 3 };

    int Version = Mpeg1;
    int Layer = 3; // 1, 2 or 3
    bool Crc = false;
    int BitRateIndex = 0;
    int SamplingRateIndex = 0;
    int Padding = 0;
    bool SingleChannel = false;

    // Sync bits set, a layer, a usable bit-rate and sampling-rate index. The reserved version
    // 01 and the free format (bit-rate index 0) pass.
    static bool IsValid(uint32_t value);
    static MpegFrameHeader Decode(uint32_t value);

    int BitRate() const; // kbit/s, 0 for the free format
    int SamplingRate() const;
    int SideInfoSize() const;
    int SamplesPerFrame() const;
    // Where a Xing header stands, counted from the start of the frame: after the side information.
    size_t XingOffset() const { return 4 + (Crc ? 2 : 0) + static_cast<size_t>(SideInfoSize()); }
    // Playing time of one frame in seconds, from the frame length and the bit rate.
    float FrameSeconds() const;
};

// A VBRI header stands this far after the start of the frame.
constexpr size_t VbriOffset = 36;

// How many bytes FindFrameHeader may look at: the first four, then 400 attempts of four bytes
// starting five bytes in.
constexpr size_t FrameSearchAttempts = 400;
constexpr size_t FrameSearchBytes = 5 + FrameSearchAttempts * 4;

// Looks for a frame header in bytes that start where the audio should begin: the first four
// bytes, then from the fifth byte on, stepping back when a sync pattern may start inside the
// four bytes just read. Answers the header's offset in bytes.
std::optional<size_t> FindFrameHeader(std::span<const uint8_t> bytes);

} // namespace torvane
