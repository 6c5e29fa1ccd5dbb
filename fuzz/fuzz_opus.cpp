#include "ShortInput.h"
#include "core/media/OpusReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CShortInput input(data, size);
    torvane::AudioInfo info;
    torvane::COpusReader().Read(input.Source(), info);
    return 0;
}
