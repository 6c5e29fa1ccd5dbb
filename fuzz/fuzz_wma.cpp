#include "ShortInput.h"
#include "core/media/WmaReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CShortInput input(data, size);
    torvane::AudioInfo info;
    torvane::CWmaReader().Read(input.Source(), info);
    return 0;
}
