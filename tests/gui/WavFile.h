#pragma once

#include "core/Bytes.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace torvane::test {

// A RIFF WAVE file of a 440 Hz tone: 8000 Hz, mono, 16-bit PCM, quiet.
inline std::string WavBytes(int milliseconds) {
    constexpr uint32_t Rate = 8000;
    const uint32_t samples = Rate * static_cast<uint32_t>(milliseconds) / 1000;
    CBytes data;
    for (uint32_t i = 0; i < samples; ++i)
        data.U16LE(static_cast<uint16_t>(
            static_cast<int16_t>(2000 * std::sin(2 * 3.14159265358979 * 440 * i / Rate))));
    CBytes file;
    file.Text("RIFF").U32LE(static_cast<uint32_t>(36 + data.Size())).Text("WAVE");
    file.Text("fmt ").U32LE(16).U16LE(1).U16LE(1).U32LE(Rate).U32LE(Rate * 2).U16LE(2).U16LE(16);
    file.Text("data").U32LE(static_cast<uint32_t>(data.Size())).Append(data);
    return std::string(file.Data().begin(), file.Data().end());
}

} // namespace torvane::test
