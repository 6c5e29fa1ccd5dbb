#include "ShortInput.h"
#include "core/media/OggReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CShortInput input(data, size);
    torvane::OggInfo info;
    torvane::COggReader().Read(input.Source(), info);
    return 0;
}
