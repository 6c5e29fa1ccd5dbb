#include "ShortInput.h"
#include "core/media/Mp4Reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CShortInput input(data, size);
    torvane::AudioInfo info;
    torvane::CMp4Reader().Read(input.Source(), info);
    return 0;
}
